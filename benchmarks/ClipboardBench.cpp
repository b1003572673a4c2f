// The clipboard capture at the largest history the Options window allows (99,999 entries), beside
// a plain save of the same tree: the search, the insertion and the trim should be a small part of
// the save that every capture ends with. Both write through the fake file system.
#include <benchmark/benchmark.h>

#include <memory>

#include "FakeOs.h"
#include "core/ClipboardCapture.h"
#include "core/DataFile.h"
#include "core/Globals.h"
#include "core/NodeKinds.h"
#include "core/TreeRoutines.h"

namespace {

constexpr int HistoryCount = 99999;

String Number(long n)
{
    String out;
    for (char c : std::to_string(n))
        out += static_cast<char16_t>(c);
    return out;
}

// Copied texts of 20 to 319 code units, so that many share a length and reach the comparison.
String CopiedText(long n)
{
    String text = u"Copied text " + Number(n) + u": ";
    const std::size_t length = 20 + static_cast<std::size_t>(n * 37 % 300);
    while (text.size() < length)
        text += u"lorem ipsum dolor sit amet, \u00E9\u00FC\r\n";
    text.resize(length);
    return text;
}

struct History {
    FakeOs os;
    TTreeNodes items;
    long nextText = HistoryCount;

    History()
    {
        items.OnDeletion = TreeViewDataDeletion;
        BuildDefaultTree(items);
        SetNodeGlobals(items);
        AddClipboardMenuRows(items, ClipboardsNode);
        AddMessageMenuRows(items, MessagesNode);
        for (long n = HistoryCount - 1; n >= 0; --n) {
            String text = CopiedText(n);
            TTreeNode* entry = items.AddChild(ClipboardsNode, text.substr(0, 60));
            entry->ImageIndex = nkMessage;
            entry->Data = std::move(text);
        }
        // The program's first save pages in the memory that every later one reuses.
        Install();
        SaveDataFile(items, RootNode);
    }

    // The settings and node globals of a running program with this history, and this fake as the
    // OS services (other benchmarks of the run install their own).
    void Install()
    {
        SetOsServices(os.Services());
        SetNodeGlobals(items);
        DataFile = u"C:\\AppData\\Quorvane\\1.0\\Quorvane.db";
        AutoDelete = true;
        ClipboardMaxCount = HistoryCount;
        os.Calls.clear();
    }
};

History& Shared()
{
    static History history;
    history.Install();
    return history;
}

void Report(benchmark::State& state, History& h)
{
    state.counters["entries"] = ClipboardsNode->Count() - 3;
    state.counters["file_MB"] = static_cast<double>(h.os.Files[DataFile].size()) / 1e6;
}

// What every capture ends with.
void BM_SaveDataFile_FullHistory(benchmark::State& state)
{
    History& h = Shared();
    for (auto _ : state) {
        SaveDataFile(h.items, RootNode);
        h.os.Calls.clear();
    }
    Report(state, h);
}

// A text not yet in the history: the whole list searched, a new entry at the top, the oldest
// trimmed, the file saved.
void BM_AddClipboardText_NewText(benchmark::State& state)
{
    History& h = Shared();
    for (auto _ : state) {
        h.os.ClipboardText = CopiedText(h.nextText++);
        AddClipboardText(h.items, ClipboardsNode);
        h.os.Calls.clear();
    }
    Report(state, h);
}

// The oldest entry copied again: found at the end of the search and moved to the top.
void BM_AddClipboardText_OldestText(benchmark::State& state)
{
    History& h = Shared();
    for (auto _ : state) {
        h.os.ClipboardText = *ClipboardsNode->Item(ClipboardsNode->Count() - 1)->Data;
        AddClipboardText(h.items, ClipboardsNode);
        h.os.Calls.clear();
    }
    Report(state, h);
}

// The limit lowered from the largest to the smallest (Options, OK): 99,994 entries deleted at
// once, with the freeing of their nodes. A history of its own per run, built outside the timing.
void BM_TrimClipboardHistory_99999To5(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto h = std::make_unique<History>();
        h->Install();
        ClipboardMaxCount = 5;
        state.ResumeTiming();
        TrimClipboardHistory(h->items);
        state.PauseTiming();
        h.reset();
        state.ResumeTiming();
    }
}

} // namespace

// At least 2 s each: at about 40 ms per run, shorter timings are a handful of runs.
BENCHMARK(BM_SaveDataFile_FullHistory)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_AddClipboardText_NewText)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_AddClipboardText_OldestText)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_TrimClipboardHistory_99999To5)->Unit(benchmark::kMillisecond);
