// apply and check on scratch trees: where each kind of file gets its block, what is left
// alone, and what the commands print and exit with.
#include "cli_harness.h"

#include <algorithm>
#include <iconv.h>
#include <vector>

namespace inkwarden_testing {
namespace {

using inkwarden::TemplateFields;

// UTF-8 text in code page 936, by iconv itself.
std::string Gbk(const std::string& utf8) {
    iconv_t cd = iconv_open("CP936", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = &out[0];
    std::size_t left = utf8.size(), room = out.size();
    iconv(cd, &in, &left, &to, &room);
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

// Written today is modified today; an older header is modified today when refreshed.
const TemplateFields kHeader = {"张三", "", "D", "D", ""};
const TemplateFields kOld = {"张三", "", "2020-1-2", "", ""};
const TemplateFields kRefreshed = {"张三", "", "2020-1-2", "D", ""};

// The file header block as apply adds it: the block and a line end.
std::string Header(inkwarden::CodeType_t style, const std::string& eol = "\n") {
    return Block(style, 3, kHeader, eol) + eol;
}

std::string Copyright(const std::string& file) {
    return Block(0, 2, {"张三", "Demo", file, "", ""}) + "\n";
}

const std::string kVbForm = "VERSION 5.00\r\nObject = \"{F9043C88}#6.0#0\"; \"x.ocx\"\r\nBegin VB.Form F\r\n"
                            "   BeginProperty Font\r\n      Name = \"宋体\"\r\n   EndProperty\r\n"
                            "   Begin VB.CommandButton C\r\n   End\r\nEnd\r\nAttribute VB_Name = \"F\"\r\n"
                            "Attribute VB_Exposed = False\r\n";
const std::string kCopyrightArgs = "--template 版权说明 --field 工程名称=Demo";

TEST_F(CliTest, ApplyPutsTheBlockAfterWhatStaysFirstAndLeavesTheRestByteForByte) {
    struct Case {
        const char* what;
        std::string name, before, after, args = std::string();
    } const cases[] = {
        {"C, LF", "a.c", "int x;\n", Header(0) + "int x;\n"},
        {"an extension a style of one's own takes over, CR LF", "a.h", "int x;\r\n",
         Header(10, "\r\n") + "int x;\r\n"},
        {"no line end: the system's", "a.CPP", "int x;", Header(0) + "int x;"},
        {"CR alone", "a.cc", "int x;\rint y;\r", Header(0, "\r") + "int x;\rint y;\r"},
        {"empty", "e.c", "", Header(0)},
        {"byte order mark", "b.c", "\xEF\xBB\xBFint x;\n", "\xEF\xBB\xBF" + Header(0) + "int x;\n"},
        {"#! line without a line end", "s.js", "#!/usr/bin/env node", "#!/usr/bin/env node\n" + Header(7)},
        {"#! and coding line", "s.py", "#!/usr/bin/python\n# -*- coding: utf-8 -*-\nx = 1\n",
         "#!/usr/bin/python\n# -*- coding: utf-8 -*-\n" + Header(8) + "x = 1\n"},
        {"a coding line second, under a comment", "t.py", "# tool\n# vim: set fileencoding=utf-8 :\nx\n",
         "# tool\n# vim: set fileencoding=utf-8 :\n" + Header(8) + "x\n"},
        {"XML declaration", "x.xml", "<?xml version=\"1.0\"?>\r\n<a/>\r\n",
         "<?xml version=\"1.0\"?>\r\n" + Header(6, "\r\n") + "<a/>\r\n"},
        {"DOCTYPE", "i.html", "<!DOCTYPE html>\n<p>\n", "<!DOCTYPE html>\n" + Header(6) + "<p>\n"},
        {"<?php", "p.php", "<?php\necho 1;\n", "<?php\n" + Header(3) + "echo 1;\n"},
        {"PHP inside a page: left alone", "q.php", "<p><?php echo 1; ?>\n", "<p><?php echo 1; ?>\n"},
        {"@echo off", "r.BAT", "@echo off\r\necho 1\r\n", "@echo off\r\n" + Header(9, "\r\n") + "echo 1\r\n"},
        {"VB form header", "f.frm", kVbForm + "Option Explicit\r\n",
         kVbForm + Header(1, "\r\n") + "Option Explicit\r\n"},
        {"VB module", "m.bas", "Attribute VB_Name = \"M\"\r\nSub A()\r\n",
         "Attribute VB_Name = \"M\"\r\n" + Header(1, "\r\n") + "Sub A()\r\n"},
        {"ANSI: the block in code page 936, the file's bytes as they were", "g.c", "\xD6\xD0\xCE\xC4\xA9\n",
         Gbk(Header(0)) + "\xD6\xD0\xCE\xC4\xA9\n"},
        {"ANSI: a field that has no place in code page 936", "u.c", "\xD6\xD0\n", "\xD6\xD0\n",
         "--field 功能说明=\xF0\x9F\x98\x80"},
        {"binary", "n.c", std::string("int\0x;\n", 7), std::string("int\0x;\n", 7)},
        {"no style for the extension", "t.txt", "text\n", "text\n"},
        {"a header refreshed: 修改时间 today, nothing else", "h.c", Block(0, 3, kOld) + "\nint x;\n",
         Block(0, 3, kRefreshed) + "\n" + "int x;\n"},
        {"refreshed in its own line ends and code page", "hg.c",
         Gbk(Block(0, 3, kOld, "\r\n")) + "\r\n\xD6\xD0\r\n",
         Gbk(Block(0, 3, kRefreshed, "\r\n")) + "\r\n\xD6\xD0\r\n"},
        {"already today's: as written by apply", "d.c", Header(0) + "x\n", Header(0) + "x\n"},
        {"another template's block stays under the new one", "o.c", Copyright("o.c") + "x\n",
         Header(0) + Copyright("o.c") + "x\n"},
        {"copyright with fields", "c.c", "int x;\n", Copyright("c.c") + "int x;\n", kCopyrightArgs},
        {"copyright: its own block is refreshed, unchanged", "cc.c", Copyright("other.c") + "x\n",
         Copyright("other.c") + "x\n", kCopyrightArgs},
        {"copyright over another's (c)", "f.c", "/* (C) ACME */\nx\n", "/* (C) ACME */\nx\n", kCopyrightArgs},
        {"copyright over SPDX after a header of ours", "s.c", Header(0) + "// SPDX-License-Identifier: MIT\n",
         Header(0) + "// SPDX-License-Identifier: MIT\n", kCopyrightArgs},
        {"copyright over 版权 in code page 936", "v.c", Gbk("/*\n * 版权所有\n */\n"),
         Gbk("/*\n * 版权所有\n */\n"), kCopyrightArgs},
        {"copyright over another's, forced", "z.c", "// Copyright ACME\n",
         Copyright("z.c") + "// Copyright ACME\n", kCopyrightArgs + " --force"},
        {"a copyright word in code is no comment", "w.c", "#include <x.h>\n// (c)\n",
         Copyright("w.c") + "#include <x.h>\n// (c)\n", kCopyrightArgs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(At(""));
        PutFile(At(c.name), c.before);
        const Ran ran = Run("apply --ini scribbet.ini -q " + c.args + " tree");
        EXPECT_EQ(ran.status, 0) << ran.err;
        EXPECT_EQ(FileBytes(At(c.name)), c.after);
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The tree of a project in git: what git ignores, version control folders, links, files
// too large, hard links, temporary files of a run that was cut short.
TEST_F(CliTest, CheckNamesWhatApplyWouldChangeInAWalkedTree) {
    const struct {
        const char* name;
        bool changes;
    } files[] = {
        {"src/a.c", true},          {"src/b.h", true},       {"src/done.c", false},
        {"src/gen.gen.c", false},   {"build/o.c", false},    {".git/hooks/x.c", false},
        {".hg/y.c", false},         {"vendor/v.c", false},   {"src/skip_me.c", false},
        {"docs/readme.txt", false}, {"src/php/i.php", true}, {"src/big.c", false},
    };
    for (const auto& f : files)
        PutFile(At(f.name), "int x;\n");
    PutFile(At("src/done.c"), Copyright("done.c") + "int x;\n");
    PutFile(At(".gitignore"), "build/\n*.gen.c\n");
    PutFile(At("src/php/i.php"), "<?php\n");
    ASSERT_EQ(std::system(("git -C '" + At("").string() + "' init -q").c_str()), 0);
    fs::create_symlink("a.c", At("src/link.c"));
    fs::resize_file(At("src/big.c"), (16u << 20) + 1);
    PutFile(At("src/.a.c.inkwarden-999999999-0.tmp"), "half written");
    const std::string options =
        "--ini scribbet.ini " + kCopyrightArgs + " --exclude vendor --exclude 'src/s*_me.c'";

    std::vector<std::string> changed;
    for (const auto& f : files)
        if (f.changes)
            changed.push_back(std::string("tree/") + f.name);
    std::sort(changed.begin(), changed.end());
    const std::string before = FileBytes(At("src/a.c"));
    for (const char* command : {"check", "apply --dry-run"}) {
        SCOPED_TRACE(command);
        const Ran ran = Run(std::string(command) + " " + options + " tree");
        EXPECT_EQ(ran.status, std::string(command) == "check" ? 1 : 0) << ran.err;
        std::vector<std::string> named = Lines(ran.out);
        if (std::string(command) != "check")
            for (std::string& line : named)
                line.erase(0, line.find(' ') + 1);
        EXPECT_EQ(named, changed);
        EXPECT_EQ(FileBytes(At("src/a.c")), before);
    }
    const Ran applied = Run("apply " + options + " --jobs 3 tree");
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.err, "inkwarden: 3 added, 0 refreshed, 1 unchanged; skipped: 2 of no known style, "
                           "1 over 16 MiB, 1 symbolic links; 1 leftover temporary files removed\n");
    EXPECT_FALSE(fs::exists(At("src/.a.c.inkwarden-999999999-0.tmp")));
    EXPECT_TRUE(fs::is_symlink(At("src/link.c")));
    EXPECT_EQ(FileBytes(At("build/o.c")), "int x;\n");
    EXPECT_EQ(FileBytes(At("src/b.h")), Block(10, 2, {"张三", "Demo", "b.h", "", ""}) + "\nint x;\n");
    const Ran again = Run("check " + options + " tree");
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(again.out, "");
}

// A file that cannot be written is named, the run goes on and ends with 1; permissions
// stay as they were.
TEST_F(CliTest, ApplyReportsWhatItCouldNotWriteAndGoesOn) {
    PutFile(At("ro.c"), "x\n");
    PutFile(At("rw.c"), "x\n");
    PutFile(At("linked.c"), "x\n");
    fs::create_hard_link(At("linked.c"), Root() / "elsewhere.c");
    fs::permissions(At("ro.c"), fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(At("rw.c"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    const Ran ran = Run("apply --ini scribbet.ini --jobs 1 tree");
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.err,
              "inkwarden: tree/linked.c: skipped: it has other names, which a rename would part it "
              "from\ninkwarden: tree/ro.c: read-only\n"
              "inkwarden: 1 added, 0 refreshed, 0 unchanged; skipped: 1 hard-linked; 1 not written\n");
    EXPECT_EQ(FileBytes(At("ro.c")), "x\n");
    EXPECT_EQ(FileBytes(At("rw.c")), Header(0) + "x\n");
    EXPECT_EQ(fs::status(At("rw.c")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(At("")), fs::directory_iterator()), 3)
        << "no temporary left";
}

// A run killed at any moment leaves each file as it was or finished; the next one removes
// what the killed one left beside them and finishes the rest.
TEST_F(CliTest, AKilledRunLeavesEveryFileWholeAndTheNextFinishesIt) {
    const std::string before = "int x;\n";
    const auto after = [&](const fs::path& file) { return Copyright(file.filename().string()) + before; };
    for (int i = 0; i < 1500; ++i)
        PutFile(At("d" + std::to_string(i % 10) + "/f" + std::to_string(i) + ".c"), before);
    const std::string run = "cd '" + Root().string() +
                            "' && { '" INKWARDEN_CLI "' apply --ini scribbet.ini -q -j 2 " + kCopyrightArgs +
                            " tree & p=$!; sleep 0.2; kill -9 $p; wait $p; } 2>/dev/null";
    std::system(run.c_str());
    int finished = 0;
    for (const auto& entry : fs::recursive_directory_iterator(At(""))) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name[0] != '.') {
            const std::string bytes = FileBytes(entry.path());
            EXPECT_TRUE(bytes == before || bytes == after(entry.path())) << name;
            finished += bytes == after(entry.path());
        }
    }
    std::printf("[ killed    ] %d of 1500 files finished before the kill\n", finished);
    const Ran again = Run("apply --ini scribbet.ini -j 2 " + kCopyrightArgs + " tree");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find(std::to_string(1500 - finished) + " added, 0 refreshed, " +
                             std::to_string(finished) + " unchanged"),
              std::string::npos)
        << again.err;
    for (const auto& entry : fs::recursive_directory_iterator(At(""))) {
        if (entry.is_regular_file()) {
            EXPECT_EQ(FileBytes(entry.path()), after(entry.path())) << entry.path();
        }
    }
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndAShortMessage) {
    const struct {
        const char* args;
        int status;
        const char* err;
    } cases[] = {
        {"apply --ini scribbet.ini", 2, "paths is required"},
        {"apply --ini scribbet.ini --template 9 tree", 2, "inkwarden: no template 9\n"},
        {"apply --ini scribbet.ini --style cobol tree", 2, "inkwarden: no style cobol\n"},
        {"apply --ini scribbet.ini --field 作者=x tree", 2,
         "inkwarden: the template 文件头标识 has no field 作者\n"},
        {"apply --ini scribbet.ini --field x tree", 2, "inkwarden: --field takes LABEL=TEXT or N=TEXT: x\n"},
        {"apply --ini absent.ini tree", 2, "inkwarden: absent.ini: "},
        {"apply --frobnicate tree", 2, "frobnicate"},
        {"", 2, "A subcommand is required"},
        {"--version", 0, ""},
        {"check --help", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const Ran ran = Run(c.args);
        EXPECT_EQ(ran.status, c.status);
        EXPECT_NE(ran.err.find(c.err), std::string::npos) << ran.err;
    }
    EXPECT_EQ(Run("--version").out, "inkwarden " INKWARDEN_VERSION "\n");
    EXPECT_NE(Run("check --help").out.find("--exclude"), std::string::npos);
}

} // namespace
} // namespace inkwarden_testing
