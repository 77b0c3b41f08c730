// Filling a template from what the person copied in their editor: a function heading
// fills the function (or procedure) template, a block Inkwarden wrote comes back into
// its template to be refreshed. Portable: no window code, UTF-8 in and out.
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
    // The style the block was written in, or that the heading's language names; nothing
    // keeps the style in force.
    std::optional<CodeType_t> style;
    // How the block goes back where the copied text was: its first line after
    // `firstIndent`, every other line that is not empty after `indent` (the editor's
    // indentation of the copied lines); after a heading, CR LF and the copied text itself
    // follow the block, since the heading stays selected in the editor.
    std::string firstIndent, indent;
    bool keepCopied = false;
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

// The plan for a copied text, or nothing when it is neither one function heading nor a
// block (nor longer than kMaxCopiedText).
std::optional<FillPlan> ReadFillPlan(std::string_view copied, CodeType_t current);

// What goes back into the editor for `block` after a fill by `plan` from `copied`.
std::string PasteText(const FillPlan& plan, std::string_view block, std::string_view copied);

} // namespace inkwarden
