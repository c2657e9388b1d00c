// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's language switched for the life of an object, for tests of the other one.

#include "core/Language.h"

namespace arbolink::test {

class ScopedLanguage {
public:
    explicit ScopedLanguage(Language language) : old_(CurrentLanguage()) { UseLanguage(language); }
    ~ScopedLanguage() { UseLanguage(old_); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    Language old_;
};

} // namespace arbolink::test
