// LoadData's geometry for a folder of 5,000 messages beside a plain loop that fills 5,000
// rectangles; a reported figure, not a test.
#include <benchmark/benchmark.h>

#include <vector>

#include "FakeOs.h"
#include "core/NodeKinds.h"
#include "menus/MenuLayout.h"

namespace {
constexpr int Rows = 5000;

int Width6(StringView text) { return static_cast<int>(text.size()) * 6; }

void BM_MenuLayout5000(benchmark::State& state)
{
    FakeOs os;
    TTreeNodes items;
    TTreeNode* root = items.AddChild(nullptr, u"Data");
    TTreeNode* menu = items.AddChild(root, u"Menu");
    TTreeNode* folder = items.AddChild(menu, u"Folder");
    for (int i = 0; i < Rows; ++i) {
        TTreeNode* node = items.AddChild(folder, u"Message number " + String(1, static_cast<char16_t>(u'A' + i % 26)));
        node->ImageIndex = nkMessage;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(LayoutMenu(*folder, 100, 26, 0, {1280, 800}, Width6));
}
BENCHMARK(BM_MenuLayout5000);

struct TRect {
    int Left, Top, Right, Bottom;
};

void BM_PlainRects5000(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<TRect> rects(Rows);
        int top = 1;
        for (auto& r : rects) {
            r = {1, top, 317, top + 22};
            top += 22;
        }
        benchmark::DoNotOptimize(rects.data());
    }
}
BENCHMARK(BM_PlainRects5000);
} // namespace
