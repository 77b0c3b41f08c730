#include "core/remark.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

// Thirty-two bytes at a time where AVX2 is at hand (chosen at run time, x86-64 only),
// sixteen where SSE2 and the C++20 bit functions are (every x86-64 build), and memchr
// from line break to line break elsewhere.
#if __has_include(<bit>)
#include <bit>
#endif
#if (defined(__SSE2__) || defined(_M_X64)) && defined(__cpp_lib_bitops)
#include <emmintrin.h>
#define BLOCK_SCAN 1
#else
#define BLOCK_SCAN 0
#endif
#if BLOCK_SCAN && (defined(__x86_64__) || defined(_M_X64)) && (defined(_MSC_VER) || defined(__GNUC__))
#include <immintrin.h>
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#define WIDE_SCAN 1
#else
#define WIDE_SCAN 0
#endif

// GCC and Clang compile a function for AVX2 when asked to, MSVC compiles the intrinsics
// anywhere. Code that uses them is only ever called after the processor said it has them.
#if defined(_MSC_VER) && !defined(__clang__)
#define AVX2_FUNCTION
#define ALWAYS_INLINE __forceinline
// "Found AVX instructions, consider /arch:AVX": the whole build may not assume AVX, only
// the functions chosen at run time use it.
#pragma warning(disable : 4752)
#else
#define AVX2_FUNCTION __attribute__((target("avx2")))
#define ALWAYS_INLINE __attribute__((always_inline)) inline
#endif

namespace inkwarden {

std::string OpeningLine;
std::string LinePrefix;
std::string ClosingLine;

namespace {

constexpr int kRuleLength = 58;
constexpr int kContinuationBlanks = 20;

struct RemarkStyle {
    const char* name;    // language name shown in the main window's selector caption
    const char* leadIn;  // followed by 58 '=' to form the opening line
    const char* prefix;  // starts every field line
    const char* closing; // nullptr: the block closes with a copy of its opening line
};

const RemarkStyle kStyles[kStyleCount] = {
    {"c++/c", "/* ", "*     ", "*/"},      {"vb", "'' ", "'     ", nullptr},
    {"asp", "'' ", "'     ", nullptr},     {"php", "/* ", "*     ", "*/"},
    {"delphi", "// ", "//     ", nullptr}, {"vfp", "* ", "*     ", nullptr},
    {"html", "<!-- ", "     ", "-->"},     {"javascript", "/*- ", "*     ", "-*/"},
};

// Kept sorted by code, one row per code.
std::vector<CustomStyle> customStyles;

// The one place that turns a row into the three texts, for built-in and custom rows
// alike, so both follow the same closing-line rule.
void MakeTexts(std::string_view leadIn, std::string_view prefix, std::string_view closing,
               std::string& opening, std::string& linePrefix, std::string& closingLine) {
    opening.assign(leadIn);
    opening.append(kRuleLength, '=');
    linePrefix.assign(prefix);
    if (closing.empty())
        closingLine = opening;
    else
        closingLine.assign(closing);
}

// The row of a code: a built-in for 0..7, else the custom row; false for none.
bool RowOf(CodeType_t code, std::string_view& name, std::string_view& leadIn, std::string_view& prefix,
           std::string_view& closing);

// What follows each CR LF of a continued field.
std::string ContinuationIndent(std::string_view prefix) {
    std::string indent(prefix);
    indent.append(kContinuationBlanks, ' ');
    return indent;
}

// Calls onBreak(lf) for the LF of every CR LF in [from, end), left to right; `begin`
// is the start of the text, for a CR just before `from`. CR LF cannot overlap itself,
// so this finds exactly the pairs a left-to-right search for "\r\n" finds.
template <typename F> void ForEachCrLf(const char* begin, const char* from, const char* end, F onBreak) {
    for (const char* p = from; p < end;) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf)
            break;
        if (lf > begin && lf[-1] == '\r')
            onBreak(lf);
        p = lf + 1;
    }
}

#if BLOCK_SCAN
__m128i Load16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__m128i Equal(__m128i block, char c) {
    return _mm_cmpeq_epi8(block, _mm_set1_epi8(c));
}

