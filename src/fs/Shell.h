#pragma once
// Handing an address to the desktop: the About box opens its web page and its mail address
// with these. Neither shows a message; when nothing can be opened, nothing happens. Both
// return as soon as the browser or mail program has been started.

#include <string>

namespace arbolink {

// Opens a web address in the user's browser.
void OpenUrl(const std::string& address);

// Opens a new message in the user's mail program. The argument is "mailto:" + address + "?";
// the query of MailToText is appended to it.
void OpenMailTo(const std::string& argument);

// The complete mail string: the argument followed by "cc= &", "subject=『Arbolink』Ver. 2.0
// について&" and "body= &", nothing between the pieces.
std::string MailToText(const std::string& argument);

// A registered browser's command line with its file placeholder removed: the first quoted
// "%1" together with the character before it, or else the first bare %1 with the character
// before it; a line without a placeholder is returned unchanged.
std::string RemovePlaceholder(const std::string& commandLine);

} // namespace arbolink
