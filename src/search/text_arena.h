#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// Many short texts kept end to end in one buffer, so that a table of a million rows holds its
// text fields without one allocation per cell.
class TextArena {
public:
    struct Ref {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    Ref add(std::string_view text) {
        const Ref ref{static_cast<std::uint32_t>(bytes_.size()),
                      static_cast<std::uint32_t>(text.size())};
        bytes_.append(text);
        return ref;
    }
    std::string_view view(Ref ref) const {
        return std::string_view(bytes_).substr(ref.offset, ref.length);
    }
    std::size_t size() const { return bytes_.size(); }
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    void shrinkToFit() { bytes_.shrink_to_fit(); }

private:
    std::string bytes_;
};

} // namespace zelt
