// The grammar of a Delphi and Object Pascal heading: procedure, function, constructor,
// destructor and operator, a qualified name, parameter groups, a result and directives.
#include "core/signature/reader.h"

namespace inkwarden::sig {

bool ReadPascal(std::string_view text, Signature& out) {
    const Dialect& d = kPascalDialect;
    const Token first = FirstToken(text, d);
    if (!Equals(first.text, "[") && !(first.kind == Kind::Word && HasCi(Words::PascalHeads, first.text)))
        return false;
    const Tokens t(text, d, Angles::AfterName);
    if (!t.ok())
        return false;
    const Index n = t.size();
    Index i = 0;
    while (t.Is(i, "[")) // attributes
        i = t.Next(i);
    if (t.IsCi(i, "class"))
        ++i;
    const bool function = t.IsCi(i, "function") || t.IsCi(i, "operator");
    if (!function && !t.IsCi(i, "procedure") && !t.IsCi(i, "constructor") && !t.IsCi(i, "destructor"))
        return false;
    const Index nameBegin = ++i;
    for (;;) {
        if (!t.IsWord(i))
            return false;
        ++i;
        if (t.Is(i, "<") && t.Match(i) != kNone)
            i = t.Match(i) + 1;
        if (!t.Is(i, ".") || !t.IsWord(i + 1))
            break;
        ++i;
    }
    out.name = t.Join(nameBegin, i, false);

    auto typeScriptType = [&](Index b, Index e) {
        return e == b + 1 && t.IsIn(b, Words::TypeScriptOnlyTypes);
    };
    std::size_t budget = 2 * text.size() + 1024;
    if (t.Is(i, "(")) {
        bool ok = false;
        for (const Range& r : Entries(t, i, ';', true, ok)) {
            Index j = r.b;
            const bool modifier =
                t.IsInCi(j, Words::PascalModifiers) && (t.IsWord(j + 1) || t.Is(j + 1, "["));
            if (modifier)
                ++j;
            while (t.Is(j, "["))
                j = t.Next(j);
            std::vector<Index> names;
            for (;;) {
                if (!t.IsWord(j))
                    return false;
                names.push_back(j++);
                if (!t.Is(j, ","))
                    break;
                ++j;
            }
            const Index colon = j;
            if (t.Is(colon, ":")) {
                const Index eq = t.Find(colon + 1, r.e, "=");
                if (eq == colon + 1 || typeScriptType(colon + 1, eq))
                    return false;
            } else if (!modifier || colon != r.e) {
                return false; // only var, const and out parameters go untyped
            }
            if (names.size() == 1) {
                AddJoined(out, t, r, names[0]);
                continue;
            }
            const std::string type = colon < r.e ? (t[colon].gap ? " " : "") + t.Join(colon, r.e) : "";
            for (Index k : names) {
                if (!WithinRepeatBudget(budget, type.size()))
                    return false;
                Add(out, (modifier ? std::string(t[r.b].text) + " " : "") + std::string(t[k].text) + type,
                    t[k].text);
            }
        }
        if (!ok)
            return false;
        i = t.Match(i) + 1;
    }
    if (t.Is(i, ":")) {
        if (!function)
            return false;
        const Index s = ++i;
        i = t.Find(i, n, ";");
        if (i == s || typeScriptType(s, i))
            return false;
    }
    while (i < n) {
        if (!t.Is(i, ";"))
            return false;
        if (++i == n)
            break;
        if (!t.IsInCi(i, Words::PascalDirectives))
            return false;
        for (++i; i < n && !t.Is(i, ";"); ++i)
            if (t[i].kind == Kind::Punct && !t.Is(i, "."))
                return false;
    }
    return Found(out, "delphi", !function);
}

} // namespace inkwarden::sig
