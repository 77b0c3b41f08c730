// The grammar of a Go heading: func, a receiver, type parameters, names sharing a
// type, results.
#include "core/signature/reader.h"

namespace inkwarden::sig {

bool ReadGo(std::string_view text, Signature& out) {
    const Dialect& d = kGoDialect;
    if (!Equals(FirstToken(text, d).text, "func"))
        return false;
    const Tokens t(text, d, Angles::None);
    if (!t.ok())
        return false;
    Index i = 1;
    if (t.Is(i, "(")) // receiver
        i = t.Next(i);
    if (!t.IsWord(i) || t.IsIn(i, Words::GoTypes))
        return false;
    out.name = t[i].text;
    ++i;
    if (t.Is(i, "[") && !t[i].gap) // type parameters
        i = t.Next(i);
    std::vector<Range> entries;
    if (!ParameterList(t, i, entries))
        return false;

    // Either every entry names its parameter or none does; in `a, b int` the names
    // without a type take the next entry's type.
    std::vector<Range> pending;
    bool named = false;
    std::size_t budget = 2 * text.size() + 1024;
    for (const Range& r : entries) {
        if (t.Find(r.b, r.e, ":") != r.e || t.Find(r.b, r.e, "=") != r.e)
            return false; // Swift's func f(a: Int) is no Go

        const bool single = r.e == r.b + 1 && t.IsWord(r.b);
        const bool hasName = !single && t.IsWord(r.b) && !t.IsIn(r.b, Words::GoTypes) &&
                             !t.Is(r.b + 1, ".") && !(t.Is(r.b + 1, "[") && !t[r.b + 1].gap);
        if (single) {
            pending.push_back(r);
            continue;
        }
        if (!hasName) {
            if (named)
                return false;
            pending.push_back(r);
            continue;
        }
        named = true;
        const std::string type = t.Join(r.b + 1, r.e);
        for (const Range& p : pending) {
            if (!(p.e == p.b + 1 && t.IsWord(p.b)) || !WithinRepeatBudget(budget, type.size()))
                return false;
            Add(out, std::string(t[p.b].text) + " " + type, t[p.b].text);
        }
        pending.clear();
        AddJoined(out, t, r, r.b);
    }
    if (!pending.empty()) {
        if (named)
            return false;
        for (const Range& p : pending)
            AddJoined(out, t, p, kNone); // types without names
    }

    i = t.Match(i) + 1;
    const Index n = t.size();
    if (t.Is(i, "(")) {
        i = t.Next(i);
    } else {
        while (i < n && !t.Is(i, "{")) {
            if (!t.IsWord(i) && !t.IsAny(i, ". * [ ( < -"))
                return false; // GDScript's -> void: and Swift's -> Int are other languages
            i = t.IsAny(i, "interface struct") && t.Is(i + 1, "{") ? t.Next(i + 1) : t.Next(i);
        }
    }
    if (!EndsAfterHeading(t, i))
        return false;
    return Found(out, "go");
}

} // namespace inkwarden::sig
