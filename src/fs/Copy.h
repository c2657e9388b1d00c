// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copying one file, in chunks, so that the user interface can run between them.
//
// Every copy goes to a file of the program's own in the target's folder, unnamed where the file
// system allows it and under a temporary name (see TemporaryName) elsewhere, and takes the
// target's name only when complete: the target's name never holds a partial file, also when
// the program is killed half way.

#include "fs/BetweenChunks.h"
#include "fs/Sha256.h"

#include <cstdint>
#include <functional>
#include <string>

namespace arbolink {

enum class CopyResult {
    Copied,
    Failed,
    Cancelled,
    SizeChanged,     // the source has not the size the caller counted on, or changed meanwhile
    ContentMismatch, // the bytes read do not hash to the digest the caller expected
};

// Which side of a failed copy the system refused: reading the source or writing the target.
enum class CopySide {
    None,
    Source,
    Target,
};

// Whether a source that is a symbolic link is followed to its file or refused like a file
// that is not a regular one.
enum class SourceLinks {
    Follow,
    Refuse,
};

// What a copy learns of the content it moves. Each digest is of the bytes as read from the
// source and written to the target, so the source is read once.
struct ContentCheck {
    Sha256Digest* digest = nullptr; // when set: receives the SHA-256 of a copied file
    // When set: a copy whose bytes hash otherwise ends in ContentMismatch, before the target's
    // name is touched.
    const Sha256Digest* expected = nullptr;

    bool wanted() const { return digest != nullptr || expected != nullptr; }
};

// The file a name leads to: its volume and its number there. Two names of one file have equal
// identities, on file systems that keep a file's number (a FUSE file system may give one file
// a new number for every name it is looked up by).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Asked, with the identity of what already has the target's name, whether the finished copy
// may take its place; an empty check never allows it.
using ReplaceCheck = std::function<bool(const FileIdentity&)>;

struct CopyOutcome {
    CopyResult result = CopyResult::Failed;
    CopySide side = CopySide::None; // on Failed: the side that failed
    int error = 0; // on Failed: the system's reason as an errno value; EINVAL for a source that
                   // is not a regular file, ELOOP or ENOTDIR for a link or a file in the way of
                   // the target's folders (named in blockedAt)
    std::string blockedAt;
    // On Copied by CopyFileBelow: the name the copy took in its folder, which differs from the
    // target's own where that was taken, and the copy's identity (where mayReplace was given).
    std::string takenName;
    FileIdentity identity;
};

// Copies source to target, replacing an existing target, in chunks of about 8 MiB; keeps the
// modification time and permission bits. betweenChunks runs after every chunk but the last,
// told the bytes copied so far, and answers false to cancel. A source that is not a regular file (a
// folder, FIFO, device or socket) is never opened for reading. At most the source's size at the
// open is copied, or expectedSize bytes when that is 0 or more; a source of another size at the
// open is left alone, and one that grows or shrinks while it is copied, answers SizeChanged. A
// failed, cancelled or changed copy leaves no trace: the target keeps what it held. With a content
// check the bytes are hashed on the way (see ContentCheck).
CopyOutcome CopyFileTo(const std::string& source, const std::string& target,
                       const BetweenChunks& betweenChunks, std::int64_t expectedSize,
                       SourceLinks links, const ContentCheck& check = {});

// The same into root + relative (a file path below root in the platform's form), where the
// folders between root and the file are opened one at a time and never through a link: a
// link or a file named like one of them ends the copy (ELOOP or ENOTDIR on the target side)
// before anything is written. The folders must exist; root is taken as the user named it.
// The copy is created as a new file: whatever has the target's name when it is finished (on a
// file system that folds letter case or normalises names, a name spelt otherwise counts) is
// replaced only when mayReplace allows it, and a link there is then replaced, never written
// through. Otherwise the copy takes the first free NumberedName in the same folder ("name
// (2).ext"), never replacing anything there; takenName tells which.
CopyOutcome CopyFileBelow(const std::string& source, const std::string& root,
                          const std::string& relative, const BetweenChunks& betweenChunks,
                          SourceLinks links, const ReplaceCheck& mayReplace,
                          const ContentCheck& check = {});

// CopyFileTo, following a source link and with no expected size; betweenChunks is not told
// the bytes.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks);

// CopyFileTo, following a source link; on Failed, error holds the outcome's error.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize = -1);

// Writes everything cached for the file system that holds the folder out to its medium, so
// that the disk can be taken out. False (error set as above) when that fails.
bool FlushFileSystem(const std::string& folder, int& error);

} // namespace arbolink
