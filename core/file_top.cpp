#include "core/file_top.h"

#include "core/fill.h"
#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace inkwarden {

namespace {

struct Line {
    std::size_t begin, end, next; // [begin, end) without its line end; next: the line after
    std::string_view text;
};

Line LineAt(std::string_view text, std::size_t at) {
    std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    std::size_t next = end;
    if (next < text.size())
        next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    return {at, end, next, text.substr(at, end - at)};
}

bool StartsIgnoringCase(std::string_view s, std::string_view head) {
    return s.size() >= head.size() && SameIgnoringCase(s.substr(0, head.size()), head);
}

std::string_view FirstWord(std::string_view line) {
    line = line.substr(LeadingBlanks(line));
    return line.substr(0, std::min(line.find_first_of(" \t="), line.size()));
}

// PEP 263's rule, which Emacs, Vim and Ruby's encoding comments follow too.
bool IsCodingLine(std::string_view line) {
    line = line.substr(LeadingBlanks(line));
    if (line.empty() || line[0] != '#')
        return false;
    for (std::size_t at = line.find("coding"); at != std::string_view::npos;
         at = line.find("coding", at + 1)) {
        std::size_t p = at + 6;
        if (p >= line.size() || (line[p] != ':' && line[p] != '='))
            continue;
        p += 1 + LeadingBlanks(line.substr(p + 1));
        if (p < line.size() && (std::isalnum(static_cast<unsigned char>(line[p])) || line[p] == '-'))
            return true;
    }
    return false;
}

// From a line that opens a construct to the end of the line that holds `close`.
std::size_t PastLineHolding(std::string_view text, std::size_t from, std::string_view close) {
    const std::size_t at = text.find(close, from);
    return at == std::string_view::npos ? from : LineAt(text, at).next;
}

// A VB module's header, from its VERSION line on: Object lines, Begin … End blocks (nested,
// with BeginProperty … EndProperty inside) and Attribute lines.
std::size_t PastVbHeader(std::string_view text, std::size_t at) {
    int depth = 0;
    for (Line line = LineAt(text, at); line.begin < text.size(); line = LineAt(text, line.next)) {
        const std::string_view word = FirstWord(line.text);
        if (StartsIgnoringCase(word, "Begin"))
            ++depth;
        else if (StartsIgnoringCase(word, "End") && depth > 0)
            --depth;
        else if (depth == 0 && !SameIgnoringCase(word, "Object") && !SameIgnoringCase(word, "Attribute") &&
                 !(line.begin == at && SameIgnoringCase(word, "VERSION")))
            return line.begin;
    }
    return text.size();
}

const char* const kPreprocessorWords[] = {"include", "define", "if",    "ifdef", "ifndef", "elif",  "else",
                                          "endif",   "pragma", "undef", "error", "line",   "import"};

bool IsDirective(std::string_view line) {
    std::string_view rest = line.substr(1);
    rest = rest.substr(LeadingBlanks(rest));
    for (const char* word : kPreprocessorWords)
        if (FirstWord(rest) == word)
            return true;
    return false;
}

// The text that closes a comment opened at the start of `line`; empty for a comment of
// one line, nothing for a line that opens no comment.
std::optional<std::string_view> CommentOpens(std::string_view line) {
    static const struct {
        std::string_view open, close;
    } kBlockComments[] = {{"/*", "*/"}, {"<!--", "-->"}, {"(*", "*)"}, {"\"\"\"", "\"\"\""}, {"'''", "'''"}};
    for (const auto& c : kBlockComments)
        if (line.substr(0, c.open.size()) == c.open)
            return line.find(c.close, c.open.size()) == std::string_view::npos ? c.close : std::string_view();
    static const std::string_view kLineComments[] = {"//", "--", "'", ";", "%", "*", "::"};
    for (std::string_view mark : kLineComments)
        if (line.substr(0, mark.size()) == mark)
            return std::string_view();
    if ((!line.empty() && line[0] == '#' && !IsDirective(line)) || SameIgnoringCase(FirstWord(line), "REM"))
        return std::string_view();
    return std::nullopt;
}

} // namespace

