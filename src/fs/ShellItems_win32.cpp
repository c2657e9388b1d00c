// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the shell items' operations. Reparse points (symbolic links, junctions,
// volumes mounted in a folder) are never followed: removed as themselves, and left out of a
// copied folder. Nothing is replaced: every rename and move is made without
// MOVEFILE_REPLACE_EXISTING, and copies go to names that were free.
#include "fs/ShellItems.h"

#include "fs/Copy.h"
#include "fs/Drives.h"
#include "fs/FolderWalk_win32.h"
#include "fs/Folders.h"
#include "fs/ShellItemMove.h"
#include "fs/TreePaths.h"
#include "fs/WideText_win32.h"

#include <cerrno>
#include <vector>
#include <windows.h>
// The shell's headers take their types from windows.h.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace arbolink {

namespace {

ItemResult Failed(int error) {
    return {false, error != 0 ? error : EIO, {}};
}

ItemResult Done(const std::string& path) {
    return {true, 0, path};
}

int ErrnoOfItemCall(DWORD code) {
    switch (code) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    default:
        return ErrnoOfWin32(code);
    }
}

int LastErrno() {
    return ErrnoOfItemCall(GetLastError());
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The item's path without final separators; a drive's root keeps its own ("C:\").
std::string WithoutFinalSeparators(std::string path) {
    while (path.size() > 1 && IsSeparator(path.back()) && !IsDriveRoot(path)) {
        path.pop_back();
    }
    return path;
}

std::string NameOf(const std::string& item) {
    const std::string path = WithoutFinalSeparators(item);
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderOf(const std::string& item) {
    const std::string path = WithoutFinalSeparators(item);
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos) {
        return ".";
    }
    // The folder of "C:\name" is the root "C:\", with its separator.
    return last == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, last);
}

// The absolute form of a path, which the shell's calls need; the path itself when there is none.
std::wstring FullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return wide;
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    full.resize(written < length ? written : 0);
    return full.empty() ? wide : full;
}

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesW(WidePath(path).c_str());
}

bool IsFolderAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsReparse(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Copies one entry and, for a folder, everything below it that is no reparse point.
class TreeCopy {
public:
    void Entry(const std::string& source, const std::string& target) {
        const DWORD attributes = AttributesOf(source);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            Fail(LastErrno());
        } else if (IsReparse(attributes)) {
            Fail(ENOTSUP);
        } else if (IsFolderAttributes(attributes)) {
            Folder(source, target, attributes);
        } else {
            File(source, target);
        }
    }

    int error() const { return error_; }

private:
    void Fail(int error) {
        if (error_ == 0) {
            error_ = error != 0 ? error : EIO;
        }
    }

    // Created as a new file: a file that took the name while the copy ran is never replaced
    // (the copy then takes a free numbered name beside it).
    void File(const std::string& source, const std::string& target) {
        const CopyOutcome outcome = CopyFileBelow(source, FolderOf(target), NameOf(target), {},
                                                  SourceLinks::Refuse, ReplaceCheck());
        if (outcome.result != CopyResult::Copied) {
            Fail(outcome.error);
        }
    }

    void Folder(const std::string& source, const std::string& target, DWORD attributes) {
        if (CreateDirectoryW(WidePath(target).c_str(), nullptr) == 0) {
            Fail(LastErrno());
            return;
        }
        std::vector<FolderEntry> entries;
        if (!ListFolder(AddBackslash(source), false, entries)) {
            Fail(LastErrno());
        }
        for (const FolderEntry& entry : entries) {
            Entry(ChildPath(source, entry.name), ChildPath(target, entry.name));
        }
        // Read-only and hidden come last: a read-only folder could not have been filled.
        constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
        if ((attributes & kKept) != 0 &&
            SetFileAttributesW(WidePath(target).c_str(), attributes & kKept) == 0) {
            Fail(LastErrno());
        }
    }

    int error_ = 0;
};

// Copies item to the path target, which must not exist.
ItemResult CopyTo(const std::string& item, const std::string& target) {
    TreeCopy copy;
    copy.Entry(item, target);
    return copy.error() == 0 ? Done(target) : ItemResult{false, copy.error(), target};
}

// Move and rename without replacing what exists.
int MoveNoReplace(const std::string& from, const std::string& to) {
    return MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0) != 0 ? 0 : LastErrno();
}

// A new spelling of the item's own name, through a free temporary name: a direct rename that
// changes only letter case is taken by a case-folding file system for a clash with the item
// itself, or (Wine's) for a rename that has nothing to do. Where both spellings are two entries,
// the second step finds the name taken and the item gets its name back.
int RenameLetterCase(const std::string& item, const std::string& target) {
    const std::string step = ChildPath(FolderOf(item), TemporaryName());
    int error = MoveNoReplace(item, step);
    if (error != 0) {
        return error;
    }
    error = MoveNoReplace(step, target);
    if (error != 0) {
        MoveNoReplace(step, item);
    }
    return error;
}

