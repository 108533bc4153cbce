// zelt_generate: writes a program folder with made-up data for trying out and measuring the
// program at scale.
#include "data_check.h"
#include "data_generator.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using zelt::bench::GeneratorOptions;

constexpr const char* kUsage =
    "usage: zelt_generate --dir FOLDER [--members N] [--sales N] [--payments N]\n"
    "                     [--communications N] [--schemes N] [--seed N] [--side-files]\n"
    "                     [--same-name] [--check | --check-only]\n"
    "Writes data/ (and with --side-files addinfo/ and comm/) under FOLDER. By default there are\n"
    "twice as many sales as members, as many payments, a fifth as many communications and 5\n"
    "schemes. --same-name gives every member the first name \"Alexander\". --check reads the\n"
    "folder back afterwards and verifies it; --check-only verifies a folder written before with "
    "the\n"
    "same options.\n";

template <class T> std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct Arguments {
    GeneratorOptions options;
    bool check = false;
    bool checkOnly = false;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--side-files") {
            args.options.sideFiles = true;
            continue;
        }
        if (arg == "--same-name") {
            args.options.sameName = true;
            continue;
        }
        if (arg == "--check") {
            args.check = true;
            continue;
        }
        if (arg == "--check-only") {
            args.check = args.checkOnly = true;
            continue;
        }
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string_view value = argv[++i];
        if (arg == "--dir") {
            args.options.dir = std::string(value);
            continue;
        }
        if (arg == "--seed") {
            const auto seed = parseNumber<std::uint64_t>(value);
            if (!seed)
                return std::nullopt;
            args.options.seed = *seed;
            continue;
        }
        const auto number = parseNumber<std::int64_t>(value);
        if (!number || *number < 0)
            return std::nullopt;
        if (arg == "--members" && *number <= 0x7FFFFFFF)
            args.options.members = static_cast<std::int32_t>(*number);
        else if (arg == "--sales")
            args.options.sales = *number;
        else if (arg == "--payments")
            args.options.payments = *number;
        else if (arg == "--communications")
            args.options.communications = *number;
        else if (arg == "--schemes" && *number >= 1 && *number <= 32767)
            args.options.schemes = static_cast<std::int32_t>(*number);
        else
            return std::nullopt;
    }
    if (args.options.dir.empty() || args.options.members < 1)
        return std::nullopt;
    return args;
}

// Writes the folder and says what it holds.
bool generate(const GeneratorOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    if (zelt::Status done = zelt::bench::generateAppFolder(options); !done) {
        std::fprintf(stderr, "zelt_generate: %s\n", done.error().message().c_str());
        return false;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d members, %lld sales, %lld payments, %lld communications, %d schemes%s "
                "(%.2f s)\n",
                options.dir.c_str(), options.members, static_cast<long long>(options.saleCount()),
                static_cast<long long>(options.paymentCount()),
                static_cast<long long>(options.communicationCount()), options.schemes,
                options.sideFiles ? ", side files" : "", seconds);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const auto args = parseArguments(argc, argv);
    if (!args) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const GeneratorOptions& options = args->options;
    if (!args->checkOnly && !generate(options))
        return 1;
    if (args->check) {
        const auto problems = zelt::bench::checkAppFolder(options);
        for (const auto& problem : problems)
            std::fprintf(stderr, "check: %s\n", problem.c_str());
        if (!problems.empty())
            return 1;
        std::printf("check: %s is sound\n", options.dir.c_str());
    }
    return 0;
}
