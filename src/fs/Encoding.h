// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text encodings of set files written by other programs.

#include <string>
#include <string_view>

namespace arbolink {

bool IsValidUtf8(std::string_view bytes);

// Converts Shift-JIS (code page 932) bytes to UTF-8; false when the bytes are not valid CP932.
bool Cp932ToUtf8(std::string_view bytes, std::string& utf8);

// Upper case by Unicode simple case mapping, as FAT, exFAT and NTFS compare names. Bytes that
// are not valid UTF-8 are upper-cased as ASCII and otherwise kept.
std::string UpperCase(std::string_view utf8);
// The same, appended to out: a caller upper-casing many names reuses one buffer.
void AppendUpperCase(std::string_view utf8, std::string& out);

// One code point upper-cased by the same mapping; each platform has its own case tables.
char32_t UpperCaseOf(char32_t code);

// The value of a hexadecimal digit of either case, or -1 for any other character.
int HexDigitValue(char c);

} // namespace arbolink
