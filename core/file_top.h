// The top of a source file as the command line writes a block there: what must stay
// first, the blocks Inkwarden already wrote, the comment that opens the file. Works on
// the file's bytes: every mark looked for is ASCII, and a byte of CR, LF or ASCII never
// stands inside a character in UTF-8, and a CR or LF never does in the ANSI code pages.
// Portable: the caller reads the file and decodes what is asked of it.
#pragma once

#include "core/remark.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// Where a block may go: after the UTF-8 byte order mark, a "#!" line, a coding line on
// the first or second line ("# -*- coding: utf-8 -*-", "# vim: set fileencoding=…"), an
// XML declaration "<?xml … ?>", a "<!DOCTYPE …>", a "<?php" line that does not close PHP
// again, "@echo off", and a VB module's own header ("VERSION …", "Object = …", the
// "Begin … End" blocks and "Attribute …" lines), in this order, each where the one before
// left off.
std::size_t StayFirstEnd(std::string_view text);

// The file's first line end ("\r\n", "\n" or "\r"); empty when it has none.
std::string_view FirstLineEnd(std::string_view text);

// A block Inkwarden wrote, found at the top of a file.
struct TopBlock {
    std::size_t begin = 0, end = 0; // its bytes, without the line end after its last line
    std::string text;               // those bytes as UTF-8
    CodeType_t style = 0;
    int templ = 0;
};
// Turns bytes of the file into UTF-8; false when they are not text in its encoding.
using Decoder = std::function<bool(std::string_view bytes, std::string& utf8)>;
// The blocks of any loaded style and template that follow one another from `at`, blank
// lines allowed before each. `current` is the style kept when several write alike.
std::vector<TopBlock> TopBlocks(std::string_view text, std::size_t at, const Decoder& decode,
                                CodeType_t current);

// The comment lines the file opens with from `at` (blank lines among them), in any common
// comment syntax; empty when code comes first.
std::string_view TopComment(std::string_view text, std::size_t at);

// Whether a text (UTF-8) states a copyright: "Copyright", "(c)" (any letter case), "©",
// "版权" or "SPDX-License-Identifier".
bool StatesCopyright(std::string_view text);

} // namespace inkwarden
