// The script side of the curly-brace family: JavaScript, TypeScript and PHP functions,
// methods and functions assigned to a name.
#include "core/signature/reader.h"

namespace inkwarden::sig {
namespace {

// Skips a TypeScript type up to where it ends; a `{` opens an object type only where
// a type is expected, else it opens the body. `arrow`: an arrow function's `=>` ends it.
Index SkipScriptType(const Tokens& t, Index i, bool arrow) {
    const Index s = i, n = t.size();
    while (i < n) {
        if (t.Is(i, "{")) {
            const bool expected = i == s || t.IsAny(i - 1, ": | & , => ?");
            if (!expected || t.Match(i) == kNone)
                break;
        } else if (t.IsAny(i, "; =") || (arrow && t.Is(i, "=>"))) {
            break;
        }
        i = t.Next(i);
    }
    return i == s ? kNone : i;
}

// A JavaScript or TypeScript parameter: [decorators] [modifiers] [...]binding[?][: type]
// [= default]. `typed`: it showed TypeScript; `name`: the binding when it is a name.
bool ScriptParameter(const Tokens& t, Range r, bool& typed, Index& name) {
    Index i = r.b;
    while (SkipAnnotation(t, i) != i) {
        typed = true;
        i = SkipAnnotation(t, i);
    }
    while (t.IsIn(i, Words::TsParameterModifiers) && (t.IsWord(i + 1) || t.IsAny(i + 1, "{ ["))) {
        typed = true;
        ++i;
    }
    if (t.Is(i, "..."))
        ++i;
    if (t.IsWord(i)) {
        if (t.IsIn(i, Words::ScriptKeywords) && !(t.Is(i, "this") && t.Is(i + 1, ":")))
            return false;
        name = i++;
    } else if (t.IsAny(i, "{ [") && t.Match(i) != kNone) {
        i = t.Next(i);
    } else {
        return false;
    }
    if (t.Is(i, "?")) {
        typed = true;
        ++i;
    }
    if (t.Is(i, ":")) {
        const Index s = ++i;
        i = t.Find(i, r.e, "=");
        if (i == s || (i == s + 1 && t.IsIn(s, Words::PascalOnlyTypes)))
            return false;
        typed = true;
    }
    if (t.Is(i, "=") && i + 1 < r.e)
        i = r.e;
    return i == r.e;
}

bool IsPhpVariable(const Tokens& t, Index i) {
    return t.IsWord(i) && t[i].text.size() > 1 && t[i].text[0] == '$';
}

// A PHP parameter: [#[attributes]] [promotion modifiers] [type] [&] [...]$name [= default].
bool PhpParameter(const Tokens& t, Range r, Index& name) {
    Index i = r.b;
    while (t.Is(i, "#") && t.Is(i + 1, "["))
        i = t.Next(i + 1);
    while (t.IsIn(i, Words::PhpParameterModifiers))
        ++i;
    if (t.Is(i, "?"))
        ++i;
    for (;;) {
        if (t.IsAny(i, "\\ |") || (t.IsWord(i) && t[i].text[0] != '$') ||
            (t.Is(i, "&") && !IsPhpVariable(t, i + 1) && !t.IsAny(i + 1, "... &")))
            ++i;
        else
            break;
    }
    if (t.Is(i, "&"))
        ++i;
    if (t.Is(i, "..."))
        ++i;
    name = i;
    if (!IsPhpVariable(t, i++))
        return false;
    if (t.Is(i, "=") && i + 1 < r.e)
        i = r.e;
    return i == r.e;
}

// Reads a parameter list as JavaScript/TypeScript and as PHP, into `out`. Where both
// read an entry, both take the same word for its name.
struct ScriptParams {
    bool script = true, php = true, typed = false, dollars = false;
};

bool ReadScriptParams(const Tokens& t, Index open, ScriptParams& p, Signature& out) {
    bool ok = false;
    const std::vector<Range> entries = Entries(t, open, ',', true, ok);
    if (!ok)
        return false;
    for (const Range& r : entries) {
        Index scriptName = kNone, phpName = kNone;
        p.script = p.script && ScriptParameter(t, r, p.typed, scriptName);
        p.php = p.php && PhpParameter(t, r, phpName);
        AddJoined(out, t, r, p.script ? scriptName : phpName);
    }
    p.dollars = p.php && !entries.empty();
    return p.script || p.php;
}

// TypeScript's type parameters after a name (f<T>(...)): i past them, with `typed` set;
// false for a `<` left open.
bool SkipTypeParameters(const Tokens& t, Index& i, bool& typed) {
    if (!t.Is(i, "<"))
        return true;
    if (t.Match(i) == kNone)
        return false;
    typed = true;
    i = t.Match(i) + 1;
    return true;
}

// A name a JavaScript method may have that looks no more like a loop macro
// (list_for_each(pos, head) {) than like a method.
bool LooksLikeMacro(std::string_view name) {
    return name.find('_') != std::string_view::npos || IsMacroLike(name) || Equals(name, "foreach") ||
           Equals(name, "forever");
}

} // namespace

// Class members and object methods: async foo(a) {, static foo(a: T): R {, get foo(),
// and TypeScript's interface and abstract method signatures.
bool ReadScriptMethod(const Tokens& t, Signature& out) {
    Index i = 0;
    while (SkipAnnotation(t, i) != i)
        i = SkipAnnotation(t, i);
    bool typed = false, modified = false;
    while (t.IsIn(i, Words::MethodModifiers) && !t.IsAny(i + 1, "( < ?")) {
        typed = typed || t.IsIn(i, Words::MethodTypeScriptOnly);
        modified = true;
        ++i;
    }
    if (t.Is(i, "*")) {
        modified = true;
        ++i;
    }
    if (!t.IsWord(i) || t.IsIn(i, Words::MethodStatements) || t[i].text[0] == '$')
        return false;
    const bool keyword = t.IsIn(i, Words::ScriptKeywords);
    out.name = t[i].text;
    ++i;
    if (t.Is(i, "?")) {
        typed = true;
        ++i;
    }
    if (!SkipTypeParameters(t, i, typed))
        return false;
    if (!t.Is(i, "("))
        return false;
    ScriptParams p;
    if (!ReadScriptParams(t, i, p, out) || !p.script)
        return false;
    typed = typed || p.typed;
    i = t.Match(i) + 1;
    if (t.Is(i, ":")) {
        typed = true;
        i = SkipScriptType(t, i + 1, false);
        if (i == kNone)
            return false;
    }
    // Only TypeScript declares a method without its body (a JavaScript heading may be
    // copied without its brace, but not end in `;`); a name in capitals or a keyword
    // without types or modifiers is a macro or a statement rather than a method.
    const bool braced = t.Is(i, "{");
    if (!EndsAfterHeading(t, i) || (!braced && !typed && !(modified && i == t.size())))
        return false;
    if (!typed && (IsMacroLike(out.name) || (keyword && !modified) ||
                   (!modified && !out.parameters.empty() && LooksLikeMacro(out.name))))
        return false;
    return Found(out, typed ? "typescript" : "javascript");
}

// `function` headings (JavaScript, TypeScript, PHP), and functions assigned to a name:
// foo = function(a) {, foo: function(a), const foo = (a) => {.
bool ReadScriptFunction(const Tokens& t, Signature& out) {
    const Index n = t.size();
    Index f = kNone;
    for (Index i = 0; i < n && !t.IsAny(i, "{ ; =>"); i = t.Next(i)) {
        if (t.Is(i, "function")) {
            f = i;
            break;
        }
    }
    bool php = false, typed = false, modified = false;
    Index i = 0;
    while (t.Is(i, "#") && t.Is(i + 1, "[")) {
        php = true;
        i = t.Next(i + 1);
    }
    while (t.IsIn(i, Words::LeadModifiers)) {
        php = php || (f != kNone && t.IsIn(i, Words::PhpModifiers));
        typed = typed || t.Is(i, "declare") || (f == kNone && t.IsIn(i, Words::PhpModifiers));
        modified = true;
        ++i;
    }
    if (i != f) {
        // An assignment or an object property.
        const bool declared = t.IsAny(i, "const let var");
        if (declared)
            ++i;
        const Index s = i;
        if (!t.IsWord(i) || (t.IsIn(i, Words::ScriptKeywords) && !t.Is(i, "this")))
            return false;
        for (++i; t.Is(i, ".") && t.IsWord(i + 1);)
            i += 2;
        out.name = t.Join(s, i);
        if (t.Is(i, "?") && !declared) {
            typed = true;
            ++i;
        }
        if (t.Is(i, ":") && (declared || modified)) {
            typed = true;
            const Index e = t.Find(i + 1, n, "=");
            if (e == i + 1 || !t.Is(e, "="))
                return false;
            i = e + 1;
        } else if (t.IsAny(i, "= :")) {
            ++i;
        } else {
            return false;
        }
        if (t.Is(i, "async"))
            ++i;
        if (f != kNone && i != f)
            return false;
    }

    ScriptParams p;
    bool returnType = false, returnTs = false, returnPhp = false;
    if (f != kNone) {
        i = f + 1;
        if (t.Is(i, "*")) {
            ++i;
        } else if (t.Is(i, "&")) {
            php = true;
            ++i;
        }
        if (t.IsWord(i) && !t.Is(i, "use")) {
            out.name = t[i].text; // the function's own name, before the one it is assigned to
            ++i;
        }
        if (out.name.empty())
            return false;
        if (!SkipTypeParameters(t, i, typed))
            return false;
        if (!t.Is(i, "(") || !ReadScriptParams(t, i, p, out))
            return false;
        i = t.Match(i) + 1;
        if (t.Is(i, "use") && t.Is(i + 1, "(")) {
            php = true;
            i = t.Next(i + 1);
        }
        if (t.Is(i, ":")) {
            const Index s = i + 1;
            i = SkipScriptType(t, s, false);
            if (i == kNone)
                return false;
            returnType = true;
            returnPhp = t.Is(s, "?") || (i == s + 1 && t.IsIn(s, Words::PhpTypes));
            returnTs = (i == s + 1 && t.IsIn(s, Words::TsTypes)) || t.Find(s, i, "<") != i ||
                       t.Find(s, i, "=>") != i || t.Find(s, i, "[") != i;
            if (i == s + 1 && t.IsIn(s, Words::PascalOnlyTypes))
                p.script = false;
        }
        if (!EndsAfterHeading(t, i))
            return false;
    } else {
        // An arrow function.
        if (out.name.empty())
            return false;
        if (!SkipTypeParameters(t, i, typed))
            return false;
        if (t.Is(i, "(")) {
            if (!ReadScriptParams(t, i, p, out))
                return false;
            i = t.Match(i) + 1;
            if (t.Is(i, ":")) {
                typed = true;
                i = SkipScriptType(t, i + 1, true);
                if (i == kNone)
                    return false;
            }
        } else if (t.IsWord(i) && !t.IsIn(i, Words::ScriptKeywords)) {
            Add(out, std::string(t[i].text), t[i].text);
            p.php = false;
            ++i;
        } else {
            return false;
        }
        if (!t.Is(i, "=>") || !ExpressionBodyEnds(t, i + 1))
            return false;
        p.php = false;
    }

    // PHP needs $ on every parameter; JavaScript takes $el as a name too, but a list of
    // nothing but $ names is PHP's mark.
    const bool asPhp = p.php && (php || p.dollars || returnPhp) && !typed;
    const bool asScript = p.script && !php && !returnPhp;
    if (asPhp)
        return Found(out, "php");
    if (!asScript)
        return false;
    typed = typed || p.typed || returnTs;
    if (returnType && !typed && p.php)
        return Found(out, ""); // function f(): Foo is TypeScript and PHP
    return Found(out, typed ? "typescript" : "javascript");
}

} // namespace inkwarden::sig
