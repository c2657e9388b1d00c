// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree's shell commands on one node, as a Linux file manager offers them for a
// folder: cut, copy and paste through the desktop's file clipboard, creating a link, moving
// to the trash and renaming; and dragging a node out to other programs. Every command acts
// on the node's own item and writes only into the folder it names (see ShellItems.h); a
// failure is told in a message box.

#include <QPoint>
#include <QString>
#include <vector>

class QTreeWidgetItem;

namespace arbolink {

class TFolderTreeViewEx;

enum class ShellVerb {
    CreateLink,
    Delete, // to the trash, or for good after a question where there is no trash
    Cut,
    Copy,
    Paste,
    Rename, // starts editing the label; the rename itself follows the edit
};

// The commands the node offers, in the order of its menu. The computer offers none; a
// drive or the tree's root offers copy, paste and link; paste only into a folder, and only
// while the clipboard holds files.
std::vector<ShellVerb> VerbsOffered(TFolderTreeViewEx& tree, QTreeWidgetItem* node);

// Runs one command on the node; true when it ran.
bool InvokeItemVerb(TFolderTreeViewEx& tree, QTreeWidgetItem* node, ShellVerb verb);

// Runs the command and, with AutoUpDate, brings the tree up to date after it: a trashed node
// is taken away, a link or paste refreshes the tree, cut and copy change nothing.
void RunVerb(TFolderTreeViewEx& tree, QTreeWidgetItem* node, ShellVerb verb);

// Shows the node's command menu at the screen point and runs the chosen command.
void RunShellMenu(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QPoint& globalPos);

// Ends a label edit: with AutoUpDate, renames the node's item to text and refreshes the
// tree; a refused rename is told and the node keeps its name.
void RenameNode(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QString& text);

// Drags the node's item out, offering copy, move and link (a drive: copy and link), and
// refreshes the tree when another program took it.
void DragNodeOut(TFolderTreeViewEx& tree, QTreeWidgetItem* node);

// Moves (or, with copy, copies) one dropped file or folder into the node's folder; true when
// it got there. A node without a folder refuses with the component's message.
bool DropFileOnNode(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QString& file, bool copy);

} // namespace arbolink