// Hardware prefetching alone leaves a single core waiting on memory for fields larger
// than its caches: the count reads as fast as a plain read loop only when it asks for the
// text 4 KiB ahead, and the copy, whose stores otherwise wait for each line of the output
// to arrive, takes a fifth less time when it asks for the output 1 KiB ahead. The address may lie past the
// end of a buffer, which a prefetch tolerates; it is formed as a number, not a pointer. Forced inline: GCC
// takes a function that only prefetches for one without effect and drops calls to it.
constexpr std::size_t kReadAhead = 4096;
constexpr std::size_t kWriteAhead = 1024;

ALWAYS_INLINE void Prefetch(const char* at, std::size_t ahead) {
    _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<std::uintptr_t>(at) + ahead), _MM_HINT_T0);
}

// The steps of the block-at-a-time scan, at two widths. Each reads p[-1].
struct Sse2 {
    // Bit j is set where p[j] is the LF of a CR LF, for j < 32.
    static unsigned CrLfBits(const char* p) {
        const unsigned lf = Bits(p, '\n') | Bits(p + 16, '\n') << 16;
        const unsigned cr = Bits(p, '\r') | Bits(p + 16, '\r') << 16;
        return lf & (cr << 1 | (p[-1] == '\r' ? 1u : 0u));
    }
    static void Copy32(char* to, const char* from) { std::memcpy(to, from, 32); }

    // The CR LF pairs whose LF lies in [p, end), 64 bytes at a time; p is left where the
    // blocks end. Per-byte counters in two registers, summed before any can pass 255.
    static std::size_t CountCrLf(const char*& p, const char* end) {
        std::size_t n = 0;
        while (end - p >= 64) {
            __m128i even = _mm_setzero_si128(), odd = _mm_setzero_si128();
            for (int round = 0; round < 127 && end - p >= 64; ++round, p += 64) {
                Prefetch(p, kReadAhead);
                even = _mm_sub_epi8(_mm_sub_epi8(even, PairsAt(p)), PairsAt(p + 32)); // a match is -1
                odd = _mm_sub_epi8(_mm_sub_epi8(odd, PairsAt(p + 16)), PairsAt(p + 48));
            }
            const __m128i zero = _mm_setzero_si128();
            const __m128i sums = _mm_add_epi64(_mm_sad_epu8(even, zero), _mm_sad_epu8(odd, zero));
            n += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        }
        return n;
    }

private:
    static unsigned Bits(const char* p, char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(Equal(Load16(p), c)));
    }
    static __m128i PairsAt(const char* p) {
        return _mm_and_si128(Equal(Load16(p), '\n'), Equal(Load16(p - 1), '\r'));
    }
};

#if WIDE_SCAN
struct Avx2 {
    AVX2_FUNCTION static unsigned CrLfBits(const char* p) {
        return static_cast<unsigned>(_mm256_movemask_epi8(PairsAt(p)));
    }
    AVX2_FUNCTION static void Copy32(char* to, const char* from) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), Load32(from));
    }

    // As Sse2::CountCrLf, 128 bytes at a time.
    AVX2_FUNCTION static std::size_t CountCrLf(const char*& p, const char* end) {
        std::size_t n = 0;
        const __m256i zero = _mm256_setzero_si256();
        while (end - p >= 128) {
            __m256i even = zero, odd = zero;
            for (int round = 0; round < 127 && end - p >= 128; ++round, p += 128) {
                Prefetch(p, kReadAhead);
                Prefetch(p, kReadAhead + 64);
                even = _mm256_sub_epi8(_mm256_sub_epi8(even, PairsAt(p)), PairsAt(p + 64));
                odd = _mm256_sub_epi8(_mm256_sub_epi8(odd, PairsAt(p + 32)), PairsAt(p + 96));
            }
            const __m256i sums = _mm256_add_epi64(_mm256_sad_epu8(even, zero), _mm256_sad_epu8(odd, zero));
            const __m128i half =
                _mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
            n += static_cast<std::size_t>(_mm_cvtsi128_si64(half) +
                                          _mm_cvtsi128_si64(_mm_unpackhi_epi64(half, half)));
        }
        return n;
    }

