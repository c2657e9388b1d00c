// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TFolderTreeViewEx: a tree of the computer's drives and folders (optionally files) that
// fills itself as nodes are opened and reports the chosen folder as a path. Its shell
// operations (context menu, renaming, dragging and dropping) live in FolderTreeShell and
// FolderTreeDropTarget.
//
// On Linux the computer's drives are its mounted volumes (ListDrives), a drive's root path
// is its mount point, and the special roots are the XDG folders; where the platform has no
// folder for a root, the tree shows the computer.

#include "widgets/FolderNodeData.h"

#include <QIcon>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QTreeWidget>
#include <memory>
#include <string>

namespace arbolink {

class FolderTreeDropTarget;
struct TreeListOptions;

enum TRootFolder {
    rfManual, // the folder named by RootFolderName
    rfDrives, // the computer with its drives
    rfDesktop,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfAppdata,
    rfTemplates,
    rf_Controls, // the last three are virtual roots
    rf_Bitbucket,
    rf_Printers,
};

// Which drive a build selects with rfDrives.
enum TSelectedDir { sdNone, sdSystem, sdCurrent };

class TFolderTreeViewEx : public QTreeWidget {
    Q_OBJECT

public:
    explicit TFolderTreeViewEx(QWidget* parent = nullptr);
    ~TFolderTreeViewEx() override;

    TRootFolder RootFolder() const { return rootFolder_; }
    void SetRootFolder(TRootFolder value);
    QString RootFolderName() const { return rootFolderName_; }
    void SetRootFolderName(const QString& value);
    bool ShowRootFolder() const { return showRootFolder_; }
    void SetShowRootFolder(bool value);
    bool ShowFile() const { return showFile_; }
    void SetShowFile(bool value);
    bool ShowIncludeHidden() const { return showIncludeHidden_; }
    void SetShowIncludeHidden(bool value);
    // Extensions with their dot, in any case; only used with ShowFile.
    QStringList FileMask() const { return fileMask_; }
    void SetFileMask(const QStringList& value);
    // With ShowFile, files are sorted before folders.
    bool InfoViewSort() const { return infoViewSort_; }
    void SetInfoViewSort(bool value);
    TSelectedDir SelectedDir() const { return selectedDir_; }
    void SetSelectedDir(TSelectedDir value);
    // With ShowFile, a double-click on a file opens it with the desktop's default program.
    bool ShellRun() const { return shellRun_; }
    void SetShellRun(bool value) { shellRun_ = value; }
    // Refresh the tree after the shell operations started from it.
    bool AutoUpDate() const { return autoUpDate_; }
    void SetAutoUpDate(bool value) { autoUpDate_ = value; }
    bool ContextMenu() const { return contextMenu_; }
    void SetContextMenu(bool value) { contextMenu_ = value; }
    bool DragAndDrop() const { return dragAndDrop_; }
    void SetDragAndDrop(bool value);

    // The recycle bin, control panel and printer roots: the root is always shown and the
    // tree is rebuilt instead of refreshed.
    bool VirtualRoot() const { return virtualRoot_; }
    // True while a build, refresh or path search runs.
    bool Loading() const { return loading_; }

    // Clears the tree and builds it again from its root.
    void RebuildTree();
    // Finds the node of an absolute path, opening its ancestors, and selects it (which raises
    // OnChange). False for an empty, relative or missing path, or one the tree does not list;
    // the ancestors found on the way stay open.
    bool SelectPath(const QString& path);
    // The selected node's path (empty for the computer); with nothing selected, the name
    // reported last.
    QString CurrentFolderName();
    // Lists the nodes again, keeping the open folders, the selection (restore, which may be
    // null) and the scroll position. Trees of more than 10240 nodes are left as they are.
    void UpdateTree(QTreeWidgetItem* restore);

    // The node's record; null for an item that is no node of this tree.
    static FolderNodeData* NodeData(QTreeWidgetItem* item);
    // The node selected now; null when there is none.
    QTreeWidgetItem* SelectedNode() const;
    // The top node, when it stands for the tree's root.
    bool IsRootNode(QTreeWidgetItem* node) const;
    // Lists a node's children if that has not been done yet.
    void FillNode(QTreeWidgetItem* node);
    // Opens a node one level, listing its children first.
    void ExpandNode(QTreeWidgetItem* node);
    // Starts editing a node's label; the rename happens when the edit ends.
    void BeginRename(QTreeWidgetItem* node);
    // Paints the node as the target of a drag in progress; null removes the highlight.
    void SetDropHighlight(QTreeWidgetItem* node);

signals:
    void OnChange(const QString& FolderName);
    void OnClick(const QString& FolderName);
    void OnDblClick(const QString& FolderName);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void commitData(QWidget* editor) override;

private:
    friend class TreeBusyState;
    void SetLoading(bool value) { loading_ = value; }

    // The settings that decide what a folder lists.
    TreeListOptions ListOptions() const;

    struct Root {
        bool computer = true;
        std::string folder;
    };
    Root ChooseRoot() const;
    QTreeWidgetItem* AddRootNode(const Root& root);
    void FillTopLevel(const Root& root);
    void FillComputer(QTreeWidgetItem* parent);
    void FillFolder(QTreeWidgetItem* parent, const std::string& folder);
    void AddChildren(QTreeWidgetItem* parent, QList<QTreeWidgetItem*> children);
    QTreeWidgetItem* MakeDriveNode(const std::string& root, const std::string& label,
                                   const std::string& kind) const;
    QTreeWidgetItem* MakeFolderNode(const std::string& folder, const std::string& name,
                                    bool isFolder) const;
    void SelectDriveAfterBuild();
    QTreeWidgetItem* FindPath(const QString& path, bool select, bool scrollToTop);
    QTreeWidgetItem* FindDriveNode(const std::string& path, std::string& driveRoot);
    QTreeWidgetItem* FindChild(QTreeWidgetItem* parent, const std::string& name);
    QTreeWidgetItem* StartNodeFor(const std::string& path, std::string& start);
    QString PathOfNode(QTreeWidgetItem* node) const;
    QStringList VisiblePaths() const;
    int NodeCount() const;
    void SelectionChanged();
    void RenameAfterEdit(QPersistentModelIndex node, QString text);

    TRootFolder rootFolder_ = rfDrives;
    QString rootFolderName_;
    bool showRootFolder_ = true;
    bool showFile_ = false;
    bool showIncludeHidden_ = true;
    QStringList fileMask_;
    bool infoViewSort_ = false;
    TSelectedDir selectedDir_ = sdNone;
    bool shellRun_ = false;
    bool autoUpDate_ = true;
    bool contextMenu_ = true;
    bool dragAndDrop_ = true;

    bool virtualRoot_ = false;
    bool loading_ = false;
    QString lastFolderName_;
    Root root_;
    QPersistentModelIndex renaming_;
    QPersistentModelIndex dropHighlight_;
    QIcon folderIcon_;
    std::unique_ptr<FolderTreeDropTarget> dropTarget_;
};

} // namespace arbolink
