// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's name, version, licence and the addresses it names, shared by every layer: the
// main window's caption, the About box, the subject of the mail the About box starts and the
// command-line tool's --version. The version and the addresses come from the build.

#include "ProductBuild.h"

namespace arbolink {

inline constexpr const char* kProductName = "Arbolink";
inline constexpr const char* kVersionNumber = ARBOLINK_VERSION;
inline constexpr const char* kVersionText = "Ver. " ARBOLINK_VERSION;
inline constexpr const char* kCopyrightLine = "Copyright (C) 2026 The Arbolink developers";
inline constexpr const char* kLicenceName = "GPL-3.0-or-later";
// What --version says of the licence after the copyright line is in core/ProductMessages.h.
// Empty when the distributor named none.
inline constexpr const char* kHomepage = ARBOLINK_HOMEPAGE;
inline constexpr const char* kContact = ARBOLINK_CONTACT;

} // namespace arbolink
