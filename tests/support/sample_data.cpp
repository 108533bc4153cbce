#include "support/sample_data.h"

#include "shell/zelt_module.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"

#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

namespace zelt::test {

namespace {

std::string joined(const std::initializer_list<RecordBytes>& records) {
    std::string bytes;
    for (const RecordBytes& record : records)
        bytes.append(record.begin(), record.end());
    return bytes;
}

MemberRecord member(std::int32_t id, std::int32_t referrer, const char* name) {
    MemberRecord record;
    record.Name = name;
    record.Surname = "Sample";
    record.City = "Bern";
    record.AffiliateID = id;
    record.Ref_ID = referrer;
    record.Egold_ID = 1000 + id;
    record.AP_ID = 1;
    record.Level = referrer == 0 ? 1 : 2;
    record.Date = serialFromDate(2001, 2, id);
    return record;
}

SchemeRecord scheme(std::int16_t number, const char* type) {
    SchemeRecord record;
    record.Type_of_payment = type;
    record.MinPayment = 10;
    record.Periodicity = 30;
    record.Unit = "$";
    record.Scheme = number;
    record.Level = {5, 2.5f, 1, 0, 0, 0, 0, 0};
    return record;
}

SaleRecord sale(std::int32_t member, float sum) {
    SaleRecord record;
    record.MemberID = member;
    record.Sum = sum;
    record.Date = serialFromDate(2001, 3, member);
    return record;
}

CommunicationRecord communication(std::int32_t member, const char* subject) {
    CommunicationRecord record;
    record.MemberID = member;
    record.Subject = subject;
    record.Date = serialFromDate(2001, 4, member);
    record.Date_R = serialFromDate(2001, 5, member);
    return record;
}

template <class Record> std::string encoded(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& record : records) {
        const RecordBytes one = record.encode();
        bytes.append(one.begin(), one.end());
    }
    return bytes;
}

} // namespace

void writeUnderAppDir(const std::string& relative, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(AppDir) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void patchUnderAppDir(const std::string& relative, int offset, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(AppDir) / relative;
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    file << bytes;
}

void writeSampleData() {
    writeUnderAppDir("data/affiliates.kvr",
                     joined({member(1, 0, "Anna").encode(), member(2, 1, "Bruno").encode()}));
    writeUnderAppDir("data/apsettings.kvr",
                     joined({scheme(1, "Percents").encode(), scheme(2, "Fixed").encode()}));
    writeUnderAppDir("data/sales.kvr", joined({sale(1, 10.5f).encode(), sale(2, 20).encode()}));
    writeUnderAppDir("data/payments.kvr", joined({sale(1, 1.5f).encode(), sale(2, 2).encode()}));
    writeUnderAppDir("data/communications.kvr", joined({communication(1, "Question").encode(),
                                                        communication(2, "Complaint").encode()}));
    for (const char* n : {"1", "2"}) {
        const std::string number = n;
        writeUnderAppDir("addinfo/" + number + ".txt", "info of member " + number + "\r\n");
        writeUnderAppDir("addinfo/s" + number + ".txt", "sale details " + number + "\r\n");
        writeUnderAppDir("addinfo/p" + number + ".txt", "payment details " + number + "\r\n");
        writeUnderAppDir("comm/" + number + ".txt", "message " + number + "\r\n");
        writeUnderAppDir("comm/r" + number + ".txt", "response " + number + "\r\n");
        writeUnderAppDir("comm/c" + number + ".txt", "comments " + number + "\r\n");
    }
    for (const char* name :
         {"affiliates.txt", "Sales.txt", "Payments.txt", "communications.txt", "APsettings.txt",
          "members.clc", "sales.clc", "payments.clc", "settings.clc"})
        writeUnderAppDir(std::string("output/") + name, std::string("earlier ") + name + "\r\n");
    for (const char* name :
         {"affiliates.kvr", "sales.kvr", "payments.kvr", "communications.kvr", "apsettings.kvr"})
        writeUnderAppDir(std::string("backcopies/") + name, std::string("earlier backup"));
}

} // namespace zelt::test

namespace zelt::test {

void writeSearchData() {
    std::vector<MemberRecord> members;
    const std::pair<const char*, std::int32_t> named[] = {
        {"Ann", 0}, {"Anne", 1}, {" ANN", 2}, {"ann", 2}};
    for (const auto& [name, referrer] : named) {
        MemberRecord m;
        m.Name = name;
        m.Ref_ID = referrer;
        m.AffiliateID = static_cast<std::int32_t>(members.size() + 1);
        m.Level = m.AffiliateID == 1 ? 10 : m.AffiliateID == 4 ? 3 : 2;
        m.Egold_ID = m.AffiliateID == 4 ? 12 : 0;
        m.AP_ID = 1;
        m.Date = 37211; // 16.11.2001
        members.push_back(m);
    }
    members[0].Surname = "Lee";
    writeUnderAppDir("data/affiliates.kvr", encoded(members));
    writeUnderAppDir("data/apsettings.kvr", std::string(3 * 60, '\0'));
    writeUnderAppDir("addinfo/3.txt", "line a\r\nline b\r\n");
    writeUnderAppDir(
        "data/sales.kvr",
        encoded(std::vector<SaleRecord>{
            {7, 1.5f, 37211}, {8, 2, 37211}, {7, 3, 37266}, {7, 4, 37210}, {9, 5, 37212.5}}));
    writeUnderAppDir("addinfo/s3.txt", "third\r\n");
    std::vector<CommunicationRecord> exchanges;
    const std::tuple<std::int32_t, const char*, double, double> rows[] = {
        {12, "Invoice", 37211, 37215},         {120, "Invoice", 37211, 37215},
        {112, "Unpaid invoice", 37211, 37215}, {12, "INVOICE", 37226, 37215},
        {7, "Invoice March", 37211, 37226},    {12, "Hello", 37211, 37226}};
    for (const auto& [member, subject, date, answered] : rows) {
        exchanges.push_back(communication(member, subject));
        exchanges.back().Date = date;
        exchanges.back().Date_R = answered;
    }
    writeUnderAppDir("data/communications.kvr", encoded(exchanges));
    writeUnderAppDir("comm/4.txt", "fourth\r\n");
}

} // namespace zelt::test
