// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/LetterCase.h"

#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestorePaths.h"
#include "fs/Encoding.h"
#include "fs/Folders.h"

#include <optional>
#include <unordered_map>

namespace arbolink {

namespace {

// The warning names at most this many clashes; a count says the rest.
constexpr std::size_t kClashesShown = 20;

// Every spelling of each path as the case-folding file systems compare them, and each clash
// once.
class ClashFinder {
public:
    // The path and each folder it lies in, shortest first.
    void AddPath(const std::string& path) {
        for (std::size_t slash = path.find_first_of("/\\"); slash != std::string::npos;
             slash = path.find_first_of("/\\", slash + 1)) {
            Add(path.substr(0, slash));
        }
        Add(path);
    }

    std::vector<CaseClash> Take() { return std::move(clashes_); }

private:
    void Add(const std::string& spelling) {
        std::vector<std::string>& seen = spellings_[UpperCase(spelling)];
        for (const std::string& other : seen) {
            if (other == spelling) {
                return;
            }
        }
        if (!seen.empty()) {
            clashes_.push_back({seen.front(), spelling});
        }
        seen.push_back(spelling);
    }

    std::unordered_map<std::string, std::vector<std::string>> spellings_;
    std::vector<CaseClash> clashes_;
};

} // namespace

std::vector<CaseClash> FindCaseClashes(const FileTable& table, std::size_t rows) {
    ClashFinder finder;
    for (std::size_t row = 0; row < rows; ++row) {
        std::optional<std::string> path =
            RestorePathOf(table.Cell(Folder, row), table.Cell(Name, row));
        if (path) {
            finder.AddPath(*path);
        }
    }
    return finder.Take();
}

std::optional<std::vector<CaseClash>> CaseClashesIn(const FileTable& table, std::size_t rows,
                                                    const std::string& restoreFolder) {
    const LetterCase letterCase = ProbeLetterCase(restoreFolder);
    if (letterCase == LetterCase::Unknown) {
        return std::nullopt;
    }
    if (letterCase == LetterCase::Kept) {
        return std::vector<CaseClash>{};
    }
    return FindCaseClashes(table, rows);
}

std::string CaseClashWarning(const std::vector<CaseClash>& clashes) {
    if (clashes.empty()) {
        return {};
    }
    std::string text = Formatted(msg::kCaseClashes, clashes.size());
    for (std::size_t i = 0; i < clashes.size() && i < kClashesShown; ++i) {
        text += "\n" + Formatted(msg::kCaseClashAnd, clashes[i].first, clashes[i].second);
    }
    if (clashes.size() > kClashesShown) {
        text += Formatted(msg::kMoreCaseClashes, clashes.size() - kClashesShown);
    }
    return text;
}

} // namespace arbolink
