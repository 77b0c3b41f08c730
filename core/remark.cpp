#include "core/remark.h"

#include <algorithm>
#include <cstring>
#include <utility>

// Sixteen bytes at a time where SSE2 and the C++20 bit functions are at hand (every
// x86-64 build); memchr from line break to line break elsewhere.
#if __has_include(<bit>)
#include <bit>
#endif
#if (defined(__SSE2__) || defined(_M_X64)) && defined(__cpp_lib_bitops)
#include <emmintrin.h>
#define BLOCK_SCAN 1
#else
#define BLOCK_SCAN 0
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
void ApplyStyle(const std::string& leadIn, const std::string& prefix, const std::string& closing) {
    OpeningLine = leadIn;
    OpeningLine.append(kRuleLength, '=');
    LinePrefix = prefix;
    ClosingLine = closing.empty() ? OpeningLine : closing;
}

const TemplateField kTemplates[kTemplateCount][kFieldsPerTemplate] = {
    {
        {"开发人员：", false, Prefill::Author},
        {"编写时间：", false, Prefill::Date},
        {"函数名称：", false, Prefill::None},
        {"参数说明：", true, Prefill::None},
        {"功能说明：", true, Prefill::None},
    },
    {
        {"开发人员：", false, Prefill::Author},
        {"编写时间：", false, Prefill::Date},
        {"过程名称：", false, Prefill::None},
        {"参数说明：", true, Prefill::None},
        {"功能说明：", true, Prefill::None},
    },
    {
        {"版权说明：", true, Prefill::Author},
        {"工程名称：", false, Prefill::None},
        {"文件名：", false, Prefill::None},
        {"目的：", false, Prefill::None},
        {"更新说明:", true, Prefill::None},
    },
    {
        {"开发人员：", false, Prefill::Author},
        {"当前版本：", false, Prefill::None},
        {"创建时间：", false, Prefill::Date},
        {"修改时间：", false, Prefill::None},
        {"功能说明：", true, Prefill::None},
    },
};

// What follows each CR LF inside lines 4 and 5.
std::string ContinuationIndent() {
    std::string indent = LinePrefix;
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

// Bit j is set where p[j] is the LF of a CR LF, for j < 32; p[-1] must be readable.
unsigned CrLfBits(const char* p) {
    const auto bits = [p](int at, char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(Equal(Load16(p + at), c)));
    };
    const unsigned lf = bits(0, '\n') | bits(16, '\n') << 16;
    const unsigned cr = bits(0, '\r') | bits(16, '\r') << 16;
    return lf & (cr << 1 | (p[-1] == '\r' ? 1u : 0u));
}
#endif

