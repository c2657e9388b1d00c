// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree as a drop target: one file or folder dropped onto a folder node is moved
// into it, or copied with Ctrl held. While a drag waits over a closed folder for 1.5 s the
// folder opens (a removable drive's root excepted), and near an edge the tree scrolls one
// line every 200 ms, the first time 200 ms after the edge was reached.

#include <QPoint>
#include <QString>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QTimer;
class QTreeWidgetItem;

namespace arbolink {

class TFolderTreeViewEx;

class FolderTreeDropTarget {
public:
    // Width of the edge zones in which a drag scrolls the tree, in pixels.
    static constexpr int kEdgeZone = 11;
    static constexpr int kHoverMs = 1500;
    static constexpr int kScrollMs = 200;

    explicit FolderTreeDropTarget(TFolderTreeViewEx& tree);
    FolderTreeDropTarget(const FolderTreeDropTarget&) = delete;
    FolderTreeDropTarget& operator=(const FolderTreeDropTarget&) = delete;

    void Enter(QDragEnterEvent* event);
    void Move(QDragMoveEvent* event);
    void Leave();
    void Drop(QDropEvent* event);

private:
    void Hover(const QPoint& point);
    void ExpandHovered();
    void TrackZones(const QPoint& point);
    void ScrollOneLine();
    void Stop();

    TFolderTreeViewEx& tree_;
    QString file_; // the one file the drag carries; empty when it carries anything else
    QPoint lastPoint_;
    QTimer* hoverTimer_;  // owned by the tree, named "hoverTimer"
    QTimer* scrollTimer_; // owned by the tree, named "scrollTimer"
    int horizontal_ = 0;  // -1 scrolls left, 1 right, 0 not at all
    int vertical_ = 0;    // -1 scrolls up, 1 down
};

} // namespace arbolink
