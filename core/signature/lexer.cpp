// Text into tokens, in the dialect of a language family: its comments, texts and line
// continuations.
#include "core/signature/reader.h"

namespace inkwarden::sig {

// What each family's text may hold besides words and punctuation.
const Dialect kCurlyDialect{.slashLine = true,
                            .slashBlock = true,
                            .hash = Hash::Curly,
                            .backtick = Backtick::Escaped,
                            .cppStrings = true};
const Dialect kGoDialect{.slashLine = true, .slashBlock = true, .backtick = Backtick::Raw};
const Dialect kRustDialect{.slashLine = true, .slashBlock = true, .singleQuotes = false, .rustStrings = true};
const Dialect kPythonDialect{.hash = Hash::Comment, .pythonStrings = true, .backslashContinuation = true};
const Dialect kBasicDialect{
    .basicComments = true, .singleQuotes = false, .doubledQuote = true, .basicContinuation = true};
const Dialect kPascalDialect{
    .slashLine = true, .pascalComments = true, .doubleQuotes = false, .doubledQuote = true};

namespace {

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
    // The first )delimiter" after the opening parenthesis.
    const std::string_view delimiter = s_.substr(q + 1, i - q - 1);
    for (Index e = s_.find(')', i + 1); e != std::string_view::npos; e = s_.find(')', e + 1))
        if (s_.compare(e + 1, delimiter.size(), delimiter) == 0 && At(e + 1 + delimiter.size()) == '"')
            return e + delimiter.size() + 2;
    return kNone;
}

Index Lexer::RustRawEnd(Index at) const {
    Index hashes = 0;
    while (At(at + hashes) == '#')
        ++hashes;
    if (At(at + hashes) != '"')
        return kNone;
    // The first quote followed by as many #: each run of # after a quote is looked at once.
    for (Index e = s_.find('"', at + hashes + 1); e != std::string_view::npos; e = s_.find('"', e + 1)) {
        Index k = 0;
        while (k < hashes && At(e + 1 + k) == '#')
            ++k;
        if (k == hashes)
            return e + 1 + hashes;
    }
    return kNone;
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

} // namespace

bool Lex(std::string_view text, const Dialect& d, std::vector<Token>& out) {
    Lexer lexer(text, d);
    for (;;) {
        const Token t = lexer.Next();
        if (t.kind == Kind::Bad)
            return false;
        if (t.kind == Kind::End)
            return true;
        out.push_back(t);
    }
}

Token FirstToken(std::string_view text, const Dialect& d) {
    return Lexer(text, d).Next();
}

} // namespace inkwarden::sig
