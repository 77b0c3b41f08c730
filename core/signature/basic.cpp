// The grammar of a VB heading (VB6, VBA, VB.NET): attributes, modifiers, Sub or
// Function, Declare ... Lib, parameters with As, a return type, Handles and Implements.
#include "core/signature/reader.h"

namespace inkwarden::sig {

bool ReadBasic(std::string_view text, Signature& out) {
    const Dialect& d = kBasicDialect;
    const Token first = FirstToken(text, d);
    // The VB editors capitalise keywords; a lower-case `function` is JavaScript or PHP.
    if (!Equals(first.text, "<") &&
        !(first.kind == Kind::Word && IsUpper(first.text[0]) && HasCi(Words::BasicModifiers, first.text)))
        return false;
    const Tokens t(text, d, Angles::None);
    if (!t.ok())
        return false;
    const Index n = t.size();
    Index i = 0;
    while (t.Is(i, "<")) { // <Attribute(...)>
        ++i;
        while (i < n && !t.Is(i, ">")) {
            if (t.IsAny(i, "< {"))
                return false;
            i = t.Next(i);
        }
        if (i++ >= n)
            return false;
    }
    while (t.IsWord(i) && !t.IsCi(i, "sub") && !t.IsCi(i, "function") && !t.IsCi(i, "declare") &&
           HasCi(Words::BasicModifiers, t[i].text))
        ++i;
    if (t.IsCi(i, "declare")) {
        ++i;
        if (t.IsCi(i, "ansi") || t.IsCi(i, "unicode") || t.IsCi(i, "auto"))
            ++i;
        if (t.IsCi(i, "ptrsafe"))
            ++i;
    }
    const bool sub = t.IsCi(i, "sub");
    if ((!sub && !t.IsCi(i, "function")) || !IsUpper(t[i].text[0]))
        return false;
    ++i;
    if (!t.IsWord(i) || t.IsInCi(i, Words::BasicKeywords))
        return false;
    out.name = t[i].text;
    ++i;
    if (t.Is(i, "(") && t.IsCi(i + 1, "of")) // Function Create(Of T)(...)
        i = t.Next(i);
    if (t.IsCi(i, "lib")) {
        if (t[++i].kind != Kind::Text)
            return false;
        ++i;
        if (t.IsCi(i, "alias")) {
            if (t[++i].kind != Kind::Text)
                return false;
            ++i;
        }
    }
    if (t.Is(i, "(")) {
        bool ok = false;
        for (const Range& r : Entries(t, i, ',', false, ok)) {
            Index j = r.b;
            while (t.IsInCi(j, Words::BasicParamModifiers))
                ++j;
            const Index name = j;
            if (!t.IsWord(j) || t.IsInCi(j, Words::BasicKeywords))
                return false;
            ++j;
            if (t.Is(j, "(") && t.Match(j) == j + 1)
                j += 2;
            if (!TypeThenDefault(t, j, r.e, t.IsCi(j, "as")))
                return false;
            AddJoined(out, t, r, name);
        }
        if (!ok)
            return false;
        i = t.Match(i) + 1;
    }
    if (t.IsCi(i, "as")) {
        if (sub)
            return false;
        const Index s = ++i;
        while (i < n && !t.IsCi(i, "handles") && !t.IsCi(i, "implements")) {
            if (!t.IsWord(i) && !t.IsAny(i, ". ( {"))
                return false;
            i = t.Next(i);
        }
        if (i == s)
            return false;
    }
    if (t.IsCi(i, "handles") || t.IsCi(i, "implements"))
        for (++i; i < n && (t.IsWord(i) || t.IsAny(i, ". ,"));)
            ++i;
    if (i != n)
        return false;
    return Found(out, "vb", sub);
}

} // namespace inkwarden::sig
