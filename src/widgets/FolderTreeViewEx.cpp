// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FolderTreeViewEx.h"

#include "fs/Drives.h"
#include "fs/Folders.h"
#include "fs/SpecialFolders.h"
#include "fs/TreeListing.h"
#include "fs/TreePaths.h"
#include "widgets/FolderTreeDropTarget.h"
#include "widgets/FolderTreeMessages.h"
#include "widgets/FolderTreeNode.h"
#include "widgets/FolderTreeShell.h"
#include "widgets/TreeBusyState.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <algorithm>
#include <filesystem>

namespace arbolink {

namespace {

// Larger trees are not refreshed: remembering and reopening them would take too long.
constexpr int kMaxRefreshNodes = 10240;
constexpr int kIconSize = 16;

bool IsVirtual(TRootFolder root) {
    return root == rf_Controls || root == rf_Bitbucket || root == rf_Printers;
}

// The platform folder of a special root; rfManual, rfDrives and the roots without a folder
// of their own give none.
bool SpecialFolderOf(TRootFolder root, SpecialFolder& folder) {
    switch (root) {
    case rfDesktop:
        folder = SpecialFolder::Desktop;
        return true;
    case rfFavorites:
        folder = SpecialFolder::Favorites;
        return true;
    case rfPrograms:
        folder = SpecialFolder::Programs;
        return true;
    case rfRecent:
        folder = SpecialFolder::Recent;
        return true;
    case rfSendTo:
        folder = SpecialFolder::SendTo;
        return true;
    case rfStartMenu:
        folder = SpecialFolder::StartMenu;
        return true;
    case rfStartup:
        folder = SpecialFolder::Startup;
        return true;
    case rfAppdata:
        folder = SpecialFolder::AppData;
        return true;
    case rfTemplates:
        folder = SpecialFolder::Templates;
        return true;
    case rf_Bitbucket:
        folder = SpecialFolder::RecycleBin;
        return true;
    default:
        return false;
    }
}

// The desktop theme's drive icons; without a theme, the style's.
QIcon DriveIcon(const QStyle* style, const std::string& kind) {
    if (kind == "Rem") {
        return QIcon::fromTheme("drive-removable-media",
                                style->standardIcon(QStyle::SP_DriveFDIcon));
    }
    if (kind == "CD") {
        return QIcon::fromTheme("media-optical", style->standardIcon(QStyle::SP_DriveCDIcon));
    }
    if (kind == "Net") {
        return QIcon::fromTheme("folder-remote", style->standardIcon(QStyle::SP_DriveNetIcon));
    }
    return QIcon::fromTheme("drive-harddisk", style->standardIcon(QStyle::SP_DriveHDIcon));
}

// The folder icon, with the open folder for a selected node.
QIcon FolderIcon(const QStyle* style) {
    QFileIconProvider provider;
    QIcon closed = provider.icon(QAbstractFileIconProvider::Folder);
    QIcon open = QIcon::fromTheme("folder-open", style->standardIcon(QStyle::SP_DirOpenIcon));
    QIcon icon;
    icon.addPixmap(closed.pixmap(kIconSize), QIcon::Normal);
    icon.addPixmap(open.pixmap(kIconSize), QIcon::Selected);
    return icon;
}

QString LastName(const std::string& folder) {
    std::string name = std::filesystem::path(folder).filename().string();
    return QString::fromStdString(name.empty() ? folder : name);
}

bool IsShown(const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* parent = item->parent(); parent != nullptr;
         parent = parent->parent()) {
        if (!parent->isExpanded()) {
            return false;
        }
    }
    return true;
}

} // namespace

TFolderTreeViewEx::TFolderTreeViewEx(QWidget* parent)
    : QTreeWidget(parent), dropTarget_(std::make_unique<FolderTreeDropTarget>(*this)) {
    resize(153, 185);
    setHeaderHidden(true);
    setColumnCount(1);
    // Long names widen the tree and bring a horizontal scroll bar instead of being cut.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setIconSize(QSize(kIconSize, kIconSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers); // renaming starts from the menu only
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    folderIcon_ = FolderIcon(style());
    connect(this, &QTreeWidget::itemExpanded, this, &TFolderTreeViewEx::FillNode);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TFolderTreeViewEx::SelectionChanged);
    RebuildTree();
}

TFolderTreeViewEx::~TFolderTreeViewEx() {
    // The nodes go with the base classes, which must not report that as a selection change.
    blockSignals(true);
}

