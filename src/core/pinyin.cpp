#include "core/pinyin.h"

#include <cctype>

#include "core/gbk.h"

namespace fennory {
namespace {

#include "core/pinyin_table.inc"

// Row 0xA2 from trail 0xA1 to 0xFE: small Roman numerals, the three runs of
// numbered forms, circled and parenthesised numbers, capital Roman numerals.
constexpr const char* kRowA2[94] = {
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",              // A1-AA ⅰ-ⅹ
    "",   "",   "",   "",   "",   "",                                        // AB-B0
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",              // B1-BA ⒈-⒑
    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",              // BB-C4 ⒒-⒛
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",              // C5-CE ⑴-⑽
    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",              // CF-D8 ⑾-⒇
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",              // D9-E2 ①-⑩
    "",   "",                                                                // E3-E4
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",              // E5-EE ㈠-㈩
    "",   "",                                                                // EF-F0
    "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",  // F1-FC Ⅰ-Ⅻ
    "",   "",                                                                // FD-FE
};

// Row 0xA6: the 24 Greek letters in alphabet order.
constexpr const char* kGreek[24] = {"a", "b", "g", "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                    "n", "x", "o", "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};

bool isAlnum(unsigned char c) {
    return std::isalnum(c) != 0 && c < 0x80;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

namespace pinyin {

std::string_view syllable(int n) {
    if (n < 0 || n > 405) {
        return {};
    }
    return kSyllables[n];
}

int syllableNumber(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) {
        return 0;
    }
    return kCharIndex[(lead - 0x81) * 191 + (trail - 0x40)];
}

}  // namespace pinyin

std::string PinyinCodeGbk(std::string_view s, int options, std::size_t maxLength) {
    const bool full = options & pinyin::kFullSyllables;
    const std::string unknown = (options & pinyin::kMarkUnknown) ? "?" : "";
    const bool keepOthers = options & pinyin::kKeepOthers;
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        auto cur = static_cast<unsigned char>(s[i]);
        auto next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (cur < 0x81 || next < 0x40) {
            if (isAlnum(cur) || keepOthers) {
                out += static_cast<char>(std::toupper(cur));
            }
            ++i;
            continue;
        }
        std::string piece;
        if (cur == 0xA2) {
            piece = (next > 0xA0 && next < 0xFF) ? kRowA2[next - 0xA1] : unknown;
        } else if (cur == 0xA3) {
            auto c = static_cast<unsigned char>(next - 0x80);
            if (next >= 0x80 && (isAlnum(c) || keepOthers)) {
                piece = std::string(1, static_cast<char>(c));
            }
        } else if (cur == 0xA6) {
            if (next >= 0xA1 && next <= 0xB8) {
                piece = upper(kGreek[next - 0xA1]);
            } else if (next >= 0xC1 && next <= 0xD8) {
                piece = upper(kGreek[next - 0xC1]);
            } else {
                piece = unknown;
            }
        } else {
            int n = pinyin::syllableNumber(cur, next);
            std::string_view syl = pinyin::syllable(n);
            if (syl.empty()) {
                piece = unknown;
            } else {
                piece = upper(full ? syl : syl.substr(0, 1));
            }
        }
        out += piece;
        i += 2;
    }
    if (out.size() > maxLength) {
        out.resize(maxLength);
    }
    return out;
}

std::string PinyinCode(std::string_view utf8, int options, std::size_t maxLength) {
    // A code GBK leaves unassigned, so the walk reads it as a character
    // without a reading.
    static constexpr char kNoReading[] = {'\xA1', '\x40'};
    std::string bytes;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = gbk::nextChar(utf8, pos);
        if (auto g = gbk::encodeChar(cp)) {
            bytes += *g;
        } else {
            bytes.append(kNoReading, 2);
        }
    }
    return PinyinCodeGbk(bytes, options, maxLength);
}

}  // namespace fennory
