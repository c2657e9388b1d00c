#pragma once
// The registry's class entries, where the shell keeps which program opens which document.
// Windows only.

#include <string>

namespace arbolink {

// The default (unnamed) value of the key under HKEY_CLASSES_ROOT; false when the key cannot
// be opened for reading or has no text value.
bool ReadClassesRootDefault(const std::string& key, std::string& value);

} // namespace arbolink
