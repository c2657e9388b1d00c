// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FolderTreeShell.h"

#include "fs/ShellItems.h"
#include "fs/SpecialFolders.h"
#include "widgets/FileClipboard.h"
#include "widgets/FolderTreeMessages.h"
#include "widgets/FolderTreeViewEx.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace arbolink {

namespace {

// A program that takes a dragged item may still be working on it when the drag ends.
constexpr int kLateRefreshMs = 1500;

// A text of widgets/FolderTreeMessages.h in the window's language.
QString Text(const char* message) {
    return QCoreApplication::translate("arbolink::treemsg", message);
}

QString NameOf(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    return QString::fromStdString(name.empty() ? path : name);
}

// naming: the error came from giving an item a name rather than from moving it.
QString ReasonText(int error, bool naming) {
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return Text(treemsg::kReasonExists);
    case EINVAL:
        return Text(naming ? treemsg::kReasonBadName : treemsg::kReasonIntoItself);
    case EBUSY:
        return Text(treemsg::kReasonVolumeRoot);
    case EACCES:
    case EPERM:
        return Text(treemsg::kReasonDenied);
    case EROFS:
        return Text(treemsg::kReasonReadOnly);
    case ENOSPC:
        return Text(treemsg::kReasonFull);
    case ENOENT:
        return Text(treemsg::kReasonMissing);
    case ENOTSUP:
        return Text(treemsg::kReasonSpecialFiles);
    case EXDEV:
        return Text(treemsg::kReasonOtherVolume);
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString Detail(const std::string& item, int error, bool naming) {
    return Text(treemsg::kFailedItem).arg(NameOf(item), ReasonText(error, naming));
}

// The component's information box with its one OK button.
void Inform(QWidget* parent, const char* text, const QString& detail) {
    QMessageBox box(QMessageBox::Information, Text(treemsg::kComponentCaption), Text(text),
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(Text(treemsg::kButtonOk));
    box.setInformativeText(detail);
    box.exec();
}

void TellFailure(QWidget* parent, const QStringList& details) {
    Inform(parent, treemsg::kInvokeFailed, details.join('\n'));
}

bool AskYesNo(QWidget* parent, const char* question) {
    QMessageBox box(QMessageBox::Question, Text(treemsg::kComponentCaption), Text(question),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(Text(treemsg::kButtonYes));
    box.button(QMessageBox::No)->setText(Text(treemsg::kButtonNo));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString MenuCaption(ShellVerb verb) {
    switch (verb) {
    case ShellVerb::CreateLink:
        return Text(treemsg::kMenuCreateLink);
    case ShellVerb::Delete:
        return Text(treemsg::kMenuTrash);
    case ShellVerb::Cut:
        return Text(treemsg::kMenuCut);
    case ShellVerb::Copy:
        return Text(treemsg::kMenuCopy);
    case ShellVerb::Paste:
        return Text(treemsg::kMenuPaste);
    case ShellVerb::Rename:
        return Text(treemsg::kMenuRename);
    }
    return {};
}

bool ClipboardHoldsFiles() {
    return !LocalFilesOf(QGuiApplication::clipboard()->mimeData()).isEmpty();
}

// An item a user may move, trash or rename: not a drive, not the tree's own root.
bool IsMovable(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const FolderNodeData& data) {
    return (data.kind == NodeKind::Folder || data.kind == NodeKind::File) && !tree.IsRootNode(node);
}

std::string LinkNameFor(QTreeWidgetItem* node, const FolderNodeData& data) {
    std::string name = data.kind == NodeKind::Drive ? node->text(0).toStdString()
                                                    : NameOf(data.path).toStdString();
    if (!IsValidItemName(name)) {
        name = NameOf(data.path).toStdString();
    }
    if (!IsValidItemName(name)) {
        name = Text(treemsg::kRootLinkName).toStdString();
    }
    return Text(treemsg::kLinkName).arg(QString::fromStdString(name)).toStdString();
}

// In the item's own folder; on the desktop when the user agrees, where that folder cannot
// take it (a drive's root has no folder of its own to hold it).
bool CreateLink(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const FolderNodeData& data) {
    std::string linkName = LinkNameFor(node, data);
    if (data.kind != NodeKind::Drive) {
        std::string folder = std::filesystem::path(data.path).parent_path().string();
        ItemResult made = CreateLinkIn(data.path, folder, linkName);
        if (made.ok) {
            return true;
        }
        if (made.error != EACCES && made.error != EPERM && made.error != EROFS) {
            TellFailure(&tree, {Detail(data.path, made.error, true)});
            return false;
        }
    }
    if (!AskYesNo(&tree, treemsg::kAskLinkOnDesktop)) {
        return false;
    }
    std::string desktop = SpecialFolderPath(SpecialFolder::Desktop);
    if (desktop.empty()) {
        TellFailure(&tree, {Text(treemsg::kNoDesktop)});
        return false;
    }
    ItemResult made = CreateLinkIn(data.path, desktop, linkName);
    if (!made.ok) {
        TellFailure(&tree, {Detail(data.path, made.error, true)});
    }
    return made.ok;
}

#ifdef _WIN32
// The shell's Recycle Bin, used only where the drive has one: elsewhere the shell would
// delete the item for good without a word.
bool MoveToTrash(const QString& path) {
    return TrashItem(path.toStdString()).ok;
}
#else
// Qt 6.4 builds the home trash inside the current folder when the user's data folder does
// not exist yet, and calls that a success; the data folder is made first, and an item that
// still lands anywhere but in an absolute trash folder is put back.
bool MoveToTrash(const QString& path) {
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) {
        return false;
    }
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash)) {
        return false;
    }
    if (QFileInfo(inTrash).isAbsolute()) {
        return true;
    }
    QDir().rename(inTrash, path);
    return false;
}
#endif

// To the trash; where the item's volume has none, for good only on the user's word.
bool Trash(TFolderTreeViewEx& tree, const FolderNodeData& data) {
    if (MoveToTrash(QString::fromStdString(data.path))) {
        return true;
    }
    if (!AskYesNo(&tree, treemsg::kAskDeleteForGood)) {
        return false;
    }
    ItemResult removed = DeleteItem(data.path);
    if (!removed.ok) {
        TellFailure(&tree, {Detail(data.path, removed.error, false)});
    }
    return removed.ok;
}

void PutOnClipboard(const FolderNodeData& data, bool cut) {
    QGuiApplication::clipboard()->setMimeData(
        NewFileListData({QString::fromStdString(data.path)}, cut));
}

bool Paste(TFolderTreeViewEx& tree, const FolderNodeData& data) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QStringList files = LocalFilesOf(clipboard->mimeData());
    bool cut = IsCutData(clipboard->mimeData());
    QStringList failures;
    int pasted = 0;
    for (const QString& file : files) {
        std::string item = file.toStdString();
        ItemResult done = cut ? MoveItemInto(item, data.path) : CopyItemInto(item, data.path);
        if (done.ok) {
            ++pasted;
        } else {
            failures.append(Detail(item, done.error, false));
        }
    }
    // Cut files have found their place; pasting them again would find nothing.
    if (cut && failures.isEmpty()) {
        clipboard->clear();
    }
    if (!failures.isEmpty()) {
        TellFailure(&tree, failures);
    }
    return pasted > 0;
}

void RefreshKeepingSelection(TFolderTreeViewEx& tree) {
    tree.UpdateTree(tree.SelectedNode());
}

} // namespace

