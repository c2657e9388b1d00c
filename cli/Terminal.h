// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The terminal the command-line tool runs in: its arguments, whether a stream is a
// terminal, its width, and Ctrl+C.

#include <cstdio>
#include <string>
#include <vector>

namespace arbolink::cli {

// Prepares the terminal for UTF-8 text and answers the program's arguments after its name,
// in UTF-8 whatever the system's code page.
std::vector<std::string> StartTerminal(int argc, char** argv);

// True when the stream is a terminal, where a progress bar can be redrawn in place.
bool IsTerminal(std::FILE* stream);

// True when the stream is a terminal that can redraw a line in place: not one that TERM
// names "dumb" (or leaves unnamed), which shows control sequences as they are.
bool RedrawsInPlace(std::FILE* stream);

// The width of the terminal in columns; 80 when it cannot be told.
int TerminalColumns(std::FILE* stream);

// True when the terminal may have changed its size since the last call, so that
// TerminalColumns is worth asking again. A POSIX terminal tells by SIGWINCH, watched from
// StartTerminal on; a Windows console tells nothing, and every call answers true.
bool TerminalResized();

// From now on the first Ctrl+C asks the running operation to cancel, as the progress
// dialog's Cancel button does, and ends a question that waits for an answer; a second one
// ends the program at once.
void CatchInterrupt();

// True once Ctrl+C was pressed after CatchInterrupt.
bool Interrupted();

// Reads one byte of an answer: EOF at the end of the input, on an error, and once Ctrl+C
// was pressed. It reads the stream's descriptor itself, never its buffer, and waits in short
// steps, so that a Ctrl+C is noticed whenever it comes.
int ReadAnswerByte(std::FILE* in);

} // namespace arbolink::cli
