#include "core/signature.h"

#include "core/text.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

// Each language family has a reader of its own: its lexer settings (comments and string
// forms differ too much to share one tokenisation) and its grammar of a heading. Every
// reader that accepts the text is heard; they must agree on name, parameters and kind,
// and where they name different languages the language is left open. Nothing recurses:
// brackets are paired once with an explicit stack, then every step walks forward.

namespace inkwarden {
namespace {

using Index = std::size_t;
constexpr Index kNone = static_cast<Index>(-1);

// For a helper that the compiler would otherwise copy into each of the many places that
// call it, where a call is smaller and costs next to nothing.
#if defined(_MSC_VER)
#define INKWARDEN_NOINLINE __declspec(noinline)
#else
#define INKWARDEN_NOINLINE __attribute__((noinline))
#endif

// ---------------------------------------------------------------------------
// Words

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

struct WordList {
    Words set;
    const char* words; // separated by one blank
};

// The case-blind languages (VB, Pascal) look their words up in lower case.
constexpr WordList kWordLists[] = {
    // After a #, a preprocessor line of C, C++ or C#; other words make it a comment.
    {Words::Preprocessor, "include define undef if ifdef ifndef elif else endif pragma error warning line "
                          "region endregion import using nullable elifdef elifndef embed"},
    {Words::PythonPrefixes, "r u b f rb br fr rf"},
    // Words after which a blank and a < still open a list.
    {Words::AngleLeads, "template public private protected static final abstract native default internal "
                        "override virtual async extern inline synchronized sealed function"},
    {Words::GoTypes, "map chan func struct interface"},
    {Words::RustLeads, "pub fn async unsafe const extern default"},
    {Words::RustQualifiers, "default const async unsafe"},
    {Words::BasicModifiers, "public private friend protected shared static overrides overridable "
                            "notoverridable mustoverride overloads shadows async iterator partial default "
                            "declare sub function"},
    {Words::BasicKeywords, "sub function as byval byref optional end if dim call"},
    {Words::BasicParamModifiers, "optional byval byref paramarray"},
    // TypeScript's names for its own types, which Pascal has none of.
    {Words::TypeScriptOnlyTypes, "number any void unknown never undefined bigint symbol object"},
    // Pascal's own type names, which a TypeScript signature would not use.
    {Words::PascalOnlyTypes, "Integer Cardinal LongInt LongWord Int64 UInt64 Word Byte SmallInt ShortInt "
                             "Extended Real Currency PChar AnsiString WideString UnicodeString ShortString "
                             "TObject Pointer Variant TDateTime Double Single NativeInt TComponent TStrings "
                             "THandle Char"},
    {Words::PascalHeads, "class function procedure constructor destructor operator"},
    {Words::PascalModifiers, "const var out constref"},
    {Words::PascalDirectives, "overload virtual override abstract reintroduce static dynamic inline stdcall "
                              "cdecl pascal register safecall winapi export external forward message dispid "
                              "deprecated platform library experimental assembler far near varargs final "
                              "unsafe noreturn"},
    // Words that start a statement or an expression, or declare something other than a
    // function: never a name, a type or a modifier in a heading.
    {Words::Statements,
     "if else for while do switch case return goto break continue throw delete sizeof typeof alignof "
     "static_assert _Static_assert co_await co_return co_yield await yield catch try finally foreach using "
     "namespace typedef class interface delegate import function def func fn fun sub let var instanceof elif "
     "elsif unless until true false null nullptr nil super trait impl export require include require_once "
     "include_once echo procedure Sub Function Dim Private Public SELECT CREATE INSERT UPDATE DELETE FROM "
     "WHERE PROCEDURE FUNCTION macro_rules asm __asm__ __asm"},
    // Words that declare a type, a module or data before a parenthesis: C# records
    // (record Person(string Name)), and what other languages put there.
    {Words::TypeDeclarations, "record module package event struct union enum"},
    // Small words of English prose, which no return type or modifier is named:
    // "Please call me (John Smith)" is a sentence, not a declaration.
    {Words::Prose, "the a an to of and or is are was be been please me my you your we our it its that with "
                   "for from by at on then call calls returns see use uses should will can must may not no "
                   "here there i he she they this these"},
    // Words before a name that are no return type.
    {Words::CModifiers, "static inline extern virtual explicit friend constexpr consteval constinit public "
                        "private protected internal abstract final sealed override async unsafe native "
                        "strictfp default partial thread_local register readonly ref _Noreturn noreturn "
                        "implicit mutable required open file scoped synchronized"},
    // Qualifiers in a C-family parameter that are neither its type nor its name.
    {Words::CQualifiers,
     "const volatile struct union enum class typename final ref out in params this scoped "
     "readonly register restrict __restrict __restrict__ mutable unsigned signed short "
     "long IN OUT OPTIONAL CONST __in __out __inout __in_opt __out_opt _Atomic"},
    {Words::IntModifiers, "unsigned signed short long"},
    // Types a parameter may give without a name (besides any name_t).
    {Words::KnownTypes,
     "void bool char wchar_t char8_t char16_t char32_t short int long float double signed unsigned auto "
     "size_t string object dynamic decimal byte sbyte ushort uint ulong nint nuint boolean String Object "
     "_Bool HWND HANDLE HINSTANCE HMODULE UINT WPARAM LPARAM LRESULT DWORD WORD BYTE BOOL LPVOID LPCVOID "
     "LPSTR LPCSTR LPWSTR LPCWSTR LPTSTR LPCTSTR HRESULT ULONG LONG INT CHAR WCHAR TCHAR SIZE_T ULONG_PTR "
     "LONG_PTR DWORD_PTR UINT_PTR INT_PTR HDC HBITMAP HICON HMENU HKEY LPRECT FILE va_list jobject jint "
     "JNIEnv id SEL NSInteger"},
    // Calls that belong to the type or the attributes of a declaration.
    {Words::AttributeCalls, "__attribute__ alignas _Alignas __pragma _Pragma decltype __typeof__ __typeof "
                            "typeof __asm__ asm"},
    // After a parameter list, words that go with the declaration rather than begin a new one.
    {Words::CSuffixes,
     "const volatile override final mutable noexcept throw throws requires where try sealed"},
    // JavaScript and TypeScript words that are no names.
    {Words::ScriptKeywords,
     "if for while switch catch function return new typeof await yield delete do else with class import "
     "export super this let var const void in of instanceof true false null undefined throw try case default "
     "break continue debugger foreach forEach each lock using fixed synchronized sizeof elif enum interface "
     "package"},
    // public, private, protected, readonly, override on a parameter (a TypeScript field).
    {Words::TsParameterModifiers, "public private protected readonly override"},
    {Words::PhpParameterModifiers, "public private protected readonly"},
    {Words::MethodModifiers,
     "public private protected static abstract override async get set declare readonly accessor"},
    {Words::MethodTypeScriptOnly, "public private protected abstract override declare"},
    // A method may be named with a keyword (delete(id) {), but not with one that opens a
    // statement.
    {Words::MethodStatements, "if for while switch catch with function return throw do else try foreach lock "
                              "using fixed synchronized new typeof await yield import super class"},
    {Words::LeadModifiers,
     "export default async declare public private protected static abstract final readonly override"},
    {Words::PhpModifiers, "public private protected static abstract final"},
    {Words::PhpTypes, "int float bool array mixed iterable callable self static false true null"},
    {Words::TsTypes, "number any unknown never undefined bigint symbol boolean"},
};

constexpr bool WordListsInOrder() {
    Index k = 0;
    for (const WordList& l : kWordLists)
        if (l.set != static_cast<Words>(k++))
            return false;
    return k == static_cast<Index>(Words::Count) && k <= 64;
}
static_assert(WordListsInOrder(), "one list per set, in the order of Words");

// Every word of every list, counted once for each list that names it.
constexpr Index CountListedWords() {
    Index n = 0;
    for (const WordList& l : kWordLists)
        for (const char* p = l.words; *p != '\0'; ++p)
            n += *p == ' ' ? 1 : 0;
    return n + std::size(kWordLists);
}

// Every listed word once, found by open addressing: a probe or two, since the grammar
// asks about every word of a long parameter list.
class WordTable {
public:
    WordTable() : slots_(kSlots) {
        for (const WordList& l : kWordLists) {
            for (const char* b = l.words; *b != '\0';) {
                const char* e = b;
                while (*e != ' ' && *e != '\0')
                    ++e;
                Add(std::string_view(b, static_cast<Index>(e - b)), l.set);
                b = *e == ' ' ? e + 1 : e;
            }
        }
    }

