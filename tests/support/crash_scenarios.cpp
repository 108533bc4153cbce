#include "support/crash_scenarios.h"

#include "export/calculation_files.h"
#include "export/text_export.h"
#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "storage/side_text.h"
#include "storage/whole_file_writer.h"
#include "support/test_app.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

namespace zelt::test {

namespace {

constexpr double kDay = 37211; // 16 November 2001

struct SideFile {
    Folder folder;
    std::string name;
};

void writePlain(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

RecordBytes memberRecord(int n, int generation) {
    MemberRecord m;
    m.Name = numbered("Name", n + generation * 100);
    m.Surname = numbered("Surname", n);
    m.Street = "Main street";
    m.City = "Springfield";
    m.Post_Cod = "12345";
    m.Country = "Utopia";
    m.Phone = "555 0100";
    m.E_mail = numbered("member", n) + "@example.com";
    m.URL = "http://example.com";
    m.AffiliateID = n;
    m.Ref_ID = n - 1;
    m.Egold_ID = 100000 + n + generation;
    m.AP_ID = 1;
    m.Level = 1;
    m.Date = kDay + n;
    return m.encode();
}

RecordBytes saleRecord(int n, int generation) {
    return SaleRecord{n, 10.5f * static_cast<float>(n) + static_cast<float>(generation),
                      kDay + n + 0.5 * generation}
        .encode();
}

RecordBytes communicationRecord(int n, int generation) {
    CommunicationRecord c;
    c.MemberID = n;
    c.Subject = numbered("Subject ", n + generation * 100);
    c.Date = kDay + n;
    c.Date_R = kDay + n + 1 + generation;
    return c.encode();
}

RecordBytes schemeRecord(int n, int generation) {
    SchemeRecord s;
    s.Type_of_payment = generation % 2 == 0 ? "Percents" : "Fixed";
    s.MinPayment = 5.5f + static_cast<float>(generation);
    s.Periodicity = 30;
    s.Unit = "USD";
    s.Scheme = static_cast<std::int16_t>(n);
    for (std::size_t i = 0; i < s.Level.size(); ++i)
        s.Level[i] = static_cast<float>(10 - static_cast<int>(i)) + static_cast<float>(generation);
    return s.encode();
}

std::string sideText(const std::string& name, int generation) {
    return "Text of " + name + (generation ? ", saved again" : "") + "\r\nsecond line\r\n";
}

void writeRecords(const std::string& path, int count, RecordBytes (*make)(int, int)) {
    std::string bytes;
    for (int n = 1; n <= count; ++n) {
        const RecordBytes record = make(n, 0);
        bytes.append(record.begin(), record.end());
    }
    writePlain(path, bytes);
}

// The side files of record n of each kind.
std::vector<SideFile> memberSides(int n) {
    return {{Folder::Addinfo, numbered("", n) + ".txt"}};
}
std::vector<SideFile> saleSides(int n) {
    return {{Folder::Addinfo, numbered("s", n) + ".txt"}};
}
std::vector<SideFile> paymentSides(int n) {
    return {{Folder::Addinfo, numbered("p", n) + ".txt"}};
}
std::vector<SideFile> communicationSides(int n) {
    return {{Folder::Comm, numbered("", n) + ".txt"},
            {Folder::Comm, numbered("r", n) + ".txt"},
            {Folder::Comm, numbered("c", n) + ".txt"}};
}

// An editor's save: the record at its number, then its side texts.
std::function<bool()> saveAction(std::string dataFile, int length, int n, RecordBytes record,
                                 std::vector<SideFile> sides) {
    return [=] {
        auto data = RecordFile::open(filePath(testApp().dir, Folder::Data, dataFile), length);
        if (!data || !data->write(n, record))
            return false;
        for (const SideFile& side : sides)
            if (!writeSideText(filePath(testApp().dir, side.folder, side.name),
                               sideText(side.name, 1)))
                return false;
        return true;
    };
}

std::function<bool()> exportAction(RecordKind kind, int first, int last) {
    return [=] { return saveRecords(testApp(), kind, first, last).ok(); };
}

// An editor's closing: the copy of its data file into the backup folder.
std::function<bool()> backupAction(std::string dataFile) {
    return [=] {
        return ensureFolder(testApp().dir, Folder::Backcopies).ok() &&
               copyFileReplacing(filePath(testApp().dir, Folder::Data, dataFile),
                                 filePath(testApp().dir, Folder::Backcopies, dataFile))
                   .ok();
    };
}

struct Kind {
    const char* label;
    const char* dataFile;
    int length;
    RecordKind exportKind;
    RecordBytes (*make)(int, int);
    std::vector<SideFile> (*sides)(int);
    int CrashSizes::*count;
};

const Kind kKinds[] = {
    {"member", MemberRecord::kFileName, MemberRecord::kLength, RecordKind::Members, memberRecord,
     memberSides, &CrashSizes::members},
    {"sale", "sales.kvr", SaleRecord::kLength, RecordKind::Sales, saleRecord, saleSides,
     &CrashSizes::sales},
    {"payment", "payments.kvr", SaleRecord::kLength, RecordKind::Payments, saleRecord, paymentSides,
     &CrashSizes::payments},
    {"communication", CommunicationRecord::kFileName, CommunicationRecord::kLength,
     RecordKind::Communications, communicationRecord, communicationSides,
     &CrashSizes::communications},
    {"scheme", SchemeRecord::kFileName, SchemeRecord::kLength, RecordKind::Schemes, schemeRecord,
     [](int) { return std::vector<SideFile>{}; }, &CrashSizes::schemes},
};

void addEveryAction(std::vector<CrashScenario>& all, const std::string& label,
                    const CrashSizes& sizes, bool outputsExist) {
    auto add = [&](const std::string& what, std::function<bool()> action) {
        all.push_back({label + ": " + what, sizes, outputsExist, std::move(action)});
    };
    for (const Kind& kind : kKinds) {
        const int count = sizes.*kind.count;
        const std::string name = kind.label;
        if (count >= 1) {
            const int middle = (count + 1) / 2;
            add("save " + name + " " + std::to_string(middle),
                saveAction(kind.dataFile, kind.length, middle, kind.make(middle, 1),
                           kind.sides(middle)));
            add("export " + name + " " + std::to_string(count),
                exportAction(kind.exportKind, count, count));
            add("back up " + name + "s", backupAction(kind.dataFile));
        }
        // An editor creates its data file when it opens, so a save always finds one.
        if (count >= 0)
            add("save new " + name, saveAction(kind.dataFile, kind.length, count + 1,
                                               kind.make(count + 1, 1), kind.sides(count + 1)));
        add("export all " + name + "s", exportAction(kind.exportKind, 1, std::max(count, 0)));
    }
    if (outputsExist)
        add("export with no record", exportAction(RecordKind::Communications, 0, 0));
    add("files for calculations", [] { return createFilesForCalculations(testApp()).ok(); });
}

} // namespace

void buildCrashFolder(const std::string& root, const CrashSizes& sizes, bool outputsExist) {
    namespace stdfs = std::filesystem;
    for (Folder folder : {Folder::Data, Folder::Addinfo, Folder::Comm})
        stdfs::create_directories(folderPath(root, folder));
    for (const Kind& kind : kKinds) {
        const int count = sizes.*kind.count;
        if (count < 0)
            continue;
        writeRecords(filePath(root, Folder::Data, kind.dataFile), count, kind.make);
        // Side texts for the first records only: the large files serve the reads and writes of
        // whole data and output files.
        for (int n = 1; n <= std::min(count, 50); ++n)
            for (const SideFile& side : kind.sides(n))
                writePlain(filePath(root, side.folder, side.name), sideText(side.name, 0));
    }
    if (!outputsExist)
        return;
    stdfs::create_directories(folderPath(root, Folder::Output));
    stdfs::create_directories(folderPath(root, Folder::Backcopies));
    for (const char* name :
         {"affiliates.txt", "Sales.txt", "Payments.txt", "communications.txt", "APsettings.txt",
          "members.clc", "sales.clc", "payments.clc", "settings.clc"})
        writePlain(filePath(root, Folder::Output, name), std::string("An earlier ") + name);
    for (const Kind& kind : kKinds)
        writePlain(filePath(root, Folder::Backcopies, kind.dataFile),
                   std::string("An earlier copy of ") + kind.dataFile);
}

const std::vector<CrashScenario>& crashScenarios() {
    static const std::vector<CrashScenario> all = [] {
        std::vector<CrashScenario> list;
        addEveryAction(list, "no data files", {}, false);
        addEveryAction(list, "empty data files", {0, 0, 0, 0, 0}, false);
        addEveryAction(list, "1 record", {1, 1, 1, 1, 1}, false);
        addEveryAction(list, "4 records", {4, 4, 4, 4, 3}, true);
        // Files larger than a write block: several reads and writes per file.
        const CrashSizes large{-1, 70000, -1, -1, -1};
        list.push_back({"70000 sales: export all", large, true,
                        exportAction(RecordKind::Sales, 1, large.sales)});
        list.push_back({"70000 sales: back up", large, true, backupAction("sales.kvr")});
        list.push_back({"70000 sales: files for calculations", large, true,
                        [] { return createFilesForCalculations(testApp()).ok(); }});
        return list;
    }();
    return all;
}

} // namespace zelt::test
