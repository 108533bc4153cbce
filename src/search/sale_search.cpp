#include "search/sale_search.h"

#include "storage/date_text.h"
#include "storage/number_text.h"
#include "storage/sale_record.h"
#include "storage/typed_text.h"

#include <optional>

namespace zelt {

namespace {

SaleSearchOutcome outcome(SaleSearchOutcome::Kind kind) {
    SaleSearchOutcome result;
    result.kind = kind;
    return result;
}

} // namespace

SaleSearchOutcome searchSales(RecordFile& file, std::int32_t recordCount,
                              std::string_view dateFilter, std::string_view memberFilter,
                              SaleGridKind kind, const LocaleRules& rules) {
    using Kind = SaleSearchOutcome::Kind;
    // Only two empty fields leave the grid alone; blanks alone are a search without conditions.
    if (dateFilter.empty() && memberFilter.empty())
        return outcome(Kind::NothingToDo);
    const std::string_view dateText = trimBlanks(dateFilter);
    const std::string_view memberText = trimBlanks(memberFilter);

    std::optional<double> date;
    if (!dateText.empty()) {
        date = parseDate(dateText, rules);
        if (!date)
            return outcome(Kind::IncorrectDate);
    }
    std::optional<std::int32_t> member;
    if (!memberText.empty()) {
        member = parseInt32(memberText, rules);
        if (!member)
            return outcome(Kind::IncorrectMember);
    }

    auto table = std::make_unique<SaleResultTable>(kind, rules);
    if (recordCount > 0) {
        const Status scanned =
            file.scan(1, recordCount, [&](std::int32_t n, const std::uint8_t* bytes) {
                const SaleRecord record = SaleRecord::decode(bytes);
                if (date && record.Date != *date)
                    return true;
                if (member && record.MemberID != *member)
                    return true;
                table->append(n);
                return true;
            });
        const Status opened = scanned && table->rowCount() > 0 ? table->readFrom(file) : scanned;
        if (!opened) {
            SaleSearchOutcome failed = outcome(Kind::FileError);
            failed.error = opened.error();
            return failed;
        }
    }
    table->sortByColumn(SaleResultTable::Date);

    SaleSearchOutcome listed = outcome(Kind::Listed);
    listed.table = std::move(table);
    return listed;
}

} // namespace zelt
