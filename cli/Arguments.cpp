// SPDX-License-Identifier: GPL-3.0-or-later
#include "Arguments.h"

#include "CliMessages.h"
#include "fs/Utf8Path.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace arbolink::cli {

namespace {

constexpr std::string_view kHelp = "--help";
constexpr std::string_view kVersion = "--version";

const Option* Find(const std::vector<std::string_view>& accepted, auto matches) {
    const std::vector<Option>& all = AllOptions();
    auto found = std::find_if(all.begin(), all.end(), matches);
    if (found == all.end()) {
        return nullptr;
    }
    const bool taken = found->name == kHelp || found->name == kVersion ||
                       std::find(accepted.begin(), accepted.end(), found->name) != accepted.end();
    return taken ? &*found : nullptr;
}

// Notes a flag; answers true when it ends the sorting.
bool TakeFlag(const Option& option, Arguments& parsed) {
    if (option.name == kHelp) {
        parsed.help = true;
        return true;
    }
    if (option.name == kVersion) {
        parsed.version = true;
        return true;
    }
    parsed.flags.insert(std::string(option.name));
    return false;
}

// Sorts "-abc": letters of flags only. Answers true when the sorting ends.
bool TakeLetters(const std::string& word, const std::vector<std::string_view>& accepted,
                 Arguments& parsed, std::optional<UsageError>& error) {
    for (std::size_t i = 1; i < word.size(); ++i) {
        const char letter = word[i];
        const Option* option = Find(accepted, [&](const Option& o) { return o.letter == letter; });
        if (option == nullptr) {
            error = UsageError{msg::kUnknownOption, std::string("-") + letter};
            return true;
        }
        if (TakeFlag(*option, parsed)) {
            return true;
        }
    }
    return false;
}

} // namespace

const std::vector<Option>& AllOptions() {
    static const std::vector<Option> options{
        {kHelp, 'h', OptionKind::Flag},
        {kVersion, 'V', OptionKind::Flag},
        {"--yes", 'y', OptionKind::Flag},
        {"--empty-destination", 0, OptionKind::Flag},
        {"--program-copy", 0, OptionKind::Flag},
        {"--percent", 0, OptionKind::Value},
        {"--disk-folders", 0, OptionKind::Value},
        {"--capacity", 0, OptionKind::Value},
        {"--cluster-size", 0, OptionKind::Value},
        {"--from", 0, OptionKind::Repeatable},
        {"--free-bytes", 0, OptionKind::Value},
        {"--drive-root", 0, OptionKind::Flag},
        {"--program", 0, OptionKind::Value},
        {"--json", 0, OptionKind::Flag},
        {"--no-verify", 0, OptionKind::Flag},
        {"--restore-to", 0, OptionKind::Value},
        {"--no-eject", 0, OptionKind::Flag},
        {"--pack", 0, OptionKind::Value},
        {"--recovery-disks", 0, OptionKind::Value},
        {"--disk", 0, OptionKind::Value},
        {"--burn", 0, OptionKind::Value},
    };
    return options;
}

std::optional<UsageError> TakePacking(const Arguments& parsed, Packing& packing) {
    const std::optional<std::string> text = parsed.Value("--pack");
    if (!text) {
        return std::nullopt;
    }
    if (*text == "tight") {
        packing = Packing::Tight;
    } else if (*text == "in-order") {
        packing = Packing::InOrder;
    } else {
        return UsageError{msg::kBadPacking, *text};
    }
    return std::nullopt;
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
    auto found = values.find(name);
    if (found == values.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second.front();
}

std::vector<std::string> Arguments::All(const std::string& name) const {
    auto found = values.find(name);
    return found == values.end() ? std::vector<std::string>{} : found->second;
}

std::optional<std::int64_t> WholeNumber(const std::string& text) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(PathOf(path), ignored);
    return absolute.empty() ? path : Utf8Of(absolute);
}

std::optional<UsageError> ParseArguments(const std::vector<std::string>& args,
                                         const std::vector<std::string_view>& accepted,
                                         Arguments& parsed) {
    std::optional<UsageError> error;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--") {
            parsed.operands.insert(parsed.operands.end(), args.begin() + i + 1, args.end());
            break;
        }
        if (word.size() < 2 || word[0] != '-') {
            parsed.operands.push_back(word);
            continue;
        }
        if (word[1] != '-') {
            if (TakeLetters(word, accepted, parsed, error)) {
                break;
            }
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const Option* option = Find(accepted, [&](const Option& o) { return o.name == name; });
        if (option == nullptr) {
            error = UsageError{msg::kUnknownOption, name};
            break;
        }
        if (option->kind == OptionKind::Flag) {
            if (equals != std::string::npos) {
                error = UsageError{msg::kFlagWithValue, name};
                break;
            }
            if (TakeFlag(*option, parsed)) {
                break;
            }
            continue;
        }
        if (option->kind == OptionKind::Value && parsed.values.count(name) != 0) {
            error = UsageError{msg::kRepeatedOption, name};
            break;
        }
        if (equals == std::string::npos && i + 1 >= args.size()) {
            error = UsageError{msg::kMissingValue, name};
            break;
        }
        parsed.values[name].push_back(equals == std::string::npos ? args[++i]
                                                                  : word.substr(equals + 1));
    }
    return error;
}

} // namespace arbolink::cli
