#include "cli/file_change.h"

#include "core/file_top.h"
#include "core/text.h"
#include "files/codec.h"

#include <vector>

namespace inkwarden {

namespace {

constexpr CodeType_t kPhpStyle = 3;
constexpr int kCopyrightTemplate = 2;

FileChange Skip(std::string reason, std::string detail = std::string()) {
    FileChange change;
    change.verdict = Verdict::Skipped;
    change.reason = std::move(reason);
    change.detail = std::move(detail);
    return change;
}

// PHP outside <?php is page text: a block there would be sent to every reader of the page.
bool OpensWithPhp(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (bytes.substr(0, 2) == "#!")
        bytes.remove_prefix(std::min(bytes.find('\n'), bytes.size() - 1) + 1);
    return bytes.size() >= 5 && SameIgnoringCase(bytes.substr(0, 5), "<?php");
}

class FileText {
public:
    FileText(std::string_view bytes, unsigned codePage) : utf8_(IsUtf8(bytes)), codePage_(codePage) {}

    bool Decode(std::string_view bytes, std::string& text, bool lenient = false) const {
        if (utf8_) {
            text.assign(bytes);
            return true;
        }
        return FromCodePage(codePage_, bytes, text, lenient);
    }
    // The block in the file's own encoding; the file's other bytes are never converted.
    bool Encode(const std::string& text, std::string& bytes, FileChange& skipped) const {
        if (utf8_) {
            bytes = text;
            return true;
        }
        if (ToCodePage(codePage_, text, bytes))
            return true;
        const std::string page = "code page " + std::to_string(codePage_);
        skipped = Skip("not in " + page, "the block cannot be written in " + page + ", the file's");
        return false;
    }

private:
    bool utf8_;
    unsigned codePage_;
};

std::string BuildIn(CodeType_t style, int templ, const TemplateFields& fields) {
    StyleTexts texts;
    StyleTextsOf(style, texts);
    return BuildRemarkBlock(templ, fields, texts);
}

} // namespace

std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find("\r\n", from);
        out.append(text.substr(from, end - from));
        if (end == std::string_view::npos)
            return out;
        out.append(lineEnd);
        from = end + 2;
    }
}

FileChange ChangeFor(std::string_view bytes, const std::string& fileName, CodeType_t style,
                     const ApplyOptions& options) {
    if (bytes.substr(0, kBinarySniff).find('\0') != std::string_view::npos)
        return Skip("binary");
    if (style == kPhpStyle && !OpensWithPhp(bytes))
        return Skip("PHP not at the top", "PHP does not open the file: a block before it would be page text");
    const FileText file(bytes, options.codePage);
    const TemplateDef* templ = FindTemplate(options.templ);
    std::string_view lineEnd = FirstLineEnd(bytes);
    if (lineEnd.empty())
        lineEnd = kNativeLineEnd;
    Prefills prefills = options.prefills;
    prefills.file = fileName;

    const std::size_t at = StayFirstEnd(bytes);
    const Decoder decode = [&file](std::string_view b, std::string& text) { return file.Decode(b, text); };
    const std::vector<TopBlock> blocks = TopBlocks(bytes, at, decode, style);
    FileChange change;
    for (const TopBlock& block : blocks) {
        if (block.templ != options.templ)
            continue;
        // The block comes back as the window would give it back from the clipboard.
        const std::optional<FillPlan> plan = ReadFillPlan(block.text, block.style);
        if (!plan) // read as a block, yet no plan: leave it rather than write a second one
            return Skip("unreadable block", "its block cannot be refreshed");
        const TemplateFields fields = PlanFields(*plan, *templ, prefills);
        const std::string text = WithLineEnds(
            PasteText(*plan, BuildIn(plan->style.value_or(block.style), block.templ, fields), block.text),
            lineEnd);
        if (!file.Encode(text, change.insert, change))
            return change;
        change.keep = block.begin;
        change.resume = block.end;
        change.verdict = change.insert == bytes.substr(block.begin, block.end - block.begin)
                             ? Verdict::Unchanged
                             : Verdict::Refreshed;
        return change;
    }

    if (options.templ == kCopyrightTemplate && !options.force) {
        std::string comment;
        file.Decode(TopComment(bytes, blocks.empty() ? at : blocks.back().end), comment, true);
        if (StatesCopyright(comment))
            return Skip("another copyright",
                        "its top comment states a copyright (--force writes the block anyway)");
    }
    TemplateFields fields = PrefilledFields(*templ, prefills);
    // Written today is modified today: a second run the same day finds nothing to refresh.
    if (const int dated = DatedOnRefresh(options.templ); dated >= 0)
        fields[static_cast<std::size_t>(dated)] = prefills.today;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (options.fields[i])
            fields[i] = *options.fields[i];
    std::string text = WithLineEnds(BuildIn(style, options.templ, fields), lineEnd);
    text.append(lineEnd);
    // A file that ends in what stays first gets its line ended before the block.
    const std::size_t bom = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    if (at == bytes.size() && at > bom && bytes.back() != '\n' && bytes.back() != '\r')
        text.insert(0, lineEnd);
    if (!file.Encode(text, change.insert, change))
        return change;
    change.keep = change.resume = at;
    change.verdict = Verdict::Added;
    return change;
}

} // namespace inkwarden
