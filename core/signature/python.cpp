// The grammar of a Python heading: decorators, [async] def, type parameters, the
// parameter list, a return annotation and a stub's body.
#include "core/signature/reader.h"

namespace inkwarden::sig {

bool ReadPython(std::string_view text, Signature& out) {
    const Dialect& d = kPythonDialect;
    const Token first = FirstToken(text, d);
    if (!Equals(first.text, "@") && !Equals(first.text, "def") && !Equals(first.text, "async"))
        return false;
    const Tokens t(text, d, Angles::None);
    if (!t.ok())
        return false;
    Index i = 0;
    while (t.Is(i, "@")) { // decorators
        if (!t.IsWord(++i))
            return false;
        ++i;
        while (t.Is(i, ".") && t.IsWord(i + 1))
            i += 2;
        if (t.Is(i, "("))
            i = t.Next(i);
    }
    if (t.Is(i, "async"))
        ++i;
    if (!t.Is(i, "def") || !t.IsWord(i + 1))
        return false;
    out.name = t[i + 1].text;
    i += 2;
    if (t.Is(i, "[")) // def first[T](...), Python 3.12
        i = t.Next(i);
    std::vector<Range> entries;
    if (!ParameterList(t, i, entries))
        return false;
    for (Index k = 0; k < entries.size(); ++k) {
        const Range r = entries[k];
        const std::string p = t.Join(r.b, r.e);
        if ((k == 0 && (Equals(p, "self") || Equals(p, "cls"))) || Equals(p, "*") || Equals(p, "/"))
            continue;
        Index j = r.b;
        if (t.Is(j, "*"))
            ++j;
        if (t.Is(j, "*"))
            ++j;
        if (!t.IsWord(j) || !TypeThenDefault(t, j + 1, r.e, t.Is(j + 1, ":")))
            return false;
        Add(out, p, t[j].text);
    }
    i = t.Match(i) + 1;
    if (t.Is(i, "->")) {
        const Index s = ++i;
        i = t.Find(i, t.size(), ":");
        if (i == s)
            return false;
    }
    if (t.Is(i, ":")) {
        ++i;
        if (t.IsAny(i, "... pass")) // a stub's body
            ++i;
    }
    if (i != t.size())
        return false;
    return Found(out, "python");
}

} // namespace inkwarden::sig