private:
    AVX2_FUNCTION static __m256i Load32(const char* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    AVX2_FUNCTION static __m256i PairsAt(const char* p) {
        return _mm256_and_si256(_mm256_cmpeq_epi8(Load32(p), _mm256_set1_epi8('\n')),
                                _mm256_cmpeq_epi8(Load32(p - 1), _mm256_set1_epi8('\r')));
    }
};

// Asked of the processor itself (the compilers' own checks would link in a table of
// every feature): AVX2, and the system saving the AVX registers on a thread switch.
#if defined(_MSC_VER) && !defined(__clang__)
void CpuId(int leaf, unsigned (&r)[4]) {
    int regs[4];
    __cpuidex(regs, leaf, 0);
    for (int i = 0; i < 4; ++i)
        r[i] = static_cast<unsigned>(regs[i]);
}
unsigned long long SavedRegisterSets() {
    return _xgetbv(0);
}
#else
void CpuId(int leaf, unsigned (&r)[4]) {
    __cpuid_count(leaf, 0, r[0], r[1], r[2], r[3]);
}
__attribute__((target("xsave"))) unsigned long long SavedRegisterSets() {
    return _xgetbv(0);
}
#endif

bool ProcessorHasAvx2() {
    unsigned r[4]; // EAX, EBX, ECX, EDX
    CpuId(0, r);
    if (r[0] < 7)
        return false;
    CpuId(1, r);
    const unsigned osSavesRegisters = 1u << 27, avx = 1u << 28;
    const unsigned long long sseAndAvxState = 6;
    if ((r[2] & (osSavesRegisters | avx)) != (osSavesRegisters | avx) ||
        (SavedRegisterSets() & sseAndAvxState) != sseAndAvxState)
        return false;
    CpuId(7, r);
    return (r[1] & 1u << 5) != 0;
}
#endif

// Fields of many short lines: a memchr and two memcpy calls per line would cost more
// than the copying itself. Each 32 bytes are stored whole, then the indent and the rest
// of the block after it as fixed 32-byte stores, with no branch for the usual one line
// break or none (a branch that skips the two stores when there is none is quicker for
// lines of one length, and far slower for lines of varying length, as people write).
// What lands past the real text is overwritten by what follows. A step stores up to
// 64 bytes and an indent past `out`, and the output still to come is at least as long
// as the field still to read (a field with no break ahead and nothing after it, as in
// gettxt, has no more), so the loop stops while that many bytes of the field remain.
// `padded` is the indent and `blankLine` CR LF and the indent, each in 32 bytes; p[-1]
// must be readable.
template <class Isa>
ALWAYS_INLINE char* PutIndentedBlocks(const char*& from, const char* end, char* out, const char* padded,
                                      const char* blankLine, std::size_t indentSize) {
    const char* p = from;
    const std::ptrdiff_t reach = 64 + static_cast<std::ptrdiff_t>(indentSize);
    while (end - p >= reach) {
        Prefetch(out, kWriteAhead);
        const unsigned breaks = Isa::CrLfBits(p);
        if (breaks & (breaks - 1)) {
            // Several line breaks: up to the first one, then any blank lines after it.
            const int upToLf = std::countr_zero(breaks) + 1;
            Isa::Copy32(out, p);
            Isa::Copy32(out + upToLf, padded);
            p += upToLf;
            out += upToLf + indentSize;
            for (; end - p >= 64 && p[0] == '\r' && p[1] == '\n'; p += 2, out += 2 + indentSize)
                Isa::Copy32(out, blankLine);
            continue;
        }
        const int at = std::countr_zero(breaks | 1u << 31) + 1; // 32 for none or a break at the end
        Isa::Copy32(out, p);
        Isa::Copy32(out + at, padded);
        Isa::Copy32(out + at + indentSize, p + at);
        out += 32 + static_cast<std::size_t>(breaks != 0) * indentSize;
        p += 32;
    }
    from = p;
    return out;
}

char* PutIndentedSse2(const char*& p, const char* end, char* out, const char* padded, const char* blankLine,
                      std::size_t indentSize) {
    return PutIndentedBlocks<Sse2>(p, end, out, padded, blankLine, indentSize);
}

