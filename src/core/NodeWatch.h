// Whatever keeps a tree node across a message loop (a dialog field, a window's rows, a timer's
// target) learns of the node's deletion here: the tree's deletion routine tells every watcher
// alive at that moment, so none is left holding a freed node.
#pragma once

#include "core/SnippetTree.h"

class TNodeWatcher {
public:
    TNodeWatcher();
    virtual ~TNodeWatcher();
    TNodeWatcher(const TNodeWatcher&) = delete;
    TNodeWatcher& operator=(const TNodeWatcher&) = delete;

    // node is leaving the tree; it is still whole while this runs.
    virtual void NodeDeleted(TTreeNode& node) = 0;
};

// Tells every watcher that node is leaving the tree. Watchers may come and go meanwhile: one that
// goes is not told any more, one that comes is told from the next deletion on.
void NotifyNodeWatchers(TTreeNode& node);

// A node pointer that becomes nullptr when its node is deleted: the one way to keep a node across
// a message loop. It reads as the pointer it holds.
class TNodeRef : private TNodeWatcher {
public:
    explicit TNodeRef(TTreeNode* node = nullptr) : node_(node) {}
    TNodeRef& operator=(TTreeNode* node)
    {
        node_ = node;
        return *this;
    }
    TTreeNode* Get() const { return node_; }
    TTreeNode* operator->() const { return node_; }
    operator TTreeNode*() const { return node_; }

private:
    void NodeDeleted(TTreeNode& node) override
    {
        if (&node == node_)
            node_ = nullptr;
    }
    TTreeNode* node_;
};
