// zelt_bench: measures the program's searches, grids, exports and editors on generated folders
// of 10^4, 10^5 and 10^6 members and prints one table. Each workload runs in a process of its
// own (this program with --workload, or zelt_bench_gui), so that its peak memory is its own.
#include "child_process.h"
#include "core_workloads.h"
#include "floor_io.h"
#include "measured_workloads.h"
#include "report_table.h"
#include "run_statistics.h"
#include "sqlite_baseline.h"

#include "storage/file_system.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zelt::bench;

struct Options {
    std::string root = "/tmp/zelt-bench";
    std::vector<std::int32_t> sizes = {10000, 100000, 1000000};
    int runs = 5;
    int sqliteRuns = 3;
    std::string only; // measure only workloads whose name contains this
    bool skipSqlite = false;
};

constexpr const char* kUsage =
    "usage: zelt_bench [--root FOLDER] [--sizes 10000,100000,1000000] [--runs N]\n"
    "                  [--sqlite-runs N] [--only NAME] [--no-sqlite]\n"
    "Expects FOLDER/n<size> (made by zelt_generate, with --side-files up to 10^5 members) and\n"
    "FOLDER/n<size>-same (zelt_generate --same-name) for every size.\n";

std::string executableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string self(path, static_cast<std::size_t>(length));
    return self.substr(0, self.find_last_of('/'));
}

std::vector<std::int32_t> parseSizes(std::string_view text) {
    std::vector<std::int32_t> sizes;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        std::int32_t size = 0;
        std::from_chars(item.data(), item.data() + item.size(), size);
        if (size > 0)
            sizes.push_back(size);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return sizes;
}

struct WorkloadFigures {
    std::vector<double> times;
    std::uint64_t outputBytes = 0;
    std::int64_t records = -1;
    long baseKiB = 0;
    std::string unavailable;
};

WorkloadFigures parseFigures(const std::string& output) {
    WorkloadFigures figures;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto blank = line.find(' ');
        const std::string key = line.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
        if (key == "time")
            figures.times.push_back(std::strtod(value.c_str(), nullptr));
        else if (key == "output")
            figures.outputBytes = std::strtoull(value.c_str(), nullptr, 10);
        else if (key == "records")
            figures.records = std::strtoll(value.c_str(), nullptr, 10);
        else if (key == "base")
            figures.baseKiB = std::strtol(value.c_str(), nullptr, 10);
        else if (key == "n/a")
            figures.unavailable = value.empty() ? "not available" : value;
    }
    return figures;
}

double floorSeconds(const MeasuredWorkload& line, const std::string& dir, std::int32_t members,
                    std::uint64_t outputBytes, int runs, const std::string& workDir) {
    if (!line.floorFiles)
        return -1;
    const auto files = line.floorFiles(dir, members);
    std::vector<double> reads, writes;
    for (int i = 0; i <= runs; ++i) {
        const double read = readSeconds(files);
        const double written = outputBytes ? writeSeconds(workDir + "/floor.out", outputBytes) : 0;
        if (i > 0) {
            reads.push_back(read);
            writes.push_back(written);
        }
    }
    return median(reads) + median(writes);
}

Measurement measure(const MeasuredWorkload& line, std::int32_t members, const Options& options,
                    const std::string& binFolder, const std::string& workDir) {
    Measurement m;
    m.title = line.title;
    m.members = members;
    const std::string size = std::to_string(members);
    const std::string dir = options.root + "/n" + size + (line.sameName ? "-same" : "");
    const std::string program = binFolder + (line.gui ? "/zelt_bench_gui" : "/zelt_bench");
    const ChildOutcome child = runChild(
        {program, "--workload", line.name, "--dir", dir, "--runs", std::to_string(options.runs)});
    if (!child.started || child.exitCode != 0) {
        m.unavailable = child.started ? "the workload failed" : "cannot start " + program;
        return m;
    }
    const WorkloadFigures figures = parseFigures(child.output);
    if (!figures.unavailable.empty() || figures.times.empty()) {
        m.unavailable = figures.unavailable.empty() ? "no figures" : figures.unavailable;
        return m;
    }
    m.seconds = median(figures.times);
    m.records = figures.records;
    m.peakKiB = child.peakKiB;
    m.baseKiB = figures.baseKiB;
    m.floorSeconds = floorSeconds(line, dir, members, figures.outputBytes,
                                  static_cast<int>(figures.times.size()), workDir);
    if (line.sql && !options.skipSqlite) {
        const std::string out = workDir + "/sqlite-output";
        // A folder that cannot be made shows as sqlite3's failure to write its output.
        static_cast<void>(zelt::fs::createFolder(out));
        m.sqliteSeconds = sqliteSeconds(options.root + "/n" + size + ".db", line.sql(members, out),
                                        line.sqlBaseline ? line.sqlBaseline(members) : "",
                                        options.sqliteRuns, workDir);
    }
    return m;
}

// Makes a folder the benchmark works in, or says why it cannot.
bool folderMade(const std::string& path) {
    const zelt::Status made = zelt::fs::createFolder(path);
    if (!made)
        std::fprintf(stderr, "%s\n", made.error().message().c_str());
    return made.ok();
}

int runBenchmark(const Options& options) {
    const std::string binFolder = executableFolder();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string runtime = options.root + "/runtime";
    if (!folderMade(runtime))
        return 1;
    chmod(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    std::vector<Measurement> rows;
    std::map<std::string, double> previous; // a workload's time at the size before
    for (const std::int32_t members : options.sizes) {
        const std::string size = std::to_string(members);
        const std::string dir = options.root + "/n" + size;
        const std::string workDir = options.root + "/work-n" + size;
        if (!folderMade(workDir))
            return 1;
        if (!options.skipSqlite) {
            std::fprintf(stderr, "Loading %s into sqlite3 (not measured) ...\n", dir.c_str());
            SqliteData data{dir, options.root + "/n" + size + "-same", members <= 100000};
            if (zelt::Status done =
                    buildDatabase(data, options.root + "/n" + size + ".db", workDir);
                !done) {
                std::fprintf(stderr, "zelt_bench: %s\n", done.error().message().c_str());
                return 1;
            }
        }
        for (const MeasuredWorkload& line : measuredWorkloads()) {
            if (line.largestSize > 0 && members > line.largestSize)
                continue;
            if (!options.only.empty() && line.name.find(options.only) == std::string::npos)
                continue;
            const auto start = std::chrono::steady_clock::now();
            Measurement m = measure(line, members, options, binFolder, workDir);
            if (auto before = previous.find(line.name);
                before != previous.end() && m.seconds > 0 && before->second > 0)
                m.growth = m.seconds / before->second;
            previous[line.name] = m.seconds;
            std::fprintf(
                stderr, "%s(%.0f s)\n", progressLine(m).c_str(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            rows.push_back(m);
        }
    }
    std::printf("\n%s", markdownTable(rows).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string workload, dir;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--no-sqlite") {
            options.skipSqlite = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const std::string value = argv[++i];
        if (arg == "--root")
            options.root = value;
        else if (arg == "--sizes")
            options.sizes = parseSizes(value);
        else if (arg == "--runs")
            options.runs = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--sqlite-runs")
            options.sqliteRuns = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--only")
            options.only = value;
        else if (arg == "--workload")
            workload = value;
        else if (arg == "--dir")
            dir = value;
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (!workload.empty())
        return runWorkloadProcess(coreWorkloads(), workload, dir, options.runs);
    return runBenchmark(options);
}
