// Remark styles and the assembly of a framed remark block. Portable: no window code,
// all text is UTF-8.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

using CodeType_t = std::int16_t;

// The three texts of the current remark style. They are process-wide and only
// SelectRemarkStyle rewrites them; the block assembly reads them each time it runs,
// so a style change applies to the next block without a restart.
extern std::string OpeningLine;
extern std::string LinePrefix;
extern std::string ClosingLine;

constexpr int kStyleCount = 8;

// Codes a style of the user's own may take; 0..7 always mean the built-ins.
constexpr CodeType_t kFirstCustomCode = 8;
constexpr CodeType_t kLastCustomCode = 99;

// A style of the user's own, from the settings file. Its opening line is built like a
// built-in's: the lead-in followed by the rule.
struct CustomStyle {
    CodeType_t code = 0;
    std::string name;
    std::string leadIn;
    std::string prefix;
    std::string closing; // empty: the block closes with a copy of its opening line
    // The file extensions (lower case, without the dot) the command line writes this
    // style into, taken over from any built-in style that has them.
    std::vector<std::string> extensions = {};
};

// Rows (styles or templates of one's own) in code order, where a code given twice keeps
// its first row, as a settings file read top to bottom gives them.
template <typename Row> void InCodeOrderFirstKept(std::vector<Row>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.code < b.code; });
    rows.erase(
        std::unique(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.code == b.code; }),
        rows.end());
}

// Replaces the custom rows of the style table (all of them; an empty list removes
// them). Rows with a code outside 8..99 or an empty name, and any later row for a code
// already given, are dropped. Does not touch the current style texts.
void SetCustomStyles(std::vector<CustomStyle> rows);
// The custom rows, in code order.
const std::vector<CustomStyle>& CustomStyles();

// Sets OpeningLine, LinePrefix and ClosingLine from the style's row and returns its
// language name: a built-in row for 0..7, else the custom row of that code. A code
// with no row changes nothing and returns an empty name.
std::string SelectRemarkStyle(CodeType_t code);

// The caption the main window shows for a style: a fixed lead followed by the name.
extern const char* const kStyleCaptionPrefix;
std::string StyleCaption(const std::string& languageName);

// A style's three texts and name, as SelectRemarkStyle would set them, without
// selecting it.
struct StyleTexts {
    std::string name, opening, prefix, closing;
};
// Every style code there is now: 0..7, then the custom codes in order.
std::vector<CodeType_t> StyleCodes();
// The texts of a style code; false for a code with no style.
bool StyleTextsOf(CodeType_t code, StyleTexts& texts);

// Template kinds (codes): 0 function, 1 procedure, 2 copyright notice, 3 file header;
// 4..99 templates of one's own from the settings file.
constexpr int kTemplateCount = 4;
constexpr int kFieldsPerTemplate = 5; // the most a template has
constexpr int kInputCount = kTemplateCount * kFieldsPerTemplate;
constexpr int kFirstOwnTemplate = 4;
constexpr int kLastOwnTemplate = 99;
inline bool IsOwnTemplate(int code) {
    return code >= kFirstOwnTemplate;
}

// What fills a field before the person types: the author and today (the main window, at
// start), the name and the parameters of a copied heading, and the file's own name (the
// command line, per file).
enum class Prefill { None, Author, Date, Name, Params, File };

struct TemplateField {
    std::string label;      // written into the block in front of the field text
    bool multiline = false; // the main window's input accepts line breaks
    Prefill prefill = Prefill::None;
};

// A template: built-in or one's own. Both make blocks of one shape (BlockShape).
struct TemplateDef {
    int code = 0;
    std::string name;                  // the built-ins' panel captions; one's own: its name
    std::vector<TemplateField> fields; // 1..5
    // Whether the line breaks of field `line` start indented lines: in the built-ins
    // lines 4 and 5 only, whatever their inputs take; in one's own every line, since any
    // of them may be made to take several lines.
    bool Continued(int line) const { return code >= kTemplateCount || line >= 3; }
};

// Replaces the templates of one's own (all of them; an empty list removes them). Rows
// with a code outside 4..99, an empty name or no fields, and any later row for a code
// already given, are dropped; fields past the fifth are dropped.
void SetOwnTemplates(std::vector<TemplateDef> rows);
// The templates of one's own, in code order.
const std::vector<TemplateDef>& OwnTemplates();
// The template of that code, built-in or one's own; null when there is none.
const TemplateDef* FindTemplate(int code);

// Line 0..4 of template `kind`; outside the table, a field with an empty label.
const TemplateField& TemplateFieldAt(int kind, int line);

using TemplateFields = std::array<std::string, kFieldsPerTemplate>;

// The shape every block has, written by BuildRemarkBlock and read back by ReadBlock:
// the opening line; one line per field: prefix, label, text, where each CR LF of a
// continued field's text is followed by the prefix and 20 blanks (`indent`) and any
// other field's text goes in as it is; an empty line; the closing line. Lines are joined
// by CR LF, with none after the last.
// The style's texts are viewed, not copied: they must outlive the shape.
struct BlockShape {
    std::string_view opening, prefix, closing;
    std::string indent;
    const TemplateDef* templ;
};
// The rule every opening line ends in (after a style's lead-in).
std::string_view BlockRule();
BlockShape ShapeOf(std::string_view opening, std::string_view prefix, std::string_view closing,
                   const TemplateDef& templ);

// The continuation indent: every CR LF in s becomes CR LF + LinePrefix + 20 blanks.
// A lone CR or a lone LF is left as it is.
std::string gettxt(const std::string& s);

// How many bytes at a time the block assembly looks for line breaks: by default the
// widest this processor allows. Lowering it changes the speed, never the text; tests
// lower it to cover every path. Returns the width now in use, which is never wider than
// the processor allows.
enum class ScanWidth { Bytewise, Sse2, Avx2 };
ScanWidth LimitScanWidth(ScanWidth widest);

// The finished block for template `kind` in the current style; lines joined by CR LF, an
// empty line before the closing line, no CR LF at the end. A kind with no template gives
// an empty text; fields past the template's last are not used. The block is allocated
// once, at its exact size.
std::string BuildRemarkBlock(int kind, const TemplateFields& fields);
// The same in the given style's texts rather than the current ones: what builds blocks of
// several styles at once, on several threads.
std::string BuildRemarkBlock(int kind, const TemplateFields& fields, const StyleTexts& style);

} // namespace inkwarden
