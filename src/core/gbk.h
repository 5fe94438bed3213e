#pragma once
// GBK is the code page every entry limit of the program counts in. Text is
// UTF-8 everywhere else; this is the one place that knows how many GBK bytes
// a character takes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fennory::gbk {

// Bytes the text takes in GBK: 1 for ASCII, 2 for a GBK character. A character
// GBK cannot hold counts as its GB18030 length (2 or 4). Invalid UTF-8 bytes
// count as one byte each.
std::size_t byteLength(std::string_view utf8);

// The longest prefix of the text whose GBK length is at most maxBytes; never
// splits a character.
std::string cutToBytes(std::string_view utf8, std::size_t maxBytes);

// The GBK bytes of one Unicode character, or nothing when GBK has no code for it.
std::optional<std::string> encodeChar(char32_t codePoint);

// A byte string that sorts names the way Chinese users expect: GBK order, in
// which the common characters stand in pinyin order. Characters GBK lacks sort
// after all others.
std::string sortKey(std::string_view utf8);

// Reads one UTF-8 character at pos and advances pos. Returns U+FFFD for an
// invalid sequence, consuming one byte.
char32_t nextChar(std::string_view utf8, std::size_t& pos);

// One character as UTF-8.
std::string utf8Of(char32_t cp);

}  // namespace fennory::gbk
