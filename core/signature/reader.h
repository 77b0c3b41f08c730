// What the units of the heading reader share: the words and byte classes, the lexer's
// dialects and tokens, the paired tokens, the steps every grammar takes, the verdict
// and each family's reader. Private to core/signature/.
//
// Each language family has a reader of its own: its lexer settings (comments and string
// forms differ too much to share one tokenisation) and its grammar of a heading. Every
// reader that accepts the text is heard; they must agree on name, parameters and kind,
// and where they name different languages the language is left open. Nothing recurses:
// brackets are paired once with an explicit stack, then every step walks forward.
#pragma once

#include "core/signature/signature.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// For a helper that the compiler would otherwise copy into each of the many places that
// call it, where a call is smaller and costs next to nothing.
#if defined(_MSC_VER)
#define INKWARDEN_NOINLINE __declspec(noinline)
#else
#define INKWARDEN_NOINLINE __attribute__((noinline))
#endif

namespace inkwarden::sig {

using Index = std::size_t;
constexpr Index kNone = static_cast<Index>(-1);

// ---------------------------------------------------------------------------
// Words and byte classes (words.cpp)

// The sets of words the grammar asks about. The program carries only their lists; all
// of them share one table built at the first lookup, every word once with a bit for
// each set it is in, so no set has code of its own to build it.
enum class Words : unsigned char {
    Preprocessor,
    PythonPrefixes,
    AngleLeads,
    GoTypes,
    RustLeads,
    RustQualifiers,
    BasicModifiers,
    BasicKeywords,
    BasicParamModifiers,
    TypeScriptOnlyTypes,
    PascalOnlyTypes,
    PascalHeads,
    PascalModifiers,
    PascalDirectives,
    Statements,
    TypeDeclarations,
    Prose,
    CModifiers,
    CQualifiers,
    IntModifiers,
    KnownTypes,
    AttributeCalls,
    CSuffixes,
    ScriptKeywords,
    TsParameterModifiers,
    PhpParameterModifiers,
    MethodModifiers,
    MethodTypeScriptOnly,
    MethodStatements,
    LeadModifiers,
    PhpModifiers,
    PhpTypes,
    TsTypes,
    Count
};

// The sets w is in, a bit for each.
std::uint64_t WordSets(std::string_view w);

inline bool In(std::uint64_t sets, Words set) {
    return (sets >> static_cast<unsigned>(set) & 1u) != 0;
}

bool Has(Words set, std::string_view w);
// For the case-blind languages (VB, Pascal).
bool HasCi(Words set, std::string_view w);
// Whether w is the word or punctuation s: a call where it is asked, not a string_view
// built and compared there.
bool Equals(std::string_view w, const char* s);
// A word in capitals (WINAPI, Q_INVOKABLE, EXPORT_SYMBOL): a macro or a Windows type.
bool IsMacroLike(std::string_view w);
// Widget, HttpRequest: how Java, C# and most C++ code name a type, and seldom a value.
bool IsCamelType(std::string_view w);

// __attribute__, __declspec, __fastcall: a name the compiler keeps for itself.
inline bool IsReservedName(std::string_view w) {
    return w.size() >= 2 && w[0] == '_' && w[1] == '_';
}

inline bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
// Byte classes, looked up once per byte of the text.
// kSkippable: a byte that may start a blank, a comment or a line continuation in some
// language; a token starts at any other.
enum ByteClass : unsigned char { kWordStart = 1, kDigit = 2, kBlank = 4, kSkippable = 8 };

constexpr std::array<unsigned char, 256> MakeByteClasses() {
    std::array<unsigned char, 256> c{};
    for (int b = 0; b < 256; ++b) {
        const bool letter = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
        if (letter || b == '_' || b == '$' || b >= 0x80)
            c[static_cast<std::size_t>(b)] = kWordStart;
        if (b >= '0' && b <= '9')
            c[static_cast<std::size_t>(b)] = kDigit;
        if (b == ' ' || b == '\t' || b == '\r' || b == '\n' || b == '\v' || b == '\f')
            c[static_cast<std::size_t>(b)] = kBlank;
        if (b >= 0x80 || c[static_cast<std::size_t>(b)] == kBlank || b == '/' || b == '{' || b == '(' ||
            b == '\'' || b == '#' || b == '_' || b == '\\' || b == 'r' || b == 'R')
            c[static_cast<std::size_t>(b)] |= kSkippable;
    }
    return c;
}
inline constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();

inline bool IsDigit(unsigned char c) {
    return (kByteClasses[c] & kDigit) != 0;
}
inline bool IsAlnum(unsigned char c) {
    return IsUpper(static_cast<char>(c)) || IsLower(static_cast<char>(c)) || IsDigit(c);
}
inline bool IsWordStart(unsigned char c) {
    return (kByteClasses[c] & kWordStart) != 0;
}
inline bool IsWordChar(unsigned char c) {
    return (kByteClasses[c] & (kWordStart | kDigit)) != 0;
}
inline bool IsBlankByte(unsigned char c) {
    return (kByteClasses[c] & kBlank) != 0;
}

inline bool EndsWith(std::string_view w, std::string_view tail) {
    return w.size() >= tail.size() && w.substr(w.size() - tail.size()) == tail;
}

// ---------------------------------------------------------------------------
// Tokens and the dialects of the lexer (lexer.cpp)

enum class Kind : unsigned char { Word, Number, Text, Punct, End, Bad };

struct Token {
    Kind kind = Kind::End;
    bool gap = false; // blanks, a line break or a comment before it
    std::string_view text;
};

enum class Hash : unsigned char {
    Punct,   // Go, Rust, VB, Pascal
    Comment, // Python
    Curly,   // # + directive: a preprocessor line; #[ an attribute; #name a private member; else a comment
};
enum class Backtick : unsigned char { None, Escaped, Raw };

struct Dialect {
    bool slashLine = false;
    bool slashBlock = false;
    bool pascalComments = false; // { } and (* *)
    bool basicComments = false;  // ' and REM
    Hash hash = Hash::Punct;
    bool singleQuotes = true;  // '...' is text (VB: a comment)
    bool doubleQuotes = true;  // "..." is text (Pascal: never)
    bool doubledQuote = false; // a quote inside text is written twice; no backslash escapes
    Backtick backtick = Backtick::None;
    bool cppStrings = false;    // R"x(...)x", L"", u8"", @"", $""
    bool rustStrings = false;   // r#"..."#, b"", lifetimes 'a
    bool pythonStrings = false; // """...""", r"", f""
    bool basicContinuation = false;
    bool backslashContinuation = false;
};

extern const Dialect kCurlyDialect, kGoDialect, kRustDialect, kPythonDialect, kBasicDialect, kPascalDialect;

// The tokens of `text`, appended to `out`; false for text the dialect cannot read as
// tokens (a text or comment left open).
bool Lex(std::string_view text, const Dialect& d, std::vector<Token>& out);
Token FirstToken(std::string_view text, const Dialect& d);

// ---------------------------------------------------------------------------
// A lexed text with its brackets paired (tokens.cpp)

enum class Angles : unsigned char {
    None,      // < never opens a list
    AfterName, // < opens one after a name (vector<int>, template <, public <T>)
    All,       // Rust: < in a heading always opens a list
};

struct Range {
    Index b, e;
    bool Empty() const { return b == e; }
};

class Tokens {
public:
    Tokens(std::string_view text, const Dialect& d, Angles angles);

