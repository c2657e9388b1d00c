#pragma once
// The words after a subcommand, sorted into options and operands.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace arbolink::cli {

// The options a subcommand knows. Every one is written "--name"; a value follows as the next
// word or after "=" ("--capacity 25G", "--capacity=25G").
struct OptionSpec {
    std::set<std::string> flags;      // take no value
    std::set<std::string> values;     // take one value, once
    std::set<std::string> repeatable; // take one value, any number of times
};

struct Arguments {
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>> values;
    std::set<std::string> flags;
    bool help = false; // "--help" was given: nothing else is looked at

    bool Has(const std::string& name) const { return flags.count(name) + values.count(name) > 0; }
    // The value of an option given once, or nullopt.
    std::optional<std::string> Value(const std::string& name) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> All(const std::string& name) const;
};

// What is wrong with a command line: a message pattern with one %s and the word it names.
struct UsageError {
    const char* pattern = nullptr;
    std::string subject;
};

// A folder named on the command line as an absolute path: the commands tell drives by
// absolute paths, and a relative one names none. Empty stays empty.
std::string AbsolutePath(const std::string& path);

// Sorts the words. "--" ends the options; every word after it is an operand.
std::optional<UsageError> ParseArguments(const std::vector<std::string>& args,
                                         const OptionSpec& spec, Arguments& parsed);

} // namespace arbolink::cli
