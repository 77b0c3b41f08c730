// A lexed text with its brackets paired, and the steps over it that every grammar
// takes: lists, entries, what may follow a heading, adding a parameter.
#include "core/signature/reader.h"

#include "core/text.h"

#include <utility>

namespace inkwarden::sig {
namespace {

// Text literals keep their blanks, except that a line break in one, with the blanks
// around it, becomes one blank: a parameter is one line.
void AppendText(std::string& out, std::string_view s) {
    for (Index i = 0; i < s.size(); ++i) {
        if (s[i] != '\r' && s[i] != '\n') {
            out += s[i];
            continue;
        }
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
            out.pop_back();
        while (i + 1 < s.size() && IsBlankByte(static_cast<unsigned char>(s[i + 1])))
            ++i;
        out += ' ';
    }
}

} // namespace

Tokens::Tokens(std::string_view text, const Dialect& d, Angles angles) {
    t_.reserve(text.size() / 3 + 8);
    ok_ = Lex(text, d, t_) && !t_.empty() && Pair(angles);
}

bool Tokens::Is(Index i, const char* s) const {
    return i < t_.size() && t_[i].text[0] == s[0] && t_[i].kind != Kind::Text && Equals(t_[i].text, s);
}

bool Tokens::IsAny(Index i, const char* list) const {
    if (i >= t_.size() || t_[i].kind == Kind::Text)
        return false;
    const std::string_view x = t_[i].text;
    for (const char* s = list;; ++s) {
        Index k = 0;
        while (k < x.size() && s[k] == x[k] && s[k] != ' ' && s[k] != '\0')
            ++k;
        if (k == x.size() && (s[k] == ' ' || s[k] == '\0'))
            return true;
        while (*s != ' ' && *s != '\0')
            ++s;
        if (*s == '\0')
            return false;
    }
}

bool Tokens::IsCi(Index i, const char* lower) const {
    return i < t_.size() && t_[i].kind == Kind::Word && SameIgnoringCase(t_[i].text, lower);
}

std::vector<Range> Tokens::Split(Index b, Index e, char sep) const {
    std::vector<Range> out;
    Index start = b;
    for (Index i = b; i < e; i = Next(i)) {
        if (t_[i].text.size() == 1 && t_[i].text[0] == sep && t_[i].kind != Kind::Text) {
            out.push_back({start, i});
            start = i + 1;
        }
    }
    out.push_back({start, e});
    return out;
}

Index Tokens::Find(Index b, Index e, const char* s) const {
    for (Index i = b; i < e; i = Next(i))
        if (Is(i, s))
            return i;
    return e;
}

bool Tokens::OpensAngle(Index i, Angles angles) const {
    if (angles == Angles::None)
        return false;
    if (angles == Angles::All || i == 0)
        return true;
    const Token& p = t_[i - 1];
    if (p.kind == Kind::Word)
        return !Equals(p.text, "operator") && (!t_[i].gap || Has(Words::AngleLeads, p.text));
    return p.kind == Kind::Punct && (Equals(p.text, "=") || Equals(p.text, "::"));
}

// Every ( [ { with its closer, and every < that opens a list with its >. A < still open
// when the bracket around it closes, or at a `;`, was a less-than. Only a brace that is
// the very last token may stay open: a body copied up to its opening brace.
bool Tokens::Pair(Angles angles) {
    match_.assign(t_.size(), kNone);
    std::vector<Index> stack;
    auto dropAngles = [&] {
        while (!stack.empty() && t_[stack.back()].text[0] == '<')
            stack.pop_back();
    };
    for (Index i = 0; i < t_.size(); ++i) {
        if (t_[i].kind != Kind::Punct || t_[i].text.size() != 1)
            continue;
        const char c = t_[i].text[0];
        if (c == '(' || c == '[' || c == '{' || (c == '<' && OpensAngle(i, angles))) {
            stack.push_back(i);
        } else if (c == '>') {
            if (!stack.empty() && t_[stack.back()].text[0] == '<') {
                match_[stack.back()] = i;
                match_[i] = stack.back();
                stack.pop_back();
            }
        } else if (c == ';') {
            dropAngles();
        } else if (c == ')' || c == ']' || c == '}') {
            dropAngles();
            if (stack.empty())
                return false;
            const char open = t_[stack.back()].text[0];
            if ((c == ')') != (open == '(') || (c == ']') != (open == '['))
                return false;
            match_[stack.back()] = i;
            match_[i] = stack.back();
            stack.pop_back();
        }
    }
    dropAngles();
    return stack.empty() || (stack.size() == 1 && stack[0] + 1 == t_.size() && t_[stack[0]].text[0] == '{');
}

std::string Tokens::Join(Index b, Index e, bool angles) const {
    std::string out;
    e = e < t_.size() ? e : t_.size();
    if (b >= e)
        return out;
    // One allocation: at most every token and a blank before each.
    out.reserve(static_cast<Index>(t_[e - 1].text.data() - t_[b].text.data()) + t_[e - 1].text.size() +
                (e - b));
    for (Index i = b; i < e; ++i) {
        if (!angles && Is(i, "<") && Match(i) != kNone && Match(i) > i) {
            i = Match(i);
            continue;
        }
        if (!out.empty() && t_[i].gap)
            out += ' ';
        const std::string_view x = t_[i].text;
        if (t_[i].kind == Kind::Text && x.find_first_of("\r\n") != std::string_view::npos) {
            std::string collapsed;
            AppendText(collapsed, x);
            out += collapsed;
            continue;
        }
        // Tokens written without a blank between them are copied as one run.
        Index j = i + 1;
        const char* end = x.data() + x.size();
        while (j < e && !t_[j].gap && t_[j].text.data() == end && t_[j].kind != Kind::Text &&
               (angles || !Is(j, "<"))) {
            end += t_[j].text.size();
            ++j;
        }
        out.append(x.data(), static_cast<Index>(end - x.data()));
        i = j - 1;
    }
    return out;
}

// What may follow a heading: nothing, a `;`, or a body in braces, either whole or only
// its opening brace. More than that (a second declaration, statements) is not one
// heading.
bool EndsAfterHeading(const Tokens& t, Index i) {
    const Index n = t.size();
    if (i >= n)
        return i == n;
    if (t.Is(i, ";"))
        return i + 1 == n;
    if (!t.Is(i, "{"))
        return false;
    if (t.Match(i) == kNone)
        return i + 1 == n;
    Index j = t.Match(i) + 1;
    if (t.Is(j, ";"))
        ++j;
    return j == n;
}

// An expression body after `=>` (C#, JavaScript): a braced body, or one expression
// with at most a closing `;`.
bool ExpressionBodyEnds(const Tokens& t, Index i) {
    const Index n = t.size();
    if (i >= n)
        return false;
    if (t.Is(i, "{"))
        return EndsAfterHeading(t, i);
    for (; i < n; i = t.Next(i))
        if (t.Is(i, ";"))
            return i + 1 == n;
    return true;
}

// Parameter entries of the group (open, close): empty for `()`; a trailing comma, where
// the language allows one, leaves no entry. kNone-free ranges; an empty entry
// elsewhere makes `ok` false.
std::vector<Range> Entries(const Tokens& t, Index open, char sep, bool trailing, bool& ok) {
    const Index close = t.Match(open);
    ok = close != kNone && close > open;
    if (!ok)
        return {};
    std::vector<Range> r = t.Split(open + 1, close, sep);
    if (r.size() == 1 && r[0].Empty())
        return {};
    if (trailing && r.size() > 1 && r.back().Empty())
        r.pop_back();
    for (const Range& x : r)
        ok = ok && !x.Empty();
    return r;
}

// The entries of the parameter list that opens at `i` (a trailing comma allowed); false
// when no list opens there or it has an empty entry.
bool ParameterList(const Tokens& t, Index i, std::vector<Range>& entries) {
    bool ok = false;
    if (t.Is(i, "("))
        entries = Entries(t, i, ',', true, ok);
    return ok;
}

// What may follow a parameter's name up to the entry's end `e`: a type, when `typed`
// (j is then on what announces it: Python's `:`, VB's `As`), that is not empty, then a
// default after `=` that is not empty either; nothing else.
bool TypeThenDefault(const Tokens& t, Index j, Index e, bool typed) {
    if (typed) {
        const Index s = ++j;
        j = t.Find(j, e, "=");
        if (j == s)
            return false;
    }
    if (t.Is(j, "=") && j + 1 < e)
        j = e;
    return j == e;
}

// A parameter added to a reader's list with the name it declares ("" for none; Go's and
// Rust's `_` names nothing either).
INKWARDEN_NOINLINE void Add(Signature& s, std::string text, std::string_view name) {
    s.parameters.push_back(std::move(text));
    s.names.emplace_back(Equals(name, "_") ? std::string_view() : name);
}

// A parameter as written; `name` is the token of its name, kNone for none.
INKWARDEN_NOINLINE void AddJoined(Signature& s, const Tokens& t, Range r, Index name) {
    Add(s, t.Join(r.b, r.e), t[name].text);
}

// Go's `a, b int` and Pascal's `a, b: Integer` repeat the type for every name. Real
// lists repeat a short type a few times; a text whose repeats would outgrow it many
// times over (thousands of names before a long type) is refused, so the result stays
// linear in the text.
bool WithinRepeatBudget(std::size_t& budget, std::size_t bytes) {
    if (bytes > budget)
        return false;
    budget -= bytes;
    return true;
}

INKWARDEN_NOINLINE bool Found(Signature& s, const char* language, bool procedure) {
    s.language = language;
    s.procedure = procedure;
    return true;
}

} // namespace inkwarden::sig
