// Settings files as the tests write and expect them.
#pragma once

#include "tests/common/file_bytes.h"

#include <string>

namespace inkwarden_testing {

// The four keys in the order a hand-written or delivered file has them.
inline std::wstring IniText(int code, const std::wstring& writer, int min, int run) {
    return L"[main]\r\ncode=" + std::to_wstring(code) + L"\r\nwriter=" + writer + L"\r\nmin=" +
           std::to_wstring(min) + L"\r\nrun=" + std::to_wstring(run) + L"\r\n";
}

// The bytes of a UTF-16LE text file with its byte order mark, the form the program
// creates a settings file in.
inline std::string Utf16File(const std::wstring& text) {
    return std::string("\xFF\xFE", 2) + Utf16Bytes(text);
}

} // namespace inkwarden_testing
