// Filling a template from what the person copied in their editor: a function heading
// fills the function (or procedure) template, a block Inkwarden wrote comes back into
// its template to be refreshed, and a block with the changed heading under it comes back
// as one block in step with the heading. Portable: no window code, UTF-8 in and out.
#pragma once

#include "core/remark.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// Longer copied texts are not read: no heading or block a person copies is that long.
constexpr std::size_t kMaxCopiedText = 64 * 1024;

// What a copied text asks of the main window.
struct FillPlan {
    int templ = 0; // the template to show
    // Per field of the template: the text to put there, or nothing to leave it alone.
    std::vector<std::optional<std::string>> fields;
    int todayField = -1; // this field gets today's date
    int focusField = -1; // the input that gets the focus
    // Where the caret goes in it, in bytes of its text; npos: at its end.
    std::size_t focusCaret = std::string::npos;
    // The style the block was written in, or that the heading's language names; nothing
    // keeps the style in force.
    std::optional<CodeType_t> style;
    // How the block goes back where the copied text was: its first line after
    // `firstIndent`, every other line that is not empty after `indent` (the editor's
    // indentation of the copied lines); after a heading, CR LF and the copied text from
    // `keepFrom` on follow the block, since what was selected in the editor is replaced:
    // the heading itself, or what followed an old block down to the heading.
    std::string firstIndent, indent;
    bool keepCopied = false;
    std::size_t keepFrom = 0;
};

// A block of any loaded style and template, read back field by field.
struct ReadBack {
    CodeType_t style = 0;
    int templ = 0;
    std::vector<std::string> fields;
    std::string firstIndent, indent;
};

// The block `text` holds, as BuildRemarkBlock wrote it in a loaded style (see
// BlockShape), possibly indented by an editor, with LF or CR LF line ends and trailing
// blanks cut; continuation lines come back joined by CR LF without their indent. Where
// several styles write the same texts, the style in force `current` is kept when it is
// one of them, else the first in code order.
std::optional<ReadBack> ReadBlock(std::string_view text, CodeType_t current);

// The plan for a copied text, or nothing when it is neither one function heading, nor a
// block, nor a block and then a heading (nor longer than kMaxCopiedText). `shown` is the
// template on show: a template of one's own with a name or parameter field (fill=name,
// fill=params) takes a heading itself.
//
// A block followed by a heading (blank, attribute and decorator lines may stand between
// them) comes back in its template with its fields, except: the name is the heading's;
// the parameter field is refreshed for the heading (RefreshParameters), and the focus is
// there at the first new parameter if there is one; a VB Sub that became a Function, a
// Pascal procedure that became a function (or back) changes the function template for the
// procedure template; a file header is modified today. The block keeps its style.
std::optional<FillPlan> ReadFillPlan(std::string_view copied, CodeType_t current, int shown = 0);

// The field a refresh of a block of template `templ` dates today (a file header's 修改时间),
// or -1. A block written anew has it dated today too, so that a refresh the same day
// changes nothing.
int DatedOnRefresh(int templ);

// What goes back into the editor for `block` after a fill by `plan` from `copied`.
std::string PasteText(const FillPlan& plan, std::string_view block, std::string_view copied);

} // namespace inkwarden
