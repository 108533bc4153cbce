#include "word_lists.h"

#include <array>

namespace zelt::bench::words {

namespace {

template <std::size_t N>
std::string_view pick(SplitMix64& random, const std::array<const char*, N>& list) {
    return list[random.below(N)];
}

constexpr std::array<const char*, 40> kNameHeads = {
    "Ann", "Bel", "Car", "Dor", "Eli", "Fra", "Gus", "Hel", "Ida", "Jon",
    "Kat", "Leo", "Mar", "Nil", "Ole", "Pet", "Qui", "Ros", "Sam", "Tom",
    "Ulf", "Val", "Wil", "Xen", "Yva", "Zoe", "Ben", "Cla", "Dan", "Emm",
    "Fel", "Geo", "Han", "Isa", "Jul", "Kar", "Lin", "Mil", "Nor", "Oli"};
constexpr std::array<const char*, 25> kNameTails = {
    "ani", "bel", "cia", "dor", "eth", "fin", "gar", "hel", "ine", "jon", "kin", "lia", "mon",
    "nie", "ora", "par", "ric", "sie", "tan", "ula", "vin", "wen", "xia", "yla", "zed"};

constexpr std::array<const char*, 50> kSurnameRoots = {
    "Smith",   "Berg",   "Holm",    "Miller", "Lind",   "Stein", "Wood",    "Brook",  "Hill",
    "Field",   "Baker",  "Carter",  "Fisher", "Hunter", "Mason", "Porter",  "Turner", "Walker",
    "Young",   "King",   "Strand",  "Dahl",   "Krug",   "Vogel", "Wolf",    "Fuchs",  "Hahn",
    "Roth",    "Weiss",  "Schwarz", "Moreau", "Petit",  "Leroy", "Garnier", "Rossi",  "Russo",
    "Ferrari", "Costa",  "Novak",   "Kowal",  "Horvat", "Nagy",  "Toth",    "Silva",  "Santos",
    "Lopez",   "Garcia", "Ivanov",  "Popov",  "Jensen"};
constexpr std::array<const char*, 40> kSurnameTails = {
    "",     "son",  "sen",  "man",   "er",    "ley",   "ford", "ton",  "ham",  "well",
    "wick", "dale", "by",   "croft", "ridge", "worth", "berg", "feld", "hoff", "mann",
    "el",   "ini",  "etti", "ov",    "ski",   "ic",    "ez",   "es",   "ard",  "ot",
    "ier",  "eau",  "gren", "qvist", "strom", "lund",  "vik",  "stad", "rup",  "holt"};

constexpr std::array<const char*, 30> kStreets = {
    "Main Street",    "High Street",   "Park Road",     "Church Lane",   "Mill Road",
    "Station Road",   "Victoria Road", "Green Lane",    "Manor Road",    "Kings Road",
    "Queens Road",    "New Street",    "School Lane",   "North Street",  "South Street",
    "West Street",    "East Street",   "Bridge Street", "Market Square", "Elm Avenue",
    "Oak Avenue",     "Birch Way",     "Lake View",     "River Walk",    "Hauptstrasse",
    "Bahnhofstrasse", "Rue de Paris",  "Via Roma",      "Calle Mayor",   "Ringweg"};

constexpr std::array<const char*, 40> kCities = {
    "London",     "Manchester", "Leeds",     "Bristol",  "Dublin",   "Cork",      "Berlin",
    "Hamburg",    "Munich",     "Cologne",   "Vienna",   "Graz",     "Zurich",    "Geneva",
    "Paris",      "Lyon",       "Marseille", "Brussels", "Antwerp",  "Amsterdam", "Rotterdam",
    "Copenhagen", "Oslo",       "Stockholm", "Helsinki", "Tallinn",  "Riga",      "Vilnius",
    "Warsaw",     "Krakow",     "Prague",    "Brno",     "Budapest", "Rome",      "Milan",
    "Madrid",     "Lisbon",     "Athens",    "New York", "Toronto"};

constexpr std::array<const char*, 20> kCountries = {
    "United Kingdom", "Ireland", "Germany", "Austria", "Switzerland", "France",  "Belgium",
    "Netherlands",    "Denmark", "Norway",  "Sweden",  "Finland",     "Estonia", "Poland",
    "Czechia",        "Hungary", "Italy",   "Spain",   "Portugal",    "Canada"};

constexpr std::array<const char*, 20> kSubjects = {"Invoice",
                                                   "Payment missing",
                                                   "Change of address",
                                                   "New Egold account",
                                                   "Question on levels",
                                                   "Referral bonus",
                                                   "Complaint",
                                                   "Thank you",
                                                   "Scheme change",
                                                   "Account closed",
                                                   "Late payment",
                                                   "Welcome",
                                                   "Password",
                                                   "Statement request",
                                                   "Wrong sum",
                                                   "Tax form",
                                                   "Holiday",
                                                   "Newsletter",
                                                   "Contact details",
                                                   "Partnership"};

constexpr std::array<const char*, 12> kSentences = {"Prefers contact by e-mail.",
                                                    "Met at the trade fair.",
                                                    "Pays reliably.",
                                                    "Asked for the monthly statement.",
                                                    "Runs a small web shop.",
                                                    "Call only in the evening.",
                                                    "Moved house last year.",
                                                    "Recommended by a colleague.",
                                                    "Interested in scheme two.",
                                                    "Has two websites.",
                                                    "Speaks English and German.",
                                                    "Wants payments every 30 days."};

} // namespace

std::string firstName(int index) {
    const int head =
        index / static_cast<int>(kNameTails.size()) % static_cast<int>(kNameHeads.size());
    const int tail = index % static_cast<int>(kNameTails.size());
    return std::string(kNameHeads[head]) + kNameTails[tail];
}

std::string surname(SplitMix64& random) {
    return std::string(pick(random, kSurnameRoots)) + std::string(pick(random, kSurnameTails));
}

std::string_view street(SplitMix64& random) {
    return pick(random, kStreets);
}
std::string_view city(SplitMix64& random) {
    return pick(random, kCities);
}
std::string_view country(SplitMix64& random) {
    return pick(random, kCountries);
}
std::string_view subject(SplitMix64& random) {
    return pick(random, kSubjects);
}

std::string freeText(SplitMix64& random) {
    std::string text(pick(random, kSentences));
    const auto more = random.below(3);
    for (std::uint64_t i = 0; i < more; ++i) {
        text += random.perMille(300) ? "\r\n" : " ";
        text += pick(random, kSentences);
    }
    return text;
}

} // namespace zelt::bench::words
