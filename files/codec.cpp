#include "files/codec.h"

#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include "platform/platform.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace inkwarden {

namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte order mark; a lone surrogate becomes U+FFFD, as the profile calls
// would pass it on.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        return static_cast<std::uint32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

#ifndef _WIN32
// One conversion through iconv; a lenient one puts U+FFFD for each byte it cannot read.
bool Convert(const std::string& from, const std::string& to, std::string_view in, std::string& out,
             bool lenient) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.clear();
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    bool ok = true;
    for (;;) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t n = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (n != static_cast<std::size_t>(-1)) {
            dst = buffer;
            room = sizeof buffer;
            iconv(cd, nullptr, nullptr, &dst, &room); // the closing shift, where the code page has one
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            break;
        }
        if (errno == E2BIG)
            continue;
        if (!lenient || left == 0) {
            ok = false;
            break;
        }
        out += "\xEF\xBF\xBD";
        ++src;
        --left;
    }
    iconv_close(cd);
    return ok;
}

std::string IconvName(unsigned codePage) {
    return "CP" + std::to_string(codePage);
}
#endif

} // namespace

bool IsUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Source files are mostly ASCII: eight bytes at a time while none has its high bit.
        std::uint64_t eight = 0;
        if (end - p >= 8)
            std::memcpy(&eight, p, 8);
        if (end - p >= 8 && (eight & 0x8080808080808080u) == 0) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        // The lead byte tells how many bytes follow, and the least character they may make.
        static const struct {
            unsigned mask, lead, bits;
            int more;
            std::uint32_t least;
        } kLeads[] = {
            {0xE0, 0xC0, 0x1F, 1, 0x80}, {0xF0, 0xE0, 0x0F, 2, 0x800}, {0xF8, 0xF0, 0x07, 3, 0x10000}};
        int more = 0;
        std::uint32_t c = 0, least = 0;
        for (const auto& l : kLeads)
            if ((*p & l.mask) == l.lead) {
                more = l.more;
                c = *p & l.bits;
                least = l.least;
            }
        if (more == 0)
            return false;
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            c = c << 6 | (p[i] & 0x3Fu);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

#ifdef _WIN32
bool FromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8, bool lenient) {
    std::wstring wide;
    if (!WidenFromCodePage(codePage, bytes, wide, !lenient))
        return false;
    utf8 = Narrow(wide);
    return true;
}

bool ToCodePage(unsigned codePage, std::string_view utf8, std::string& bytes) {
    return NarrowToCodePage(codePage, Widen(std::string(utf8)), bytes);
}
#else
bool FromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8, bool lenient) {
    return Convert(IconvName(codePage), "UTF-8", bytes, utf8, lenient);
}

bool ToCodePage(unsigned codePage, std::string_view utf8, std::string& bytes) {
    return Convert("UTF-8", IconvName(codePage), utf8, bytes, false);
}
#endif

bool DecodeSettingsText(std::string_view bytes, unsigned codePage, std::string& utf8) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        utf8 = FromUtf16(bytes.substr(2), bytes[0] == '\xFE');
        return true;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (IsUtf8(bytes)) {
        utf8.assign(bytes);
        return true;
    }
    return FromCodePage(codePage, bytes, utf8);
}

} // namespace inkwarden
