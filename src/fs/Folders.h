// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Path and folder operations shared by the split and restore sides.
//
// Paths are UTF-8 strings in the platform's own form. None of these operations shows a
// message: each answers with its result and the calling command words the outcome.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The separator between folder names in a set's index, on every platform.
inline constexpr char kIndexSeparator = '\\';

// The path as a folder prefix: unchanged when it already ends in the platform's separator,
// otherwise with one appended. The empty path gives the separator alone.
std::string AddBackslash(const std::string& path);

// A relative folder in index form ("docs\old\") from the platform's form ("docs/old/"),
// and back. On Windows both forms are the same.
std::string ToIndexFolder(std::string_view platformFolder);
std::string FromIndexFolder(std::string_view indexFolder);
// FromIndexFolder appended to path, for building many paths in one buffer.
void AppendFromIndexFolder(std::string& path, std::string_view indexFolder);

// The longest path, in bytes, that the platform's file calls take: PATH_MAX less its final
// NUL on POSIX; on Windows the "\\?\" form's 32767 UTF-16 units, which a UTF-8 text of
// that many bytes never exceeds.
#ifdef _WIN32
inline constexpr std::size_t kMaxPathBytes = 32767;
#else
inline constexpr std::size_t kMaxPathBytes = 4095;
#endif

// True when the folder holds at least one entry of any kind (hidden ones included). A folder
// that does not exist or cannot be listed answers false.
bool FolderHasEntries(const std::string& folder);

// Deletes everything below the folder, depth first, and then the folder itself unless its
// path equals emptyingFolder exactly (the folder the user agreed to empty stays). Symbolic
// links are removed, never followed; another mounted file system below the folder is never
// entered. A failure does not stop the walk. Answers true only when every removal succeeded.
bool DeleteFolderContents(const std::string& folder, const std::string& emptyingFolder);

// True when the two names of one folder's entries name the same entry: exact on POSIX, in
// either letter case on Windows, as its file systems compare.
bool SameFileName(std::string_view a, std::string_view b);

// True when the two folders are one, or one lies below the other, as the file system
// resolves them (links and ".." followed; a part that does not exist yet taken as written).
// Emptying either folder would then delete files of the other.
bool FoldersOverlap(const std::string& a, const std::string& b);

// True when inner is outer itself or lies below it, resolved as FoldersOverlap resolves them.
bool FolderWithin(const std::string& inner, const std::string& outer);

bool FolderExists(const std::string& path);
// The folder itself when it exists, otherwise the nearest folder above it that does: the
// folder a path not created yet would be made in. Empty for a relative path, and when the
// nearest existing entry is not a folder (no folder can be made below a file).
std::string NearestExistingFolder(const std::string& path);
bool FileExists(const std::string& path);
// True when anything at all has that name: a file, a folder, a link (not followed, so a
// dangling one counts), a FIFO, a device.
bool EntryExists(const std::string& path);
// True when the program may create files in the existing folder: false on a read-only file
// system or without the right to write there.
bool FolderTakesFiles(const std::string& folder);

// Whether a file system takes two names that differ only in letter case for one name.
enum class LetterCase {
    Folded,  // "A.txt" and "a.txt" name one file
    Kept,    // they name two files
    Unknown, // the folder could not be probed (missing, read-only)
};

// How the file system of the existing folder treats letter case: a probe file created there
// under a temporary name is looked up with its letters made capitals, and removed again.
LetterCase ProbeLetterCase(const std::string& folder);

// The size in bytes of a regular file (a link is followed); -1 when there is none.
std::int64_t FileSizeOf(const std::string& path);

// Creates the folder with all missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);

// Where a walk below a folder stopped, and why.
struct FolderWalkStop {
    std::string path; // the entry the walk could not pass: root + the folders up to it
    int error = 0;    // ELOOP: a link in the way; ENOTDIR: something else than a folder;
                      // otherwise the system's reason as an errno value
};

