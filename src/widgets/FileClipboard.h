// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files on the desktop's clipboard and in drags, in the forms file managers read and write:
// a URI list, GNOME's "x-special/gnome-copied-files" ("copy" or "cut", then the URIs) and
// KDE's "application/x-kde-cutselection" ("1" for cut) and Windows Explorer's
// "Preferred DropEffect" (DROPEFFECT_MOVE for cut).

#include <QStringList>

class QMimeData;

namespace arbolink {

// New data carrying the files, marked as cut or copied.
QMimeData* NewFileListData(const QStringList& paths, bool cut);

// The local files the data carries, in its order; other URIs are left out.
QStringList LocalFilesOf(const QMimeData* data);

// True when the data says its files were cut (they are to be moved by the paste).
bool IsCutData(const QMimeData* data);

} // namespace arbolink
