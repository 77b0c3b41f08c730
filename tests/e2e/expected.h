// What the user sees, written out independently of the product: the language names,
// the remark styles and the template labels, and the block they make.
#pragma once

#include <array>
#include <initializer_list>
#include <string>

namespace inkwarden_testing {

// Style code -> language name shown after "当前语言类型为  ".
const wchar_t* const kLanguage[8] = {L"c++/c",  L"vb",  L"asp",  L"php",
                                     L"delphi", L"vfp", L"html", L"javascript"};

// A code beyond the eight (no style) leaves the name empty.
inline std::wstring Caption(int code) {
    return std::wstring(L"当前语言类型为  ") + (code >= 0 && code < 8 ? kLanguage[code] : L"");
}

const wchar_t* const kTemplateName[4] = {L"函数说明", L"过程说明", L"版权说明", L"文件头标识"};

struct Style {
    const wchar_t* lead;    // followed by 58 '=' on the opening line
    const wchar_t* prefix;  // starts every field line
    const wchar_t* closing; // nullptr: closes with the opening line again
};

const Style kStyle[8] = {
    {L"/* ", L"*     ", L"*/"},   {L"'' ", L"'     ", nullptr},  {L"'' ", L"'     ", nullptr},
    {L"/* ", L"*     ", L"*/"},   {L"// ", L"//     ", nullptr}, {L"* ", L"*     ", nullptr},
    {L"<!-- ", L"     ", L"-->"}, {L"/*- ", L"*     ", L"-*/"},
};

const wchar_t* const kLabel[4][5] = {
    {L"开发人员：", L"编写时间：", L"函数名称：", L"参数说明：", L"功能说明："},
    {L"开发人员：", L"编写时间：", L"过程名称：", L"参数说明：", L"功能说明："},
    {L"版权说明：", L"工程名称：", L"文件名：", L"目的：", L"更新说明:"},
    {L"开发人员：", L"当前版本：", L"创建时间：", L"修改时间：", L"功能说明："},
};

using Fields = std::array<std::wstring, 5>;

// The line of '=' after a style's lead.
inline const std::wstring kRule(58, L'=');

// Lines as a block writes them, each but the last ended by CR LF.
inline std::wstring Lines(std::initializer_list<std::wstring> lines) {
    std::wstring out;
    for (const std::wstring& line : lines)
        out += (&line == lines.begin() ? L"" : L"\r\n") + line;
    return out;
}

// Every CR LF of a continued field (lines 4 and 5) starts a new line indented by the
// style's prefix and 20 blanks.
inline std::wstring Indented(const std::wstring& text, const std::wstring& prefix) {
    const std::wstring brk = L"\r\n" + prefix + std::wstring(20, L' ');
    std::wstring out;
    std::size_t from = 0;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", from)) {
        out.append(text, from, at - from);
        out += brk;
        from = at + 2;
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

inline std::wstring Block(int code, int templ, const Fields& fields) {
    const Style& s = kStyle[code];
    const std::wstring opening = s.lead + kRule;
    std::wstring out = opening + L"\r\n";
    for (int line = 0; line < 5; ++line) {
        const std::wstring& f = fields[static_cast<std::size_t>(line)];
        out += s.prefix;
        out += kLabel[templ][line];
        out += line >= 3 ? Indented(f, s.prefix) : f;
        out += L"\r\n";
    }
    return out + L"\r\n" + (s.closing ? std::wstring(s.closing) : opening);
}

} // namespace inkwarden_testing
