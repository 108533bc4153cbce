#include "report_table.h"

#include <algorithm>
#include <cstdio>

namespace zelt::bench {

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string duration(double seconds) {
    if (seconds < 0)
        return "-";
    if (seconds < 0.001)
        return format("%.0f us", seconds * 1e6);
    if (seconds < 1)
        return format("%.1f ms", seconds * 1e3);
    return format("%.2f s", seconds);
}

std::string ratio(double numerator, double denominator) {
    if (numerator < 0 || denominator <= 0)
        return "-";
    return format("%.2f", numerator / denominator);
}

std::string count(std::int64_t value) {
    if (value < 0)
        return "-";
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), "'");
    return digits;
}

// Memory the timed work added to what the workload had set up (the window rows: to the editor
// alone).
std::string addedMB(const Measurement& m) {
    if (m.peakKiB <= 0 || m.baseKiB <= 0)
        return "-";
    return format("%.0f", static_cast<double>(std::max(0L, m.peakKiB - m.baseKiB)) / 1024.0);
}

std::vector<std::string> cells(const Measurement& m) {
    if (!m.unavailable.empty())
        return {m.title, count(m.members), "-", "n/a", "-", "-", "-", "-", "-", "-", "-"};
    return {m.title,
            count(m.members),
            count(m.records),
            duration(m.seconds),
            duration(m.floorSeconds),
            ratio(m.seconds, m.floorSeconds),
            duration(m.sqliteSeconds),
            ratio(m.sqliteSeconds, m.seconds),
            m.peakKiB > 0 ? format("%.0f", static_cast<double>(m.peakKiB) / 1024.0) : "-",
            addedMB(m),
            m.growth < 0 ? "-" : format("%.1f", m.growth)};
}

} // namespace

std::string progressLine(const Measurement& m) {
    std::string line;
    for (const auto& cell : cells(m))
        line += cell + " | ";
    if (!m.unavailable.empty())
        line += m.unavailable;
    return line;
}

std::string markdownTable(const std::vector<Measurement>& rows) {
    const std::vector<std::string> headings = {
        "Workload", "Members",        "Records", "Median",   "Floor",     "x floor",
        "sqlite3",  "sqlite3 / ours", "Peak MB", "Added MB", "Growth x10"};
    std::vector<std::vector<std::string>> table{headings};
    for (const auto& row : rows)
        table.push_back(cells(row));
    std::vector<std::size_t> widths(headings.size(), 0);
    for (const auto& line : table)
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    std::string text;
    for (std::size_t r = 0; r < table.size(); ++r) {
        text += "|";
        for (std::size_t i = 0; i < table[r].size(); ++i) {
            const std::string& cell = table[r][i];
            const std::string pad(widths[i] - cell.size(), ' ');
            text += " " + (i == 0 ? cell + pad : pad + cell) + " |";
        }
        text += "\n";
        if (r == 0) {
            text += "|";
            for (std::size_t i = 0; i < widths.size(); ++i)
                text += (i == 0 ? " :" : " ") + std::string(widths[i] - 1, '-') +
                        (i == 0 ? "" : ":") + " |";
            text += "\n";
        }
    }
    return text;
}

} // namespace zelt::bench
