#include "core/NodeWatch.h"

#include <algorithm>
#include <vector>

#include "core/ScopeExit.h"

namespace {
// The watchers alive now. A watcher that goes during a notification leaves a hole, closed once
// the outermost notification is over.
std::vector<TNodeWatcher*>& Watchers()
{
    static std::vector<TNodeWatcher*> watchers;
    return watchers;
}
int notifying = 0;
} // namespace

TNodeWatcher::TNodeWatcher() { Watchers().push_back(this); }

TNodeWatcher::~TNodeWatcher()
{
    auto& watchers = Watchers();
    auto it = std::find(watchers.begin(), watchers.end(), this);
    if (it == watchers.end())
        return;
    if (notifying > 0)
        *it = nullptr;
    else
        watchers.erase(it);
}

namespace {
template <class Tell>
void TellWatchers(Tell&& tell)
{
    auto& watchers = Watchers();
    ++notifying;
    const ScopeExit done([&watchers] {
        if (--notifying == 0)
            watchers.erase(std::remove(watchers.begin(), watchers.end(), nullptr), watchers.end());
    });
    // Those that come during the notification are past the count and not told.
    const size_t count = watchers.size();
    for (size_t i = 0; i < count; ++i)
        if (TNodeWatcher* watcher = watchers[i])
            tell(*watcher);
}
} // namespace

void NotifyNodeWatchers(TTreeNode& node)
{
    TellWatchers([&](TNodeWatcher& watcher) { watcher.NodeDeleted(node); });
}

void NotifyDeletionBegins(TTreeNode& top)
{
    TellWatchers([&](TNodeWatcher& watcher) { watcher.DeletionBegins(top); });
}

void NotifyDeletionEnded()
{
    TellWatchers([](TNodeWatcher& watcher) { watcher.DeletionEnded(); });
}