std::size_t CountCrLf(const std::string& s) {
    const char* begin = s.data();
    const char* p = begin;
    const char* end = begin + s.size();
    std::size_t n = 0;
#if BLOCK_SCAN
    // Per-byte counters in two registers, summed before any of them can pass 255.
    if (end - p > 64) {
        ++p; // each LF is compared with the byte before it
        while (end - p >= 64) {
            __m128i even = _mm_setzero_si128(), odd = _mm_setzero_si128();
            const auto pairsAt = [&p](int at) {
                return _mm_and_si128(Equal(Load16(p + at), '\n'), Equal(Load16(p + at - 1), '\r'));
            };
            for (int round = 0; round < 127 && end - p >= 64; ++round, p += 64) {
                even = _mm_sub_epi8(_mm_sub_epi8(even, pairsAt(0)), pairsAt(32)); // a match is -1
                odd = _mm_sub_epi8(_mm_sub_epi8(odd, pairsAt(16)), pairsAt(48));
            }
            const __m128i zero = _mm_setzero_si128();
            const __m128i sums = _mm_add_epi64(_mm_sad_epu8(even, zero), _mm_sad_epu8(odd, zero));
            n += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        }
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
    void Put(const std::string& s) { Put(s.data(), s.size()); }
    void Put(const char* s) { Put(s, std::strlen(s)); }

    // s with `indent` after every CR LF.
    void PutIndented(const std::string& s, const std::string& indent) {
        const char* begin = s.data();
        const char* p = begin;
        const char* end = begin + s.size();
#if BLOCK_SCAN
        // Fields of many short lines: a memchr and two memcpy calls per line would cost
        // more than the copying itself. Each 32 bytes are stored whole, then the indent and
        // the rest of the block after it as fixed 32-byte stores, with no branch for the
        // usual one line break or none. What lands past the real text is overwritten by
        // what follows, so the loop stops while 64 bytes of the field remain.
        if (indent.size() <= 30 && p < end) {
            char padded[32] = {}, blankLine[32] = {'\r', '\n'};
            std::memcpy(padded, indent.data(), indent.size());
            std::memcpy(blankLine + 2, indent.data(), indent.size());
            const std::size_t blankLineSize = 2 + indent.size();
            char* out = out_;
            std::memcpy(out++, p++, 1); // from here on p[-1] is readable
            while (end - p >= 64) {
                const unsigned breaks = CrLfBits(p);
                if (breaks & (breaks - 1)) {
                    // Several line breaks: up to the first one, then any blank lines after it.
                    const int upToLf = std::countr_zero(breaks) + 1;
                    std::memcpy(out, p, 32);
                    std::memcpy(out + upToLf, padded, 32);
                    p += upToLf;
                    out += upToLf + indent.size();
                    for (; end - p >= 64 && p[0] == '\r' && p[1] == '\n'; p += 2, out += blankLineSize)
                        std::memcpy(out, blankLine, 32);
                    continue;
                }
                const int at = breaks ? std::countr_zero(breaks) + 1 : 32;
                std::memcpy(out, p, 32);
                std::memcpy(out + at, padded, 32);
                std::memcpy(out + at + indent.size(), p + at, 32);
                out += 32 + (breaks ? indent.size() : 0);
                p += 32;
            }
            out_ = out;
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

std::vector<int> PrefilledInputs(Prefill prefill) {
    std::vector<int> inputs;
    for (int kind = 0; kind < kTemplateCount; ++kind)
        for (int line = 0; line < kFieldsPerTemplate; ++line)
            if (kTemplates[kind][line].prefill == prefill)
                inputs.push_back(kind * kFieldsPerTemplate + line);
    return inputs;
}

void SetCustomStyles(std::vector<CustomStyle> rows) {
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const CustomStyle& row) {
                                  return row.code < kFirstCustomCode || row.code > kLastCustomCode ||
                                         row.name.empty();
                              }),
               rows.end());
    const auto byCode = [](const CustomStyle& a, const CustomStyle& b) { return a.code < b.code; };
    std::stable_sort(rows.begin(), rows.end(), byCode);
    rows.erase(std::unique(rows.begin(), rows.end(),
                           [](const CustomStyle& a, const CustomStyle& b) { return a.code == b.code; }),
               rows.end());
    customStyles = std::move(rows);
}

const std::vector<CustomStyle>& CustomStyles() {
    return customStyles;
}

std::string SelectRemarkStyle(CodeType_t code) {
    if (code >= 0 && code < kStyleCount) {
        const RemarkStyle& row = kStyles[code];
        ApplyStyle(row.leadIn, row.prefix, row.closing ? row.closing : "");
        return row.name;
    }
    const auto row = std::lower_bound(customStyles.begin(), customStyles.end(), code,
                                      [](const CustomStyle& r, CodeType_t c) { return r.code < c; });
    if (row == customStyles.end() || row->code != code)
        return std::string();
    ApplyStyle(row->leadIn, row->prefix, row->closing);
    return row->name;
}

std::string StyleCaption(const std::string& languageName) {
    return kStyleCaptionPrefix + languageName;
}

const TemplateField& TemplateFieldAt(int kind, int line) {
    static const TemplateField kNoField = {"", false, Prefill::None};
    if (kind < 0 || kind >= kTemplateCount || line < 0 || line >= kFieldsPerTemplate)
        return kNoField;
    return kTemplates[kind][line];
}

std::string gettxt(const std::string& s) {
    const std::string indent = ContinuationIndent();
    return WriteExactly(IndentedSize(s, indent), [&](Writer& out) { out.PutIndented(s, indent); });
}

std::string BuildRemarkBlock(int kind, const TemplateFields& fields) {
    if (kind < 0 || kind >= kTemplateCount)
        return std::string();
    const std::string indent = ContinuationIndent();
    const TemplateField* labels = kTemplates[kind];
    // Lines 4 and 5 carry the continuation indent; lines 1 to 3 are taken as typed.
    auto indented = [](int line) { return line >= 3; };
    std::size_t size = OpeningLine.size() + 2 + 2 + ClosingLine.size();
    for (int i = 0; i < kFieldsPerTemplate; ++i) {
        const std::size_t text = indented(i) ? IndentedSize(fields[i], indent) : fields[i].size();
        size += LinePrefix.size() + std::strlen(labels[i].label) + text + 2;
    }
    return WriteExactly(size, [&](Writer& out) {
        out.Put(OpeningLine);
        out.Put("\r\n", 2);
        for (int i = 0; i < kFieldsPerTemplate; ++i) {
            out.Put(LinePrefix);
            out.Put(labels[i].label);
            if (indented(i))
                out.PutIndented(fields[i], indent);
            else
                out.Put(fields[i]);
            out.Put("\r\n", 2);
        }
        out.Put("\r\n", 2);
        out.Put(ClosingLine);
    });
}

} // namespace inkwarden
