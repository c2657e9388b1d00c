// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words after a subcommand, sorted into options and operands by the conventions of
// command-line tools: "--name value" or "--name=value", "-y" for a flag with a letter
// (several letters may share one dash, "-yh"), "--" ends the options, and "-" alone is an
// operand. Every command takes its options from one table, so an option means the same in all.

#include "core/Phrase.h"
#include "core/PlanningValues.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink::cli {

enum class OptionKind {
    Flag,       // takes no value
    Value,      // takes one value, once
    Repeatable, // takes one value, any number of times
};

struct Option {
    std::string_view name; // "--yes"
    char letter;           // 'y' for "-y"; 0 when it has none
    OptionKind kind;
};

// Every option of the tool. "--help" and "--version" are taken by every command.
const std::vector<Option>& AllOptions();

struct Arguments {
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>> values;
    std::set<std::string> flags;
    bool help = false;    // "--help" or "-h" was given: nothing else is looked at
    bool version = false; // "--version" or "-V" was given: nothing else is looked at

    bool Has(const std::string& name) const { return flags.count(name) + values.count(name) > 0; }
    // The value of an option given once, or nullopt.
    std::optional<std::string> Value(const std::string& name) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> All(const std::string& name) const;
};

// What is wrong with a command line: a message pattern with one %1 and the word it names.
struct UsageError {
    std::reference_wrapper<const Phrase> pattern;
    std::string subject;
};

// The text as a decimal whole number, or nullopt when it is none or out of range.
std::optional<std::int64_t> WholeNumber(const std::string& text);

// A folder named on the command line as an absolute path: the commands tell drives by
// absolute paths, and a relative one names none. Empty stays empty.
std::string AbsolutePath(const std::string& path);

// Sorts the words; accepted names the long options of AllOptions the command takes. The
// first "--help" or "--version" ends the sorting, wherever it stands before "--".
std::optional<UsageError> ParseArguments(const std::vector<std::string>& args,
                                         const std::vector<std::string_view>& accepted,
                                         Arguments& parsed);

// The value of "--pack" into packing: "tight" or "in-order"; packing stays as it is when the
// option is not given.
std::optional<UsageError> TakePacking(const Arguments& parsed, Packing& packing);

} // namespace arbolink::cli
