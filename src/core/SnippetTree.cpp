#include "core/SnippetTree.h"

#include <algorithm>
#include <stdexcept>

int TTreeNode::Level() const
{
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

int TTreeNode::Index() const
{
    const auto& siblings = parent_ ? parent_->children_ : owner_->TopNodes();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TTreeNode::Height() const
{
    int height = 0;
    for (const auto& child : children_)
        height = std::max(height, child->Height() + 1);
    return height;
}

ETreeDepthError::ETreeDepthError()
    : EAppError(u"Folders cannot be nested deeper than " + [] {
          const std::string digits = std::to_string(MaxNodeLevel);
          return String(digits.begin(), digits.end());
      }() + u" levels.")
{
}

TTreeNodes::TTreeNodes() { top_.owner_ = this; }

bool TTreeNodes::FitsAtLevel(const TTreeNode* node, int level) { return level + node->Height() <= MaxNodeLevel; }

TTreeNodes::~TTreeNodes()
{
    // The handlers of the owner may already be gone when the tree dies with it.
    OnDeletion = nullptr;
    OnDeletionBegin = nullptr;
    OnDeletionEnd = nullptr;
    Clear();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* node)
{
    return node->parent_ ? node->parent_->children_ : top_.children_;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, String text)
{
    auto node = std::make_unique<TTreeNode>();
    node->owner_ = this;
    node->parent_ = parent;
    node->Text = std::move(text);
    TTreeNode* raw = node.get();
    (parent ? parent->children_ : top_.children_).push_back(std::move(node));
    return raw;
}

std::unique_ptr<TTreeNode> TTreeNodes::Detach(TTreeNode* node, const TTreeNode* destination, int level)
{
    for (const TTreeNode* p = destination; p; p = p->parent_)
        if (p == node)
            throw std::logic_error("a node cannot move into its own subtree");
    // Within its own siblings a node keeps its level.
    if (destination != node->parent_ && !FitsAtLevel(node, level))
        throw ETreeDepthError();
    auto& from = SiblingsOf(node);
    auto it = std::find_if(from.begin(), from.end(), [&](auto& p) { return p.get() == node; });
    std::unique_ptr<TTreeNode> owned = std::move(*it);
    from.erase(it);
    return owned;
}

void TTreeNodes::MoveBefore(TTreeNode* node, TTreeNode* target)
{
    if (node == target)
        return;
    std::unique_ptr<TTreeNode> owned = Detach(node, target->parent_, target->Level());
    auto& to = SiblingsOf(target);
    auto at = std::find_if(to.begin(), to.end(), [&](auto& p) { return p.get() == target; });
    owned->parent_ = target->parent_;
    to.insert(at, std::move(owned));
}

void TTreeNodes::MoveToLastChild(TTreeNode* node, TTreeNode* parent)
{
    std::unique_ptr<TTreeNode> owned = Detach(node, parent, parent ? parent->Level() + 1 : 0);
    owned->parent_ = parent;
    (parent ? parent->children_ : top_.children_).push_back(std::move(owned));
}

void TTreeNodes::NotifyDeletion(TTreeNode& node)
{
    for (auto& child : node.children_)
        NotifyDeletion(*child);
    if (OnDeletion)
        OnDeletion(node);
}

void TTreeNodes::MarkLeaving(TTreeNode& node)
{
    node.leaving_ = true;
    for (auto& child : node.children_)
        MarkLeaving(*child);
}

void TTreeNodes::DeleteSubtrees(const std::vector<TTreeNode*>& tops, const std::function<void()>& remove)
{
    ++deleting_;
    const auto end = [this] {
        if (--deleting_ == 0 && OnDeletionEnd)
            OnDeletionEnd();
    };
    try {
        for (TTreeNode* top : tops)
            MarkLeaving(*top);
        if (OnDeletionBegin)
            for (TTreeNode* top : tops)
                OnDeletionBegin(*top);
        for (TTreeNode* top : tops)
            NotifyDeletion(*top);
        remove();
    } catch (...) {
        end();
        throw;
    }
    end();
}

void TTreeNodes::Delete(TTreeNode* node)
{
    DeleteSubtrees({node}, [&] {
        auto& siblings = SiblingsOf(node);
        siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](auto& p) { return p.get() == node; }));
    });
}

void TTreeNodes::DeleteChildrenIf(TTreeNode* parent, int from,
                                  const std::function<bool(const TTreeNode&)>& doomed)
{
    auto& siblings = parent ? parent->children_ : top_.children_;
    std::vector<TTreeNode*> leaving;
    for (size_t i = static_cast<size_t>(std::max(from, 0)); i < siblings.size(); ++i)
        if (doomed(*siblings[i]))
            leaving.push_back(siblings[i].get());
    if (leaving.empty())
        return;
    DeleteSubtrees(leaving, [&] {
        // The siblings that stay close up in place; the others are freed at the end.
        std::vector<std::unique_ptr<TTreeNode>> gone;
        gone.reserve(leaving.size());
        auto kept = siblings.begin();
        for (auto& child : siblings) {
            if (gone.size() < leaving.size() && child.get() == leaving[gone.size()])
                gone.push_back(std::move(child));
            else if (&*kept != &child)
                *kept++ = std::move(child);
            else
                ++kept;
        }
        siblings.erase(kept, siblings.end());
    });
}

void TTreeNodes::Clear()
{
    while (top_.HasChildren())
        Delete(top_.children_.back().get());
}

namespace {
// Walks the subtree in pre-order; stops when visit returns true.
template <class Visit>
bool WalkPreOrder(const TTreeNode& parent, Visit& visit)
{
    for (int i = 0; i < parent.Count(); ++i) {
        TTreeNode* child = parent.Item(i);
        if (visit(child) || WalkPreOrder(*child, visit))
            return true;
    }
    return false;
}
} // namespace

TTreeNode* TTreeNodes::GetNodeFromIndex(int index) const
{
    TTreeNode* found = nullptr;
    int position = 0;
    auto visit = [&](TTreeNode* node) {
        if (position++ == index)
            found = node;
        return found != nullptr;
    };
    if (index >= 0)
        WalkPreOrder(top_, visit);
    return found;
}

int TTreeNodes::AbsoluteIndex(const TTreeNode* node) const
{
    int position = 0;
    bool hit = false;
    auto visit = [&](TTreeNode* n) {
        hit = n == node;
        if (!hit)
            ++position;
        return hit;
    };
    WalkPreOrder(top_, visit);
    return hit ? position : -1;
}

int TTreeNodes::Count() const
{
    int count = 0;
    auto visit = [&](TTreeNode*) {
        ++count;
        return false;
    };
    WalkPreOrder(top_, visit);
    return count;
}

void TTreeNodes::ForEachNode(const std::function<bool(TTreeNode& node, int index)>& visit) const
{
    int position = 0;
    auto each = [&](TTreeNode* node) { return visit(*node, position++); };
    WalkPreOrder(top_, each);
}