std::size_t StayFirstEnd(std::string_view text) {
    std::size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    Line line = LineAt(text, at);
    if (line.text.substr(0, 2) == "#!")
        line = LineAt(text, line.next);
    // The coding line counts on the first two lines only, whatever the first one is.
    const Line second = LineAt(text, line.next);
    if (IsCodingLine(line.text))
        line = second;
    else if (line.begin == at && IsCodingLine(second.text))
        line = LineAt(text, second.next);
    at = line.begin;
    if (line.text.substr(0, 5) == "<?xml")
        at = PastLineHolding(text, at, "?>");
    line = LineAt(text, at);
    if (StartsIgnoringCase(line.text.substr(LeadingBlanks(line.text)), "<!DOCTYPE"))
        at = PastLineHolding(text, at, ">");
    line = LineAt(text, at);
    if (StartsIgnoringCase(line.text, "<?php") && line.text.find("?>") == std::string_view::npos)
        return line.next;
    if (SameIgnoringCase(Trim(line.text), "@echo off"))
        return line.next;
    if (SameIgnoringCase(FirstWord(line.text), "VERSION") || StartsIgnoringCase(line.text, "Attribute VB_"))
        return PastVbHeader(text, at);
    return at;
}

std::string_view FirstLineEnd(std::string_view text) {
    const Line line = LineAt(text, 0);
    return text.substr(line.end, line.next - line.end);
}

std::vector<TopBlock> TopBlocks(std::string_view text, std::size_t at, const Decoder& decode,
                                CodeType_t current) {
    std::vector<TopBlock> blocks;
    const std::string_view rule = TrimRight(BlockRule());
    StyleTexts style;
    for (;;) {
        Line first = LineAt(text, at);
        while (first.begin < text.size() && Trim(first.text).empty())
            first = LineAt(text, first.next);
        const std::string_view opening = Trim(first.text);
        if (opening.size() < rule.size() || opening.substr(opening.size() - rule.size()) != rule)
            return blocks;
        // The closing lines the styles that open so may end with.
        std::vector<std::string> closings;
        for (CodeType_t code : StyleCodes())
            if (StyleTextsOf(code, style) && TrimRight(style.opening) == opening)
                closings.push_back(std::string(Trim(style.closing)));
        std::optional<TopBlock> found;
        bool blankBefore = false;
        for (Line line = LineAt(text, first.next);
             !found && line.begin < text.size() && line.end - first.begin <= kMaxCopiedText;
             line = LineAt(text, line.next)) {
            const std::string_view body = Trim(line.text);
            if (blankBefore && std::find(closings.begin(), closings.end(), body) != closings.end()) {
                TopBlock block;
                block.begin = first.begin;
                block.end = line.end;
                if (!decode(text.substr(block.begin, block.end - block.begin), block.text))
                    return blocks;
                if (const std::optional<ReadBack> read = ReadBlock(block.text, current)) {
                    block.style = read->style;
                    block.templ = read->templ;
                    found = std::move(block);
                    at = line.next;
                }
            }
            blankBefore = body.empty();
        }
        if (!found)
            return blocks;
        blocks.push_back(std::move(*found));
    }
}

std::string_view TopComment(std::string_view text, std::size_t at) {
    std::size_t end = at;
    std::string_view closer;
    for (Line line = LineAt(text, at); line.begin < text.size() && line.begin - at <= kMaxCopiedText;
         line = LineAt(text, line.next)) {
        const std::string_view body = line.text.substr(LeadingBlanks(line.text));
        if (!closer.empty()) {
            if (body.find(closer) != std::string_view::npos)
                closer = std::string_view();
        } else if (!body.empty()) {
            const std::optional<std::string_view> opens = CommentOpens(body);
            if (!opens)
                break;
            closer = *opens;
        }
        end = line.end;
    }
    return text.substr(at, end - at);
}

bool StatesCopyright(std::string_view text) {
    std::string lower;
    for (char c : text)
        lower += AsciiLower(c);
    for (const char* mark : {"copyright", "(c)", "\xC2\xA9", "版权", "spdx-license-identifier"})
        if (lower.find(mark) != std::string::npos)
            return true;
    return false;
}

} // namespace inkwarden
