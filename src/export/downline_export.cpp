#include "export/downline_export.h"

#include "storage/app_paths.h"
#include "storage/field_codec.h"
#include "storage/member_record.h"
#include "storage/number_text.h"
#include "storage/record_file.h"
#include "storage/whole_file_writer.h"

#include <limits>
#include <string>

namespace zelt {

namespace {

constexpr std::uint32_t kNoText = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kWanted = kNoText - 1;

std::string_view withoutTrailingBlanks(const std::uint8_t* record, MemberRecord::Field field) {
    const char* begin = reinterpret_cast<const char*>(record) + field.offset;
    auto length = static_cast<std::size_t>(field.width);
    while (length > 0 && begin[length - 1] == ' ')
        --length;
    return {begin, length};
}

} // namespace

std::vector<DownlineEntry> downlineOrder(const ReferralTree& tree, std::int32_t root) {
    std::vector<DownlineEntry> order;
    if (!tree.isMember(root))
        return order;
    const auto skipRoot = [&](std::int32_t c) {
        while (c == root)
            c = tree.nextSibling(c);
        return c;
    };
    std::vector<std::int32_t> path; // the members above c, below root
    std::int32_t c = skipRoot(tree.firstChild(root));
    while (true) {
        if (c != 0) {
            order.push_back({c, static_cast<std::int32_t>(path.size()) + 1});
            path.push_back(c);
            c = skipRoot(tree.firstChild(c));
        } else if (!path.empty()) {
            c = skipRoot(tree.nextSibling(path.back()));
            path.pop_back();
        } else {
            break;
        }
    }
    return order;
}

Status saveDownline(const std::string& appDir, const ReferralTree& tree, std::int32_t root) {
    const std::vector<DownlineEntry> order = downlineOrder(tree, root);

    // "Name;Surname;Ref_ID" of every member below root, in one pass over the members file, each
    // text after one byte of its length.
    std::vector<std::uint32_t> textAt(static_cast<std::size_t>(tree.memberCount()) + 1, kNoText);
    for (const DownlineEntry& entry : order)
        textAt[entry.member] = kWanted;
    std::string texts;
    const std::string membersPath = filePath(appDir, Folder::Data, MemberRecord::kFileName);
    if (!order.empty()) {
        auto members = RecordFile::openForReading(membersPath, MemberRecord::kLength);
        if (!members)
            return members.error();
        const Status scanned =
            members->scan(1, tree.memberCount(), [&](std::int32_t n, const std::uint8_t* record) {
                if (textAt[n] == kNoText)
                    return true;
                textAt[n] = static_cast<std::uint32_t>(texts.size());
                const std::size_t start = texts.size();
                texts += '\0';
                texts += withoutTrailingBlanks(record, MemberRecord::kName);
                texts += ';';
                texts += withoutTrailingBlanks(record, MemberRecord::kSurname);
                texts += ';';
                texts += formatInt(field::getInt32(record + MemberRecord::kRef_ID));
                texts[start] = static_cast<char>(texts.size() - start - 1); // at most 53
                return true;
            });
        if (!scanned)
            return scanned;
    }

    if (Status made = ensureFolder(appDir, Folder::Output); !made)
        return made;
    auto writer = WholeFileWriter::create(filePath(appDir, Folder::Output, kDownlineFileName));
    if (!writer)
        return writer.error();
    if (Status s = writer->append(kDownlineHeader); !s)
        return s;
    std::string line;
    for (const DownlineEntry& entry : order) {
        const std::uint32_t at = textAt[entry.member];
        line = formatInt(entry.level);
        line += ';';
        line += formatInt(entry.member);
        line += ';';
        if (at < kWanted)
            line.append(texts, at + 1, static_cast<unsigned char>(texts[at]));
        else
            line += ";;0"; // a member no longer in the file
        line += "\r\n";
        if (Status s = writer->append(line); !s)
            return s;
    }
    return writer->commit();
}

} // namespace zelt
