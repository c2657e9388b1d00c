// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder tree's busy state for one build, refresh or listing: the wait cursor, and the
// tree's painting held back until the work is done. Nested busy states do nothing.

namespace arbolink {

class TFolderTreeViewEx;

class TreeBusyState {
public:
    // marksLoading: a build or refresh, during which the tree's Loading flag is set.
    TreeBusyState(TFolderTreeViewEx& tree, bool marksLoading);
    ~TreeBusyState();
    TreeBusyState(const TreeBusyState&) = delete;
    TreeBusyState& operator=(const TreeBusyState&) = delete;

private:
    TFolderTreeViewEx& tree_;
    bool active_;
    bool marksLoading_;
};

} // namespace arbolink
