// The words the grammars ask about: their lists, and the one table they are looked up
// in.
#include "core/signature/reader.h"

#include <iterator>

namespace inkwarden::sig {
namespace {

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

} // namespace

std::uint64_t WordSets(std::string_view w) {
    static const WordTable table;
    return table.SetsOf(w);
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

} // namespace inkwarden::sig
