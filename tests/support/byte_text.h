#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::test {

// Byte sequences as QByteArray, so that QCOMPARE prints both sides when they differ.
inline QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
inline QByteArray bytes(const std::vector<std::uint8_t>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()),
                      static_cast<qsizetype>(data.size()));
}
// "02 00 0C" -> the three bytes.
inline QByteArray hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced));
}

} // namespace zelt::test
