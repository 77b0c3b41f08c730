// libFuzzer target for the signature reader: any bytes must come back without a crash,
// a hang or undefined behaviour, and what is read must fit the function template's
// one-line fields, with each parameter's name taken from its own text.
#include "core/signature/signature.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool IsOneLine(const std::string& s) {
    return !s.empty() && s.find_first_of("\r\n") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<inkwarden::Signature> s = inkwarden::ReadSignature(text);
    if (!s)
        return 0;
    if (size > inkwarden::kMaxSignatureText || !IsOneLine(s->name))
        std::abort();
    if (s->names.size() != s->parameters.size())
        std::abort();
    for (std::size_t k = 0; k < s->parameters.size(); ++k)
        if (!IsOneLine(s->parameters[k]) || s->parameters[k].find(s->names[k]) == std::string::npos)
            std::abort();
    static const std::string_view languages[] = {"",   "python", "go",         "rust",      "php",
                                                 "vb", "delphi", "javascript", "typescript"};
    bool known = false;
    for (std::string_view l : languages)
        known = known || s->language == l;
    if (!known)
        std::abort();
    return 0;
}