// Creates the relative folder ("docs/old/", platform form; "" for root itself) below root, one
// folder at a time, never following a link: a link named like one of its folders, wherever it
// points, ends the walk, and nothing is created through it. root is taken as the user named
// it, and created with its parents when missing. True when every folder exists afterwards as
// a real folder; otherwise stop says where and why the walk ended.
bool CreateFoldersBelow(const std::string& root, std::string_view relative, FolderWalkStop& stop);

// A new name for a temporary file of the program's own: written under it, a file is renamed to
// its real name only when complete, so a half-written file never carries a real name.
std::string TemporaryName();

// The program's folder of working files: $XDG_CACHE_HOME/arbolink, or ~/.cache/arbolink when
// that is not set to an absolute path; a folder prefix. Empty when neither can be known.
std::string ProgramCacheFolder();

// True for a name TemporaryName gives: a file left under it is a write cut short by a crash.
bool IsTemporaryName(std::string_view name);

// Removes the program's temporary files (regular files or links named as TemporaryName names
// them) directly in the folder, left there by a run that was killed. Never enters a folder.
// Answers false when one of them could not be removed.
bool RemoveTemporaryFiles(const std::string& folder);

// True when the folder is the root of a mounted volume (a drive root), where a set lives in
// the folder "@dummy@" rather than in the root itself.
bool IsDriveRoot(const std::string& folder);

// The full path of the running program's own file; empty when it cannot be found.
std::string ProgramFilePath();

// What a directory listing entry is, after following a symbolic link once. One byte: walks
// keep the kinds of a whole tree's entries.
enum class EntryKind : std::uint8_t {
    Folder,       // a real folder (not a link)
    File,         // a regular file, or a link to one
    LinkToFolder, // a symbolic link to a folder: never followed
    DanglingLink, // a symbolic link whose target is missing or unreadable
    LinkLoop,     // a symbolic link that leads back to itself through links
    Special,      // a FIFO, socket or device: never opened
};

struct FolderEntry {
    std::string name;
    EntryKind kind = EntryKind::File;
    std::int64_t size = 0; // bytes, for files when sizes were asked for
};

// Lists one folder in the order the file system yields its entries, "." and ".." left out.
// With withSizes the size of every file is read as well. Answers false when the folder
// cannot be listed; entries read before a failure are kept.
bool ListFolder(const std::string& folderPrefix, bool withSizes, std::vector<FolderEntry>& entries);

// What a folder looked like when it was listed: adding, removing or renaming an entry in the
// folder changes it. Two stamps are equal only when both are known.
struct FolderStamp {
    bool known = false; // false where the platform gives no stamp
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;  // nanoseconds
    bool Matches(const FolderStamp& other) const {
        return known && other.known && device == other.device && inode == other.inode &&
               modified == other.modified && changed == other.changed;
    }
};

// ListFolder without sizes, answering as well the folder's stamp, taken before the entries
// are read so that a change made while they are read shows.
bool ListFolderStamped(const std::string& folderPrefix, std::vector<FolderEntry>& entries,
                       FolderStamp& stamp);

// Makes a listing that ListFolderStamped made of the folder what ListFolder with sizes would
// list now: reads the size (and kind) of each file entry. Answers false, leaving the caller to
// list the folder again, when the folder no longer has the stamp or cannot be opened: the
// entries may then be others. Listing a large tree twice costs more than the sizes; this is
// what lets a second walk skip the listing.
bool SizeListedEntries(const std::string& folderPrefix, const FolderStamp& stamp,
                       std::vector<FolderEntry>& entries);

// Writes the bytes to a temporary file beside the path, flushes them to the medium and then
// renames it over the path, so that the file is never left half-written under its own name.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read, or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::int64_t maxBytes);

// What reading a file that must be a plain file came to.
enum class PlainRead {
    Read,       // bytes hold the whole file
    Unreadable, // nothing of that name, or it could not be opened or read
    NotPlain,   // a link, folder, FIFO, socket or device: never read
    TooLarge,   // larger than maxBytes
};

// Reads a whole regular file from a disk that may have been made by anyone: a link at the
// name is never followed, and no open can wait on a FIFO or a device; the kind is checked on
// the very handle that is read from.
PlainRead ReadPlainFile(const std::string& path, std::string& bytes, std::int64_t maxBytes);

} // namespace arbolink
