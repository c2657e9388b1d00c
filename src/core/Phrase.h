// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The catalogues' texts. Every text the core and the tool show is a Phrase: a key (the name of
// its constant), its Japanese text and its English text. Used where a std::string is wanted it
// becomes the text of the current language (see core/Language.h), so a call site reads
// host.Message(msg::kCancelled) as it always did.
//
// A catalogue header declares each of its texts with ARBOLINK_PHRASE, which also lists it in
// Phrases(), so a test can look at every text of every catalogue without naming them. A text
// with arguments marks their places with %1 to %9 (see Formatted), so each language puts them
// in its own order.

#include "core/Language.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

class Phrase {
public:
    constexpr Phrase(const char* key, const char* japanese, const char* english)
        : key_(key), japanese_(japanese), english_(english) {}

    const char* Key() const { return key_; }
    const char* In(Language language) const {
        return language == Language::Japanese ? japanese_ : english_;
    }
    // The text in the current language.
    const char* c_str() const { return In(CurrentLanguage()); }
    operator std::string() const { return c_str(); }

    friend std::string operator+(const std::string& left, const Phrase& right) {
        return left + right.c_str();
    }
    friend std::string operator+(const Phrase& left, const std::string& right) {
        return left.c_str() + right;
    }
    friend std::string operator+(const char* left, const Phrase& right) {
        return std::string(left) + right.c_str();
    }
    friend std::string operator+(const Phrase& left, const char* right) {
        return std::string(left.c_str()) + right;
    }
    friend std::string operator+(const Phrase& left, const Phrase& right) {
        return std::string(left.c_str()) + right.c_str();
    }
    friend bool operator==(const Phrase& phrase, std::string_view text) {
        return text == phrase.c_str();
    }
    friend std::ostream& operator<<(std::ostream& out, const Phrase& phrase);

private:
    const char* key_;
    const char* japanese_;
    const char* english_;
};

// Every phrase of the catalogues included anywhere in the program, in no particular order.
const std::vector<const Phrase*>& Phrases();

// Lists a phrase in Phrases() when the program starts.
struct PhraseListing {
    explicit PhraseListing(const Phrase& phrase);
};

} // namespace arbolink

// Declares the catalogue text key with its Japanese and its English text.
#define ARBOLINK_PHRASE(key, japanese, english)                                                    \
    inline constexpr ::arbolink::Phrase key{#key, japanese, english};                              \
    inline const ::arbolink::PhraseListing key##Listed {                                           \
        key                                                                                        \
    }
