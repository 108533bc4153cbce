#include "data_generator.h"

#include "bench_random.h"
#include "block_writer.h"
#include "word_lists.h"

#include "storage/app_paths.h"
#include "storage/communication_record.h"
#include "storage/date_text.h"
#include "storage/member_record.h"
#include "storage/sale_record.h"
#include "storage/scheme_record.h"

#include <cctype>
#include <vector>

namespace zelt::bench {

namespace {

// Each file draws from its own stream, so that switching the side files on or changing one
// count leaves the other files as they were.
enum Stream : std::uint64_t { Members = 1, Sales, Payments, Communications, SideTexts };

SplitMix64 streamFor(const GeneratorOptions& options, Stream stream) {
    return SplitMix64(options.seed * 0x100000001B3ULL + stream * 0x9E3779B97F4A7C15ULL);
}

double firstDay() {
    return serialFromDate(kFirstYear, 1, 1);
}
double lastDay() {
    return serialFromDate(kLastYear, 12, 31);
}

// A day within the 25 years; one in ten (or the given chance in a thousand) with a time of day
// in whole seconds.
double randomDate(SplitMix64& random, unsigned timeChance = 100) {
    const auto day = static_cast<double>(random.between(static_cast<std::int64_t>(firstDay()),
                                                        static_cast<std::int64_t>(lastDay())));
    if (!random.perMille(timeChance))
        return day;
    const auto seconds = random.between(1, 86399);
    return day + static_cast<double>(seconds) / 86400.0;
}

std::string lowerAscii(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string digits(SplitMix64& random, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + random.below(10));
    return text;
}

std::string sideText(const std::string& text) {
    return text + "\r\n";
}

std::string sideFile(const GeneratorOptions& options, Folder folder, const std::string& prefix,
                     std::int64_t n) {
    return filePath(options.dir, folder, prefix + std::to_string(n) + ".txt");
}

std::string dataFile(const GeneratorOptions& options, const char* name) {
    return filePath(options.dir, Folder::Data, name);
}

Status writeMembers(const GeneratorOptions& options) {
    auto writer = BlockWriter::create(dataFile(options, MemberRecord::kFileName));
    if (!writer)
        return writer.status();
    SplitMix64 random = streamFor(options, Members);
    SplitMix64 texts = streamFor(options, SideTexts);
    std::vector<std::int32_t> levels(static_cast<std::size_t>(options.members) + 1, 0);

    for (std::int32_t n = 1; n <= options.members; ++n) {
        MemberRecord m;
        m.Name = options.sameName
                     ? std::string(kSameName)
                     : words::firstName(static_cast<int>(random.below(words::kFirstNameCount)));
        m.Surname = words::surname(random);
        m.Street =
            std::to_string(random.between(1, 250)) + " " + std::string(words::street(random));
        m.City = words::city(random);
        m.Post_Cod = digits(random, 5);
        m.Country = words::country(random);
        m.Phone = "+" + digits(random, 2) + " " + digits(random, 3) + " " + digits(random, 7);
        m.E_mail = lowerAscii(m.Name) + "." + lowerAscii(m.Surname) + std::to_string(n % 100) +
                   "@example.com";
        m.URL = "www." + lowerAscii(m.Surname) + ".example.com";
        m.AffiliateID = n;
        // About 1% join without a referrer; member 1 always does.
        const bool referred = n > 1 && !random.perMille(10);
        m.Ref_ID = referred ? static_cast<std::int32_t>(random.between(1, n - 1)) : 0;
        m.Egold_ID =
            random.perMille(100) ? 0 : static_cast<std::int32_t>(random.between(100000, 99999999));
        m.AP_ID = static_cast<std::int16_t>(random.between(1, options.schemes));
        m.Level = referred ? levels[static_cast<std::size_t>(m.Ref_ID)] + 1 : 1;
        levels[static_cast<std::size_t>(n)] = m.Level;
        m.Date = randomDate(random);
        if (Status done = writer->append(m.encode()); !done)
            return done;

        if (options.sideFiles) {
            // The member editor writes the file at every save, an empty text as CR LF alone.
            const std::string info = texts.perMille(700) ? words::freeText(texts) : std::string();
            if (Status done =
                    writeSmallFile(sideFile(options, Folder::Addinfo, "", n), sideText(info));
                !done)
                return done;
        }
    }
    return writer->finish();
}

Status writeSales(const GeneratorOptions& options, const char* fileName, std::int64_t count,
                  Stream stream, const char* detailPrefix, std::int64_t maxCents) {
    auto writer = BlockWriter::create(dataFile(options, fileName));
    if (!writer)
        return writer.status();
    SplitMix64 random = streamFor(options, stream);
    SplitMix64 texts = streamFor(options, SideTexts);
    for (std::int64_t n = 1; n <= count; ++n) {
        SaleRecord s;
        s.MemberID = static_cast<std::int32_t>(random.between(1, options.members));
        s.Sum = static_cast<float>(static_cast<double>(random.between(0, maxCents)) / 100.0);
        s.Date = randomDate(random, 50);
        if (Status done = writer->append(s.encode()); !done)
            return done;
        // Details are written only for records that had some; one in fifty here.
        if (options.sideFiles && texts.perMille(20)) {
            const std::string path = sideFile(options, Folder::Addinfo, detailPrefix, n);
            if (Status done = writeSmallFile(path, sideText(words::freeText(texts))); !done)
                return done;
        }
    }
    return writer->finish();
}

Status writeCommunications(const GeneratorOptions& options) {
    auto writer = BlockWriter::create(dataFile(options, CommunicationRecord::kFileName));
    if (!writer)
        return writer.status();
    SplitMix64 random = streamFor(options, Communications);
    SplitMix64 texts = streamFor(options, SideTexts);
    const std::int64_t count = options.communicationCount();
    for (std::int64_t n = 1; n <= count; ++n) {
        CommunicationRecord c;
        c.MemberID = static_cast<std::int32_t>(random.between(1, options.members));
        c.Subject = words::subject(random);
        c.Date = randomDate(random, 300);
        c.Date_R = c.Date + static_cast<double>(random.between(0, 30));
        if (Status done = writer->append(c.encode()); !done)
            return done;
        if (!options.sideFiles)
            continue;
        // A message file for every communication, a response for most, comments for some.
        struct Text {
            const char* prefix;
            unsigned chance;
        };
        for (const Text text : {Text{"", 1000}, Text{"r", 700}, Text{"c", 300}}) {
            if (!texts.perMille(text.chance))
                continue;
            const std::string path = sideFile(options, Folder::Comm, text.prefix, n);
            if (Status done = writeSmallFile(path, sideText(words::freeText(texts))); !done)
                return done;
        }
    }
    return writer->finish();
}

Status writeSchemes(const GeneratorOptions& options) {
    auto writer = BlockWriter::create(dataFile(options, SchemeRecord::kFileName));
    if (!writer)
        return writer.status();
    for (std::int32_t n = 1; n <= options.schemes; ++n) {
        SchemeRecord s;
        const bool percents = n % 2 == 1;
        s.Type_of_payment = percents ? "Percents" : "Fixed";
        s.MinPayment = static_cast<float>(10 * n);
        s.Periodicity = static_cast<std::int16_t>(n % 3 == 0 ? 90 : (n % 3 == 1 ? 30 : 7));
        s.Unit = percents ? "$" : "EUR";
        s.Scheme = static_cast<std::int16_t>(n);
        for (int level = 0; level < 8; ++level) {
            const float base = percents ? 10.0f : 5.0f;
            s.Level[static_cast<std::size_t>(level)] =
                level < 3 + n % 5
                    ? base / static_cast<float>(level + 1) + 0.5f * static_cast<float>(n)
                    : 0.0f;
        }
        if (Status done = writer->append(s.encode()); !done)
            return done;
    }
    return writer->finish();
}

// Creates a folder and any missing folders above it.
Status createFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        auto exists = fs::isFolder(folder);
        if (!exists)
            return exists.status();
        if (!*exists)
            if (Status done = fs::createFolder(folder); !done)
                return done;
        if (slash == std::string::npos)
            return {};
    }
}

} // namespace

Status generateAppFolder(const GeneratorOptions& options) {
    if (Status done = createFolders(options.dir); !done)
        return done;
    std::vector<Folder> folders{Folder::Data};
    if (options.sideFiles)
        folders.insert(folders.end(), {Folder::Addinfo, Folder::Comm});
    for (Folder folder : folders)
        if (Status done = ensureFolder(options.dir, folder); !done)
            return done;

    Status done = writeMembers(options);
    if (done)
        done = writeSales(options, "sales.kvr", options.saleCount(), Sales, "s", 500000);
    if (done)
        done = writeSales(options, "payments.kvr", options.paymentCount(), Payments, "p", 100000);
    if (done)
        done = writeCommunications(options);
    if (done)
        done = writeSchemes(options);
    return done;
}

} // namespace zelt::bench
