// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual: HTML pages in the folder "manual", opened in the user's browser from the Help
// menu and named as the web page of the About box when the distributor names none; and the
// hand-over of web and mail addresses to the desktop.

#include <QString>
#include <QUrl>
#include <functional>

namespace arbolink {

// The manual's first page: <program folder>/manual/index.html where that exists (the build
// tree, Windows), else the page where an installation puts it relative to the program's folder
// (share/arbolink/manual beside bin/). When neither exists, the installed place. In English the
// English manual's first page, en/index.html in the same two places, comes first; where it is
// in neither, the Japanese manual is the one there is.
QString ManualFilePath();

// The same page as a file:// address.
QString ManualUrl();

// Opens the manual's first page in the user's browser. Where the manual is missing a plain
// message names the page that was looked for.
void OpenHelpContents();

// Hands a web, file or mailto: address to the desktop's browser or mail program. When none
// took it, a plain message names the address, and the answer is false.
bool OpenAddress(const QString& address);

// What OpenAddress hands the address to: QDesktopServices::openUrl, true when something took
// it. Tests put a recorder in its place so that nothing is launched; an empty one brings back
// the desktop's. Answers the opener it replaced.
using AddressOpener = std::function<bool(const QUrl& address)>;
AddressOpener SetAddressOpener(AddressOpener opener);

} // namespace arbolink
