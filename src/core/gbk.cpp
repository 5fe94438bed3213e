#include "core/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace fennory::gbk {
namespace {

// One converter per thread and target; iconv handles carry conversion state.
class Converter {
public:
    explicit Converter(const char* to) : cd_(iconv_open(to, "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("no iconv converter to ") + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> convert(std::string_view in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char outBuf[16];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = outBuf;
        std::size_t outLeft = sizeof outBuf;
        std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0 || r != 0) {
            // r > 0 means an irreversible (substituted) conversion: not a real code.
            return std::nullopt;
        }
        return std::string(outBuf, sizeof outBuf - outLeft);
    }

private:
    iconv_t cd_;
};

Converter& gbkConverter() {
    thread_local Converter c("GBK");
    return c;
}

Converter& gb18030Converter() {
    thread_local Converter c("GB18030");
    return c;
}

std::size_t charLength(char32_t cp) {
    if (cp < 0x80) {
        return 1;
    }
    if (auto g = encodeChar(cp)) {
        return g->size();
    }
    if (auto g = gb18030Converter().convert(utf8Of(cp))) {
        return g->size();
    }
    return cp < 0x10000 ? 2 : 4;
}

}  // namespace

std::string utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

char32_t nextChar(std::string_view s, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

std::optional<std::string> encodeChar(char32_t cp) {
    if (cp < 0x80) {
        return std::string(1, static_cast<char>(cp));
    }
    auto g = gbkConverter().convert(utf8Of(cp));
    if (!g || g->size() != 2) {
        return std::nullopt;
    }
    return g;
}

namespace {

// GBK length of the character at pos, advancing pos past it. A stray byte of
// broken UTF-8 counts as one byte.
std::size_t lengthAt(std::string_view utf8, std::size_t& pos) {
    std::size_t start = pos;
    char32_t cp = nextChar(utf8, pos);
    bool stray =
        cp == 0xFFFD && pos - start == 1 && static_cast<unsigned char>(utf8[start]) >= 0x80;
    return stray ? 1 : charLength(cp);
}

}  // namespace

std::string sortKey(std::string_view utf8) {
    std::string key;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t start = pos;
        char32_t cp = nextChar(utf8, pos);
        if (auto g = encodeChar(cp)) {
            key += *g;
        } else {
            key += '\xFF';
            key.append(utf8.substr(start, pos - start));
        }
    }
    return key;
}

std::size_t byteLength(std::string_view utf8) {
    std::size_t n = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        n += lengthAt(utf8, pos);
    }
    return n;
}

std::string cutToBytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t n = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t start = pos;
        std::size_t len = lengthAt(utf8, pos);
        if (n + len > maxBytes) {
            return std::string(utf8.substr(0, start));
        }
        n += len;
    }
    return std::string(utf8);
}

}  // namespace fennory::gbk
