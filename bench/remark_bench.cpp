// Block assembly throughput against a memcpy of the same output size. The figures to
// read are bytes_per_second and, for the block runs, ratio_to_memcpy (how many times
// slower than copying the finished block's bytes once).
#include "core/remark.h"

#include <benchmark/benchmark.h>

#include <chrono>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace inkwarden;

// A field of `bytes` with a CR LF about every 60 bytes, as typed prose would have.
std::string MakeField(std::size_t bytes) {
    std::string s;
    s.reserve(bytes);
    while (s.size() < bytes) {
        s.append(58, 'a');
        s.append("\r\n");
    }
    s.resize(bytes);
    return s;
}

TemplateFields MakeFields(std::size_t bytes) {
    return {"dev", "2026-12-7", "Name", MakeField(bytes / 2), MakeField(bytes / 2)};
}

// Seconds per iteration of memcpy, by size, measured once per size before the block runs.
std::map<std::size_t, double>& MemcpySeconds() {
    static std::map<std::size_t, double> m;
    return m;
}

double TimeMemcpy(std::size_t bytes) {
    std::vector<char> src(bytes, 'x'), dst(bytes);
    const int reps = bytes > (1u << 20) ? 20 : 2000;
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < reps; ++i) {
            std::memcpy(dst.data(), src.data(), bytes);
            benchmark::DoNotOptimize(dst.data());
            benchmark::ClobberMemory();
        }
        auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count() / reps);
    }
    return best;
}

void BM_Memcpy(benchmark::State& state) {
    SelectRemarkStyle(0);
    const std::size_t out = BuildRemarkBlock(0, MakeFields(static_cast<std::size_t>(state.range(0)))).size();
    std::vector<char> src(out, 'x'), dst(out);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), out);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out));
}

void RunBuild(benchmark::State& state) {
    SelectRemarkStyle(0);
    const TemplateFields fields = MakeFields(static_cast<std::size_t>(state.range(0)));
    std::size_t out = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        std::string block = BuildRemarkBlock(0, fields);
        out = block.size();
        benchmark::DoNotOptimize(block.data());
    }
    const double perIteration = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() /
                                static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out));
    auto& base = MemcpySeconds();
    if (!base.count(out))
        base[out] = TimeMemcpy(out);
    // How many times one memcpy of the finished block's size this run took.
    state.counters["ratio_to_memcpy"] = perIteration / base[out];
}

// As the program runs it: every block is a fresh allocation, and for large blocks the
// allocator hands out new pages that the kernel must fault in and zero.
void BM_BuildRemarkBlock(benchmark::State& state) {
    RunBuild(state);
}

BENCHMARK(BM_Memcpy)->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildRemarkBlock)->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);

#if defined(__GLIBC__)
// The same with glibc keeping freed large blocks in its heap, which isolates the
// assembly itself from the page faults of a fresh mapping.
void BM_BuildRemarkBlock_WarmHeap(benchmark::State& state) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    RunBuild(state);
}
BENCHMARK(BM_BuildRemarkBlock_WarmHeap)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMicrosecond);
#endif

} // namespace

BENCHMARK_MAIN();
