// Reading a function signature that a programmer copied from an editor, for the
// function template's name and parameter fields. Portable: no window code, UTF-8 in and
// out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// A longer text is no signature a person copies: it is refused without being read.
constexpr std::size_t kMaxSignatureText = 64 * 1024;

struct Signature {
    std::string name;                    // as written, see rules
    std::vector<std::string> parameters; // one per entry, in order
    // One per entry of `parameters`, in the same order: the name the entry declares, a
    // substring of it (argv in `char **argv`, compar in `int (*compar)(const void *,
    // const void *)`, args in Python's `*args` and JavaScript's `...args`, A and B for
    // Delphi's `const A, B: string`). PHP's keep their `$` as written (`$f` in
    // `?Figurine &$f`). "" where the entry declares no name: a parameter given by its
    // type alone (`HWND`, `std::nullptr_t`, `Flags = {}`), C's `...`, a pattern (`{a, b}`,
    // Rust's `(a, b): (i32, i32)`). Never a type word, so a refresh may match old
    // parameter lines to new parameters by it.
    std::vector<std::string> names;
    bool procedure = false; // VB `Sub`, Pascal/Delphi `procedure` (and constructor/destructor in Delphi)
    std::string
        language; // "" for C, C++, Java, C# (and any case the language is not beyond doubt);
                  // else one of: "python", "go", "rust", "php", "vb", "delphi", "javascript", "typescript"
};

// The signature the text holds, or nothing when the text is not beyond doubt one
// function declaration/definition heading. Never throws, never hangs; linear time.
//
// The name is written as in the text without return type, parameters, template or
// generic argument lists or a Go receiver; a C++ or Delphi qualification stays. Each
// parameter is as written, with runs of blanks and line breaks made one blank and
// comments left out. A leading Python self/cls, a Rust self and a Go receiver are no
// parameters; Go `a, b int` and Delphi `a, b: Integer` give one entry per name. Text
// that several languages read alike but differently, or that could as well be a call,
// a macro, a variable or anything but one heading, gives nothing.
std::optional<Signature> ReadSignature(std::string_view text);

} // namespace inkwarden