std::vector<ShellVerb> VerbsOffered(TFolderTreeViewEx& tree, QTreeWidgetItem* node) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    if (data == nullptr || data->path.empty()) {
        return {};
    }
    bool movable = IsMovable(tree, node, *data);
    std::vector<ShellVerb> verbs;
    if (movable) {
        verbs.push_back(ShellVerb::Cut);
    }
    verbs.push_back(ShellVerb::Copy);
    if (data->kind != NodeKind::File && ClipboardHoldsFiles()) {
        verbs.push_back(ShellVerb::Paste);
    }
    verbs.push_back(ShellVerb::CreateLink);
    if (movable) {
        verbs.push_back(ShellVerb::Delete);
        verbs.push_back(ShellVerb::Rename);
    }
    return verbs;
}

bool InvokeItemVerb(TFolderTreeViewEx& tree, QTreeWidgetItem* node, ShellVerb verb) {
    std::vector<ShellVerb> offered = VerbsOffered(tree, node);
    if (std::find(offered.begin(), offered.end(), verb) == offered.end()) {
        return false;
    }
    const FolderNodeData& data = *TFolderTreeViewEx::NodeData(node);
    switch (verb) {
    case ShellVerb::CreateLink:
        return CreateLink(tree, node, data);
    case ShellVerb::Delete:
        return Trash(tree, data);
    case ShellVerb::Cut:
    case ShellVerb::Copy:
        PutOnClipboard(data, verb == ShellVerb::Cut);
        return true;
    case ShellVerb::Paste:
        return Paste(tree, data);
    case ShellVerb::Rename:
        return true;
    }
    return false;
}

