// The data-file codec in memory on a large collection: 10,000 messages of about 500 characters in
// nested folders (about 10 MB), beside one plain copy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "Collection.h"
#include "FakeOs.h"
#include "core/DataFile.h"
#include "core/TreeRoutines.h"

namespace {

struct Collection {
    FakeOs os;
    TTreeNodes items;
    TTreeNode* root;
    std::vector<std::uint8_t> bytes;
    Collection()
    {
        root = StartupTree(items);
        SetNodeGlobals(items);
        FillCollection(items, root);
        bytes = BuildDataFileBytes(root);
    }
};

Collection& Shared()
{
    static Collection collection;
    return collection;
}

void Report(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

// What the codec's output costs at least: a new buffer of the file's size, filled.
void BM_Baseline_CopyFileBytes(benchmark::State& state)
{
    const auto& bytes = Shared().bytes;
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(bytes.size());
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    Report(state, bytes.size());
}

void BM_BuildDataFileBytes(benchmark::State& state)
{
    Collection& c = Shared();
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = BuildDataFileBytes(c.root);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    Report(state, c.bytes.size());
}

void BM_ParseDataFileBytes(benchmark::State& state)
{
    Collection& c = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        auto items = std::make_unique<TTreeNodes>();
        TTreeNode* root = StartupTree(*items);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ParseDataFileBytes(*items, root, c.bytes));
        state.PauseTiming();
        items.reset(); // the tree's teardown is not the reader's cost
        state.ResumeTiming();
    }
    Report(state, c.bytes.size());
}

} // namespace

BENCHMARK(BM_Baseline_CopyFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildDataFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseDataFileBytes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
