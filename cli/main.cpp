// inkwarden: the command line on the portable core. Writes and refreshes the blocks at the
// top of a whole tree's files (apply), names the files that lack theirs (check), and fills
// a selection the way the window does, as a filter for editors (fill).
#include "cli/apply.h"
#include "cli/fill_command.h"
#include "cli/settings.h"
#include "core/file_styles.h"
#include "files/system.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <thread>

#ifdef _WIN32
#include "platform/platform.h"
#endif

namespace inkwarden {

namespace {

constexpr int kUsageError = 2;

// What apply, check and fill take alike.
struct Common {
    std::string ini, style, templ;
    unsigned codePage = 936;
    std::vector<std::string> fields;
};

void AddCommon(CLI::App& command, Common& common, bool fields) {
    command.add_option("--ini", common.ini,
                       "the settings file (default: scribbet.ini beside the "
                       "program, else in the current folder)");
    command.add_option("--codepage", common.codePage, "the ANSI code page of text that is not UTF-8")
        ->capture_default_str();
    command.add_option("--style", common.style, "a style by its name or code, for every file");
    command.add_option("--template", common.templ,
                       fields ? "the template by its name or code (default: 文件头标识)"
                              : "the template a function heading fills, by its name or code");
    if (fields)
        command.add_option("--field", common.fields,
                           "a field's text: LABEL=TEXT (the label without its colon) "
                           "or N=TEXT for field N, 1 to 5");
}

struct UsageError {
    std::string what;
};

int TemplateCode(const std::string& nameOrCode) {
    for (int code = 0; code <= kLastOwnTemplate; ++code)
        if (const TemplateDef* templ = FindTemplate(code))
            if (templ->name == nameOrCode || std::to_string(code) == nameOrCode)
                return code;
    throw UsageError{"no template " + nameOrCode};
}

CodeType_t StyleCode(const std::string& nameOrCode) {
    const CodeType_t code = StyleByName(nameOrCode);
    if (code < 0)
        throw UsageError{"no style " + nameOrCode};
    return code;
}

// A label as a person names it on the command line: without its colon, full width or not.
std::string_view WithoutColon(std::string_view label) {
    for (std::string_view colon : {std::string_view("："), std::string_view(":")})
        if (label.size() >= colon.size() && label.substr(label.size() - colon.size()) == colon)
            return label.substr(0, label.size() - colon.size());
    return label;
}

void TakeFields(const std::vector<std::string>& given, const TemplateDef& templ, ApplyOptions& apply) {
    for (const std::string& field : given) {
        const std::size_t eq = field.find('=');
        if (eq == std::string::npos)
            throw UsageError{"--field takes LABEL=TEXT or N=TEXT: " + field};
        const std::string label = field.substr(0, eq);
        std::string text;
        for (char c : field.substr(eq + 1)) // a line break in a field is the block's CR LF
            text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        std::size_t index = templ.fields.size();
        for (std::size_t i = 0; i < templ.fields.size(); ++i)
            if (WithoutColon(templ.fields[i].label) == label || std::to_string(i + 1) == label)
                index = i;
        if (index == templ.fields.size())
            throw UsageError{"the template " + templ.name + " has no field " + label};
        apply.fields[index] = text;
    }
}

CliSettings Settings(const Common& common) {
    CliSettings settings;
    std::string problem;
    if (!LoadCliSettings(common.ini.empty() ? std::nullopt : std::optional<std::string>(common.ini),
                         common.codePage, settings, problem))
        throw UsageError{common.ini + ": " + problem};
    return settings;
}

int Fill(const Common& common) {
    const CliSettings settings = Settings(common);
    FillRun run;
    run.style = common.style.empty() ? settings.code : StyleCode(common.style);
    run.templ = common.templ.empty() ? -1 : TemplateCode(common.templ);
    run.author = settings.author;
    run.today = TodayText(settings.datePicture);
    run.codePage = common.codePage;
    RawStandardStreams();
    const std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    std::string output, problem;
    const bool filled = FillText(input, run, output, problem);
    // A filter never eats the selection: what it cannot fill goes back as it came.
    const std::string& out = filled ? output : input;
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    if (!filled)
        std::fprintf(stderr, "inkwarden: %s\n", problem.c_str());
    return filled ? 0 : 1;
}

int Tree(const Common& common, TreeRun run, const std::vector<std::string>& paths) {
    const CliSettings settings = Settings(common);
    run.style = common.style.empty() ? CodeType_t{-1} : StyleCode(common.style);
    run.apply.templ = common.templ.empty() ? 3 : TemplateCode(common.templ);
    TakeFields(common.fields, *FindTemplate(run.apply.templ), run.apply);
    run.apply.prefills.author = settings.author;
    run.apply.prefills.today = TodayText(settings.datePicture);
    run.apply.codePage = common.codePage;
    return RunTree(paths, run);
}

int Main(std::vector<std::string> args) {
    CLI::App app{"Writes and refreshes the remark blocks at the top of source files, and fills a selection "
                 "as Inkwarden's window does.",
                 "inkwarden"};
    app.set_version_flag("--version", "inkwarden " INKWARDEN_VERSION);
    app.require_subcommand(1);
    Common common;
    TreeRun run;
    run.jobs = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::string> paths;
    CLI::App* apply = app.add_subcommand("apply", "write the template's block at the top of every file under "
                                                  "the paths, or refresh the one there");
    CLI::App* check =
        app.add_subcommand("check", "name the files apply would change; exit 1 if there is one");
    for (CLI::App* command : {apply, check}) {
        AddCommon(*command, common, true);
        command->add_flag("--dry-run", run.dryRun, "change nothing, name what would change");
        command->add_option("--jobs,-j", run.jobs, "files worked on at once")->capture_default_str();
        command->add_option("--exclude", run.excludes,
                            "leave out names (or, with a '/', paths below a path given) matching a pattern");
        command->add_flag("--force", run.apply.force, "write the copyright block over another copyright");
        command->add_flag("--verbose,-v", run.verbose, "name every file changed");
        command->add_flag("--quiet,-q", run.quiet, "no summary and no progress");
        command->add_option("paths", paths, "files and folders")->required();
    }
    CLI::App* fill = app.add_subcommand("fill", "read a function heading or a block on standard input, write "
                                                "the block (and the heading) to standard output");
    AddCommon(*fill, common, false);
    try {
        std::reverse(args.begin(), args.end());
        app.parse(args);
        run.check = check->parsed();
        run.removeLeftovers = !run.check && !run.dryRun;
        return fill->parsed() ? Fill(common) : Tree(common, run, paths);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : kUsageError;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "inkwarden: %s\n", e.what.c_str());
        return kUsageError;
    }
}

} // namespace

} // namespace inkwarden

#ifdef _WIN32
// Wide arguments, so that Chinese labels and paths come through whatever the console's code
// page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(inkwarden::Narrow(argv[i]));
    const unsigned console = inkwarden::UseUtf8Console();
    const int status = inkwarden::Main(std::move(args));
    inkwarden::RestoreConsole(console);
    return status;
}
#else
int main(int argc, char** argv) {
    return inkwarden::Main(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