// Removes a file, or a link or junction to a folder, as itself.
bool RemoveEntry(const std::string& path, DWORD attributes) {
    const std::wstring wide = WidePath(path);
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(wide.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    return IsFolderAttributes(attributes) ? RemoveDirectoryW(wide.c_str()) != 0
                                          : DeleteFileW(wide.c_str()) != 0;
}

// A shortcut file at path that opens target, written through the shell's IShellLinkW.
int WriteShortcut(const std::string& target, const std::string& path) {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        result = link->SetPath(FullPath(target).c_str());
    }
    if (SUCCEEDED(result)) {
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    if (SUCCEEDED(result)) {
        result = file->Save(FullPath(path).c_str(), TRUE);
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    // Another threading model already set up on this thread is the caller's, and stays.
    if (SUCCEEDED(started)) {
        CoUninitialize();
    }
    if (SUCCEEDED(result)) {
        return 0;
    }
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? ErrnoOfItemCall(HRESULT_CODE(result)) : EIO;
}

} // namespace

bool IsValidItemName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.back() == ' ' || name.back() == '.') {
        return false;
    }
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

ItemResult RenameItem(const std::string& item, const std::string& newName) {
    if (!IsValidItemName(newName)) {
        return Failed(EINVAL);
    }
    const std::string target = ChildPath(FolderOf(item), newName);
    const std::string name = NameOf(item);
    const bool letterCase = name != newName && SameFileName(name, newName);
    const int error = letterCase ? RenameLetterCase(item, target) : MoveNoReplace(item, target);
    return error == 0 ? Done(target) : Failed(error);
}

ItemResult CopyItemInto(const std::string& item, const std::string& folder) {
    const DWORD attributes = AttributesOf(item);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed(LastErrno());
    }
    const bool isFolder = IsFolderAttributes(attributes);
    if (isFolder && FolderWithin(folder, item)) {
        return Failed(EINVAL);
    }
    const std::string target = ChildPath(folder, FreeNameIn(folder, NameOf(item), isFolder));
    return CopyTo(item, target);
}

ItemResult MoveItemInto(const std::string& item, const std::string& folder) {
    const DWORD attributes = AttributesOf(item);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed(LastErrno());
    }
    const bool isFolder = IsFolderAttributes(attributes);
    if (isFolder && IsDriveRoot(item)) {
        return Failed(EBUSY);
    }
    if (SameFileName(Narrow(FullPath(FolderOf(item))), Narrow(FullPath(folder)))) {
        return Done(item);
    }
    if (isFolder && FolderWithin(folder, item)) {
        return Failed(EINVAL);
    }
    return MoveToFreePath(item, ChildPath(folder, NameOf(item)), MoveNoReplace, CopyTo);
}

ItemResult CreateLinkIn(const std::string& item, const std::string& folder,
                        const std::string& linkName) {
    if (!IsValidItemName(linkName)) {
        return Failed(EINVAL);
    }
    if (!EntryExists(item)) {
        return Failed(ENOENT);
    }
    const std::string link = ChildPath(folder, FreeNameIn(folder, linkName + ".lnk", false));
    const int error = WriteShortcut(item, link);
    return error == 0 ? Done(link) : Failed(error);
}

ItemResult DeleteItem(const std::string& item) {
    const DWORD attributes = AttributesOf(item);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed(LastErrno());
    }
    if (IsFolderAttributes(attributes) && IsDriveRoot(item)) {
        return Failed(EBUSY);
    }
    if (!IsFolderAttributes(attributes) || IsReparse(attributes)) {
        return RemoveEntry(item, attributes) ? Done(item) : Failed(LastErrno());
    }
    SetLastError(ERROR_SUCCESS);
    return DeleteFolderContents(WithoutFinalSeparators(item), "") ? Done(item)
                                                                  : Failed(LastErrno());
}

ItemResult TrashItem(const std::string& item) {
    const DWORD attributes = AttributesOf(item);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed(LastErrno());
    }
    if (IsFolderAttributes(attributes) && IsDriveRoot(item)) {
        return Failed(EBUSY);
    }
    // Removable and network drives have no Recycle Bin: the shell would delete for good.
    if (GetDriveKind(Narrow(FullPath(item))) != "HDD") {
        return Failed(ENOTSUP);
    }
    // The shell takes a list of full paths, each ended by a NUL and the list by another.
    std::wstring paths = FullPath(WithoutFinalSeparators(item));
    paths.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = paths.c_str();
    // An item too large for the Recycle Bin is not deleted for good without the user's word.
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
    const int result = SHFileOperationW(&operation);
    if (result != 0 || operation.fAnyOperationsAborted) {
        return Failed(result == ERROR_ACCESS_DENIED ? EACCES : EIO);
    }
    return EntryExists(item) ? Failed(EIO) : Done(item);
}

} // namespace arbolink
