#include "EncodeQueryValue.h"

#include "Codepage.h"

namespace app {
namespace {

bool keptAsIs(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) {
        return true;
    }
    switch (b) {
        case '!':
        case '$':
        case '\'':
        case '(':
        case ')':
        case '*':
        case '-':
        case '.':
        case '@':
        case '_':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string EncodeQueryValue(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (keptAsIs(b)) {
            out.push_back(c);
        } else if (b == ' ') {
            out.push_back('+');
        } else {
            out.push_back('%');
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        }
    }
    return out;
}

QString EncodeQueryValue(const QString& text) {
    return QString::fromLatin1(EncodeQueryValue(ToCp1254(text)));
}

}  // namespace app
