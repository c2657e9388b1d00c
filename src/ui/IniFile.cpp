#include "ui/IniFile.h"

#include "fs/Folders.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace arbolink {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The section a line opens, if it is a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        return Trim(line.substr(1, line.size() - 2));
    }
    return std::nullopt;
}

// The key of a "key=value" line; comments (";") and other lines have none.
std::optional<std::string_view> KeyOf(std::string_view line) {
    std::string_view trimmed = Trim(line);
    std::size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(0, equals));
}

// Cuts a value to at most kMaxValueBytes without splitting a UTF-8 character.
std::string Truncated(std::string_view value) {
    if (value.size() <= kMaxValueBytes) {
        return std::string(value);
    }
    std::size_t end = kMaxValueBytes;
    while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(value.substr(0, end));
}

// The settings file's lines, kept as they are so that comments, unknown sections and keys
// survive a rewrite.
class Profile {
public:
    explicit Profile(std::string_view text) {
        while (!text.empty()) {
            std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            lines_.emplace_back(line);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
    }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        auto [begin, end] = SectionRange(section);
        for (std::size_t i = begin; i < end; ++i) {
            auto lineKey = KeyOf(lines_[i]);
            if (lineKey && SameName(*lineKey, key)) {
                std::string_view value =
                    Trim(std::string_view(lines_[i]).substr(lines_[i].find('=') + 1));
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                    value = value.substr(1, value.size() - 2);
                }
                return Truncated(value);
            }
        }
        return std::nullopt;
    }

    void Set(std::string_view section, std::string_view key, std::string_view value) {
        std::string line = std::string(key) + "=" + Quoted(value);
        auto [begin, end] = SectionRange(section);
        if (begin == 0 && end == 0) {
            if (!lines_.empty() && !Trim(lines_.back()).empty()) {
                lines_.emplace_back();
            }
            lines_.push_back("[" + std::string(section) + "]");
            lines_.push_back(line);
            return;
        }
        std::size_t last = begin;
        for (std::size_t i = begin; i < end; ++i) {
            auto lineKey = KeyOf(lines_[i]);
            if (lineKey && SameName(*lineKey, key)) {
                lines_[i] = line;
                return;
            }
            if (!Trim(lines_[i]).empty()) {
                last = i + 1;
            }
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last), line);
    }

    std::string Text() const {
        std::string text;
        for (const std::string& line : lines_) {
            text += line + "\n";
        }
        return text;
    }

private:
    // A value with blanks at either end, or one already quoted, is written in quotes, because
    // reading drops blanks and one pair of quotes.
    static std::string Quoted(std::string_view value) {
        const bool needsQuotes =
            !value.empty() && (Trim(value).size() != value.size() ||
                               (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
        return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
    }

    // The lines of a section's body, [begin, end); {0, 0} when the section is missing.
    std::pair<std::size_t, std::size_t> SectionRange(std::string_view section) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            auto name = SectionOf(lines_[i]);
            if (name && SameName(*name, section)) {
                std::size_t end = i + 1;
                while (end < lines_.size() && !SectionOf(lines_[end])) {
                    ++end;
                }
                return {i + 1, end};
            }
        }
        return {0, 0};
    }

    std::vector<std::string> lines_;
};

int ReadInt(const Profile& profile, std::string_view section, std::string_view key, int fallback) {
    std::optional<std::string> value = profile.Get(section, key);
    if (!value || value->empty()) {
        return fallback;
    }
    std::string_view text = *value;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    int result = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return fallback;
    }
    return result;
}

std::vector<std::string> SplitHistory(const std::string& value) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t comma = value.find(',', start);
        if (comma == std::string::npos) {
            entries.push_back(value.substr(start));
            break;
        }
        entries.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
    return entries;
}

// At most six entries other than the current text; an entry holding "," would come back as
// two, so it is left out.
std::string JoinHistory(const Settings& settings) {
    std::string joined;
    int kept = 0;
    for (const std::string& entry : settings.history) {
        if (kept == 6) {
            break;
        }
        if (entry == settings.dest || entry.find(',') != std::string::npos) {
            continue;
        }
        joined += (kept++ ? "," : "") + entry;
    }
    return joined;
}

std::string ParentFolder(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, std::max<std::size_t>(slash, 1));
}

std::string FileName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithIniExtension(const std::string& programFile) {
    std::size_t slash = programFile.find_last_of('/');
    std::size_t dot = programFile.find_last_of('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? programFile.substr(0, dot) : programFile) + ".ini";
}

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/arbolink";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/arbolink";
}

} // namespace

std::string SettingsFilePath(const std::string& programFile) {
    const std::string beside = WithIniExtension(programFile);
    // A portable copy keeps its settings with it; an installed one uses the user's folder.
    if (FileExists(beside) || access(ParentFolder(beside).c_str(), W_OK) == 0) {
        return beside;
    }
    return UserConfigFolder() + "/" + FileName(beside);
}

Settings LoadSettings(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text, 16 * 1024 * 1024)) {
        text.clear();
    }
    const Profile profile(text);
    Settings settings;
    settings.windowLeft = ReadInt(profile, "Window", "Left", 0);
    settings.windowTop = ReadInt(profile, "Window", "Top", 0);
    settings.cWindowLeft = ReadInt(profile, "cWindow", "Left", 0);
    settings.cWindowTop = ReadInt(profile, "cWindow", "Top", 0);
    settings.cWindowWidth = ReadInt(profile, "cWindow", "Width", 0);
    settings.cWindowHeight = ReadInt(profile, "cWindow", "Height", 0);
    settings.freeSpacePercent = ReadInt(profile, "Option", "Position", 95);
    settings.source = profile.Get("Folder", "source").value_or("");
    settings.divide = profile.Get("Folder", "divide").value_or("");
    settings.dest = profile.Get("Folder", "dest").value_or("");
    settings.history = SplitHistory(profile.Get("Folder", "history").value_or(""));
    return settings;
}

bool SaveSettings(const std::string& path, const Settings& settings, std::string& failure) {
    std::string text;
    if (!ReadWholeFile(path, text, 16 * 1024 * 1024)) {
        text.clear();
    }
    Profile profile(text);
    profile.Set("Window", "Left", std::to_string(settings.windowLeft));
    profile.Set("Window", "Top", std::to_string(settings.windowTop));
    profile.Set("cWindow", "Left", std::to_string(settings.cWindowLeft));
    profile.Set("cWindow", "Top", std::to_string(settings.cWindowTop));
    profile.Set("cWindow", "Width", std::to_string(settings.cWindowWidth));
    profile.Set("cWindow", "Height", std::to_string(settings.cWindowHeight));
    profile.Set("Option", "Position", std::to_string(settings.freeSpacePercent));
    profile.Set("Folder", "source", settings.source);
    profile.Set("Folder", "divide", settings.divide);
    profile.Set("Folder", "dest", settings.dest);
    profile.Set("Folder", "history", JoinHistory(settings));
    CreateFolders(ParentFolder(path));
    if (!WriteFileAtomically(path, profile.Text())) {
        failure = path + " に書き込めません";
        return false;
    }
    return true;
}

} // namespace arbolink
