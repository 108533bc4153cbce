#include "sqlite_baseline.h"

#include "block_writer.h"
#include "child_process.h"
#include "run_statistics.h"

#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/locale_rules.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"

#include <vector>

namespace zelt::bench {

namespace {

constexpr double kLongQuery = 2.0;

constexpr const char* kMemberColumns =
    "id INTEGER PRIMARY KEY, name TEXT, surname TEXT, street TEXT, city TEXT, post_cod TEXT, "
    "country TEXT, phone TEXT, e_mail TEXT, url TEXT, ref_id INTEGER, egold_id INTEGER, "
    "ap_id INTEGER, level INTEGER, date REAL, addinfo TEXT";

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// One tab-separated file per record file, one line per record, written through the program's
// file layer; visit appends a record's line.
Status
writeTable(const std::string& dataPath, int length, const std::string& tsvPath,
           const std::function<void(std::int32_t, const std::uint8_t*, std::string&)>& line) {
    auto file = RecordFile::openForReading(dataPath, length);
    if (!file)
        return file.status();
    auto count = file->count();
    if (!count)
        return count.status();
    auto writer = BlockWriter::create(tsvPath);
    if (!writer)
        return writer.status();
    Status failed;
    std::string text;
    Status scanned = file->scan(1, *count, [&](std::int32_t n, const std::uint8_t* record) {
        text.clear();
        line(n, record, text);
        failed = writer->append(text);
        return failed.ok();
    });
    if (!scanned)
        return scanned;
    if (!failed)
        return failed;
    return writer->finish();
}

Status writeMembers(const std::string& appDir, bool additionalInfo, const std::string& tsvPath) {
    const LocaleRules rules = LocaleRules::c();
    Status failed;
    Status done = writeTable(
        filePath(appDir, Folder::Data, MemberRecord::kFileName), MemberRecord::kLength, tsvPath,
        [&](std::int32_t n, const std::uint8_t* record, std::string& out) {
            const MemberRecord m = MemberRecord::decode(record);
            out += std::to_string(n);
            for (const std::string* text : {&m.Name, &m.Surname, &m.Street, &m.City, &m.Post_Cod,
                                            &m.Country, &m.Phone, &m.E_mail, &m.URL}) {
                out += '\t';
                out += *text;
            }
            for (std::int64_t value : {std::int64_t{m.Ref_ID}, std::int64_t{m.Egold_ID},
                                       std::int64_t{m.AP_ID}, std::int64_t{m.Level}}) {
                out += '\t';
                out += std::to_string(value);
            }
            out += '\t';
            out += number(m.Date);
            out += '\t';
            if (additionalInfo) {
                auto info = readSideTextWhole(
                    filePath(appDir, Folder::Addinfo, std::to_string(n) + ".txt"));
                if (info)
                    out += flattenLineBreaks(*info);
                else
                    failed = info.status();
            }
            out += '\n';
        });
    return done ? failed : done;
}

Status writeSales(const std::string& appDir, const char* name, const std::string& tsvPath) {
    const LocaleRules rules = LocaleRules::c();
    return writeTable(filePath(appDir, Folder::Data, name), SaleRecord::kLength, tsvPath,
                      [&](std::int32_t n, const std::uint8_t* record, std::string& out) {
                          const SaleRecord s = SaleRecord::decode(record);
                          out += std::to_string(n) + '\t' + std::to_string(s.MemberID) + '\t' +
                                 formatSingle(s.Sum, rules) + '\t' + number(s.Date) + '\n';
                      });
}

Status writeSchemes(const std::string& appDir, const std::string& tsvPath) {
    const LocaleRules rules = LocaleRules::c();
    return writeTable(filePath(appDir, Folder::Data, SchemeRecord::kFileName),
                      SchemeRecord::kLength, tsvPath,
                      [&](std::int32_t, const std::uint8_t* record, std::string& out) {
                          const SchemeRecord s = SchemeRecord::decode(record);
                          out += std::to_string(s.Scheme);
                          for (float level : s.Level)
                              out += '\t' + formatSingle(level, rules);
                          out += '\t' + s.Type_of_payment + '\t' +
                                 formatSingle(s.MinPayment, rules) + '\t' +
                                 std::to_string(s.Periodicity) + '\t' + s.Unit + '\n';
                      });
}

} // namespace

std::string sqlDateText(const std::string& column) {
    return "CASE WHEN " + column + " = CAST(" + column + " AS INTEGER) THEN date(" + column +
           " + 2415018.5) ELSE datetime(" + column + " + 2415018.5) END";
}

Status buildDatabase(const SqliteData& data, const std::string& dbPath,
                     const std::string& workDir) {
    const std::string members = workDir + "/members.tsv";
    const std::string same = workDir + "/members_same.tsv";
    const std::string sales = workDir + "/sales.tsv";
    const std::string payments = workDir + "/payments.tsv";
    const std::string schemes = workDir + "/schemes.tsv";
    Status done = writeMembers(data.appDir, data.additionalInfo, members);
    if (done && !data.sameNameDir.empty())
        done = writeMembers(data.sameNameDir, false, same);
    if (done)
        done = writeSales(data.appDir, "sales.kvr", sales);
    if (done)
        done = writeSales(data.appDir, "payments.kvr", payments);
    if (done)
        done = writeSchemes(data.appDir, schemes);
    if (!done)
        return done;

    std::string script = "PRAGMA journal_mode=OFF;\nPRAGMA synchronous=OFF;\n";
    script += std::string("CREATE TABLE members(") + kMemberColumns + ");\n";
    script += std::string("CREATE TABLE members_same(") + kMemberColumns + ");\n";
    script +=
        "CREATE TABLE sales(id INTEGER PRIMARY KEY, member_id INTEGER, sum REAL, date REAL);\n";
    script +=
        "CREATE TABLE payments(id INTEGER PRIMARY KEY, member_id INTEGER, sum REAL, date REAL);\n";
    script += "CREATE TABLE schemes(scheme INTEGER PRIMARY KEY, level1 REAL, level2 REAL, "
              "level3 REAL, level4 REAL, level5 REAL, level6 REAL, level7 REAL, level8 REAL, "
              "type TEXT, minpayment REAL, periodicity INTEGER, unit TEXT);\n";
    script += ".mode tabs\n";
    script += ".import " + members + " members\n";
    if (!data.sameNameDir.empty())
        script += ".import " + same + " members_same\n";
    script += ".import " + sales + " sales\n";
    script += ".import " + payments + " payments\n";
    script += ".import " + schemes + " schemes\n";
    const std::string scriptPath = workDir + "/import.sql";
    if (Status written = writeSmallFile(scriptPath, script); !written)
        return written;

    static_cast<void>(fs::remove(dbPath)); // an earlier database, when there is one
    const ChildOutcome imported =
        runChild({"sqlite3", "-batch", "-bail", dbPath}, scriptPath, false);
    for (const std::string& path : {members, same, sales, payments, schemes})
        static_cast<void>(fs::remove(path)); // the import's own copies
    if (!imported.started || imported.exitCode != 0)
        return FsError{"import into", dbPath, "sqlite3 failed"};
    return {};
}

double sqliteSeconds(const std::string& dbPath, const std::string& script,
                     const std::string& baseline, int runs, const std::string& workDir) {
    const std::string scriptPath = workDir + "/query.sql";
    const std::string baselinePath = workDir + "/baseline.sql";
    if (!writeSmallFile(scriptPath, script) || !writeSmallFile(baselinePath, baseline))
        return -1;
    // The database was loaded just before, so its pages are in the cache already: no run to
    // warm up. A query that takes seconds is run once.
    std::vector<double> queried, empty;
    for (int i = 0; i < runs; ++i) {
        const ChildOutcome base =
            runChild({"sqlite3", "-batch", "-bail", dbPath}, baselinePath, false);
        const ChildOutcome query =
            runChild({"sqlite3", "-batch", "-bail", dbPath}, scriptPath, false);
        if (base.exitCode != 0 || query.exitCode != 0)
            return -1;
        empty.push_back(base.seconds);
        queried.push_back(query.seconds);
        if (query.seconds > kLongQuery)
            break;
    }
    const double seconds = median(queried) - median(empty);
    return seconds > 0 ? seconds : 0;
}

} // namespace zelt::bench
