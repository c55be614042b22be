#include "ReplaceAll.h"

namespace {

template <typename Text>
Text replaceAll(const Text& source, const Text& pattern, const Text& replacement) {
    if (pattern.size() == 0) {
        return source;
    }
    Text result;
    decltype(source.size()) from = 0;
    for (;;) {
        const auto at = source.indexOf(pattern, from);
        if (at < 0) {
            break;
        }
        result += source.mid(from, at - from);
        result += replacement;
        from = at + pattern.size();
    }
    result += source.mid(from);
    return result;
}

// std::string spelled like QString, so one algorithm serves both.
struct Bytes {
    std::string s;
    std::ptrdiff_t size() const { return static_cast<std::ptrdiff_t>(s.size()); }
    std::ptrdiff_t indexOf(const Bytes& p, std::ptrdiff_t from) const {
        const auto at = s.find(p.s, static_cast<std::size_t>(from));
        return at == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(at);
    }
    Bytes mid(std::ptrdiff_t from, std::ptrdiff_t n = -1) const {
        return {n < 0 ? s.substr(static_cast<std::size_t>(from))
                      : s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n))};
    }
    Bytes& operator+=(const Bytes& o) {
        s += o.s;
        return *this;
    }
};

}  // namespace

std::string ReplaceAll(const std::string& source, const std::string& pattern,
                       const std::string& replacement) {
    return replaceAll(Bytes{source}, Bytes{pattern}, Bytes{replacement}).s;
}

QString ReplaceAll(const QString& source, const QString& pattern, const QString& replacement) {
    return replaceAll(source, pattern, replacement);
}
