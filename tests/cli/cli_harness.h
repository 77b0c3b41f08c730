// Runs the built inkwarden on scratch trees and reads what it did: exit status, standard
// output and error, files byte for byte.
#pragma once

#include "cli/settings.h"
#include "core/remark.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace inkwarden_testing {

namespace fs = std::filesystem;

struct Ran {
    int status;
    std::string out, err;
};

inline std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void PutFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Settings every test reads: an author, a date picture that is all literal (so blocks do
// not depend on the day), styles of one's own with extensions, a template of one's own.
inline const char kTestIni[] =
    "[main]\r\nwriter=张三\r\ndate='D'\r\ncode=0\r\n"
    "[style8]\r\nname=python\r\nlead=\"# \"\r\nprefix=\"#     \"\r\next=py\r\n"
    "[style9]\r\nname=batch\r\nlead=\"REM \"\r\nprefix=\"REM     \"\r\next=bat, .CMD\r\n"
    "[style10]\r\nname=hdr\r\nlead=\"// \"\r\nprefix=\"//     \"\r\next=h\r\n"
    "[template4]\r\nname=接口说明\r\nfield1=接口名称：\r\nfill1=name\r\n"
    "field2=参数说明：\r\nfill2=params\r\nfield3=文件：\r\nfill3=file\r\n";

// A scratch folder with the test settings in it, removed afterwards.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("inkwarden-cli-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        PutFile(root_ / "scribbet.ini", kTestIni);
        inkwarden::CliSettings settings;
        std::string problem;
        ASSERT_TRUE(inkwarden::LoadCliSettings((root_ / "scribbet.ini").string(), 936, settings, problem));
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root_, fs::perms::all, ec);
        fs::remove_all(root_, ec);
    }

    fs::path Root() const { return root_; }
    fs::path At(const std::string& relative) const { return root_ / "tree" / relative; }

    // inkwarden with these arguments (the test settings first), in the scratch folder.
    Ran Run(const std::string& args, const std::string& input = std::string()) const {
        PutFile(root_ / "stdin", input);
        const std::string command =
            "cd '" + root_.string() + "' && '" INKWARDEN_CLI "' " + args + " <stdin >stdout 2>stderr";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileBytes(root_ / "stdout"),
                FileBytes(root_ / "stderr")};
    }

private:
    fs::path root_;
};

// The block of template `templ` in style `style` with these fields, lines ended by `eol`.
inline std::string Block(inkwarden::CodeType_t style, int templ, const inkwarden::TemplateFields& fields,
                         const std::string& eol = "\n") {
    inkwarden::StyleTexts texts;
    inkwarden::StyleTextsOf(style, texts);
    std::string block = inkwarden::BuildRemarkBlock(templ, fields, texts), out;
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (block.compare(i, 2, "\r\n") == 0) {
            out += eol;
            ++i;
        } else {
            out += block[i];
        }
    }
    return out;
}

} // namespace inkwarden_testing
