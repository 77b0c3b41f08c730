// ReadSignature: every family's reader heard in turn, and the verdict over what they
// read.
#include "core/signature/reader.h"

#include <cstring>
#include <utility>

namespace inkwarden::sig {

void Verdict::Offer(bool read, Signature& s) {
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

namespace {

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

} // namespace inkwarden::sig

namespace inkwarden {

using namespace sig;

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