    bool ok() const { return ok_; }
    Index size() const { return t_.size(); }
    const Token& operator[](Index i) const { return i < t_.size() ? t_[i] : end_; }
    // Whether the token at i is the keyword or punctuation `s` (text in quotes never is).
    // The grammar asks this at hundreds of places: each is a call with the literal's
    // address, not a string_view built there or a comparison copied there.
    bool Is(Index i, const char* s) const;
    // Whether it is any of the blank-separated `list`: one call for what would be a chain of them.
    bool IsAny(Index i, const char* list) const;
    bool IsCi(Index i, const char* lower) const;
    bool IsWord(Index i) const { return i < t_.size() && t_[i].kind == Kind::Word; }
    bool IsIn(Index i, Words set) const { return IsWord(i) && Has(set, t_[i].text); }
    bool IsInCi(Index i, Words set) const { return IsWord(i) && HasCi(set, t_[i].text); }
    // The closer of the bracket at i (or its opener), kNone for none.
    Index Match(Index i) const { return i < match_.size() ? match_[i] : kNone; }
    // Past the bracketed group that opens at i, or past the token at i.
    Index Next(Index i) const {
        const Index m = Match(i);
        return m != kNone && m > i ? m + 1 : i + 1;
    }
    // The tokens of [b, e) as written: one blank wherever the text had blanks, line
    // breaks or comments, with angle-bracket lists left out when `angles` is false.
    std::string Join(Index b, Index e, bool angles = true) const;
    // [b, e) cut at every top-level `sep`.
    std::vector<Range> Split(Index b, Index e, char sep) const;
    // The first top-level `s` in [b, e), or e.
    Index Find(Index b, Index e, const char* s) const;

private:
    bool OpensAngle(Index i, Angles angles) const;
    bool Pair(Angles angles);

    std::vector<Token> t_;
    std::vector<Index> match_;
    Token end_;
    bool ok_ = false;
};

// ---------------------------------------------------------------------------
// Steps every grammar takes (tokens.cpp)

bool EndsAfterHeading(const Tokens& t, Index i);
bool ExpressionBodyEnds(const Tokens& t, Index i);
std::vector<Range> Entries(const Tokens& t, Index open, char sep, bool trailing, bool& ok);
bool ParameterList(const Tokens& t, Index i, std::vector<Range>& entries);
bool TypeThenDefault(const Tokens& t, Index j, Index e, bool typed);
INKWARDEN_NOINLINE void Add(Signature& s, std::string text, std::string_view name);
INKWARDEN_NOINLINE void AddJoined(Signature& s, const Tokens& t, Range r, Index name);
bool WithinRepeatBudget(std::size_t& budget, std::size_t bytes);
INKWARDEN_NOINLINE bool Found(Signature& s, const char* language, bool procedure = false);

// ---------------------------------------------------------------------------
// The readers, one a family, and the verdict over them (read.cpp)

// Each reader writes what it reads into one Signature, which Offer() takes when the
// reader says it read one and leaves empty for the next reader.
class Verdict {
public:
    void Offer(bool read, Signature& s);
    std::optional<Signature> Result() { return conflict_ ? std::nullopt : std::move(best_); }

private:
    std::optional<Signature> best_;
    bool conflict_ = false;
};

bool ReadPython(std::string_view text, Signature& out); // python.cpp
bool ReadGo(std::string_view text, Signature& out);     // go.cpp
bool ReadRust(std::string_view text, Signature& out);   // rust.cpp
bool ReadBasic(std::string_view text, Signature& out);  // basic.cpp
bool ReadPascal(std::string_view text, Signature& out); // pascal.cpp
// C, C++, Java and C# (curly.cpp), and JavaScript, TypeScript and PHP (curly_script.cpp),
// all read from one lexing.
void ReadCurly(std::string_view text, Verdict& verdict, Signature& out);
Index SkipAnnotation(const Tokens& t, Index i);
bool ReadScriptMethod(const Tokens& t, Signature& out);
bool ReadScriptFunction(const Tokens& t, Signature& out);

} // namespace inkwarden::sig
