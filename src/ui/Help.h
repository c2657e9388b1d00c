#pragma once
// The manual: HTML pages in the folder "manual" beside the program, opened in the user's
// browser from the Help menu and named as the web page of the About box.

#include <QString>

namespace arbolink {

// The manual's first page beside the running program: <program folder>/manual/index.html.
QString ManualFilePath();

// The same page as a file:// address.
QString ManualUrl();

// Opens the manual's first page in the user's browser. Where the manual is missing a plain
// message names the page that was looked for.
void OpenHelpContents();

} // namespace arbolink
