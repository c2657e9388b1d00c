// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TreeBusyState.h"

#include "widgets/FolderTreeViewEx.h"

#include <QApplication>

namespace arbolink {

TreeBusyState::TreeBusyState(TFolderTreeViewEx& tree, bool marksLoading)
    : tree_(tree), active_(!tree.Loading() && tree.updatesEnabled()), marksLoading_(marksLoading) {
    if (!active_) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tree_.setUpdatesEnabled(false);
    if (marksLoading_) {
        tree_.SetLoading(true);
    }
}

TreeBusyState::~TreeBusyState() {
    if (!active_) {
        return;
    }
    if (marksLoading_) {
        tree_.SetLoading(false);
    }
    tree_.setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
}

} // namespace arbolink