void TFolderTreeViewEx::SetRootFolder(TRootFolder value) {
    if (value == rootFolder_) {
        return;
    }
    rootFolder_ = value;
    virtualRoot_ = IsVirtual(value);
    if (virtualRoot_) {
        showRootFolder_ = true;
    }
    RebuildTree();
}

void TFolderTreeViewEx::SetRootFolderName(const QString& value) {
    if (value == rootFolderName_) {
        return;
    }
    rootFolderName_ = value;
    if (rootFolder_ == rfManual) {
        RebuildTree();
    }
}

void TFolderTreeViewEx::SetShowRootFolder(bool value) {
    if (value == showRootFolder_ ||
        (!value && (virtualRoot_ || (rootFolder_ == rfManual && showFile_)))) {
        return;
    }
    showRootFolder_ = value;
    RebuildTree();
}

void TFolderTreeViewEx::SetShowFile(bool value) {
    if (value == showFile_ || (!value && virtualRoot_)) {
        return;
    }
    showFile_ = value;
    RebuildTree();
}

void TFolderTreeViewEx::SetShowIncludeHidden(bool value) {
    if (value == showIncludeHidden_) {
        return;
    }
    showIncludeHidden_ = value;
    RebuildTree();
}

void TFolderTreeViewEx::SetFileMask(const QStringList& value) {
    if (value == fileMask_) {
        return;
    }
    fileMask_ = value;
    RebuildTree();
}

void TFolderTreeViewEx::SetInfoViewSort(bool value) {
    if (value == infoViewSort_) {
        return;
    }
    infoViewSort_ = value;
    if (!virtualRoot_) {
        RebuildTree();
    }
}

void TFolderTreeViewEx::SetSelectedDir(TSelectedDir value) {
    if (value == selectedDir_) {
        return;
    }
    selectedDir_ = value;
    if (rootFolder_ == rfDrives) {
        RebuildTree();
    }
}

void TFolderTreeViewEx::SetDragAndDrop(bool value) {
    dragAndDrop_ = value;
}

TreeListOptions TFolderTreeViewEx::ListOptions() const {
    TreeListOptions options;
    options.includeHidden = virtualRoot_ || showIncludeHidden_;
    options.withFiles = showFile_;
    for (const QString& extension : fileMask_) {
        options.fileMask.push_back(extension.toStdString());
    }
    return options;
}

TFolderTreeViewEx::Root TFolderTreeViewEx::ChooseRoot() const {
    if (rootFolder_ == rfManual) {
        std::string folder = TreePathForm(rootFolderName_.toStdString());
        if (!folder.empty() && FolderExists(folder) &&
            (showRootFolder_ || HasTreeChildren(folder, ListOptions()))) {
            return {false, folder};
        }
        return {};
    }
    SpecialFolder special{};
    if (!SpecialFolderOf(rootFolder_, special)) {
        return {};
    }
    std::string folder = SpecialFolderPath(special);
    return folder.empty() ? Root{} : Root{false, folder};
}

void TFolderTreeViewEx::RebuildTree() {
    TreeBusyState busy(*this, true);
    root_ = ChooseRoot();
    clear();
    if (showRootFolder_) {
        QTreeWidgetItem* top = AddRootNode(root_);
        FillNode(top);
        collapseAll();
        top->setExpanded(true);
    } else {
        FillTopLevel(root_);
        collapseAll();
    }
    if (rootFolder_ == rfDrives) {
        SelectDriveAfterBuild();
    }
}

QTreeWidgetItem* TFolderTreeViewEx::AddRootNode(const Root& root) {
    QTreeWidgetItem* node = nullptr;
    if (root.computer) {
        node = new FolderTreeNode({NodeKind::Computer, {}, {}, false});
        node->setText(0, QCoreApplication::translate("arbolink::treemsg", treemsg::kComputer));
        QFileIconProvider provider;
        node->setIcon(
            0, QIcon::fromTheme("computer", provider.icon(QAbstractFileIconProvider::Computer)));
    } else {
        node = new FolderTreeNode({NodeKind::Folder, root.folder, {}, false});
        node->setText(0, LastName(root.folder));
        node->setIcon(0, folderIcon_);
    }
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    addTopLevelItem(node);
    return node;
}

void TFolderTreeViewEx::FillTopLevel(const Root& root) {
    if (root.computer) {
        FillComputer(nullptr);
    } else {
        FillFolder(nullptr, root.folder);
    }
}