#if WIDE_SCAN
AVX2_FUNCTION char* PutIndentedAvx2(const char*& p, const char* end, char* out, const char* padded,
                                    const char* blankLine, std::size_t indentSize) {
    return PutIndentedBlocks<Avx2>(p, end, out, padded, blankLine, indentSize);
}
#endif
#endif

ScanWidth WidestScan() {
#if WIDE_SCAN
    if (ProcessorHasAvx2())
        return ScanWidth::Avx2;
#endif
    return BLOCK_SCAN ? ScanWidth::Sse2 : ScanWidth::Bytewise;
}

ScanWidth& CurrentScan() {
    static ScanWidth width = WidestScan();
    return width;
}

std::size_t CountCrLf(const std::string& s) {
    const char* begin = s.data();
    const char* p = begin;
    const char* end = begin + s.size();
    std::size_t n = 0;
#if BLOCK_SCAN
    if (end - p > 64 && CurrentScan() != ScanWidth::Bytewise) {
        ++p; // each LF is compared with the byte before it
#if WIDE_SCAN
        if (CurrentScan() == ScanWidth::Avx2)
            n += Avx2::CountCrLf(p, end);
#endif
        n += Sse2::CountCrLf(p, end); // after the wide count, what is left of a 128-byte step
    }
#endif
    ForEachCrLf(begin, p, end, [&n](const char*) { ++n; });
    return n;
}

// Output written through a raw pointer into a buffer of the exact final size.
class Writer {
public:
    explicit Writer(char* out) : out_(out) {}
    void Put(const char* src, std::size_t n) {
        std::memcpy(out_, src, n);
        out_ += n;
    }
    void Put(std::string_view s) { Put(s.data(), s.size()); }
    void Put(const char* s) { Put(s, std::strlen(s)); }

    // s with `indent` after every CR LF.
    void PutIndented(const std::string& s, const std::string& indent) {
        const char* begin = s.data();
        const char* p = begin;
        const char* end = begin + s.size();
#if BLOCK_SCAN
        if (indent.size() <= 30 && p < end && CurrentScan() != ScanWidth::Bytewise) {
            char padded[32] = {}, blankLine[32] = {'\r', '\n'};
            std::memcpy(padded, indent.data(), indent.size());
            std::memcpy(blankLine + 2, indent.data(), indent.size());
            std::memcpy(out_++, p++, 1); // from here on p[-1] is readable
#if WIDE_SCAN
            if (CurrentScan() == ScanWidth::Avx2)
                out_ = PutIndentedAvx2(p, end, out_, padded, blankLine, indent.size());
            else
#endif
                out_ = PutIndentedSse2(p, end, out_, padded, blankLine, indent.size());
        }
#endif
        const char* chunk = p;
        ForEachCrLf(begin, p, end, [&](const char* lf) {
            Put(chunk, static_cast<std::size_t>(lf + 1 - chunk));
            Put(indent);
            chunk = lf + 1;
        });
        Put(chunk, static_cast<std::size_t>(end - chunk));
    }

private:
    char* out_;
};

// A string of exactly `size` characters, all written by `write`: allocated once, with
// its capacity equal to its size, and not zero-filled first where the library allows.
template <typename F> std::string WriteExactly(std::size_t size, F write) {
    std::string s;
#if defined(__cpp_lib_string_resize_and_overwrite)
    // Returns `size`, not the count it is passed: GCC 12's library passes the capacity
    // it chose, which for short texts is larger than asked.
    s.resize_and_overwrite(size, [&write, size](char* p, std::size_t) {
        Writer out(p);
        write(out);
        return size;
    });
#else
    s.resize(size);
    Writer out(&s[0]);
    write(out);
#endif
    return s;
}

std::size_t IndentedSize(const std::string& s, const std::string& indent) {
    return s.size() + CountCrLf(s) * indent.size();
}

} // namespace

const char* const kStyleCaptionPrefix = "当前语言类型为  ";

void SetCustomStyles(std::vector<CustomStyle> rows) {
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const CustomStyle& row) {
                                  return row.code < kFirstCustomCode || row.code > kLastCustomCode ||
                                         row.name.empty();
                              }),
               rows.end());
    InCodeOrderFirstKept(rows);
    customStyles = std::move(rows);
}

const std::vector<CustomStyle>& CustomStyles() {
    return customStyles;
}

