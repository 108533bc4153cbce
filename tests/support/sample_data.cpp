#include "support/sample_data.h"

#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"
#include "support/test_app.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace zelt::test {

namespace {

template <class Record> std::string encoded(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& record : records) {
        const RecordBytes one = record.encode();
        bytes.append(one.begin(), one.end());
    }
    return bytes;
}

MemberRecord member(std::int32_t id, std::int32_t referrer, const char* name, std::int32_t level,
                    double date) {
    MemberRecord record;
    record.Name = name;
    record.AffiliateID = id;
    record.Ref_ID = referrer;
    record.AP_ID = 1;
    record.Level = level;
    record.Date = date;
    return record;
}

SchemeRecord scheme(std::int16_t number, const char* type) {
    return {type, 10, 30, "$", number, {5, 2.5f, 1, 0, 0, 0, 0, 0}};
}

} // namespace

void writeUnderAppDir(const std::string& relative, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(testApp().dir) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void patchUnderAppDir(const std::string& relative, int offset, const std::string& bytes) {
    std::fstream file(std::filesystem::path(testApp().dir) / relative,
                      std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    file << bytes;
}

void writeSampleData() {
    std::vector<MemberRecord> members = {member(1, 0, "Anna", 1, serialFromDate(2001, 2, 1)),
                                         member(2, 1, "Bruno", 2, serialFromDate(2001, 2, 2))};
    for (MemberRecord& m : members) {
        m.Surname = "Sample";
        m.City = "Bern";
        m.Egold_ID = 1000 + m.AffiliateID;
    }
    writeUnderAppDir("data/affiliates.kvr", encoded(members));
    writeUnderAppDir("data/apsettings.kvr",
                     encoded<SchemeRecord>({scheme(1, "Percents"), scheme(2, "Fixed")}));
    const double march1 = serialFromDate(2001, 3, 1), april1 = serialFromDate(2001, 4, 1);
    writeUnderAppDir("data/sales.kvr",
                     encoded<SaleRecord>({{1, 10.5f, march1}, {2, 20, march1 + 1}}));
    writeUnderAppDir("data/payments.kvr",
                     encoded<SaleRecord>({{1, 1.5f, march1}, {2, 2, march1 + 1}}));
    writeUnderAppDir("data/communications.kvr",
                     encoded<CommunicationRecord>({{1, "Question", april1, april1 + 30},
                                                   {2, "Complaint", april1 + 1, april1 + 31}}));
    for (const std::string n : {"1", "2"})
        for (const auto& [file, text] : {std::pair{"addinfo/", "info of member "},
                                         {"addinfo/s", "sale details "},
                                         {"addinfo/p", "payment details "},
                                         {"comm/", "message "},
                                         {"comm/r", "response "},
                                         {"comm/c", "comments "}})
            writeUnderAppDir(file + n + ".txt", text + n + "\r\n");
    for (const std::string name :
         {"affiliates.txt", "Sales.txt", "Payments.txt", "communications.txt", "APsettings.txt",
          "members.clc", "sales.clc", "payments.clc", "settings.clc"})
        writeUnderAppDir("output/" + name, "earlier " + name + "\r\n");
    for (const std::string name :
         {"affiliates.kvr", "sales.kvr", "payments.kvr", "communications.kvr", "apsettings.kvr"})
        writeUnderAppDir("backcopies/" + name, "earlier backup");
}

void writeSearchData() {
    std::vector<MemberRecord> members = {
        member(1, 0, "Ann", 10, 37211), member(2, 1, "Anne", 2, 37211),
        member(3, 2, " ANN", 2, 37211), member(4, 2, "ann", 3, 37211)};
    writeUnderAppDir("data/affiliates.kvr", encoded(members));
    writeUnderAppDir("data/apsettings.kvr", std::string(3 * 60, '\0'));
    writeUnderAppDir("addinfo/3.txt", "line a\r\nline b\r\n");
    writeUnderAppDir(
        "data/sales.kvr",
        encoded<SaleRecord>(
            {{7, 1.5f, 37211}, {8, 2, 37211}, {7, 3, 37266}, {7, 4, 37210}, {9, 5, 37212.5}}));
    writeUnderAppDir("addinfo/s3.txt", "third\r\n");
    writeUnderAppDir("data/communications.kvr",
                     encoded<CommunicationRecord>({{12, "Invoice", 37211, 37215},
                                                   {120, "Invoice", 37211, 37215},
                                                   {112, "Unpaid invoice", 37211, 37215},
                                                   {12, "INVOICE", 37226, 37215},
                                                   {7, "Invoice March", 37211, 37226}}));
    writeUnderAppDir("comm/4.txt", "fourth\r\n");
}

} // namespace zelt::test
