// Block assembly throughput against a memcpy of the same output size, and the signature
// reader on long headings (BM_ReadSignature: us per read and ns_per_byte, which stays
// flat from 1 to 64 KiB when the reading is linear; aim: under 50 us at 4 KiB). The figures to
// read: ratio_to_memcpy (how many times one memcpy of the finished block's bytes the
// assembly takes; aim: at most 1.5 for typical fields, 2 for a field of nothing but
// line breaks), ratio_to_fresh_memcpy for blocks in new allocations (see RunBuild) and,
// for the 16 MiB fields, peak_MiB and peak_ratio (the most memory held while one block
// is built, input included, over the block's size plus the input; aim: at most 1.1).
#include "core/fill.h"
#include "core/remark.h"
#include "core/signature/signature.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

// Every allocation through operator new is counted, so a run can report the most memory
// it held at once. A header in front of each block remembers its size.
namespace {
constexpr std::size_t kHeader = alignof(std::max_align_t);
std::size_t g_liveBytes = 0;
std::size_t g_peakBytes = 0;
} // namespace

void* operator new(std::size_t n) {
    void* p = std::malloc(n + kHeader);
    if (!p)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = n;
    g_liveBytes += n;
    g_peakBytes = std::max(g_peakBytes, g_liveBytes);
    return static_cast<char*>(p) + kHeader;
}

void operator delete(void* p) noexcept {
    if (!p)
        return;
    char* block = static_cast<char*>(p) - kHeader;
    g_liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using namespace inkwarden;

enum FieldKind { kProse, kAllBreaks, kVariedLines };

// A field of `bytes`: prose with a CR LF about every 60 bytes, nothing but CR LF, or
// prose whose lines run from 20 to 100 bytes (the same lines every run).
std::string MakeField(std::size_t bytes, FieldKind kind) {
    std::string s;
    s.reserve(bytes);
    unsigned seed = 1;
    while (s.size() < bytes) {
        if (kind == kProse)
            s.append(58, 'a');
        if (kind == kVariedLines) {
            seed = seed * 1103515245u + 12345u;
            s.append(18 + (seed >> 16) % 81, 'a');
        }
        s.append("\r\n");
    }
    s.resize(bytes);
    return s;
}

TemplateFields MakeFields(const benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0));
    const FieldKind kind = static_cast<FieldKind>(state.range(1));
    return {"dev", "2026-12-7", "Name", MakeField(bytes / 2, kind), MakeField(bytes / 2, kind)};
}

// Processor time since t0: the machine may be busy with other work, which wall-clock
// ratios would count against whichever side it happened to interrupt.
double CpuSeconds(std::clock_t t0) {
    return static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC;
}

// Seconds per memcpy of a size, measured once per size before the block runs: into a
// buffer already in use (the baseline of every ratio_to_memcpy), or into a new allocation
// each time.
std::map<std::size_t, double>& MemcpySeconds(bool fresh) {
    static std::map<std::size_t, double> warm, fresh_;
    return fresh ? fresh_ : warm;
}

// One memcpy of all of `src`: into `warm`, a buffer already in use, or into a new
// allocation, as every block gets one.
void CopyOnce(const std::vector<char>& src, std::vector<char>& warm, bool fresh) {
    const std::unique_ptr<char[]> freshDst(fresh ? new char[src.size()] : nullptr);
    char* to = fresh ? freshDst.get() : warm.data();
    std::memcpy(to, src.data(), src.size());
    benchmark::DoNotOptimize(to);
    benchmark::ClobberMemory();
}

double TimeMemcpy(std::size_t bytes, bool fresh) {
    std::vector<char> src(bytes, 'x'), dst(bytes);
    // A new allocation of 240 MB takes a tenth of a second to fault in: fewer rounds.
    const int reps = bytes <= (1u << 20) ? 2000 : fresh && bytes > (64u << 20) ? 2 : 20;
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const std::clock_t t0 = std::clock();
        for (int i = 0; i < reps; ++i)
            CopyOnce(src, dst, fresh);
        best = std::min(best, CpuSeconds(t0) / reps);
    }
    return best;
}

// How many times one memcpy of `out` bytes (into a buffer already in use, or into a new
// allocation) a run took.
double RatioToMemcpy(std::size_t out, double secondsPerIteration, bool fresh = false) {
    auto& base = MemcpySeconds(fresh);
    if (!base.count(out))
        base[out] = TimeMemcpy(out, fresh);
    return secondsPerIteration / base[out];
}