namespace {

bool RowOf(CodeType_t code, std::string_view& name, std::string_view& leadIn, std::string_view& prefix,
           std::string_view& closing) {
    if (code >= 0 && code < kStyleCount) {
        const RemarkStyle& row = kStyles[code];
        name = row.name;
        leadIn = row.leadIn;
        prefix = row.prefix;
        closing = row.closing ? row.closing : "";
        return true;
    }
    const auto row = std::lower_bound(customStyles.begin(), customStyles.end(), code,
                                      [](const CustomStyle& r, CodeType_t c) { return r.code < c; });
    if (row == customStyles.end() || row->code != code)
        return false;
    name = row->name;
    leadIn = row->leadIn;
    prefix = row->prefix;
    closing = row->closing;
    return true;
}

} // namespace

std::string SelectRemarkStyle(CodeType_t code) {
    std::string_view name, leadIn, prefix, closing;
    if (!RowOf(code, name, leadIn, prefix, closing))
        return std::string();
    MakeTexts(leadIn, prefix, closing, OpeningLine, LinePrefix, ClosingLine);
    return std::string(name);
}

std::string StyleCaption(const std::string& languageName) {
    return kStyleCaptionPrefix + languageName;
}

std::vector<CodeType_t> StyleCodes() {
    std::vector<CodeType_t> codes;
    for (CodeType_t code = 0; code < kStyleCount; ++code)
        codes.push_back(code);
    for (const CustomStyle& row : customStyles)
        codes.push_back(row.code);
    return codes;
}

bool StyleTextsOf(CodeType_t code, StyleTexts& texts) {
    std::string_view name, leadIn, prefix, closing;
    if (!RowOf(code, name, leadIn, prefix, closing))
        return false;
    texts.name.assign(name);
    MakeTexts(leadIn, prefix, closing, texts.opening, texts.prefix, texts.closing);
    return true;
}

std::string_view BlockRule() {
    static const std::string rule(kRuleLength, '=');
    return rule;
}

BlockShape ShapeOf(std::string_view opening, std::string_view prefix, std::string_view closing,
                   const TemplateDef& templ) {
    return {opening, prefix, closing, ContinuationIndent(prefix), &templ};
}

ScanWidth LimitScanWidth(ScanWidth widest) {
    CurrentScan() = std::min(widest, WidestScan());
    return CurrentScan();
}

std::string gettxt(const std::string& s) {
    const std::string indent = ContinuationIndent(LinePrefix);
    return WriteExactly(IndentedSize(s, indent), [&](Writer& out) { out.PutIndented(s, indent); });
}

namespace {

std::string BuildBlock(int kind, const TemplateFields& fields, std::string_view opening,
                       std::string_view prefix, std::string_view closing) {
    const TemplateDef* templ = FindTemplate(kind);
    if (!templ)
        return std::string();
    const BlockShape shape = ShapeOf(opening, prefix, closing, *templ);
    const int count = static_cast<int>(templ->fields.size());
    std::size_t size = shape.opening.size() + 2 + 2 + shape.closing.size();
    for (int i = 0; i < count; ++i) {
        const std::size_t text =
            templ->Continued(i) ? IndentedSize(fields[i], shape.indent) : fields[i].size();
        size += shape.prefix.size() + templ->fields[i].label.size() + text + 2;
    }
    return WriteExactly(size, [&](Writer& out) {
        out.Put(shape.opening);
        out.Put("\r\n", 2);
        for (int i = 0; i < count; ++i) {
            out.Put(shape.prefix);
            out.Put(templ->fields[i].label);
            if (templ->Continued(i))
                out.PutIndented(fields[i], shape.indent);
            else
                out.Put(fields[i]);
            out.Put("\r\n", 2);
        }
        out.Put("\r\n", 2);
        out.Put(shape.closing);
    });
}

} // namespace

std::string BuildRemarkBlock(int kind, const TemplateFields& fields) {
    return BuildBlock(kind, fields, OpeningLine, LinePrefix, ClosingLine);
}

std::string BuildRemarkBlock(int kind, const TemplateFields& fields, const StyleTexts& style) {
    return BuildBlock(kind, fields, style.opening, style.prefix, style.closing);
}

} // namespace inkwarden
