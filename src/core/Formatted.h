// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message filled in from a catalogue's pattern. %1 to %9 stand for the arguments by their
// number, wherever the language puts them; %% is a percent sign.

#include "core/Phrase.h"

#include <array>
#include <concepts>
#include <string>
#include <string_view>

namespace arbolink {

// The pattern with each %n replaced by the n-th text (n from 1); a %n with no text and a lone
// % stay as they are.
std::string FilledIn(std::string_view pattern, const std::string* texts, std::size_t count);

// How an argument reads in a message: texts as they are, whole numbers in decimal digits.
inline std::string ArgumentText(std::string_view text) {
    return std::string(text);
}
inline std::string ArgumentText(const Phrase& phrase) {
    return phrase.c_str();
}
template <std::integral Number>
requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) std::string
    ArgumentText(Number number) {
    return std::to_string(number);
}

// Whether text is the pattern in the current language filled in, each %n standing for any
// text that is not empty: how a front end tells which message it was handed.
bool IsFilledIn(const Phrase& pattern, std::string_view text);

template <typename... Args> std::string Formatted(std::string_view pattern, const Args&... args) {
    const std::array<std::string, sizeof...(Args)> texts{ArgumentText(args)...};
    return FilledIn(pattern, texts.data(), texts.size());
}

template <typename... Args> std::string Formatted(const Phrase& pattern, const Args&... args) {
    return Formatted(std::string_view(pattern.c_str()), args...);
}

} // namespace arbolink