// Every row reports ratio_to_memcpy, against one memcpy into a warm buffer. A block built
// as the program builds it lands in a new allocation, and for the all-CR-LF field (240 MB)
// that means fresh pages the kernel faults in and zeroes, which a warm memcpy never pays;
// so those rows also report ratio_to_fresh_memcpy, against a memcpy of the same bytes into
// a new allocation of the same size: like for like. The warm-heap rows build into memory
// glibc keeps, so their ratio_to_memcpy is the like-for-like figure there.
void RunBuild(benchmark::State& state, bool freshAllocation) {
    SelectRemarkStyle(0);
    const TemplateFields fields = MakeFields(state);
    std::size_t out = 0;
    const std::clock_t t0 = std::clock();
    for (auto _ : state) {
        std::string block = BuildRemarkBlock(0, fields);
        out = block.size();
        benchmark::DoNotOptimize(block.data());
    }
    const double perIteration = CpuSeconds(t0) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out));
    state.counters["ratio_to_memcpy"] = RatioToMemcpy(out, perIteration);
    if (freshAllocation)
        state.counters["ratio_to_fresh_memcpy"] = RatioToMemcpy(out, perIteration, true);

    if (state.range(0) >= (16 << 20)) {
        // One more block, counting what is held at most while it is built.
        std::size_t input = 0;
        for (const std::string& f : fields)
            input += f.size();
        const std::size_t before = g_liveBytes;
        g_peakBytes = before;
        const std::string block = BuildRemarkBlock(0, fields);
        const double peak = static_cast<double>(input + (g_peakBytes - before));
        state.counters["peak_MiB"] = peak / (1 << 20);
        state.counters["peak_ratio"] = peak / static_cast<double>(block.size() + input);
    }
}

// As the program runs it: every block is a fresh allocation, and for large blocks the
// allocator hands out new pages that the kernel must fault in and zero.
void BM_BuildRemarkBlock(benchmark::State& state) {
    RunBuild(state, true);
}

// A memcpy of the block's bytes, each time into the same buffer or into a new allocation.
void RunMemcpy(benchmark::State& state, bool fresh) {
    SelectRemarkStyle(0);
    const std::size_t out = BuildRemarkBlock(0, MakeFields(state)).size();
    std::vector<char> src(out, 'x'), dst(fresh ? 0 : out);
    const std::clock_t t0 = std::clock();
    for (auto _ : state)
        CopyOnce(src, dst, fresh);
    const double perIteration = CpuSeconds(t0) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out));
    if (fresh)
        state.counters["ratio_to_memcpy"] = RatioToMemcpy(out, perIteration);
}

void BM_Memcpy(benchmark::State& state) {
    RunMemcpy(state, false);
}

// Not a target, an explanation: the ratio of a memcpy into a new allocation each time is
// what faulting in and zeroing fresh pages costs any writer of a new buffer of that size,
// before a byte of the block is assembled.
void BM_MemcpyIntoFreshAllocation(benchmark::State& state) {
    RunMemcpy(state, true);
}

// Arguments: total bytes of the two multi-line fields, and the kind of text in them.
void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"bytes", "all_breaks"});
    for (int bytes : {1 << 10, 1 << 20, 16 << 20})
        b->Args({bytes, kProse});
    b->Args({16 << 20, kAllBreaks});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_BuildRemarkBlock)->Apply(Sizes);
BENCHMARK(BM_MemcpyIntoFreshAllocation)->Apply(Sizes);

// Lines of varying length, as people write them: a scan that branches on whether a
// 32-byte step holds a line break guesses wrong here, and not on lines of one length.
void BM_BuildRemarkBlock_VariedLines(benchmark::State& state) {
    RunBuild(state, true);
}
BENCHMARK(BM_BuildRemarkBlock_VariedLines)
    ->ArgNames({"bytes", "text"})
    ->Args({1 << 20, kVariedLines})
    ->Args({16 << 20, kVariedLines})
    ->Unit(benchmark::kMicrosecond);

// The same on a processor without AVX2: the 16-byte scan, where it is compiled in.
void BM_BuildRemarkBlock_Sse2(benchmark::State& state) {
    if (LimitScanWidth(ScanWidth::Sse2) != ScanWidth::Sse2)
        state.SkipWithError("no 16-byte scan in this build");
    else
        RunBuild(state, true);
    LimitScanWidth(ScanWidth::Avx2);
}
BENCHMARK(BM_BuildRemarkBlock_Sse2)
    ->ArgNames({"bytes", "all_breaks"})
    ->Args({1 << 20, kProse})
    ->Args({16 << 20, kProse})
    ->Unit(benchmark::kMicrosecond);

