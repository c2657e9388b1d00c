// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures on the main window's buttons and its icon, painted at start so that the
// program carries no image files: a tree for the program, a folder going onto disks for
// Divide, disks going back into a folder for Restore, and an open folder for the choosers.

#include <QIcon>

namespace arbolink {

QIcon ProgramIcon();
QIcon DivideGlyph();
QIcon RestoreGlyph();
QIcon ChooserGlyph();

} // namespace arbolink
