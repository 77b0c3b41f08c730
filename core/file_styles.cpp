#include "core/file_styles.h"

#include "core/text.h"

#include <string>

namespace inkwarden {

const std::vector<std::string_view>& BuiltinExtensions(CodeType_t code) {
    static const std::vector<std::string_view> kExtensions[kStyleCount + 1] = {
        {"c", "h", "cpp", "cc", "cxx", "hpp", "hh", "hxx", "inl"},
        {"bas", "cls", "frm", "vb", "vbs"},
        {"asp"},
        {"php"},
        {"pas", "dpr", "dpk", "lpr"},
        {"prg"},
        {"htm", "html", "xml", "xaml"},
        {"js", "mjs", "cjs", "jsx"},
        {},
    };
    return kExtensions[code >= 0 && code < kStyleCount ? code : kStyleCount];
}

CodeType_t StyleForFile(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size())
        return -1;
    const std::string_view ext = fileName.substr(dot + 1);
    for (const CustomStyle& style : CustomStyles())
        for (const std::string& own : style.extensions)
            if (SameIgnoringCase(own, ext))
                return style.code;
    for (CodeType_t code = 0; code < kStyleCount; ++code)
        for (std::string_view builtin : BuiltinExtensions(code))
            if (SameIgnoringCase(builtin, ext))
                return code;
    return -1;
}

CodeType_t StyleByName(std::string_view nameOrCode) {
    StyleTexts texts;
    for (CodeType_t code : StyleCodes())
        if (std::to_string(code) == nameOrCode ||
            (StyleTextsOf(code, texts) && SameIgnoringCase(texts.name, nameOrCode)))
            return code;
    return -1;
}

} // namespace inkwarden