void TFolderTreeViewEx::FillNode(QTreeWidgetItem* node) {
    FolderNodeData* data = NodeData(node);
    if (data == nullptr || data->filled) {
        return;
    }
    data->filled = true;
    TreeBusyState busy(*this, false);
    if (data->kind == NodeKind::Computer) {
        FillComputer(node);
    } else if (data->kind != NodeKind::File) {
        FillFolder(node, data->path);
    }
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TFolderTreeViewEx::ExpandNode(QTreeWidgetItem* node) {
    FillNode(node);
    node->setExpanded(true);
}

void TFolderTreeViewEx::FillComputer(QTreeWidgetItem* parent) {
    QList<QTreeWidgetItem*> drives;
    for (const DriveEntry& drive : ListDrives()) {
        drives.append(MakeDriveNode(drive.root, drive.label, drive.kind));
    }
    if (parent != nullptr) {
        parent->addChildren(drives);
    } else {
        addTopLevelItems(drives);
    }
}

void TFolderTreeViewEx::FillFolder(QTreeWidgetItem* parent, const std::string& folder) {
    std::vector<TreeChild> children;
    ListTreeChildren(folder, ListOptions(), children);
    QList<QTreeWidgetItem*> nodes;
    for (const TreeChild& child : children) {
        nodes.append(MakeFolderNode(folder, child.name, child.isFolder));
    }
    AddChildren(parent, nodes);
}

// Sorted as a file manager sorts: by the locale's collation, without regard to case, digit
// runs by their value; names the collation finds equal by their bytes. The C locale, which
// Qt collates by code point alone, gives way to the common collation.
void TFolderTreeViewEx::AddChildren(QTreeWidgetItem* parent, QList<QTreeWidgetItem*> children) {
    QLocale locale;
    if (locale.language() == QLocale::C) {
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    bool filesFirst = infoViewSort_ && showFile_;
    std::sort(children.begin(), children.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        if (filesFirst) {
            bool aFolder = NodeData(a)->kind != NodeKind::File;
            bool bFolder = NodeData(b)->kind != NodeKind::File;
            if (aFolder != bFolder) {
                return bFolder;
            }
        }
        int order = collator.compare(a->text(0), b->text(0));
        return order != 0 ? order < 0 : NodeData(a)->path < NodeData(b)->path;
    });
    if (parent != nullptr) {
        parent->addChildren(children);
    } else {
        addTopLevelItems(children);
    }
}

QTreeWidgetItem* TFolderTreeViewEx::MakeDriveNode(const std::string& root, const std::string& label,
                                                  const std::string& kind) const {
    auto* node = new FolderTreeNode({NodeKind::Drive, root, kind, false});
    node->setText(0, QString::fromStdString(label.empty() ? root : label));
    node->setToolTip(0, QString::fromStdString(root));
    node->setIcon(0, DriveIcon(style(), kind));
    // A drive is not looked into before it is opened: its medium may be slow or missing.
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return node;
}

QTreeWidgetItem* TFolderTreeViewEx::MakeFolderNode(const std::string& folder,
                                                   const std::string& name, bool isFolder) const {
    std::string path = ChildPath(folder, name);
    auto* node =
        new FolderTreeNode({isFolder ? NodeKind::Folder : NodeKind::File, path, {}, false});
    node->setText(0, QString::fromStdString(name));
    if (isFolder) {
        node->setIcon(0, folderIcon_);
        node->setChildIndicatorPolicy(HasTreeChildren(path, ListOptions())
                                          ? QTreeWidgetItem::ShowIndicator
                                          : QTreeWidgetItem::DontShowIndicator);
    } else {
        node->setIcon(0, QFileIconProvider().icon(QFileInfo(QString::fromStdString(path))));
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    }
    return node;
}

void TFolderTreeViewEx::SelectDriveAfterBuild() {
    std::string folder;
    if (selectedDir_ == sdSystem) {
        folder = "/";
    } else if (selectedDir_ == sdCurrent) {
        std::error_code error;
        folder = std::filesystem::current_path(error).string();
    } else {
        return;
    }
    std::string driveRoot;
    QTreeWidgetItem* drive = FindDriveNode(folder, driveRoot);
    if (drive != nullptr && FindPath(QString::fromStdString(driveRoot), true, false) != nullptr) {
        ExpandNode(drive);
    }
}

bool TFolderTreeViewEx::SelectPath(const QString& path) {
    return FindPath(path, true, false) != nullptr;
}

QTreeWidgetItem* TFolderTreeViewEx::FindPath(const QString& path, bool select, bool scrollToTop) {
    std::string target = TreePathForm(path.toStdString());
    if (virtualRoot_ || target.empty()) {
        return nullptr;
    }
    TreeBusyState busy(*this, true);
    std::string start;
    QTreeWidgetItem* node = StartNodeFor(target, start);
    std::vector<std::string> names;
    if (node == nullptr || !NamesBelow(start, target, names)) {
        return nullptr;
    }
    for (const std::string& name : names) {
        ExpandNode(node);
        start = ChildPath(start, name);
        node = FindChild(node, start);
        if (node == nullptr) {
            return nullptr;
        }
    }
    if (select) {
        setCurrentItem(node);
    }
    if (scrollToTop) {
        scrollToItem(node, QAbstractItemView::PositionAtTop);
    }
    return node;
}

// The node a search for path starts from (a drive or the root folder), with its path.
QTreeWidgetItem* TFolderTreeViewEx::StartNodeFor(const std::string& path, std::string& start) {
    if (root_.computer) {
        return FindDriveNode(path, start);
    }
    std::vector<std::string> names;
    if (!NamesBelow(root_.folder, path, names)) {
        return nullptr;
    }
    if (showRootFolder_) {
        start = root_.folder;
        return topLevelItem(0);
    }
    if (names.empty()) {
        return nullptr;
    }
    start = ChildPath(root_.folder, names.front());
    return FindChild(nullptr, start);
}

QTreeWidgetItem* TFolderTreeViewEx::FindDriveNode(const std::string& path, std::string& driveRoot) {
    QTreeWidgetItem* computer = showRootFolder_ ? topLevelItem(0) : nullptr;
    if (!root_.computer || (showRootFolder_ && computer == nullptr)) {
        return nullptr;
    }
    int count = computer != nullptr ? computer->childCount() : topLevelItemCount();
    std::vector<std::string> roots;
    std::vector<QTreeWidgetItem*> drives;
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* drive = computer != nullptr ? computer->child(i) : topLevelItem(i);
        drives.push_back(drive);
        roots.push_back(NodeData(drive)->path);
    }
    int closest = ClosestFolderHolding(roots, path);
    if (closest < 0) {
        return nullptr;
    }
    driveRoot = roots[static_cast<std::size_t>(closest)];
    return drives[static_cast<std::size_t>(closest)];
}

