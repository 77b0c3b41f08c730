// The grammar of a Rust heading: attributes, visibility and qualifiers, fn, generics,
// the parameters after self, a return type and a where clause.
#include "core/signature/reader.h"

namespace inkwarden::sig {
namespace {

bool IsRustSelf(const Tokens& t, Range r) {
    Index j = r.b;
    if (t.Is(j, "&")) {
        ++j;
        if (t.IsWord(j) && t[j].text[0] == '\'')
            ++j;
    }
    if (t.Is(j, "mut"))
        ++j;
    if (!t.Is(j, "self"))
        return false;
    return j + 1 == r.e || t.Is(j + 1, ":");
}

} // namespace

bool ReadRust(std::string_view text, Signature& out) {
    const Dialect& d = kRustDialect;
    const Token first = FirstToken(text, d);
    if (!Equals(first.text, "#") && !(first.kind == Kind::Word && Has(Words::RustLeads, first.text)))
        return false;
    const Tokens t(text, d, Angles::All);
    if (!t.ok())
        return false;
    Index i = 0;
    while (t.Is(i, "#")) {
        ++i;
        if (t.Is(i, "!"))
            ++i;
        if (!t.Is(i, "["))
            return false;
        i = t.Next(i);
    }
    if (t.Is(i, "pub") && t.Is(++i, "("))
        i = t.Next(i);
    while (t.IsIn(i, Words::RustQualifiers))
        ++i;
    if (t.Is(i, "extern") && t[++i].kind == Kind::Text)
        ++i;
    if (!t.Is(i, "fn") || !t.IsWord(i + 1))
        return false;
    out.name = t[i + 1].text;
    i += 2;
    if (t.Is(i, "<")) {
        if (t.Match(i) == kNone)
            return false;
        i = t.Match(i) + 1;
    }
    std::vector<Range> entries;
    if (!ParameterList(t, i, entries))
        return false;
    for (Index k = 0; k < entries.size(); ++k) {
        const Range r = entries[k];
        if (k == 0 && IsRustSelf(t, r))
            continue;
        const Index colon = t.Find(r.b, r.e, ":");
        if (colon == r.b || colon + 1 >= r.e || t.Find(r.b, r.e, "=") != r.e)
            return false;
        Index name = r.b; // a plain binding, else a pattern that names nothing
        while (name + 1 < colon && t.IsAny(name, "ref mut"))
            ++name;
        AddJoined(out, t, r, name + 1 == colon && t.IsWord(name) ? name : kNone);
    }
    i = t.Match(i) + 1;
    const Index n = t.size();
    if (t.Is(i, "->")) {
        const Index s = ++i;
        while (i < n && !t.IsAny(i, "where { ;"))
            i = t.Next(i);
        if (i == s)
            return false;
    }
    if (t.Is(i, "where"))
        while (i < n && !t.IsAny(i, "{ ;"))
            i = t.Next(i);
    if (!EndsAfterHeading(t, i))
        return false;
    return Found(out, "rust");
}

} // namespace inkwarden::sig
