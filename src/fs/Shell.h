#pragma once
// Handing an address to the desktop: the About box opens its web page and its mail address
// with these. Neither shows a message; when nothing can be opened, nothing happens. Both
// return as soon as the browser or mail program has been started.

#include <string>
#ifndef _WIN32
#include <functional>
#include <vector>
#endif

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
// before it; a line without a placeholder is returned unchanged. The character before is a
// whole UTF-8 character; a placeholder at the very start of the line loses only itself.
std::string RemovePlaceholder(const std::string& commandLine);

#ifndef _WIN32
// Starts a program directly, never through a shell: arguments[0] is the program's name,
// looked up on PATH, the rest are its arguments as they stand. Returns as soon as it has
// started, without waiting for it to end, and leaves no zombie behind. False when it could
// not be started.
bool StartDetached(const std::vector<std::string>& arguments);

// How OpenUrl and OpenMailTo start the desktop's opener ("xdg-open" and the address). Tests
// put a recorder in its place so that nothing is launched; an empty one brings back
// StartDetached. Answers the starter it replaced.
using ProgramStarter = std::function<bool(const std::vector<std::string>& arguments)>;
ProgramStarter SetProgramStarter(ProgramStarter starter);
#endif

} // namespace arbolink
