// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A node of the folder tree, carrying its record.

#include "widgets/FolderNodeData.h"

#include <QTreeWidgetItem>

namespace arbolink {

class FolderTreeNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    explicit FolderTreeNode(FolderNodeData data) : QTreeWidgetItem(kType), data_(std::move(data)) {}

    FolderNodeData& data() { return data_; }

    // The record of a node of the folder tree; null for any other item.
    static FolderNodeData* DataOf(QTreeWidgetItem* item) {
        return item != nullptr && item->type() == kType ? &static_cast<FolderTreeNode*>(item)->data_
                                                        : nullptr;
    }

private:
    FolderNodeData data_;
};

} // namespace arbolink