QTreeWidgetItem* TFolderTreeViewEx::FindChild(QTreeWidgetItem* parent, const std::string& path) {
    int count = parent != nullptr ? parent->childCount() : topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* child = parent != nullptr ? parent->child(i) : topLevelItem(i);
        FolderNodeData* data = NodeData(child);
        if (data != nullptr && data->path == path) {
            return child;
        }
    }
    return nullptr;
}

QString TFolderTreeViewEx::CurrentFolderName() {
    if (QTreeWidgetItem* node = SelectedNode()) {
        FolderNodeData* data = NodeData(node);
        lastFolderName_ = data != nullptr ? QString::fromStdString(data->path) : node->text(0);
    }
    return lastFolderName_;
}

void TFolderTreeViewEx::SelectionChanged() {
    // Nodes taken away by a build or refresh are no choice of the user's.
    if (loading_ && SelectedNode() == nullptr) {
        return;
    }
    emit OnChange(CurrentFolderName());
}

void TFolderTreeViewEx::UpdateTree(QTreeWidgetItem* restore) {
    if (topLevelItemCount() == 0) {
        return;
    }
    if (virtualRoot_) {
        RebuildTree();
        return;
    }
    if (NodeCount() > kMaxRefreshNodes) {
        return;
    }
    TreeBusyState busy(*this, true);
    QString topPath = PathOfNode(itemAt(viewport()->rect().topLeft()));
    QString restorePath = PathOfNode(restore);
    QStringList visible = VisiblePaths();
    if (showRootFolder_) {
        QTreeWidgetItem* top = topLevelItem(0);
        qDeleteAll(top->takeChildren());
        NodeData(top)->filled = false;
        ExpandNode(top);
    } else {
        clear();
        FillTopLevel(root_);
    }
    for (const QString& path : visible) {
        FindPath(path, false, false);
    }
    FindPath(restorePath, true, false);
    FindPath(topPath, false, true);
}

