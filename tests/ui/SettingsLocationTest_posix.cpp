// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempFolder.h"
#include "ui/IniFile.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace arbolink {
namespace {

using test::TempFolder;

// Sets an environment variable for the life of the object and puts the old value back.
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

TEST(SettingsFilePath, AlwaysInTheConfigurationFolderNeverBesideTheProgram) {
    TempFolder folder;
    // A program whose folder can be written, even one that has a settings file beside it.
    folder.WriteFile("bin/arbolink.ini", "");
    ScopedVariable home("HOME", (folder / "home").c_str());
    {
        ScopedVariable xdg("XDG_CONFIG_HOME", (folder / "xdg").c_str());
        EXPECT_EQ(SettingsFilePath(folder / "bin/arbolink"), folder / "xdg/arbolink/arbolink.ini");
        EXPECT_EQ(SettingsFilePath(folder / "bin/Arbolink2"), folder / "xdg/arbolink/arbolink.ini");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        ScopedVariable xdg("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(SettingsFilePath(folder / "bin/arbolink"),
                  folder / "home/.config/arbolink/arbolink.ini")
            << (unusable != nullptr ? unusable : "unset");
    }
}

} // namespace
} // namespace arbolink
