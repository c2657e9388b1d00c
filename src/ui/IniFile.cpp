// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file in the profile format: "[Section]" and "key=value" lines, names compared
// without regard to ASCII case. Lines the program does not know are kept as they are.
#include "ui/IniFile.h"

#include "core/recovery/ErasureCode.h"
#include "fs/Folders.h"
#include "fs/Utf8Path.h"
#include "ui/SettingsMessages.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace arbolink {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;
constexpr std::size_t kMaxHistoryEntries = 6;
constexpr std::int64_t kMaxFileBytes = 16 * 1024 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The section named by a "[name]" line; false for any other line.
bool SectionOfLine(std::string_view line, std::string_view& name) {
    line = Trimmed(line);
    std::size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
        return false;
    }
    name = Trimmed(line.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line; false for comments and other lines.
bool KeyOfLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::size_t equals = line.find('=');
    std::string_view trimmed = Trimmed(line);
    if (equals == std::string_view::npos || trimmed.empty() || trimmed.front() == ';') {
        return false;
    }
    key = Trimmed(line.substr(0, equals));
    value = line.substr(equals + 1);
    return true;
}

// The stored form of a value as it reads back: blanks around it dropped, one pair of double
// quotes removed, cut to the value length at a character boundary.
std::string ValueRead(std::string_view stored) {
    stored = Trimmed(stored);
    if (stored.size() >= 2 && stored.front() == '"' && stored.back() == '"') {
        stored = stored.substr(1, stored.size() - 2);
    }
    if (stored.size() > kMaxValueBytes) {
        std::size_t cut = kMaxValueBytes;
        while (cut > 0 && (static_cast<unsigned char>(stored[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        stored = stored.substr(0, cut);
    }
    return std::string(stored);
}

// A value in the form that reads back as itself: quoted when blanks around it or quotes
// around it would otherwise be dropped.
std::string ValueStored(const std::string& value) {
    bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                          (value.front() == '"' && value.back() == '"'));
    return needsQuotes ? "\"" + value + "\"" : value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// The lines of a settings file, rewritten key by key.
class Profile {
public:
    explicit Profile(const std::string& path) {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, kMaxFileBytes)) {
            return;
        }
        if (bytes.rfind(kByteOrderMark, 0) == 0) {
            byteOrderMark_ = true;
            bytes.erase(0, kByteOrderMark.size());
        }
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) {
                end = bytes.size();
            }
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
                lineEnd_ = "\r\n";
            }
            lines_.push_back(std::move(line));
            start = end + 1;
        }
    }

    // The value read for the key, or fallback when the section or key is missing.
    std::string Read(std::string_view section, std::string_view key,
                     const std::string& fallback) const {
        std::size_t at = FindKey(section, key);
        std::string_view name;
        std::string_view value;
        if (at == kNone || !KeyOfLine(lines_[at], name, value)) {
            return fallback;
        }
        return ValueRead(value);
    }

    void Write(const std::string& section, const std::string& key, const std::string& value) {
        std::string line = key + "=" + ValueStored(value);
        std::size_t at = FindKey(section, key);
        if (at != kNone) {
            lines_[at] = line;
            return;
        }
        std::size_t end = SectionEnd(section);
        if (end == kNone) {
            lines_.push_back("[" + section + "]");
            end = lines_.size();
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), line);
    }

    std::string Text() const {
        std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
        for (const std::string& line : lines_) {
            text += line + lineEnd_;
        }
        return text;
    }

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // The index of the first line of the key in the first section of that name.
    std::size_t FindKey(std::string_view section, std::string_view key) const {
        bool inside = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            std::string_view name;
            std::string_view value;
            if (SectionOfLine(lines_[i], name)) {
                inside = SameName(name, section);
            } else if (inside && KeyOfLine(lines_[i], name, value) && SameName(name, key)) {
                return i;
            }
        }
        return kNone;
    }

    // Where a new key of the section goes: after its last non-blank line.
    std::size_t SectionEnd(std::string_view section) const {
        std::size_t end = kNone;
        bool inside = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            std::string_view name;
            if (SectionOfLine(lines_[i], name)) {
                if (inside) {
                    break;
                }
                inside = SameName(name, section);
                end = inside ? i + 1 : end;
            } else if (inside && !Trimmed(lines_[i]).empty()) {
                end = i + 1;
            }
        }
        return end;
    }

    std::vector<std::string> lines_;
    std::string lineEnd_ = "\n";
    bool byteOrderMark_ = false;
};

bool IsDigitIn(char c, int base) {
    if (c >= '0' && c <= '9') {
        return true;
    }
    char lower = static_cast<char>(c | 0x20);
    return base == 16 && lower >= 'a' && lower <= 'f';
}

