// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mail string the About box hands to the desktop, the same on every platform.

#include <string>

namespace arbolink {

// The complete mail string: the argument ("mailto:" + address + "?") followed by "cc= &",
// "subject=『Arbolink』Ver. 2.0 について&" and "body= &", nothing between the pieces.
std::string MailToText(const std::string& argument);

} // namespace arbolink
