#include "Arguments.h"

#include "CliMessages.h"
#include "fs/Utf8Path.h"

#include <filesystem>

namespace arbolink::cli {

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

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(PathOf(path), ignored);
    return absolute.empty() ? path : Utf8Of(absolute);
}

std::optional<UsageError> ParseArguments(const std::vector<std::string>& args,
                                         const OptionSpec& spec, Arguments& parsed) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || !word.starts_with("--")) {
            parsed.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help") {
            parsed.help = true;
            return std::nullopt;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (spec.flags.count(name) != 0 && equals == std::string::npos) {
            parsed.flags.insert(name);
            continue;
        }
        const bool once = spec.values.count(name) != 0;
        if (!once && spec.repeatable.count(name) == 0) {
            return UsageError{msg::kUnknownOption, word};
        }
        if (once && parsed.values.count(name) != 0) {
            return UsageError{msg::kRepeatedOption, name};
        }
        if (equals == std::string::npos && i + 1 >= args.size()) {
            return UsageError{msg::kMissingValue, name};
        }
        parsed.values[name].push_back(equals == std::string::npos ? args[++i]
                                                                  : word.substr(equals + 1));
    }
    return std::nullopt;
}

} // namespace arbolink::cli
