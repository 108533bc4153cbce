#pragma once

#include <QByteArray>
#include <QString>

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

// A text field of a data table: \t, \r, \n, \s (a blank), \xHH (one byte) and \uXXXX
// (a character in UTF-8) stand for what the source cannot show.
inline QByteArray unescaped(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i] == '\\' && i + 1 < text.size() ? text[++i] : 0;
        const int width = c == 'x' ? 2 : 4 * (c == 'u');
        const int code = text.mid(i + 1, width).toInt(nullptr, 16);
        const qsizetype named = QByteArray("trns").indexOf(c);
        if (width)
            out += c == 'x' ? QByteArray(1, char(code)) : QString(QChar(code)).toUtf8();
        else
            out += !c ? text[i] : named < 0 ? c : "\t\r\n "[named];
        i += width;
    }
    return out;
}

} // namespace zelt::test
