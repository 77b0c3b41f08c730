#include "core/remark.h"

#include <algorithm>
#include <cstring>

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

// What a CR LF inside lines 4 and 5 becomes.
std::string ContinuationBreak() {
    std::string indent = "\r\n" + LinePrefix;
    indent.append(kContinuationBlanks, ' ');
    return indent;
}

// Calls onBreak(pos) for every CR LF in s, left to right. Scanning for the LF with
// memchr keeps long fields close to memory speed; CR LF cannot overlap itself, so this
// finds exactly the pairs a left-to-right search for "\r\n" finds.
template <typename F> void ForEachCrLf(const std::string& s, F onBreak) {
    const char* begin = s.data();
    const char* end = begin + s.size();
    for (const char* p = begin; p < end;) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf)
            break;
        if (lf > begin && lf[-1] == '\r')
            onBreak(static_cast<std::size_t>(lf - 1 - begin));
        p = lf + 1;
    }
}

// An output buffer written through a raw pointer. Fields with many short lines make
// per-piece std::string::append calls cost more than the copying itself.
class Sink {
public:
    explicit Sink(std::size_t guess) : buf_(guess, '\0') {}
    void Put(const char* src, std::size_t n) {
        if (buf_.size() - len_ < n) // more line breaks than guessed: grow geometrically
            buf_.resize(std::max(buf_.size() * 2, len_ + n));
        std::memcpy(&buf_[0] + len_, src, n);
        len_ += n;
    }
    void Put(const std::string& s) { Put(s.data(), s.size()); }
    void Put(const char* s) { Put(s, std::strlen(s)); }
    // s with every CR LF replaced by brk, in a single pass over s.
    void PutIndented(const std::string& s, const std::string& brk) {
        std::size_t chunk = 0;
        ForEachCrLf(s, [&](std::size_t cr) {
            Put(s.data() + chunk, cr - chunk);
            Put(brk);
            chunk = cr + 2;
        });
        Put(s.data() + chunk, s.size() - chunk);
    }
    std::string Take() {
        buf_.resize(len_);
        return std::move(buf_);
    }

private:
    std::string buf_;
    std::size_t len_ = 0;
};

// A first guess at the size of an indented text (a line break every 60 bytes or so),
// so typical fields need neither a counting pass nor a reallocation.
std::size_t IndentedSizeGuess(const std::string& s, const std::string& brk) {
    return s.size() + s.size() / 60 * (brk.size() - 2);
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

std::string SelectRemarkStyle(CodeType_t code) {
    if (code < 0 || code >= kStyleCount)
        return std::string();
    const RemarkStyle& row = kStyles[code];
    OpeningLine = row.leadIn;
    OpeningLine.append(kRuleLength, '=');
    LinePrefix = row.prefix;
    ClosingLine = row.closing ? std::string(row.closing) : OpeningLine;
    return row.name;
}

std::string StyleCaption(const std::string& languageName) {
    return kStyleCaptionPrefix + languageName;
}

const TemplateField& TemplateFieldAt(int kind, int line) {
    return kTemplates[kind][line];
}

std::string gettxt(const std::string& s) {
    const std::string brk = ContinuationBreak();
    Sink out(IndentedSizeGuess(s, brk));
    out.PutIndented(s, brk);
    return out.Take();
}

std::string BuildRemarkBlock(int kind, const TemplateFields& fields) {
    const std::string brk = ContinuationBreak();
    const TemplateField* labels = kTemplates[kind];
    std::size_t guess = OpeningLine.size() + 2 + 2 + ClosingLine.size();
    for (int i = 0; i < kFieldsPerTemplate; ++i) {
        const std::size_t text = i >= 3 ? IndentedSizeGuess(fields[i], brk) : fields[i].size();
        guess += LinePrefix.size() + std::strlen(labels[i].label) + text + 2;
    }
    Sink out(guess);
    out.Put(OpeningLine);
    out.Put("\r\n", 2);
    for (int i = 0; i < kFieldsPerTemplate; ++i) {
        out.Put(LinePrefix);
        out.Put(labels[i].label);
        // Lines 4 and 5 carry the continuation indent; lines 1 to 3 are taken as typed.
        if (i >= 3)
            out.PutIndented(fields[i], brk);
        else
            out.Put(fields[i]);
        out.Put("\r\n", 2);
    }
    out.Put("\r\n", 2);
    out.Put(ClosingLine);
    return out.Take();
}

} // namespace inkwarden
