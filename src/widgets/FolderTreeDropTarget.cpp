// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FolderTreeDropTarget.h"

#include "widgets/FileClipboard.h"
#include "widgets/FolderTreeShell.h"
#include "widgets/FolderTreeViewEx.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>

namespace arbolink {

namespace {

bool IsRemovableDriveRoot(QTreeWidgetItem* node) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    return data != nullptr && data->kind == NodeKind::Drive && data->driveKind == "Rem";
}

// Folders and the computer take drops (the computer only to say it cannot); files do not.
bool TakesDrops(QTreeWidgetItem* node) {
    FolderNodeData* data = TFolderTreeViewEx::NodeData(node);
    return data != nullptr && data->kind != NodeKind::File;
}

int Direction(int position, int low, int high) {
    if (position <= low + FolderTreeDropTarget::kEdgeZone) {
        return -1;
    }
    return position >= high - FolderTreeDropTarget::kEdgeZone ? 1 : 0;
}

} // namespace

FolderTreeDropTarget::FolderTreeDropTarget(TFolderTreeViewEx& tree)
    : tree_(tree), hoverTimer_(new QTimer(&tree)), scrollTimer_(new QTimer(&tree)) {
    hoverTimer_->setObjectName("hoverTimer");
    hoverTimer_->setSingleShot(true);
    hoverTimer_->setInterval(kHoverMs);
    QObject::connect(hoverTimer_, &QTimer::timeout, &tree_, [this] { ExpandHovered(); });
    scrollTimer_->setObjectName("scrollTimer");
    scrollTimer_->setInterval(kScrollMs);
    QObject::connect(scrollTimer_, &QTimer::timeout, &tree_, [this] { ScrollOneLine(); });
}

void FolderTreeDropTarget::Enter(QDragEnterEvent* event) {
    Stop();
    file_.clear();
    if (!tree_.DragAndDrop()) {
        event->ignore();
        return;
    }
    // Any drag may open folders and scroll; only one existing file may be dropped.
    event->accept();
    QStringList files = LocalFilesOf(event->mimeData());
    if (files.size() == 1 &&
        (QFileInfo(files.front()).exists() || QFileInfo(files.front()).isSymLink())) {
        file_ = files.front();
        tree_.window()->raise();
    }
}

void FolderTreeDropTarget::Move(QDragMoveEvent* event) {
    QPoint point = event->position().toPoint();
    Hover(point);
    TrackZones(point);
    QTreeWidgetItem* node = tree_.itemAt(point);
    tree_.SetDropHighlight(TakesDrops(node) ? node : nullptr);
    if (file_.isEmpty() || !TakesDrops(node)) {
        event->ignore();
        return;
    }
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction
                                                                  : Qt::MoveAction);
    event->accept();
}

void FolderTreeDropTarget::Leave() {
    Stop();
}

void FolderTreeDropTarget::Drop(QDropEvent* event) {
    Stop();
    QTreeWidgetItem* node = tree_.itemAt(event->position().toPoint());
    QStringList files = LocalFilesOf(event->mimeData());
    if (!tree_.DragAndDrop() || node == nullptr || files.size() != 1) {
        event->ignore();
        return;
    }
    bool copy = event->modifiers() & Qt::ControlModifier;
    if (!DropFileOnNode(tree_, node, files.front(), copy)) {
        event->ignore();
        return;
    }
    // The file is in its new place already: the program it came from must not remove it
    // as it would after a move.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FolderTreeDropTarget::Hover(const QPoint& point) {
    if (point != lastPoint_ || !hoverTimer_->isActive()) {
        lastPoint_ = point;
        hoverTimer_->start();
    }
}

void FolderTreeDropTarget::ExpandHovered() {
    QTreeWidgetItem* node = tree_.itemAt(lastPoint_);
    if (node == nullptr || node->isExpanded() || IsRemovableDriveRoot(node)) {
        return;
    }
    tree_.FillNode(node);
    if (node->childCount() > 0) {
        node->setExpanded(true);
    }
}

void FolderTreeDropTarget::TrackZones(const QPoint& point) {
    QRect client = tree_.viewport()->rect();
    int horizontal = Direction(point.x(), client.left(), client.right());
    int vertical = Direction(point.y(), client.top(), client.bottom());
    if (horizontal == 0 && vertical == 0) {
        scrollTimer_->stop();
    } else if (horizontal != horizontal_ || vertical != vertical_ || !scrollTimer_->isActive()) {
        scrollTimer_->start();
    }
    horizontal_ = horizontal;
    vertical_ = vertical;
}

void FolderTreeDropTarget::ScrollOneLine() {
    auto step = [](QScrollBar* bar, int direction) {
        if (direction != 0) {
            bar->triggerAction(direction < 0 ? QAbstractSlider::SliderSingleStepSub
                                             : QAbstractSlider::SliderSingleStepAdd);
        }
    };
    step(tree_.horizontalScrollBar(), horizontal_);
    step(tree_.verticalScrollBar(), vertical_);
}

void FolderTreeDropTarget::Stop() {
    hoverTimer_->stop();
    scrollTimer_->stop();
    horizontal_ = 0;
    vertical_ = 0;
    tree_.SetDropHighlight(nullptr);
}

} // namespace arbolink
