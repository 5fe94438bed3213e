#pragma once
// Pinyin codes: the upper-case initials of a name's Mandarin readings (工资 gives
// GZ), so that a user can type the code instead of the name.

#include <cstddef>
#include <string>
#include <string_view>

namespace fennory {

namespace pinyin {
constexpr int kFullSyllables = 1;  // whole syllables instead of initials
constexpr int kMarkUnknown = 2;    // "?" for a character without a reading
constexpr int kKeepOthers = 4;     // keep characters that are not letters or digits
// What every caller of the program uses.
constexpr int kDefaultOptions = kMarkUnknown;
constexpr std::size_t kDefaultMaxLength = 255;

// Syllable number n (1..405; 0 and 394 are empty).
std::string_view syllable(int n);
// The syllable number of a two-byte GBK code (0 when it has no reading).
int syllableNumber(unsigned char lead, unsigned char trail);
}  // namespace pinyin

// The code of a name given as GBK bytes, walked byte by byte.
std::string PinyinCodeGbk(std::string_view gbkBytes, int options, std::size_t maxLength);

// The code of a UTF-8 name. A character outside GBK counts as a character
// without a reading.
std::string PinyinCode(std::string_view utf8, int options = pinyin::kDefaultOptions,
                       std::size_t maxLength = pinyin::kDefaultMaxLength);

}  // namespace fennory
