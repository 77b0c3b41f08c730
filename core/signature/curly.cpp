// The curly-brace family: ReadCurly lexes a text once for all of it and hears the C
// side here (C, C++, Java, C#) and the script side (curly_script.cpp).
#include "core/signature/reader.h"

namespace inkwarden::sig {

// @Name, @a.b.Name(...): an annotation or decorator at i, or i.
Index SkipAnnotation(const Tokens& t, Index i) {
    if (!t.Is(i, "@") || !t.IsWord(i + 1) || t.Is(i + 1, "interface"))
        return i;
    i += 2;
    while (t.Is(i, ".") && t.IsWord(i + 1))
        i += 2;
    return t.Is(i, "(") ? t.Next(i) : i;
}

namespace {

// Types a parameter may give without a name.
bool IsKnownType(std::string_view w) {
    return Has(Words::KnownTypes, w) || EndsWith(w, "_t");
}

// SAL annotations (_In_, _Out_writes_(n)) and other compiler words in a parameter.
bool IsAnnotationWord(std::string_view w) {
    return w.size() >= 3 && w[0] == '_' && IsUpper(w[1]) && w.back() == '_';
}

Index SkipTerm(const Tokens& t, Index i, bool& dotted);

// A C++20 constraint after `requires`: terms joined by && and ||.
Index SkipConstraint(const Tokens& t, Index i) {
    for (;;) {
        if (t.Is(i, "!"))
            ++i;
        if (t.Is(i, "(")) {
            i = t.Next(i);
        } else if (t.Is(i, "requires")) {
            ++i;
            if (t.Is(i, "("))
                i = t.Next(i);
            if (!t.Is(i, "{"))
                return kNone;
            i = t.Next(i);
        } else if (t.IsWord(i) || (t.Is(i, "::") && t.IsWord(i + 1))) {
            if (t.Is(i, "::"))
                ++i;
            bool dotted = false;
            i = SkipTerm(t, i, dotted);
        } else {
            return kNone;
        }
        if (!t.IsAny(i, "&& |"))
            return i;
        i += t.Is(i, "|") && t.Is(i + 1, "|") ? 2 : 1;
    }
}

// Word [<...>] ((:: | .) Word [<...>])*: a type written with its qualification. `dotted`
// tells whether a `.` joined two of its words.
Index SkipTerm(const Tokens& t, Index i, bool& dotted) {
    dotted = false;
    ++i;
    for (;;) {
        if (t.Is(i, "<") && t.Match(i) != kNone) {
            i = t.Match(i) + 1;
        } else if (t.IsAny(i, ":: .") && t.IsWord(i + 1) && !t.Is(i + 1, "operator")) {
            dotted = dotted || t.Is(i, ".");
            i += 2;
        } else {
            return i;
        }
    }
}

enum class Decl { No, Weak, Product, Unnamed, Named };

// How a C, C++, Java or C# parameter declares itself (its default value cut off): a
// type and a name, a type alone, a lone CamelCase word (a type, or a constant passed to
// a constructor), `a * b` (a pointer, or a product), or nothing a declaration would be
// (a value, an expression). `name` is set to the token of the name a Named or Product
// declares, kNone for none.
Decl CParameter(const Tokens& t, Index i, Index e, Index& name) {
    name = kNone;
    for (;;) {
        const Index a = SkipAnnotation(t, i);
        if (a != i) {
            i = a;
        } else if (t.Is(i, "[")) {
            i = t.Next(i); // [[maybe_unused]], [CallerMemberName]
        } else if (t.IsWord(i) && (IsAnnotationWord(t[i].text) || t.Is(i, "__attribute__"))) {
            i = t.Is(i + 1, "(") ? t.Next(i + 1) : i + 1;
        } else {
            break;
        }
    }
    if (i >= e)
        return Decl::No;
    if (t.Is(i, "...") && i + 1 == e)
        return Decl::Named; // C varargs
    int terms = 0;
    bool intModifier = false, decorated = false, qualified = false, lastPlain = false, firstKnown = false;
    bool spaced = false;
    std::string_view firstWord;
    Index last = kNone;
    while (i < e) {
        if (t.IsWord(i)) {
            const std::string_view w = t[i].text;
            const std::uint64_t sets = WordSets(w);
            if (In(sets, Words::CQualifiers)) {
                qualified = true;
                intModifier = intModifier || In(sets, Words::IntModifiers);
                ++i;
                continue;
            }
            if (In(sets, Words::Statements) || t.IsAny(i, "new operator"))
                return Decl::No;
            bool dotted = false;
            last = i;
            i = SkipTerm(t, i, dotted);
            ++terms;
            lastPlain = i == last + 1;
            if (terms == 1) {
                firstWord = w;
                firstKnown = !lastPlain || IsKnownType(w);
            }
            continue;
        }
        if (t.Is(i, "::") && t.IsWord(i + 1)) {
            ++i;
            continue;
        }
        if (t.IsAny(i, "* & && ^")) {
            if (terms == 0 && !intModifier)
                return Decl::No;
            spaced =
                spaced || (t[i].gap && i + 1 < e && t[i + 1].gap && terms == 1 && !firstKnown && !qualified);
            decorated = true;
            ++i;
            continue;
        }
        if (terms > 0 && SkipAnnotation(t, i) != i) {
            i = SkipAnnotation(t, i); // Java's type annotations: String @NonNull ... names
            continue;
        }
        if (t.IsAny(i, "... ?")) {
            if (terms == 0)
                return Decl::No;
            decorated = true;
            ++i;
            continue;
        }
        if (t.Is(i, "[")) {
            if (terms == 0)
                return Decl::No;
            decorated = true;
            i = t.Next(i);
            continue;
        }
        if (t.Is(i, "(")) {
            // int (*cb)(void*, int), void (^block)(id), int (&a)[3]
            if (terms == 0)
                return Decl::No;
            const Index close = t.Match(i);
            Index k = i + 1;
            while (t.IsWord(k) && (IsMacroLike(t[k].text) || IsReservedName(t[k].text)))
                ++k;
            if (!t.IsAny(k, "* & ^ &&"))
                return Decl::No;
            ++k;
            while (t.IsIn(k, Words::CQualifiers))
                ++k;
            if (t.IsWord(k))
                name = k++;
            while (t.Is(k, "["))
                k = t.Next(k);
            if (k != close)
                return Decl::No;
            i = close + 1;
            if (!t.IsAny(i, "( ["))
                return Decl::No;
            while (i < e && t.IsAny(i, "( ["))
                i = t.Next(i);
            while (i < e && t.IsAny(i, "const noexcept"))
                ++i;
            return i == e ? Decl::Named : Decl::No;
        }
        return Decl::No;
    }
    if (terms == 2 && lastPlain)
        name = last;
    if (terms == 2)
        return !lastPlain ? Decl::No : spaced ? Decl::Product : Decl::Named;
    if (terms == 1) {
        // unsigned n, long id (Objective-C's type id is Java's and C#'s commonest name
        // after a long); unsigned __int64 names nothing.
        if (intModifier && lastPlain && (!IsKnownType(firstWord) || Equals(firstWord, "id"))) {
            name = IsReservedName(firstWord) ? kNone : last;
            return Decl::Named;
        }
        if (firstKnown || decorated || qualified)
            return Decl::Unnamed;
        return IsCamelType(firstWord) ? Decl::Weak : Decl::No;
    }
    return terms == 0 && qualified ? Decl::Unnamed : Decl::No;
}

// UNUSED, __maybe_unused or __attribute__((unused)) after a parameter's name: where it
// begins in [b, e), or kNone.
Index TrailingAnnotation(const Tokens& t, Index b, Index e) {
    if (e < b + 3)
        return kNone;
    Index k = e - 1;
    if (t.Is(k, ")") && t.Match(k) != kNone && t.Match(k) > b)
        k = t.Match(k) - 1;
    const bool note = t.IsWord(k) && (IsMacroLike(t[k].text) || IsReservedName(t[k].text));
    return note && k > b + 1 && t.IsWord(k - 1) ? k : kNone;
}

// How one entry of a C-family list declares itself, with the token of its name.
Decl CEntry(const Tokens& t, Range r, Index& name) {
    const Index end = t.Find(r.b, r.e, "=");
    Decl d = CParameter(t, r.b, end, name);
    // A parameter followed by an annotation macro is the parameter before it.
    const Index note = d == Decl::No ? TrailingAnnotation(t, r.b, end) : kNone;
    if (note != kNone && CParameter(t, r.b, note, name) == Decl::Named && name != kNone)
        d = Decl::Named;
    // A type with a braced default (Flags = {}) is a parameter without a name, which no
    // value passed to a call or a constructor is.
    if (d == Decl::Weak && end < r.e && t.Is(end + 1, "{") && t.Next(end + 1) == r.e)
        d = Decl::Unnamed;
    return d;
}

// operator==, operator(), operator new[], operator""_km, operator bool: the index past
// the operator's name (at the parameter list), kNone if it is none. `conversion` tells
// an operator that names a type, which has no return type before it.
Index OperatorEnd(const Tokens& t, Index i, bool& conversion) {
    conversion = false;
    Index k = i + 1;
    if (t.IsAny(k, "( [") && t.Match(k) == k + 1)
        return k + 2;
    if (t.IsAny(k, "new delete co_await")) {
        ++k;
        return t.Is(k, "[") && t.Match(k) == k + 1 ? k + 2 : k;
    }
    if (t[k].kind == Kind::Text)
        return t.IsWord(k + 1) ? k + 2 : k + 1;
    if (t[k].kind == Kind::Punct && !t.IsAny(k, "( { ;")) {
        const Index s = k;
        while (k < s + 3 && t[k].kind == Kind::Punct && !t.Is(k, "(") && (k == s || !t[k].gap))
            ++k;
        return k;
    }
    const Index s = k;
    while (k < t.size() && !t.Is(k, "(")) {
        if (!t.IsWord(k) && !t.IsAny(k, ":: * & &&") && !(t.Is(k, "<") && t.Match(k) != kNone))
            return kNone;
        k = t.Next(k);
    }
    conversion = k > s && t.IsWord(s);
    return conversion ? k : kNone;
}

// `: base(a), m_x{b}`: a constructor's initialisers, up to the body.
Index SkipInitialisers(const Tokens& t, Index i) {
    for (;;) {
        const Index s = i;
        while (t.IsWord(i) || t.Is(i, "::") || (t.Is(i, "<") && t.Match(i) != kNone))
            i = t.Next(i);
        if (i == s || !t.IsAny(i, "( {") || t.Match(i) == kNone)
            return kNone;
        i = t.Next(i);
        if (t.Is(i, "..."))
            ++i;
        if (!t.Is(i, ","))
            return i;
        ++i;
    }
}

// What follows a C-family parameter list: qualifiers, a trailing return type, throws
// and where clauses, initialisers, then the end. `defines` tells a body, `= 0`,
// `= default` or initialisers; `qualified`, anything between the list and the end.
bool CSuffix(const Tokens& t, Index i, bool constructor, bool& defines, bool& qualified) {
    const Index n = t.size();
    defines = false;
    qualified = i < n && !t.IsAny(i, "{ ;");
    while (i < n) {
        if (t.IsWord(i)) {
            const std::string_view w = t[i].text;
            if (t.IsAny(i, "noexcept throw")) {
                i = t.Is(i + 1, "(") ? t.Next(i + 1) : i + 1;
            } else if (t.Is(i, "requires")) {
                i = SkipConstraint(t, i + 1);
                if (i == kNone)
                    return false;
            } else if (t.Is(i, "throws")) {
                for (++i;;) {
                    bool dotted = false;
                    if (!t.IsWord(i))
                        return false;
                    i = SkipTerm(t, i, dotted);
                    if (!t.Is(i, ","))
                        break;
                    ++i;
                }
            } else if (t.Is(i, "where")) {
                for (++i; i < n && !t.IsAny(i, "{ ; =>"); i = t.Next(i))
                    if (!t.IsWord(i) && !t.IsAny(i, ": , . ( ?") && !(t.Is(i, "<") && t.Match(i) != kNone))
                        return false;
            } else if (t.Is(i, "__attribute__") && t.Is(i + 1, "(")) {
                i = t.Next(i + 1);
            } else if (Has(Words::CSuffixes, w) || IsMacroLike(w)) {
                i = IsMacroLike(w) && t.Is(i + 1, "(") ? t.Next(i + 1) : i + 1;
            } else {
                return false;
            }
        } else if (t.IsAny(i, "& &&")) {
            ++i;
        } else if (t.Is(i, "[") && t.Is(i + 1, "[")) {
            i = t.Next(i);
        } else if (t.Is(i, "->")) {
            const Index s = ++i;
            while (i < n && !t.IsAny(i, "{ ; = => requires override final")) {
                if (!t.IsWord(i) && !t.IsAny(i, ":: * & && ( [") && !(t.Is(i, "<") && t.Match(i) != kNone))
                    return false;
                i = t.Next(i);
            }
            if (i == s)
                return false;
        } else if (t.Is(i, "=")) {
            if (!t.IsAny(i + 1, "0 default delete"))
                return false;
            defines = true;
            i += 2;
            return EndsAfterHeading(t, i);
        } else if (t.Is(i, ":")) {
            if (!constructor)
                return false;
            i = SkipInitialisers(t, i + 1);
            defines = true;
            return i != kNone && t.Is(i, "{") && EndsAfterHeading(t, i);
        } else if (t.Is(i, "=>")) {
            defines = true;
            return ExpressionBodyEnds(t, i + 1);
        } else {
            defines = t.Is(i, "{");
            return EndsAfterHeading(t, i);
        }
    }
    return true;
}

bool ReadCDeclaration(const Tokens& t, Signature& out) {
    const Index n = t.size();
    Index i = 0;
    int typeTerms = 0;
    bool modifiers = false, explicitly = false;
    Index wrapped = kNone; // the ( before the name of a function that returns a function pointer
    // The words before the name: attributes, a template head, modifiers, the return type.
    for (;;) {
        if (i >= n)
            return false;
        const Index a = SkipAnnotation(t, i);
        if (a != i) {
            i = a;
            continue;
        }
        if (t.Is(i, "[")) {
            if (t.Is(i + 1, "[") || typeTerms == 0) {
                i = t.Next(i); // [[nodiscard]], [HttpGet]
            } else if (t.Match(i) == i + 1) {
                i += 2; // int[] (Java, C#)
            } else {
                return false;
            }
            continue;
        }
        if (t.IsAny(i, "* & && ? ^")) {
            if (typeTerms == 0)
                return false;
            ++i;
            continue;
        }
        if (t.IsAny(i, "~ :: operator"))
            break;
        if (t.Is(i, "(") && t.Is(i + 1, "*") && typeTerms > 0) {
            wrapped = i; // int (*pick_op(char c))(int, int)
            i += 2;
            break;
        }
        if (!t.IsWord(i))
            return false;
        const std::string_view w = t[i].text;
        const std::uint64_t sets = WordSets(w);
        if (t.Is(i, "template")) {
            if (!t.Is(i + 1, "<") || t.Match(i + 1) == kNone)
                return false;
            i = t.Match(i + 1) + 1;
            if (t.Is(i, "requires"))
                i = SkipConstraint(t, i + 1);
            if (i == kNone)
                return false;
            continue;
        }
        if ((In(sets, Words::AttributeCalls) || IsReservedName(w)) && t.Is(i + 1, "(")) {
            // __attribute__((...)), alignas(16) and the like; decltype(x) is a return type
            if (t.IsAny(i, "decltype typeof __typeof__ __typeof"))
                ++typeTerms;
            i = t.Next(i + 1);
            continue;
        }
        if (t.Is(i, "extern") && t[i + 1].kind == Kind::Text) {
            modifiers = true;
            i += 2;
            continue;
        }
        if (In(sets, Words::Statements) || In(sets, Words::Prose) ||
            (i == 0 && w.size() > 1 && HasCi(Words::Prose, w)) ||
            (In(sets, Words::TypeDeclarations) && t.IsWord(i + 1) && t.Is(i + 2, "(")))
            return false;
        if (t.IsAny(i, "struct union enum")) {
            if (!t.IsWord(i + 1) || t.IsAny(i + 2, "( { :"))
                return false;
            ++typeTerms;
            i += 2;
            continue;
        }
        if (t.Is(i, "new")) { // C#: hides an inherited member; before a call it makes an object
            bool dotted = false;
            if (!t.IsWord(i + 1) || t.Is(SkipTerm(t, i + 1, dotted), "("))
                return false;
            modifiers = true;
            ++i;
            continue;
        }
        if (t.IsAny(i, "const volatile")) {
            ++i;
            continue;
        }
        bool dotted = false;
        const Index j = SkipTerm(t, i, dotted);
        if (t.Is(j, "(") && t.Is(j + 1, "*") && !dotted) {
            ++typeTerms; // the return type before (*name(...))
            i = j;
            continue;
        }
        if (t.Is(j, "(") || (t.Is(j, "::") && t.IsAny(j + 1, "operator ~"))) {
            // A macro before the declaration: UFUNCTION(...) void Foo()
            if (j == i + 1 && t.Is(j, "(") && IsMacroLike(w) && t.IsWord(t.Next(j)) &&
                !Has(Words::CSuffixes, t[t.Next(j)].text)) {
                ++typeTerms;
                i = t.Next(j);
                continue;
            }
            if (dotted)
                return false; // obj.method(...)
            break;
        }
        explicitly = explicitly || t.Is(i, "explicit");
        if (In(sets, Words::CModifiers) || IsReservedName(w))
            modifiers = true;
        else
            ++typeTerms;
        i = j;
    }

    // The name: ns::Widget::operator(), ~Widget, Widget<T>::resize.
    const Index nameBegin = i;
    bool destructor = false, conversion = false, isOperator = false;
    Index components = 0;
    std::string_view last, previous;
    for (;;) {
        if (t.Is(i, "::"))
            ++i;
        if (t.Is(i, "~")) {
            destructor = true;
            ++i;
        }
        if (t.Is(i, "operator")) {
            i = OperatorEnd(t, i, conversion);
            if (i == kNone)
                return false;
            isOperator = true;
            break;
        }
        if (!t.IsWord(i) || Has(Words::Statements, t[i].text))
            return false;
        previous = last;
        last = t[i].text;
        ++components;
        ++i;
        if (t.Is(i, "<") && t.Match(i) != kNone)
            i = t.Match(i) + 1;
        if (!t.Is(i, "::"))
            break;
    }
    if (!t.Is(i, "("))
        return false;
    const Index open = i;
    const bool qualifiedName = components > 1 || (isOperator && components > 0);

    bool ok = false;
    const std::vector<Range> entries = Entries(t, open, ',', false, ok);
    if (!ok)
        return false;
    // C's (void) is no parameter, and no value a call or a variable would be given.
    const bool none = entries.size() == 1 && t.Is(entries[0].b, "void") && entries[0].e == entries[0].b + 1;
    bool declared = true, weakOnly = !entries.empty() && !none, product = false;
    if (!none) {
        for (const Range& r : entries) {
            Index name = kNone;
            const Decl d = CEntry(t, r, name);
            if (d == Decl::No)
                return false;
            declared = declared && (d == Decl::Named || d == Decl::Unnamed);
            weakOnly = weakOnly && d == Decl::Weak;
            product = product || d == Decl::Product;
            AddJoined(out, t, r, name);
        }
    }

    const bool constructorLike = destructor || conversion || (components >= 2 && last == previous) ||
                                 (components == 1 && !isOperator && (IsUpper(last[0]) || explicitly) &&
                                  !IsMacroLike(last) && typeTerms == 0);
    Index after = t.Match(open) + 1;
    if (wrapped != kNone) {
        // Past the parenthesis around the name come the returned function's parameters.
        if (!t.Is(after, ")") || t.Match(after) != wrapped || !t.IsAny(after + 1, "( ["))
            return false;
        ++after;
        while (t.IsAny(after, "( ["))
            after = t.Next(after);
    }
    bool defines = false, suffixed = false;
    if (!CSuffix(t, after, constructorLike, defines, suffixed))
        return false;
    if (typeTerms == 0 && !destructor && !conversion && !(components >= 2 && last == previous)) {
        // No return type: a constructor, or else a call or a macro.
        if (!constructorLike || qualifiedName)
            return false;
        if (!modifiers && !(declared && !out.parameters.empty()) && !(out.parameters.empty() && defines))
            return false;
    }
    if (typeTerms == 1 && t.IsAny(0, "get set"))
        return false; // a JavaScript accessor, not a type named get
    // Color c(Red); and int z(x * y); are variables as much as declarations, unless
    // something around them only a declaration has says otherwise.
    const bool certain = modifiers || qualifiedName || defines || suffixed;
    if ((weakOnly || product) && !certain)
        return false;
    out.name = t.Join(nameBegin, open, false);
    return Found(out, "");
}

} // namespace

void ReadCurly(std::string_view text, Verdict& verdict, Signature& out) {
    const Dialect& d = kCurlyDialect;
    const Tokens t(text, d, Angles::AfterName);
    if (!t.ok())
        return;
    // Code names something in ASCII (a type, a keyword) even where its own names are
    // Chinese; a line of nothing but Chinese words is prose.
    bool ascii = false;
    for (Index i = 0; i < t.size() && !ascii; ++i)
        ascii = t.IsWord(i) && static_cast<unsigned char>(t[i].text[0]) < 0x80;
    if (!ascii)
        return;
    verdict.Offer(ReadScriptFunction(t, out), out);
    verdict.Offer(ReadScriptMethod(t, out), out);
    verdict.Offer(ReadCDeclaration(t, out), out);
}

} // namespace inkwarden::sig
