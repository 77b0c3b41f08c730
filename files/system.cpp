#include "files/system.h"

#include "core/date_picture.h"

#include <cstdio>
#include <ctime>

#ifdef _WIN32
#include "platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#else
#include <csignal>
#include <cerrno>
#include <unistd.h>
#endif

namespace inkwarden {

std::filesystem::path PathOf(std::string_view utf8) {
#if defined(__cpp_char8_t)
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return std::filesystem::u8path(utf8.begin(), utf8.end());
#endif
}

std::string Utf8Of(const std::filesystem::path& path) {
    const auto text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
std::filesystem::path ProgramFolder() {
    return std::filesystem::path(AppFolder());
}

std::string TodayText(const std::string& picture) {
    const SYSTEMTIME day = CurrentDay();
    // A picture too long for a date gives the short date, as in the window.
    const std::wstring wide = Widen(picture);
    std::wstring text = wide.size() <= 40 ? DateText(day, wide) : std::wstring();
    if (text.empty())
        text = DateText(day, std::wstring());
    return Narrow(text);
}

long ProcessId() {
    static const long id = _getpid();
    return id;
}

bool ProcessRuns(long id) {
    return ProcessIsRunning(static_cast<DWORD>(id));
}

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

void RawStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}
#else
std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::string TodayText(const std::string& picture) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const Day day{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    if (!picture.empty())
        if (std::optional<std::string> text = DateByPicture(day, picture))
            return *text;
    return *DateByPicture(day, kShortDatePicture);
}

long ProcessId() {
    static const long id = static_cast<long>(getpid());
    return id;
}

bool ProcessRuns(long id) {
    return id > 0 && (kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH);
}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

void RawStandardStreams() {}
#endif

bool GitIgnoredPaths(const std::filesystem::path& folder, std::string& paths) {
    const std::string dir = Utf8Of(folder);
#ifdef _WIN32
    std::string command =
        "git -C \"" + dir + "\" ls-files -z --others --ignored --exclude-standard --directory 2>NUL";
    FILE* pipe = _wpopen(Widen(command).c_str(), L"rb");
#else
    std::string quoted;
    for (char c : dir)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string command =
        "git -C '" + quoted + "' ls-files -z --others --ignored --exclude-standard --directory 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (!pipe)
        return false;
    paths.clear();
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        paths.append(buffer, n);
#ifdef _WIN32
    return _pclose(pipe) == 0;
#else
    return pclose(pipe) == 0;
#endif
}

} // namespace inkwarden