// A heading whose wrapped parameter list brings it to `bytes`: templates, defaults and
// callbacks, one parameter a line, as a long C++ declaration is written.
std::string LongHeading(std::size_t bytes) {
    static const char* const kinds[] = {"const std::map<std::string, std::vector<int>>& m",
                                        "int (*callback)(void*, int) = nullptr, char **argv",
                                        "std::size_t n"};
    std::string s = "template <typename T>\nstatic int Widget::resize(int a0";
    for (unsigned i = 1; s.size() + 80 < bytes; ++i)
        s.append(",\n    ").append(kinds[i % 3]).append(std::to_string(i));
    s += ") const noexcept;";
    s.append(bytes - s.size(), ' ');
    return s;
}

void BM_ReadSignature(benchmark::State& state) {
    const std::string text = LongHeading(static_cast<std::size_t>(state.range(0)));
    if (!ReadSignature(text)) {
        state.SkipWithError("the heading did not read");
        return;
    }
    const std::clock_t t0 = std::clock();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSignature(text));
    const double perRead = CpuSeconds(t0) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["ns_per_byte"] = perRead * 1e9 / static_cast<double>(text.size());
}
BENCHMARK(BM_ReadSignature)
    ->ArgName("bytes")
    ->Arg(1 << 10)
    ->Arg(4 << 10)
    ->Arg(16 << 10)
    ->Arg(static_cast<int64_t>(kMaxSignatureText) - 1)
    ->Unit(benchmark::kMicrosecond);

// What the hotkey reads: the whole copied text, tried as a block of every loaded style
// (here the delivered 22 styles of one's own and 2 templates) before it is read as a
// heading. The same aim: under 50 us at 4 KiB.
void BM_ReadFillPlan(benchmark::State& state) {
    std::vector<CustomStyle> styles;
    for (CodeType_t code = 8; code < 30; ++code)
        styles.push_back({code, "style" + std::to_string(code), "# ", "#     ", ""});
    SetCustomStyles(styles);
    SetOwnTemplates(
        {{4, "接口说明", {{"接口名称：", false, Prefill::None}, {"参数说明：", true, Prefill::None}}},
         {5, "变更记录", {{"变更日期：", false, Prefill::Date}}}});
    const std::string text = LongHeading(static_cast<std::size_t>(state.range(0)));
    if (!ReadFillPlan(text, 0)) {
        state.SkipWithError("the heading did not read");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFillPlan(text, 0));
    SetCustomStyles({});
    SetOwnTemplates({});
}
BENCHMARK(BM_ReadFillPlan)->ArgName("bytes")->Arg(4 << 10)->Unit(benchmark::kMicrosecond);

// An old block and the heading under it that gained a parameter, `bytes` long in all: the
// parameter field holds a described line per old parameter, so the refresh reads every
// line against the heading. The aim: under 100 us at 4 KiB, and ns_per_byte flat.
std::string BlockAndHeading(std::size_t bytes) {
    std::string params, heading = "int Widget::resize(int extra";
    // Each parameter line takes the block's prefix and continuation indent (27 bytes) too.
    for (unsigned i = 0; params.size() + 27 * i + heading.size() + 600 < bytes; ++i) {
        const std::string name = "std::size_t count" + std::to_string(i);
        params += (params.empty() ? "" : "\r\n") + name + "：第" + std::to_string(i) + "个计数，不为负";
        heading += ",\n    " + name;
    }
    SelectRemarkStyle(0);
    return BuildRemarkBlock(0, {"张三", "2024-5-6", "resize", params, "调整大小"}) + "\r\n" + heading + ");";
}

void BM_ReadRefresh(benchmark::State& state) {
    const std::string text = BlockAndHeading(static_cast<std::size_t>(state.range(0)));
    const std::optional<FillPlan> plan = ReadFillPlan(text, 0);
    if (!plan || !plan->keepCopied || plan->keepFrom == 0) {
        state.SkipWithError("the block and heading did not read");
        return;
    }
    const std::clock_t t0 = std::clock();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFillPlan(text, 0));
    const double perRead = CpuSeconds(t0) / static_cast<double>(state.iterations());
    state.counters["ns_per_byte"] = perRead * 1e9 / static_cast<double>(text.size());
}
BENCHMARK(BM_ReadRefresh)
    ->ArgName("bytes")
    ->Arg(1 << 10)
    ->Arg(4 << 10)
    ->Arg(16 << 10)
    ->Arg(static_cast<int64_t>(kMaxCopiedText) - 1)
    ->Unit(benchmark::kMicrosecond);

#if defined(__GLIBC__)
// The same with glibc keeping freed large blocks in its heap, which isolates the
// assembly itself from the page faults of a fresh mapping.
void BM_BuildRemarkBlock_WarmHeap(benchmark::State& state) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    RunBuild(state, false);
}
BENCHMARK(BM_BuildRemarkBlock_WarmHeap)->Apply(Sizes);
#endif

} // namespace

BENCHMARK_MAIN();