void RunVerb(TFolderTreeViewEx& tree, QTreeWidgetItem* node, ShellVerb verb) {
    if (!InvokeItemVerb(tree, node, verb) || !tree.AutoUpDate()) {
        return;
    }
    switch (verb) {
    case ShellVerb::CreateLink:
    case ShellVerb::Paste:
        RefreshKeepingSelection(tree);
        break;
    case ShellVerb::Delete:
        delete node;
        break;
    case ShellVerb::Rename:
        tree.BeginRename(node);
        break;
    case ShellVerb::Cut:
    case ShellVerb::Copy:
        break;
    }
}

void RunShellMenu(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QPoint& globalPos) {
    std::vector<ShellVerb> verbs = VerbsOffered(tree, node);
    if (verbs.empty()) {
        return;
    }
    QMenu menu(&tree);
    bool pasteShown = std::find(verbs.begin(), verbs.end(), ShellVerb::Paste) != verbs.end();
    for (ShellVerb verb : verbs) {
        if (verb == ShellVerb::CreateLink) {
            // Paste stays in its place, greyed, while there is nothing to paste.
            if (!pasteShown && TFolderTreeViewEx::NodeData(node)->kind != NodeKind::File) {
                menu.addAction(MenuCaption(ShellVerb::Paste))->setEnabled(false);
            }
            menu.addSeparator();
        }
        menu.addAction(MenuCaption(verb))->setData(static_cast<int>(verb));
    }
    QAction* chosen = menu.exec(globalPos);
    if (chosen != nullptr && chosen->data().isValid()) {
        RunVerb(tree, node, static_cast<ShellVerb>(chosen->data().toInt()));
    }
}

void RenameNode(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QString& text) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    if (!tree.AutoUpDate() || tree.VirtualRoot() || data == nullptr || text.isEmpty() ||
        text == node->text(0)) {
        return;
    }
    if (data->path.empty()) {
        RefreshKeepingSelection(tree);
        return;
    }
    if (!IsMovable(tree, node, *data)) {
        return;
    }
    ItemResult renamed = RenameItem(data->path, text.toStdString());
    if (!renamed.ok) {
        TellFailure(&tree, {Detail(data->path, renamed.error, true)});
        return;
    }
    tree.UpdateTree(nullptr);
    tree.SelectPath(QString::fromStdString(renamed.path));
}

void DragNodeOut(TFolderTreeViewEx& tree, QTreeWidgetItem* node) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    if (data == nullptr || data->path.empty()) {
        return;
    }
    Qt::DropActions actions = Qt::CopyAction | Qt::LinkAction;
    if (data->kind != NodeKind::Drive) {
        actions |= Qt::MoveAction;
    }
    // Parented to the tree, as the item views do, which keeps it until the tree goes.
    auto* drag = new QDrag(&tree);
    drag->setMimeData(NewFileListData({QString::fromStdString(data->path)}, false));
    drag->setPixmap(node->icon(0).pixmap(16));
    drag->exec(actions, Qt::CopyAction);
    if (tree.AutoUpDate() && QApplication::widgetAt(QCursor::pos()) == nullptr) {
        RefreshKeepingSelection(tree);
        QTimer::singleShot(kLateRefreshMs, &tree, [&tree] { RefreshKeepingSelection(tree); });
    }
}

bool DropFileOnNode(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QString& file,
                    bool copy) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    if (data == nullptr) {
        return false;
    }
    if (data->path.empty()) {
        Inform(&tree, treemsg::kSpecialFolderDrop, QString());
        return false;
    }
    if (data->kind == NodeKind::File) {
        return false;
    }
    std::string item = file.toStdString();
    ItemResult done = copy ? CopyItemInto(item, data->path) : MoveItemInto(item, data->path);
    if (!done.ok) {
        TellFailure(&tree, {Detail(item, done.error, false)});
    }
    if (tree.AutoUpDate()) {
        RefreshKeepingSelection(tree);
    }
    return done.ok;
}

} // namespace arbolink