QString TFolderTreeViewEx::PathOfNode(QTreeWidgetItem* node) const {
    FolderNodeData* data = NodeData(node);
    return data != nullptr ? QString::fromStdString(data->path) : QString();
}

// The paths of the nodes below the first that are not hidden inside a closed parent.
QStringList TFolderTreeViewEx::VisiblePaths() const {
    QStringList paths;
    QTreeWidgetItemIterator it(const_cast<TFolderTreeViewEx*>(this));
    for (++it; *it != nullptr; ++it) {
        QString path = PathOfNode(*it);
        if (!path.isEmpty() && IsShown(*it)) {
            paths.append(path);
        }
    }
    return paths;
}

int TFolderTreeViewEx::NodeCount() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<TFolderTreeViewEx*>(this)); *it != nullptr; ++it) {
        ++count;
    }
    return count;
}

FolderNodeData* TFolderTreeViewEx::NodeData(QTreeWidgetItem* item) {
    return FolderTreeNode::DataOf(item);
}

QTreeWidgetItem* TFolderTreeViewEx::SelectedNode() const {
    QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

bool TFolderTreeViewEx::IsRootNode(QTreeWidgetItem* node) const {
    return showRootFolder_ && node != nullptr && node == topLevelItem(0);
}

void TFolderTreeViewEx::BeginRename(QTreeWidgetItem* node) {
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    renaming_ = QPersistentModelIndex(indexFromItem(node));
    editItem(node, 0);
}

void TFolderTreeViewEx::commitData(QWidget* editor) {
    // The label is not changed here: the rename decides what the node is called.
    auto* line = qobject_cast<QLineEdit*>(editor);
    QPersistentModelIndex node = renaming_;
    renaming_ = QPersistentModelIndex();
    if (line == nullptr || !node.isValid()) {
        return;
    }
    // After the editor has closed, since the rename may list the nodes again.
    QString text = line->text();
    QTimer::singleShot(0, this, [this, node, text] { RenameAfterEdit(node, text); });
}

void TFolderTreeViewEx::RenameAfterEdit(QPersistentModelIndex node, QString text) {
    if (QTreeWidgetItem* item = itemFromIndex(node)) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        RenameNode(*this, item, text);
    }
}

void TFolderTreeViewEx::SetDropHighlight(QTreeWidgetItem* node) {
    if (QTreeWidgetItem* old = itemFromIndex(dropHighlight_)) {
        old->setData(0, Qt::BackgroundRole, QVariant());
        old->setData(0, Qt::ForegroundRole, QVariant());
    }
    dropHighlight_ = QPersistentModelIndex(node != nullptr ? indexFromItem(node) : QModelIndex());
    if (node != nullptr) {
        node->setBackground(0, palette().highlight());
        node->setForeground(0, palette().highlightedText());
    }
}

void TFolderTreeViewEx::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit OnClick(CurrentFolderName());
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void TFolderTreeViewEx::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    QTreeWidgetItem* node = SelectedNode();
    if (node == nullptr) {
        return;
    }
    emit OnDblClick(CurrentFolderName());
    FolderNodeData* data = NodeData(node);
    if (shellRun_ && showFile_ && data != nullptr && data->kind == NodeKind::File) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(data->path)));
    }
}

void TFolderTreeViewEx::contextMenuEvent(QContextMenuEvent* event) {
    if (!contextMenu_) {
        return;
    }
    QTreeWidgetItem* node =
        event->reason() == QContextMenuEvent::Mouse ? itemAt(event->pos()) : currentItem();
    if (NodeData(node) == nullptr) {
        return;
    }
    setCurrentItem(node);
    RunShellMenu(*this, node, event->globalPos());
}

void TFolderTreeViewEx::startDrag(Qt::DropActions) {
    if (dragAndDrop_) {
        DragNodeOut(*this, currentItem());
    }
}

void TFolderTreeViewEx::dragEnterEvent(QDragEnterEvent* event) {
    dropTarget_->Enter(event);
}

void TFolderTreeViewEx::dragMoveEvent(QDragMoveEvent* event) {
    dropTarget_->Move(event);
}

void TFolderTreeViewEx::dragLeaveEvent(QDragLeaveEvent*) {
    dropTarget_->Leave();
}

void TFolderTreeViewEx::dropEvent(QDropEvent* event) {
    dropTarget_->Drop(event);
}

} // namespace arbolink
