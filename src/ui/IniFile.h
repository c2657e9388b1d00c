// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: window position, the share of free space, the three folder fields and
// the restore history, in the profile ("ini") format, UTF-8. Plain C++, no Qt.

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

// What the main window keeps from one run to the next.
struct Settings {
    int windowLeft = 0;
    int windowTop = 0;
    // "cWindow": read at start and written back unchanged; no window uses them.
    int cWindowLeft = 0;
    int cWindowTop = 0;
    int cWindowWidth = 0;
    int cWindowHeight = 0;
    std::int32_t freeSpacePercent = 95;
    bool verifyAfterWrite = true;     // each written disk is read back and checked
    bool ejectWritten = true;         // ファイル menu: eject each disk written
    bool packTight = false;           // files go onto the first disk with room for them
    int recoveryDisks = 0;            // recovery disks a divide writes, 0 to 8
    std::string source;               // ComboBox1
    std::string divide;               // ComboBox2
    std::string dest;                 // ComboBox3
    std::vector<std::string> history; // the list of ComboBox3
};

// Where the settings file lives for the program file at programFile. On Windows beside it,
// as the program's name with the extension ".ini". On other systems always in the user's
// configuration folder, $XDG_CONFIG_HOME/arbolink/arbolink.ini (~/.config when that is unset
// or not absolute), never beside a program that may be installed for every user; empty when
// the user has no home folder.
std::string SettingsFilePath(const std::string& programFile);

// Reads the settings; a missing file, section or key gives the defaults.
Settings LoadSettings(const std::string& path);

// Writes every key. On failure answers false with the message "<path> に書き込めません".
bool SaveSettings(const std::string& path, const Settings& settings, std::string& failure);

} // namespace arbolink
