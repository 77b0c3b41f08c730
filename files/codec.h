// Text encodings of the files the command line reads and writes: UTF-8, UTF-16 with a byte
// order mark (settings files), and the ANSI code pages (936 unless told otherwise), through
// iconv on Linux and the system's conversions on Windows.
#pragma once

#include <string>
#include <string_view>

namespace inkwarden {

constexpr unsigned kDefaultCodePage = 936;

bool IsUtf8(std::string_view bytes);

// Bytes in code page `codePage` as UTF-8. Strict: false when they are not text in that
// code page. Lenient: what is not becomes U+FFFD, and it never fails.
bool FromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8, bool lenient = false);
// UTF-8 text in code page `codePage`; false when a character has no place in it (never a
// look-alike in its stead).
bool ToCodePage(unsigned codePage, std::string_view utf8, std::string& bytes);

// A settings file's text as UTF-8, as the window's profile calls take it: UTF-16 (little
// or big endian) or UTF-8 after a byte order mark; else UTF-8 when the bytes are valid
// UTF-8, else the ANSI code page. False when the bytes are none of these.
bool DecodeSettingsText(std::string_view bytes, unsigned codePage, std::string& utf8);

} // namespace inkwarden
