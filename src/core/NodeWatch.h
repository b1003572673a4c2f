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
    // A deletion begins: top and its whole subtree will leave, each node told to NodeDeleted,
    // children first. Told once for each top of a deletion, before any of its nodes; a watcher
    // that shows many nodes can let the whole branch go here at once.
    virtual void DeletionBegins(TTreeNode& top) { (void)top; }
    // The deletion is over and its nodes are freed.
    virtual void DeletionEnded() {}
};

// Tell every watcher that node is leaving the tree, that a deletion of top's subtree begins, and
// that the deletion is over. Watchers may come and go meanwhile: one that goes is not told any
// more, one that comes is told from the next notification on.
void NotifyNodeWatchers(TTreeNode& node);
void NotifyDeletionBegins(TTreeNode& top);
void NotifyDeletionEnded();

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
