#pragma once

#include "storage/locale_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the fuzz checks share: the locales they run in and the account of the first check that
// failed. The same checks run under libFuzzer (a failure aborts, so the input is kept as a crash)
// and in the corpus replay test (a failure fails the test).
namespace zelt::fuzz {

// The three locales every check runs in: the C locale, day.month.year with decimal comma and
// month/day/year with AM/PM.
inline const std::array<LocaleRules, 3>& testLocales() {
    static const std::array<LocaleRules, 3> locales = {
        LocaleRules::c(), LocaleRules::dayMonthYearComma(), LocaleRules::monthDayYearAmPm()};
    return locales;
}
inline const char* localeName(std::size_t index) {
    static constexpr const char* kNames[] = {"c", "dmy", "mdy"};
    return kNames[index % 3];
}

// A text with every byte outside printable ASCII written as \xHH, for messages.
inline std::string printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        }
    }
    return out;
}

// The first failed check of one input; empty while every check holds.
class Findings {
public:
    // Keeps what failed when ok is false (only the first failure); returns ok.
    bool expect(bool ok, std::string_view what, std::string_view subject = {}) {
        if (!ok && first_.empty()) {
            first_ = what;
            if (!subject.empty() || what.empty())
                first_ += " [" + printable(subject) + "]";
            if (!where_.empty())
                first_ += " (" + where_ + ")";
        }
        return ok;
    }
    // Names the case under check (a locale, a record kind) for the messages that follow.
    void at(std::string where) { where_ = std::move(where); }

    bool failed() const { return !first_.empty(); }
    const std::string& first() const { return first_; }

private:
    std::string first_;
    std::string where_;
};

// In a fuzzer: a failed check ends the run the way a crash does, so libFuzzer keeps the input.
inline void abortOnFinding(const Findings& findings) {
    if (!findings.failed())
        return;
    std::fprintf(stderr, "check failed: %s\n", findings.first().c_str());
    std::abort();
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace zelt::fuzz