    // The sets w is in, a bit for each.
    std::uint64_t SetsOf(std::string_view w) const {
        if (w.empty() || w.size() > longest_)
            return 0;
        for (Index slot = Hash(w);; slot = (slot + 1) & kMask) {
            const std::string_view x = slots_[slot].word;
            if (x.empty())
                return 0;
            if (x.size() != w.size())
                continue;
            Index i = 0;
            while (i < w.size() && x[i] == w[i])
                ++i;
            if (i == w.size())
                return slots_[slot].sets;
        }
    }

private:
    // The lists name about 600 words, 400 of them different: room for two and a half
    // times those, so a probe seldom meets another word. Were every listed word
    // different, a third of the table would still be free.
    static constexpr Index kSlots = 1024;
    static constexpr Index kMask = kSlots - 1;
    static_assert(CountListedWords() * 3 < kSlots * 2, "a larger table for the longer lists");

    struct Slot {
        std::string_view word;
        std::uint64_t sets = 0;
    };

    // Where the length and three of the letters point: cheap, and spread well enough
    // over the listed words.
    static Index Hash(std::string_view w) {
        return (w.size() * 131u + static_cast<unsigned char>(w[0]) * 31u +
                static_cast<unsigned char>(w[w.size() / 2]) * 7u + static_cast<unsigned char>(w.back())) &
               kMask;
    }

