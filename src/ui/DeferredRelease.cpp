#include "ui/DeferredRelease.h"

#include <vector>

namespace {
int depth = 0;
std::vector<std::function<void()>> retired;

void ReleaseRetired()
{
    // Releasing may retire more (a window frees its submenu window); those go in the same pass.
    while (!retired.empty()) {
        std::vector<std::function<void()>> batch;
        batch.swap(retired);
        for (auto& release : batch)
            release();
    }
}
} // namespace

TDispatchScope::TDispatchScope() { ++depth; }

TDispatchScope::~TDispatchScope()
{
    if (--depth == 0)
        ReleaseRetired();
}

void ReleaseLaterFn(std::function<void()> release)
{
    retired.push_back(std::move(release));
    if (depth == 0)
        ReleaseRetired();
}
