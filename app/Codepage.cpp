#include "Codepage.h"

#include <QStringDecoder>
#include <array>

namespace app {
namespace {

// Unicode of bytes 0x80..0x9F; the code page leaves 81, 8D-90, 9D and 9E unassigned, and
// like the system converter we pass those through as the C1 controls of the same number.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

char16_t toUnicode(unsigned char b) {
    if (b < 0x80) {
        return b;
    }
    if (b < 0xA0) {
        return kHigh80[b - 0x80];
    }
    switch (b) {
        case 0xD0:
            return 0x011E;  // Ğ
        case 0xDD:
            return 0x0130;  // İ
        case 0xDE:
            return 0x015E;  // Ş
        case 0xF0:
            return 0x011F;  // ğ
        case 0xFD:
            return 0x0131;  // ı
        case 0xFE:
            return 0x015F;  // ş
        default:
            return b;
    }
}

// The inverse, built once.
const std::array<unsigned char, 0x10000>& reverseTable() {
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int b = 1; b < 256; ++b) {
            t[toUnicode(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
        }
        return t;
    }();
    return table;
}

}  // namespace

QString FromCp1254(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        out.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    }
    return out;
}

std::string ToCp1254(const QString& text) {
    const auto& table = reverseTable();
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0) {
            out.push_back('\0');
            continue;
        }
        const unsigned char b = table[u];
        out.push_back(b == 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

QString Cp1254Address(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.append(QLatin1Char(c));
        } else {
            out.append(QStringLiteral("%%1").arg(b, 2, 16, QLatin1Char('0')).toUpper());
        }
    }
    return out;
}

std::string Utf8ToCp1254(const QByteArray& utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(utf8);
    if (decoder.hasError()) {
        return {};
    }
    return ToCp1254(text);
}

}  // namespace app
