#include "core_workloads.h"

#include "workload_parameters.h"

#include "data_generator.h"

#include "export/calculation_files.h"
#include "export/text_export.h"
#include "search/member_search.h"
#include "search/sale_search.h"
#include "storage/app_context.h"
#include "storage/app_paths.h"
#include "storage/locale_rules.h"
#include "storage/member_count.h"
#include "storage/member_record.h"
#include "storage/record_file.h"
#include "storage/sale_record.h"

#include <initializer_list>

namespace zelt::bench {

namespace {

std::uint64_t fileBytes(const std::string& path) {
    auto file = fs::open(path, fs::OpenMode::ReadOnly);
    if (!file)
        return 0;
    auto length = fs::length(*file);
    return length ? *length : 0;
}

std::int64_t recordsIn(const std::string& appDir, const char* name, int length) {
    auto file = RecordFile::openForReading(filePath(appDir, Folder::Data, name), length);
    if (!file)
        return 0;
    auto count = file->count();
    return count ? *count : 0;
}

// Every workload works in the C locale's forms (yyyy-MM-dd, decimal point), as sqlite writes.
AppContext programFolder(const std::string& appDir) {
    return {appDir, LocaleRules::c()};
}

std::unique_ptr<Workload> saleSearch(const std::string& appDir, std::string& unavailable) {
    auto file = RecordFile::openForReading(filePath(appDir, Folder::Data, "sales.kvr"),
                                           SaleRecord::kLength);
    auto members = countMembers(appDir);
    if (!file || !members) {
        unavailable = "no sales or members file";
        return nullptr;
    }
    struct State {
        RecordFile file;
        std::int32_t count = 0;
        std::string member;
        std::int64_t listed = 0;
    };
    auto state = std::make_shared<State>();
    state->file = std::move(*file);
    state->count = state->file.count().ok() ? *state->file.count() : 0;
    state->member = std::to_string(searchedMember(*members));
    auto workload = std::make_unique<Workload>();
    workload->run = [state]() -> Status {
        // The editor holds its file open and knows its record count, as here.
        auto outcome = searchSales(state->file, state->count, "", state->member,
                                   SaleGridKind::Sales, LocaleRules::c());
        if (outcome.kind != SaleSearchOutcome::Kind::Listed)
            return FsError{"search", state->file.path(), "the sale search listed nothing"};
        state->listed = outcome.table->rowCount();
        return {};
    };
    workload->records = [state] { return std::int64_t{state->count}; };
    return workload;
}

std::unique_ptr<Workload> memberSearch(const std::string& appDir, const std::string& name,
                                       std::string& unavailable) {
    auto file = RecordFile::openForReading(filePath(appDir, Folder::Data, MemberRecord::kFileName),
                                           MemberRecord::kLength);
    if (!file) {
        unavailable = "no members file";
        return nullptr;
    }
    struct State {
        RecordFile file;
        std::int32_t count = 0;
        std::string name;
        std::int64_t listed = 0;
    };
    auto state = std::make_shared<State>();
    state->file = std::move(*file);
    state->count = state->file.count().ok() ? *state->file.count() : 0;
    state->name = name;
    auto workload = std::make_unique<Workload>();
    workload->run = [state]() -> Status {
        MemberFilters filters;
        filters.name = state->name;
        auto outcome = searchMembers(state->file, state->count, filters, LocaleRules::c());
        if (outcome.kind != MemberSearchOutcome::Kind::Listed)
            return FsError{"search", state->file.path(), "the member search listed nothing"};
        state->listed = outcome.table->rowCount();
        return {};
    };
    workload->records = [state] { return std::int64_t{state->count}; };
    return workload;
}

std::unique_ptr<Workload> calculationFiles(const std::string& appDir, std::string&) {
    auto workload = std::make_unique<Workload>();
    workload->run = [app = programFolder(appDir)] { return createFilesForCalculations(app); };
    workload->outputBytes = [appDir] {
        std::uint64_t bytes = 0;
        for (const char* name : {"members.clc", "sales.clc", "payments.clc", "settings.clc"})
            bytes += fileBytes(filePath(appDir, Folder::Output, name));
        return bytes;
    };
    workload->records = [appDir] {
        return recordsIn(appDir, MemberRecord::kFileName, MemberRecord::kLength) +
               recordsIn(appDir, "sales.kvr", SaleRecord::kLength) +
               recordsIn(appDir, "payments.kvr", SaleRecord::kLength);
    };
    return workload;
}

// "Save all records as txt" of one editor.
std::unique_ptr<Workload> saveAllRecords(const std::string& appDir, RecordKind kind,
                                         const char* dataFile, int length, const char* output) {
    const auto count = static_cast<std::int32_t>(recordsIn(appDir, dataFile, length));
    auto workload = std::make_unique<Workload>();
    workload->run = [app = programFolder(appDir), kind, count] {
        return saveRecords(app, kind, 1, count);
    };
    workload->outputBytes = [appDir, output] {
        return fileBytes(filePath(appDir, Folder::Output, output));
    };
    workload->records = [count] { return std::int64_t{count}; };
    return workload;
}

} // namespace

std::vector<WorkloadMaker> coreWorkloads() {
    return {
        {"member-search-name",
         [](const std::string& appDir, std::string& unavailable) {
             return memberSearch(appDir, searchedName(), unavailable);
         }},
        // The search alone that fills the grid on the same-name folder, without any window.
        {"member-search-all",
         [](const std::string& appDir, std::string& unavailable) {
             return memberSearch(appDir, kSameName, unavailable);
         }},
        {"sale-search", saleSearch},
        {"calculation-files", calculationFiles},
        {"export-sales",
         [](const std::string& appDir, std::string&) {
             return saveAllRecords(appDir, RecordKind::Sales, "sales.kvr", SaleRecord::kLength,
                                   "Sales.txt");
         }},
        {"export-members",
         [](const std::string& appDir, std::string&) {
             return saveAllRecords(appDir, RecordKind::Members, MemberRecord::kFileName,
                                   MemberRecord::kLength, "affiliates.txt");
         }},
    };
}

} // namespace zelt::bench
