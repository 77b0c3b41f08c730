// Remark styles and the assembly of a framed remark block. Portable: no window code,
// all text is UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <string>
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
};

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

// Template kinds: 0 function, 1 procedure, 2 copyright notice, 3 file header.
constexpr int kTemplateCount = 4;
constexpr int kFieldsPerTemplate = 5;
constexpr int kInputCount = kTemplateCount * kFieldsPerTemplate;

enum class Prefill { None, Author, Date };

struct TemplateField {
    const char* label; // written into the block in front of the field text
    bool multiline;    // the main window's input accepts line breaks
    Prefill prefill;   // what the main window puts there at start-up
};

// Line 0..4 of template `kind`; outside the table, a field with an empty label.
const TemplateField& TemplateFieldAt(int kind, int line);

// The inputs (txt0 indices, template by template) whose field the table marks with
// `prefill`, in the order start-up fills them.
std::vector<int> PrefilledInputs(Prefill prefill);

using TemplateFields = std::array<std::string, kFieldsPerTemplate>;

// The continuation indent: every CR LF in s becomes CR LF + LinePrefix + 20 blanks.
// A lone CR or a lone LF is left as it is.
std::string gettxt(const std::string& s);

// How many bytes at a time the block assembly looks for line breaks: by default the
// widest this processor allows. Lowering it changes the speed, never the text; tests
// lower it to cover every path. Returns the width now in use, which is never wider than
// the processor allows.
enum class ScanWidth { Bytewise, Sse2, Avx2 };
ScanWidth LimitScanWidth(ScanWidth widest);

// The finished block for template `kind` (0..3) in the current style; lines joined by
// CR LF, an empty line before the closing line, no CR LF at the end. Another kind gives
// an empty text. The block is allocated once, at its exact size.
std::string BuildRemarkBlock(int kind, const TemplateFields& fields);

} // namespace inkwarden
