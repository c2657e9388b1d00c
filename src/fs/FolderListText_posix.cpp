#include "fs/FolderListText.h"

namespace arbolink {

std::string FolderListText(const std::string& folder) {
    return folder;
}

bool SameFolderListEntry(const std::string& a, const std::string& b) {
    return a == b;
}

} // namespace arbolink