// Decimal, or hexadecimal after "0x"/"0X"; fallback for anything else or out of range.
int IntegerOf(const std::string& text, int fallback) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    int base = hex ? 16 : 10;
    std::string digits = hex ? text.substr(2) : text;
    std::size_t first = !hex && !digits.empty() && (digits[0] == '-' || digits[0] == '+');
    if (digits.size() <= first) {
        return fallback;
    }
    for (std::size_t i = first; i < digits.size(); ++i) {
        if (!IsDigitIn(digits[i], base)) {
            return fallback;
        }
    }
    errno = 0;
    long long value = std::strtoll(digits.c_str(), nullptr, base);
    if (errno != 0 || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return fallback;
    }
    return static_cast<int>(value);
}

int ReadInteger(const Profile& profile, std::string_view section, std::string_view key,
                int fallback) {
    return IntegerOf(profile.Read(section, key, ""), fallback);
}

// Entries between ","s; nothing follows a final ",", and an empty value holds none.
std::vector<std::string> HistoryOf(const std::string& value) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t comma = value.find(',', start);
        if (comma == std::string::npos) {
            comma = value.size();
        }
        entries.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return entries;
}

// The list without the current text, without entries that could not be read back as
// themselves, and at most six long.
std::string HistoryValue(const std::vector<std::string>& history, const std::string& current) {
    std::string value;
    std::size_t taken = 0;
    for (const std::string& entry : history) {
        if (taken == kMaxHistoryEntries) {
            break;
        }
        if (entry == current || entry.find(',') != std::string::npos || HasLineBreak(entry)) {
            continue;
        }
        value += (taken++ == 0 ? "" : ",") + entry;
    }
    return value;
}

// A field text that would break the line it is written on is not kept.
std::string FieldValue(const std::string& text) {
    return HasLineBreak(text) ? "" : text;
}

} // namespace

Settings LoadSettings(const std::string& path) {
    Profile profile(path);
    Settings settings;
    settings.windowLeft = ReadInteger(profile, "Window", "Left", 0);
    settings.windowTop = ReadInteger(profile, "Window", "Top", 0);
    settings.cWindowLeft = ReadInteger(profile, "cWindow", "Left", 0);
    settings.cWindowTop = ReadInteger(profile, "cWindow", "Top", 0);
    settings.cWindowWidth = ReadInteger(profile, "cWindow", "Width", 0);
    settings.cWindowHeight = ReadInteger(profile, "cWindow", "Height", 0);
    settings.freeSpacePercent = ReadInteger(profile, "Option", "Position", 95);
    settings.verifyAfterWrite = ReadInteger(profile, "Option", "Verify", 1) != 0;
    settings.ejectWritten = ReadInteger(profile, "Option", "Eject", 1) != 0;
    settings.packTight = ReadInteger(profile, "Option", "Pack", 0) != 0;
    // A count beyond what a divide takes is read as none, never as more than it can make.
    settings.recoveryDisks = ReadInteger(profile, "Option", "Recovery", 0);
    if (settings.recoveryDisks < 0 || settings.recoveryDisks > kMaxRecoveryDisks) {
        settings.recoveryDisks = 0;
    }
    settings.source = profile.Read("Folder", "source", "");
    settings.divide = profile.Read("Folder", "divide", "");
    settings.dest = profile.Read("Folder", "dest", "");
    settings.history = HistoryOf(profile.Read("Folder", "history", ""));
    return settings;
}

bool SaveSettings(const std::string& path, const Settings& settings, std::string& failure) {
    Profile profile(path);
    profile.Write("Window", "Left", std::to_string(settings.windowLeft));
    profile.Write("Window", "Top", std::to_string(settings.windowTop));
    profile.Write("cWindow", "Left", std::to_string(settings.cWindowLeft));
    profile.Write("cWindow", "Top", std::to_string(settings.cWindowTop));
    profile.Write("cWindow", "Width", std::to_string(settings.cWindowWidth));
    profile.Write("cWindow", "Height", std::to_string(settings.cWindowHeight));
    profile.Write("Option", "Position", std::to_string(settings.freeSpacePercent));
    profile.Write("Option", "Verify", settings.verifyAfterWrite ? "1" : "0");
    profile.Write("Option", "Eject", settings.ejectWritten ? "1" : "0");
    profile.Write("Option", "Pack", settings.packTight ? "1" : "0");
    profile.Write("Option", "Recovery", std::to_string(settings.recoveryDisks));
    profile.Write("Folder", "source", FieldValue(settings.source));
    profile.Write("Folder", "divide", FieldValue(settings.divide));
    profile.Write("Folder", "dest", FieldValue(settings.dest));
    profile.Write("Folder", "history", HistoryValue(settings.history, settings.dest));
    std::string folder = Utf8Of(PathOf(path).parent_path());
    if ((!folder.empty() && !CreateFolders(folder)) || !WriteFileAtomically(path, profile.Text())) {
        failure = CannotWriteSettingsMessage(path);
        return false;
    }
    return true;
}

} // namespace arbolink