    void Add(std::string_view w, Words set) {
        Index slot = Hash(w);
        while (!slots_[slot].word.empty() && slots_[slot].word != w)
            slot = (slot + 1) & kMask;
        slots_[slot].word = w;
        slots_[slot].sets |= std::uint64_t{1} << static_cast<unsigned>(set);
        longest_ = w.size() > longest_ ? w.size() : longest_;
    }

    std::vector<Slot> slots_; // on the heap: a static array would be 24 KB of zeros in the program
    Index longest_ = 0;
};

std::uint64_t WordSets(std::string_view w) {
    static const WordTable table;
    return table.SetsOf(w);
}

bool In(std::uint64_t sets, Words set) {
    return (sets >> static_cast<unsigned>(set) & 1u) != 0;
}

bool Has(Words set, std::string_view w) {
    return In(WordSets(w), set);
}

// For the case-blind languages (VB, Pascal).
bool HasCi(Words set, std::string_view w) {
    char lower[24];
    if (w.empty() || w.size() > sizeof lower)
        return false;
    for (std::size_t i = 0; i < w.size(); ++i)
        lower[i] = (w[i] >= 'A' && w[i] <= 'Z') ? static_cast<char>(w[i] - 'A' + 'a') : w[i];
    return Has(set, std::string_view(lower, w.size()));
}

// Whether w is the word or punctuation s: a call where it is asked, not a string_view
// built and compared there.
bool Equals(std::string_view w, const char* s) {
    Index k = 0;
    for (; k < w.size(); ++k)
        if (w[k] != s[k] || s[k] == '\0')
            return false;
    return s[k] == '\0';
}

// __attribute__, __declspec, __fastcall: a name the compiler keeps for itself.
bool IsReservedName(std::string_view w) {
    return w.size() >= 2 && w[0] == '_' && w[1] == '_';
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
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
constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();

bool IsDigit(unsigned char c) {
    return (kByteClasses[c] & kDigit) != 0;
}
bool IsAlnum(unsigned char c) {
    return IsUpper(static_cast<char>(c)) || IsLower(static_cast<char>(c)) || IsDigit(c);
}
bool IsWordStart(unsigned char c) {
    return (kByteClasses[c] & kWordStart) != 0;
}
bool IsWordChar(unsigned char c) {
    return (kByteClasses[c] & (kWordStart | kDigit)) != 0;
}
bool IsBlankByte(unsigned char c) {
    return (kByteClasses[c] & kBlank) != 0;
}

// A word in capitals (WINAPI, Q_INVOKABLE, EXPORT_SYMBOL): a macro or a Windows type.
bool IsMacroLike(std::string_view w) {
    bool upper = false;
    for (char c : w) {
        if (IsLower(c))
            return false;
        upper = upper || IsUpper(c);
    }
    return upper && w.size() >= 2;
}

// Widget, HttpRequest: how Java, C# and most C++ code name a type, and seldom a value.
bool IsCamelType(std::string_view w) {
    if (w.empty() || !IsUpper(w[0]))
        return false;
    bool lower = false;
    for (char c : w) {
        if (!IsAlnum(static_cast<unsigned char>(c)))
            return false;
        lower = lower || IsLower(c);
    }
    return lower;
}

bool EndsWith(std::string_view w, std::string_view tail) {
    return w.size() >= tail.size() && w.substr(w.size() - tail.size()) == tail;
}

// ---------------------------------------------------------------------------
// Tokens

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

constexpr Dialect CurlyDialect() {
    Dialect d;
    d.slashLine = d.slashBlock = true;
    d.hash = Hash::Curly;
    d.backtick = Backtick::Escaped;
    d.cppStrings = true;
    return d;
}
constexpr Dialect GoDialect() {
    Dialect d;
    d.slashLine = d.slashBlock = true;
    d.backtick = Backtick::Raw;
    return d;
}
constexpr Dialect RustDialect() {
    Dialect d;
    d.slashLine = d.slashBlock = true;
    d.singleQuotes = false;
    d.rustStrings = true;
    return d;
}
constexpr Dialect PythonDialect() {
    Dialect d;
    d.hash = Hash::Comment;
    d.pythonStrings = true;
    d.backslashContinuation = true;
    return d;
}
constexpr Dialect BasicDialect() {
    Dialect d;
    d.basicComments = true;
    d.singleQuotes = false;
    d.doubledQuote = true;
    d.basicContinuation = true;
    return d;
}
constexpr Dialect PascalDialect() {
    Dialect d;
    d.slashLine = true;
    d.pascalComments = true;
    d.doubleQuotes = false;
    d.doubledQuote = true;
    return d;
}

class Lexer {
public:
    Lexer(std::string_view s, const Dialect& d) : s_(s), d_(d) {}
    Token Next();

private:
    unsigned char At(Index i) const { return i < s_.size() ? static_cast<unsigned char>(s_[i]) : 0; }
    Index UnicodeBlank(Index i) const;
    Index LineEnd(Index i) const {
        const Index e = s_.find('\n', i);
        return e == std::string_view::npos ? s_.size() : e;
    }
    Index WordEnd(Index i) const {
        for (; i < s_.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(s_[i]);
            if (!IsWordChar(c) || (c >= 0x80 && UnicodeBlank(i) != 0))
                break;
        }
        return i;
    }
    bool SkipBlanks(bool& gap);
    bool HashIsComment(Index i) const;
    bool IsRem(Index i) const;
    bool RestOfLineBlank(Index i) const;
    Index QuotedEnd(Index i, char quote, bool escapes, bool doubled, bool lines) const;
    Index PythonTextEnd(Index quote) const;
    Index CppRawEnd(Index quote) const;
    Index RustRawEnd(Index at) const;
    Token Make(Kind kind, Index start, Index end, bool gap) {
        Token t;
        t.gap = gap;
        if (end == kNone || end > s_.size()) {
            t.kind = Kind::Bad;
            return t;
        }
        t.kind = kind;
        t.text = std::string_view(s_.data() + start, end - start);
        i_ = end;
        return t;
    }

    std::string_view s_;
    Dialect d_;
    Index i_ = 0;
};

// No-break space, the ideographic space, the zero-width and typographic spaces, the
// line and paragraph separators and a byte order mark: what word processors and web
// pages put where a blank stands.
Index Lexer::UnicodeBlank(Index i) const {
    const unsigned char c = At(i);
    if (c == 0xC2 && At(i + 1) == 0xA0)
        return 2;
    if (c == 0xE3 && At(i + 1) == 0x80 && At(i + 2) == 0x80)
        return 3;
    if (c == 0xEF && At(i + 1) == 0xBB && At(i + 2) == 0xBF)
        return 3;
    if (c == 0xE2 && At(i + 1) == 0x80) {
        const unsigned char d = At(i + 2);
        if ((d >= 0x80 && d <= 0x8B) || d == 0xA8 || d == 0xA9 || d == 0xAF)
            return 3;
    }
    return 0;
}

bool Lexer::HashIsComment(Index i) const {
    if (d_.hash == Hash::Comment)
        return true;
    if (d_.hash == Hash::Punct || At(i + 1) == '[')
        return false;
    if (!IsWordStart(At(i + 1)))
        return true;
    return Has(Words::Preprocessor, s_.substr(i + 1, WordEnd(i + 1) - (i + 1)));
}

bool Lexer::IsRem(Index i) const {
    return (i == 0 || !IsWordChar(At(i - 1))) && (At(i) | 0x20) == 'r' && (At(i + 1) | 0x20) == 'e' &&
           (At(i + 2) | 0x20) == 'm' && !IsWordChar(At(i + 3));
}

bool Lexer::RestOfLineBlank(Index i) const {
    for (; i < s_.size() && s_[i] != '\n'; ++i)
        if (s_[i] != ' ' && s_[i] != '\t' && s_[i] != '\r')
            return false;
    return true;
}

bool Lexer::SkipBlanks(bool& gap) {
    while (i_ < s_.size()) {
        const unsigned char c = At(i_);
        if ((kByteClasses[c] & kSkippable) == 0)
            return true;
        const Index u = c >= 0x80 ? UnicodeBlank(i_) : 0;
        if (IsBlankByte(c)) {
            while (++i_ < s_.size() && IsBlankByte(At(i_)))
                ;
        } else if (u != 0) {
            i_ += u;
        } else if (d_.slashLine && c == '/' && At(i_ + 1) == '/') {
            i_ = LineEnd(i_);
        } else if (d_.slashBlock && c == '/' && At(i_ + 1) == '*') {
            const Index e = s_.find("*/", i_ + 2);
            if (e == std::string_view::npos)
                return false;
            i_ = e + 2;
        } else if (d_.pascalComments && c == '{') {
            const Index e = s_.find('}', i_ + 1);
            if (e == std::string_view::npos)
                return false;
            i_ = e + 1;
        } else if (d_.pascalComments && c == '(' && At(i_ + 1) == '*') {
            const Index e = s_.find("*)", i_ + 2);
            if (e == std::string_view::npos)
                return false;
            i_ = e + 2;
        } else if (d_.basicComments && (c == '\'' || IsRem(i_))) {
            i_ = LineEnd(i_);
        } else if (d_.basicContinuation && c == '_' && i_ > 0 && IsBlankByte(At(i_ - 1)) &&
                   RestOfLineBlank(i_ + 1)) {
            i_ = LineEnd(i_);
        } else if (d_.backslashContinuation && c == '\\' && RestOfLineBlank(i_ + 1) && i_ + 1 < s_.size()) {
            ++i_;
        } else if (c == '#' && HashIsComment(i_)) {
            i_ = LineEnd(i_);
        } else {
            return true;
        }
        gap = true;
    }
    return true;
}

// Index past the closing quote of text that opened just before i, or kNone.
Index Lexer::QuotedEnd(Index i, char quote, bool escapes, bool doubled, bool lines) const {
    for (; i < s_.size(); ++i) {
        const char c = s_[i];
        if (escapes && c == '\\') {
            ++i;
        } else if (c == quote) {
            if (doubled && At(i + 1) == static_cast<unsigned char>(quote)) {
                ++i;
                continue;
            }
            return i + 1;
        } else if (!lines && (c == '\n' || c == '\r')) {
            return kNone;
        }
    }
    return kNone;
}

Index Lexer::PythonTextEnd(Index q) const {
    const char quote = s_[q];
    if (At(q + 1) != static_cast<unsigned char>(quote) || At(q + 2) != static_cast<unsigned char>(quote))
        return QuotedEnd(q + 1, quote, true, false, false);
    for (Index i = q + 3; i + 2 < s_.size(); ++i) {
        if (s_[i] == '\\')
            ++i;
        else if (s_[i] == quote && s_[i + 1] == quote && s_[i + 2] == quote)
            return i + 3;
    }
    return kNone;
}

Index Lexer::CppRawEnd(Index q) const {
    Index i = q + 1;
    while (i < s_.size() && i - q <= 17 && s_[i] != '(') {
        const char c = s_[i];
        if (c == ')' || c == '\\' || IsBlankByte(static_cast<unsigned char>(c)))
            return kNone;
        ++i;
    }
    if (At(i) != '(')
        return kNone;
    std::string closing = ")";
    closing.append(s_.substr(q + 1, i - q - 1));
    closing += '"';
    const Index e = s_.find(closing, i + 1);
    return e == std::string_view::npos ? kNone : e + closing.size();
}

Index Lexer::RustRawEnd(Index at) const {
    Index hashes = 0;
    while (At(at + hashes) == '#')
        ++hashes;
    if (At(at + hashes) != '"')
        return kNone;
    std::string closing = "\"";
    closing.append(hashes, '#');
    const Index e = s_.find(closing, at + hashes + 1);
    return e == std::string_view::npos ? kNone : e + closing.size();
}

Token Lexer::Next() {
    bool gap = false;
    if (!SkipBlanks(gap))
        return Make(Kind::Bad, i_, kNone, gap);
    if (i_ >= s_.size()) {
        Token end;
        end.gap = gap;
        return end;
    }
    const Index start = i_;
    const unsigned char c = At(i_);

    if (d_.cppStrings && (c == '@' || c == '$')) {
        // C#: @"verbatim", $"interpolated", $@"both"
        Index q = i_ + 1;
        bool verbatim = c == '@';
        if ((At(q) == '@' || At(q) == '$') && At(q) != c) {
            verbatim = true;
            ++q;
        }
        if (At(q) == '"')
            return Make(Kind::Text, start, QuotedEnd(q + 1, '"', !verbatim, verbatim, verbatim), gap);
    }
    if (IsWordStart(c)) {
        const Index j = WordEnd(i_);
        const std::string_view w = s_.substr(i_, j - i_);
        const unsigned char q = At(j);
        const bool quote = q == '"' || q == '\'';
        if (d_.pythonStrings && quote && HasCi(Words::PythonPrefixes, w))
            return Make(Kind::Text, start, PythonTextEnd(j), gap);
        if (d_.cppStrings && q == '"' &&
            (Equals(w, "R") || Equals(w, "LR") || Equals(w, "uR") || Equals(w, "UR") || Equals(w, "u8R")))
            return Make(Kind::Text, start, CppRawEnd(j), gap);
        if (d_.cppStrings && quote && (Equals(w, "L") || Equals(w, "u") || Equals(w, "U") || Equals(w, "u8")))
            return Make(Kind::Text, start, QuotedEnd(j + 1, static_cast<char>(q), true, false, false), gap);
        if (d_.rustStrings && Equals(w, "r") && q == '#' && IsWordStart(At(j + 1)))
            return Make(Kind::Word, start, WordEnd(j + 1), gap); // r#type: a raw identifier
        if (d_.rustStrings && (Equals(w, "r") || Equals(w, "br")) && (q == '"' || q == '#'))
            return Make(Kind::Text, start, RustRawEnd(j), gap);
        if (d_.rustStrings && Equals(w, "b") && quote)
            return Make(Kind::Text, start, QuotedEnd(j + 1, static_cast<char>(q), true, false, false), gap);
        return Make(Kind::Word, start, j, gap);
    }
    if (c == '#' && d_.hash == Hash::Curly && IsWordStart(At(i_ + 1)))
        return Make(Kind::Word, start, WordEnd(i_ + 1), gap); // a JavaScript private member
    if (IsDigit(c)) {
        Index j = i_ + 1;
        for (;;) {
            const unsigned char d = At(j);
            if (IsWordChar(d) || d == '.')
                ++j;
            else if (d == '\'' && d_.cppStrings && IsAlnum(At(j + 1)))
                ++j; // 1'000'000
            else if ((d == '+' || d == '-') && ((At(j - 1) | 0x20) == 'e' || (At(j - 1) | 0x20) == 'p'))
                ++j;
            else
                break;
        }
        return Make(Kind::Number, start, j, gap);
    }
    if (c == '"' && d_.doubleQuotes) {
        if (d_.pythonStrings)
            return Make(Kind::Text, start, PythonTextEnd(i_), gap);
        return Make(Kind::Text, start, QuotedEnd(i_ + 1, '"', !d_.doubledQuote, d_.doubledQuote, false), gap);
    }
    if (c == '\'' && d_.rustStrings) {
        // 'x' and '\n' are characters; 'a and 'static are lifetimes
        if (At(i_ + 1) == '\\')
            return Make(Kind::Text, start, QuotedEnd(i_ + 1, '\'', true, false, false), gap);
        const unsigned char first = At(i_ + 1);
        const Index len = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
        if (first != 0 && At(i_ + 1 + len) == '\'')
            return Make(Kind::Text, start, i_ + 2 + len, gap);
        if (IsWordStart(first))
            return Make(Kind::Word, start, WordEnd(i_ + 1), gap);
        return Make(Kind::Bad, start, kNone, gap);
    }
    if (c == '\'' && d_.singleQuotes) {
        if (d_.pythonStrings)
            return Make(Kind::Text, start, PythonTextEnd(i_), gap);
        return Make(Kind::Text, start, QuotedEnd(i_ + 1, '\'', !d_.doubledQuote, d_.doubledQuote, false),
                    gap);
    }
    if (c == '`' && d_.backtick != Backtick::None)
        return Make(Kind::Text, start, QuotedEnd(i_ + 1, '`', d_.backtick == Backtick::Escaped, false, true),
                    gap);

    const unsigned char d = At(i_ + 1);
    Index len = 1;
    if (c == '.' && d == '.' && At(i_ + 2) == '.')
        len = 3;
    else if ((c == ':' && d == ':') || (c == '-' && d == '>') || (c == '=' && d == '>') ||
             (c == '&' && d == '&'))
        len = 2;
    return Make(Kind::Punct, start, i_ + len, gap);
}

Token FirstToken(std::string_view text, const Dialect& d) {
    return Lexer(text, d).Next();
}

// ---------------------------------------------------------------------------
// A lexed text with its brackets paired

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
    Tokens(std::string_view text, const Dialect& d, Angles angles) {
        Lexer lexer(text, d);
        t_.reserve(text.size() / 3 + 8);
        for (;;) {
            const Token t = lexer.Next();
            if (t.kind == Kind::Bad)
                return;
            if (t.kind == Kind::End)
                break;
            t_.push_back(t);
        }
        ok_ = !t_.empty() && Pair(angles);
    }

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

// Each reader writes what it reads into one Signature, which Offer() takes when the
// reader says it read one and leaves empty for the next reader.
class Verdict {
public:
    void Offer(bool read, Signature& s) {
        if (read && !best_) {
            best_ = std::move(s);
        } else if (read) {
            if (best_->name != s.name || best_->parameters != s.parameters || best_->procedure != s.procedure)
                conflict_ = true;
            if (!conflict_ && best_->language != s.language)
                best_->language.clear();
            // A name two readers tell apart is no name to match a parameter by.
            for (Index k = 0; !conflict_ && k < s.names.size(); ++k)
                if (best_->names[k] != s.names[k])
                    best_->names[k].clear();
        }
        s.name.clear();
        s.parameters.clear();
        s.names.clear();
        s.procedure = false;
        s.language.clear();
    }
    std::optional<Signature> Result() { return conflict_ ? std::nullopt : std::move(best_); }

private:
    std::optional<Signature> best_;
    bool conflict_ = false;
};

INKWARDEN_NOINLINE bool Found(Signature& s, const char* language, bool procedure = false) {
    s.language = language;
    s.procedure = procedure;
    return true;
}

// ---------------------------------------------------------------------------
// Python

bool ReadPython(std::string_view text, Signature& out) {
    static constexpr Dialect d = PythonDialect();
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

// ---------------------------------------------------------------------------
// Go

bool ReadGo(std::string_view text, Signature& out) {
    static constexpr Dialect d = GoDialect();
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

// ---------------------------------------------------------------------------
// Rust

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

bool ReadRust(std::string_view text, Signature& out) {
    static constexpr Dialect d = RustDialect();
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

// ---------------------------------------------------------------------------
// VB (VB6, VBA, VB.NET)

bool ReadBasic(std::string_view text, Signature& out) {
    static constexpr Dialect d = BasicDialect();
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

// ---------------------------------------------------------------------------
// Delphi and Object Pascal

bool ReadPascal(std::string_view text, Signature& out) {
    static constexpr Dialect d = PascalDialect();
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

// ---------------------------------------------------------------------------
// The curly-brace family: C, C++, Java, C#, and JavaScript, TypeScript and PHP

// Types a parameter may give without a name.
bool IsKnownType(std::string_view w) {
    return Has(Words::KnownTypes, w) || EndsWith(w, "_t");
}

// SAL annotations (_In_, _Out_writes_(n)) and other compiler words in a parameter.
bool IsAnnotationWord(std::string_view w) {
    return w.size() >= 3 && w[0] == '_' && IsUpper(w[1]) && w.back() == '_';
}

// @Name, @a.b.Name(...): an annotation or decorator at i, or i.
Index SkipAnnotation(const Tokens& t, Index i) {
    if (!t.Is(i, "@") || !t.IsWord(i + 1) || t.Is(i + 1, "interface"))
        return i;
    i += 2;
    while (t.Is(i, ".") && t.IsWord(i + 1))
        i += 2;
    return t.Is(i, "(") ? t.Next(i) : i;
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
    bool declared = true, weakOnly = !entries.empty(), product = false;
    if (!(entries.size() == 1 && t.Is(entries[0].b, "void") && entries[0].e == entries[0].b + 1)) {
        for (const Range& r : entries) {
            Index name = kNone;
            const Decl d = CParameter(t, r.b, t.Find(r.b, r.e, "="), name);
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
    bool defines = false, suffixed = false;
    if (!CSuffix(t, t.Match(open) + 1, constructorLike, defines, suffixed))
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

// A name a JavaScript method may have that looks no more like a loop macro
// (list_for_each(pos, head) {) than like a method.
bool LooksLikeMacro(std::string_view name) {
    return name.find('_') != std::string_view::npos || IsMacroLike(name) || Equals(name, "foreach") ||
           Equals(name, "forever");
}

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
    if (t.Is(i, "<")) {
        if (t.Match(i) == kNone)
            return false;
        typed = true;
        i = t.Match(i) + 1;
    }
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
        if (t.Is(i, "<")) {
            if (t.Match(i) == kNone)
                return false;
            typed = true;
            i = t.Match(i) + 1;
        }
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
        if (t.Is(i, "<")) {
            if (t.Match(i) == kNone)
                return false;
            typed = true;
            i = t.Match(i) + 1;
        }
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

void ReadCurly(std::string_view text, Verdict& verdict, Signature& out) {
    static constexpr Dialect d = CurlyDialect();
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

// Valid UTF-8 without control characters other than blanks: anything else is no text
// copied from an editor.
bool IsPlainText(std::string_view s) {
    for (Index i = 0; i < s.size();) {
        // Eight printable ASCII bytes at a time: no byte below 0x20 or from 0x7F up.
        if (i + 8 <= s.size()) {
            std::uint64_t x;
            std::memcpy(&x, s.data() + i, 8);
            constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
            const std::uint64_t low = (x - ones * 0x20) & ~x & highs; // a byte below 0x20
            const std::uint64_t high = (x + ones * 0x01) & highs;     // a byte from 0x7F up
            if (((low | high | (x & highs)) == 0)) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 && !IsBlankByte(c))
                return false;
            if (c == 0x7F)
                return false;
            ++i;
            continue;
        }
        Index len = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + len > s.size())
            return false;
        for (Index k = 1; k < len; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3Fu);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

} // namespace

std::optional<Signature> ReadSignature(std::string_view text) {
    if (text.size() > kMaxSignatureText || !IsPlainText(text))
        return std::nullopt;
    Verdict verdict;
    Signature out;
    verdict.Offer(ReadPython(text, out), out);
    verdict.Offer(ReadGo(text, out), out);
    verdict.Offer(ReadRust(text, out), out);
    verdict.Offer(ReadBasic(text, out), out);
    verdict.Offer(ReadPascal(text, out), out);
    ReadCurly(text, verdict, out);
    return verdict.Result();
}

} // namespace inkwarden
