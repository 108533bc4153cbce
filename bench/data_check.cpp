#include "data_check.h"

#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace zelt::bench {

namespace {

class Problems {
public:
    void add(const std::string& what) {
        if (list_.size() < 20)
            list_.push_back(what);
        else if (list_.size() == 20)
            list_.push_back("... and more");
    }
    std::vector<std::string> take() { return std::move(list_); }

private:
    std::vector<std::string> list_;
};

bool dateInRange(double serial) {
    return serial >= serialFromDate(kFirstYear, 1, 1) &&
           serial < serialFromDate(kLastYear + 1, 1, 1) + 31;
}

// Opens one data file, checks its record count and visits every record.
void scanFile(const GeneratorOptions& options, std::string_view name, int length,
              std::int64_t expected, Problems& problems, const RecordFile::Visitor& visit) {
    const std::string path = filePath(options.dir, Folder::Data, name);
    auto file = RecordFile::openForReading(path, length);
    if (!file) {
        problems.add(file.error().message());
        return;
    }
    auto count = file->count();
    if (!count || *count != expected) {
        problems.add(std::string(name) + ": expected " + std::to_string(expected) + " records");
        return;
    }
    if (Status done = file->scan(1, *count, visit); !done)
        problems.add(done.error().message());
}

void checkMembers(const GeneratorOptions& options, Problems& problems) {
    std::vector<std::int32_t> levels(static_cast<std::size_t>(options.members) + 1, 0);
    std::int64_t unreferred = 0;
    scanFile(options, MemberRecord::kFileName, MemberRecord::kLength, options.members, problems,
             [&](std::int32_t n, const std::uint8_t* bytes) {
                 const MemberRecord m = MemberRecord::decode(bytes);
                 const std::string at = "member " + std::to_string(n) + ": ";
                 if (m.AffiliateID != n)
                     problems.add(at + "AffiliateID differs from the record number");
                 if (m.Ref_ID < 0 || m.Ref_ID >= n)
                     problems.add(at + "referrer is not an earlier member");
                 else if (m.Ref_ID == 0 ? m.Level != 1
                                        : m.Level != levels[static_cast<std::size_t>(m.Ref_ID)] + 1)
                     problems.add(at + "level does not follow the referrer");
                 if (m.Ref_ID == 0)
                     ++unreferred;
                 levels[static_cast<std::size_t>(n)] = m.Level;
                 if (m.AP_ID < 1 || m.AP_ID > options.schemes)
                     problems.add(at + "scheme number outside the schemes");
                 if (m.Egold_ID < 0)
                     problems.add(at + "negative Egold account");
                 if (!dateInRange(m.Date))
                     problems.add(at + "date outside the years");
                 if (options.sameName && m.Name.rfind(kSameName, 0) != 0)
                     problems.add(at + "name differs in the same-name mode");
                 return true;
             });
    // About 1% without a referrer: accept a wide band, as small sets vary.
    if (options.members >= 1000) {
        const double share = static_cast<double>(unreferred) / options.members;
        if (share < 0.005 || share > 0.02)
            problems.add("share of members without a referrer is " + std::to_string(share));
    }
}

void checkSales(const GeneratorOptions& options, std::string_view name, std::int64_t count,
                Problems& problems) {
    scanFile(options, name, SaleRecord::kLength, count, problems,
             [&](std::int32_t n, const std::uint8_t* bytes) {
                 const SaleRecord s = SaleRecord::decode(bytes);
                 const std::string at = std::string(name) + " record " + std::to_string(n) + ": ";
                 if (s.MemberID < 1 || s.MemberID > options.members)
                     problems.add(at + "member does not exist");
                 const double cents = static_cast<double>(s.Sum) * 100.0;
                 if (s.Sum < 0 ||
                     std::fabs(cents - std::round(cents)) > 0.01 * std::max(1.0, cents / 1e5))
                     problems.add(at + "sum is not in whole cents");
                 if (!dateInRange(s.Date))
                     problems.add(at + "date outside the years");
                 return true;
             });
}

void checkCommunications(const GeneratorOptions& options, Problems& problems) {
    scanFile(options, CommunicationRecord::kFileName, CommunicationRecord::kLength,
             options.communicationCount(), problems,
             [&](std::int32_t n, const std::uint8_t* bytes) {
                 const CommunicationRecord c = CommunicationRecord::decode(bytes);
                 const std::string at = "communication " + std::to_string(n) + ": ";
                 if (c.MemberID < 1 || c.MemberID > options.members)
                     problems.add(at + "member does not exist");
                 if (c.Date_R < c.Date)
                     problems.add(at + "response before the message");
                 return true;
             });
}

void checkSchemes(const GeneratorOptions& options, Problems& problems) {
    scanFile(options, SchemeRecord::kFileName, SchemeRecord::kLength, options.schemes, problems,
             [&](std::int32_t n, const std::uint8_t* bytes) {
                 const SchemeRecord s = SchemeRecord::decode(bytes);
                 if (s.Scheme != n || s.Level[0] == 0.0f)
                     problems.add("scheme " + std::to_string(n) + ": number or Level1 wrong");
                 return true;
             });
}

} // namespace

std::vector<std::string> checkAppFolder(const GeneratorOptions& options) {
    Problems problems;
    checkMembers(options, problems);
    checkSales(options, "sales.kvr", options.saleCount(), problems);
    checkSales(options, "payments.kvr", options.paymentCount(), problems);
    checkCommunications(options, problems);
    checkSchemes(options, problems);
    if (options.sideFiles && options.members > 0) {
        const std::string last =
            filePath(options.dir, Folder::Addinfo, std::to_string(options.members) + ".txt");
        auto exists = fs::isFile(last);
        if (!exists || !*exists)
            problems.add("the additional info of the last member is missing");
    }
    return problems.take();
}

} // namespace zelt::bench
