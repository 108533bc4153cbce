#include "storage/record_kind.h"

#include "storage/communication_record.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"

#include <array>

namespace zelt {

namespace {

constexpr std::array kMemberSideTexts{SideTextFile{SideText::AdditionalInfo, Folder::Addinfo, ""}};
constexpr std::array kSaleSideTexts{SideTextFile{SideText::AdditionalInfo, Folder::Addinfo, "s"}};
constexpr std::array kPaymentSideTexts{
    SideTextFile{SideText::AdditionalInfo, Folder::Addinfo, "p"}};
constexpr std::array kCommunicationSideTexts{SideTextFile{SideText::Message, Folder::Comm, ""},
                                             SideTextFile{SideText::Response, Folder::Comm, "r"},
                                             SideTextFile{SideText::Comments, Folder::Comm, "c"}};

constexpr std::string_view kSaleHeader = "Member's ID;Sum;Date\r\n";

// In the order of RecordKind.
constexpr std::array<RecordKindInfo, 5> kKinds{{
    {MemberRecord::kFileName, MemberRecord::kLength, "affiliates.txt",
     "Name;Surname;Street;City;Post Cod;Country;Phone;E_mail;URL;Member's ID;Refference's ID;"
     "Egold's ID;Level;Payment Scheme;Date;Additional Info\r\n",
     kMemberSideTexts},
    {CommunicationRecord::kFileName, CommunicationRecord::kLength, "communications.txt",
     "Member's ID;Subject;Message;Date;Responce;Date of responce;Comments\r\n",
     kCommunicationSideTexts},
    {"sales.kvr", SaleRecord::kLength, "Sales.txt", kSaleHeader, kSaleSideTexts},
    {"payments.kvr", SaleRecord::kLength, "Payments.txt", kSaleHeader, kPaymentSideTexts},
    {SchemeRecord::kFileName,
     SchemeRecord::kLength,
     "APsettings.txt",
     "Level1;Level2;Level3;Level4;Level5;Level6;Level7;Level8;MinPayment;Periodicity;Scheme;"
     "Type_of_payment;Unit;Date\r\n",
     {}},
}};

} // namespace

const RecordKindInfo& recordKindInfo(RecordKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

std::string sideFilePath(const std::string& appDir, RecordKind kind, SideText text,
                         std::int32_t record) {
    for (const SideTextFile& file : recordKindInfo(kind).sideTexts)
        if (file.text == text) {
            std::string name(file.prefix);
            name += formatInt(record);
            name += ".txt";
            return filePath(appDir, file.folder, name);
        }
    return {};
}

} // namespace zelt
