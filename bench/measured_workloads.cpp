#include "measured_workloads.h"

#include "data_generator.h"
#include "sqlite_baseline.h"
#include "workload_parameters.h"

#include "storage/app_paths.h"

namespace zelt::bench {

namespace {

MeasuredWorkload makeLine(const std::string& title, const std::string& name, bool gui = false,
                          bool sameName = false) {
    MeasuredWorkload line;
    line.title = title;
    line.name = name;
    line.gui = gui;
    line.sameName = sameName;
    return line;
}

std::vector<std::string> dataFiles(const std::string& appDir,
                                   std::initializer_list<const char*> names) {
    std::vector<std::string> files;
    for (const char* name : names)
        files.push_back(filePath(appDir, Folder::Data, name));
    return files;
}

auto readsData(std::initializer_list<const char*> names) {
    std::vector<const char*> list(names);
    return [list](const std::string& appDir, std::int32_t) {
        std::vector<std::string> files;
        for (const char* name : list)
            files.push_back(filePath(appDir, Folder::Data, name));
        return files;
    };
}

// The 15 grid columns of the member search, as texts.
std::string memberGridColumns() {
    return "id, rtrim(name), rtrim(surname), rtrim(street), rtrim(city), rtrim(post_cod), "
           "rtrim(country), rtrim(phone), rtrim(e_mail), rtrim(url), level, ref_id, egold_id, " +
           sqlDateText("date") + ", ap_id";
}

std::string nameSearch(const char* table, const std::string& name) {
    return "SELECT " + memberGridColumns() + " FROM " + table + " WHERE lower(trim(name)) = '" +
           name + "';\n";
}

std::string lowerName(std::string name) {
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return name;
}

// Sorting the listed rows: the query with the order, less the same query without it.
MeasuredWorkload gridSort(const std::string& title, const std::string& name,
                          const std::string& order) {
    const std::string select =
        "SELECT id FROM members_same WHERE lower(trim(name)) = '" + lowerName(kSameName) + "'";
    MeasuredWorkload line = makeLine(title, name, true, true);
    line.sql = [select, order](std::int32_t, const std::string&) {
        return select + " ORDER BY " + order + ";\n";
    };
    line.sqlBaseline = [select](std::int32_t) { return select + ";\n"; };
    return line;
}

MeasuredWorkload openEditor(const std::string& title, const std::string& name) {
    return makeLine(title, name, true);
}

constexpr const char* kLines = ".headers on\n.mode list\n";

} // namespace

std::vector<MeasuredWorkload> measuredWorkloads() {
    std::vector<MeasuredWorkload> lines;

    MeasuredWorkload nameFilter =
        makeLine("Member search, name filter (~0.1%)", "member-search-name");
    nameFilter.floorFiles = readsData({"affiliates.kvr"});
    nameFilter.sql = [](std::int32_t, const std::string&) {
        return nameSearch("members", lowerName(searchedName()));
    };
    lines.push_back(nameFilter);

    MeasuredWorkload listAll =
        makeLine("Member search listing all into the grid", "grid-list-all", true, true);
    listAll.floorFiles = readsData({"affiliates.kvr"});
    listAll.sql = [](std::int32_t, const std::string&) {
        return nameSearch("members_same", lowerName(kSameName));
    };
    lines.push_back(listAll);

    // The same search without the window: what of the listing is the search's own.
    MeasuredWorkload searchAll =
        makeLine("Member search listing all, no window", "member-search-all", false, true);
    searchAll.floorFiles = readsData({"affiliates.kvr"});
    lines.push_back(searchAll);

    lines.push_back(gridSort("Sort that grid by Surname", "grid-sort-surname",
                             "lower(rtrim(surname)), surname"));
    lines.push_back(gridSort("Sort that grid by Level", "grid-sort-level", "level"));
    lines.push_back(gridSort("Sort that grid by Date", "grid-sort-date", "date"));

    MeasuredWorkload saleSearch = makeLine("Sale search by member", "sale-search");
    saleSearch.floorFiles = readsData({"sales.kvr"});
    saleSearch.sql = [](std::int32_t members, const std::string&) {
        return "SELECT id, " + sqlDateText("date") +
               ", member_id, sum FROM sales WHERE member_id = " +
               std::to_string(searchedMember(members)) + " ORDER BY date, id;\n";
    };
    lines.push_back(saleSearch);

    MeasuredWorkload calculation = makeLine("Files for calculations", "calculation-files");
    calculation.floorFiles =
        readsData({"affiliates.kvr", "sales.kvr", "payments.kvr", "apsettings.kvr"});
    calculation.sql = [](std::int32_t, const std::string& out) {
        const std::string sale = "SELECT member_id AS \"Member's ID\", sum AS \"Sum\", " +
                                 sqlDateText("date") + " AS \"Date\" FROM ";
        std::string levels;
        for (int level = 1; level <= 8; ++level)
            levels +=
                "level" + std::to_string(level) + " AS \"Level " + std::to_string(level) + "\", ";
        return std::string(kLines) + ".separator \"\\t\" \"\\r\\n\"\n" + ".output " + out +
               "/members.clc\n" +
               "SELECT id AS \"Member's ID\", ref_id AS \"Refference ID\", ap_id AS \"Payment "
               "Sheme ID\", " +
               sqlDateText("date") + " AS \"Date\" FROM members;\n" + ".output " + out +
               "/sales.clc\n" + sale + "sales;\n" + ".output " + out + "/payments.clc\n" + sale +
               "payments;\n" + ".output " + out + "/settings.clc\n" +
               "SELECT scheme AS \"Scheme\", " + levels +
               "type AS \"Payment\", minpayment AS "
               "\"MinPaym\", periodicity AS \"Period\", unit AS \"Unit\" FROM schemes;\n";
    };
    lines.push_back(calculation);

    MeasuredWorkload exportSales = makeLine("Save all records as txt: sales", "export-sales");
    exportSales.floorFiles = readsData({"sales.kvr"});
    exportSales.sql = [](std::int32_t, const std::string& out) {
        return std::string(kLines) + ".separator \";\" \"\\r\\n\"\n.output " + out +
               "/Sales.txt\nSELECT member_id AS \"Member's ID\", sum AS \"Sum\", " +
               sqlDateText("date") + " AS \"Date\" FROM sales;\n";
    };
    lines.push_back(exportSales);

    MeasuredWorkload exportMembers =
        makeLine("Save all records as txt: members with info", "export-members");
    exportMembers.largestSize = 100000;
    exportMembers.floorFiles = [](const std::string& appDir, std::int32_t members) {
        auto files = dataFiles(appDir, {"affiliates.kvr"});
        for (std::int32_t n = 1; n <= members; ++n)
            files.push_back(filePath(appDir, Folder::Addinfo, std::to_string(n) + ".txt"));
        return files;
    };
    exportMembers.sql = [](std::int32_t, const std::string& out) {
        return std::string(kLines) + ".separator \";\" \"\\r\\n\"\n.output " + out +
               "/affiliates.txt\nSELECT name AS \"Name\", surname AS \"Surname\", street AS "
               "\"Street\", city AS \"City\", post_cod AS \"Post Cod\", country AS \"Country\", "
               "phone AS \"Phone\", e_mail AS \"E_mail\", url AS \"URL\", id AS \"Member's ID\", "
               "ref_id AS \"Refference's ID\", egold_id AS \"Egold's ID\", level AS \"Level\", "
               "ap_id AS \"Payment Scheme\", " +
               sqlDateText("date") +
               " AS \"Date\", addinfo AS "
               "\"Additional Info\" FROM members;\n";
    };
    lines.push_back(exportMembers);

    lines.push_back(openEditor("Open the member editor", "open-editor-members"));
    lines.push_back(openEditor("Open the sale editor", "open-editor-sales"));
    lines.push_back(openEditor("Open the payment editor", "open-editor-payments"));
    lines.push_back(openEditor("Open the communication editor", "open-editor-communications"));
    lines.push_back(openEditor("Open the scheme editor", "open-editor-schemes"));

    MeasuredWorkload save = makeLine("Save a new member with a referrer", "save-member", true);
    save.sql = [](std::int32_t members, const std::string&) {
        return "INSERT INTO members(name, surname, street, city, post_cod, country, phone, "
               "e_mail, url, ref_id, egold_id, ap_id, level, date, addinfo) SELECT 'Bench', "
               "'Saver', 'Main Street 1', 'Leeds', '12345', 'United Kingdom', '+44 1', "
               "'bench@example.com', 'www.example.com', id, 0, 1, level + 1, 45000, '' "
               "FROM members WHERE id = " +
               std::to_string(savedReferrer(members)) + ";\n";
    };
    lines.push_back(save);
    lines.push_back(openEditor("Open the referral tree of the largest downline", "open-tree"));
    return lines;
}

} // namespace zelt::bench
