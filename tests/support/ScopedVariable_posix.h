// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An environment variable set for the life of an object.

#include <cstdlib>
#include <optional>
#include <string>

namespace arbolink::test {

// Sets the variable (unsets it for null) and puts the old value back at the end.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace arbolink::test
