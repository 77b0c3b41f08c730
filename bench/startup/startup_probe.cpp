// Start-up time of programs started in turn: from process creation until the program
// shows a visible top-level window and WaitForInputIdle returns. Prints each program's
// median with its ratio to the first two (the bare and the themed bare window) and, for
// a program that marks when its wWinMain began, the median of its own part: from that
// mark until it was shown and idle.
//   startup_probe RUNS BARE.exe THEMED.exe PROGRAM.exe...
#include "bench/startup/startup_mark.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool HasVisibleWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        bool found;
    } search = {processId, false};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->processId && IsWindowVisible(hwnd)) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Seconds(LONGLONG from, LONGLONG to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
    double total = -1; // negative: the program did not start
    double own = -1;   // negative: the program left no mark
};

// One cold start; the program is ended afterwards.
Timing TimeOneStart(const std::wstring& exe, volatile LONGLONG* mark) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    *mark = 0;
    LARGE_INTEGER start, ready;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &pi))
        return {};
    bool ok = WaitForInputIdle(pi.hProcess, 10000) == 0;
    while (ok && !HasVisibleWindow(pi.dwProcessId)) {
        ok = WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT;
    }
    QueryPerformanceCounter(&ready);
    const LONGLONG marked = *mark;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Under Wine without a window manager, taking down a mapped window and a tray icon
    // keeps the desktop busy for about two seconds; the next start must not pay for it.
    Sleep(3000);
    if (!ok)
        return {};
    return {Seconds(start.QuadPart, ready.QuadPart), marked ? Seconds(marked, ready.QuadPart) : -1};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fwprintf(stderr, L"usage: startup_probe RUNS BARE.exe THEMED.exe PROGRAM.exe...\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const int programs = argc - 2;
    // Where a marked program writes the moment its wWinMain began.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONGLONG),
                                        inkwarden::kStartupMarkName);
    auto* mark =
        static_cast<volatile LONGLONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONGLONG)));
    if (!mark) {
        std::fwprintf(stderr, L"no shared memory for the start mark\n");
        return 1;
    }
    // Warm Wine: a hidden window of our own keeps Wine's desktop process running, and a
    // notification icon of our own keeps Wine 8's stand-alone tray window shown, so no
    // start below pays for bringing either up again.
    HWND own = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = own;
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &icon);
    // A start of each first, not counted: all then find the same warm caches.
    for (int which = 0; which < programs; ++which)
        TimeOneStart(argv[2 + which], mark);
    std::vector<std::vector<Timing>> times(static_cast<std::size_t>(programs));
    for (int i = 0; i < runs; ++i)
        for (int which = 0; which < programs; ++which) {
            const Timing t = TimeOneStart(argv[2 + which], mark);
            if (t.total < 0) {
                std::fwprintf(stderr, L"%ls did not start\n", argv[2 + which]);
                return 1;
            }
            times[static_cast<std::size_t>(which)].push_back(t);
        }
    auto medianOf = [&](int which, double Timing::*field) {
        std::vector<double> v;
        for (const Timing& t : times[static_cast<std::size_t>(which)])
            v.push_back(t.*field);
        return Median(v);
    };
    const double bare = medianOf(0, &Timing::total), themed = medianOf(1, &Timing::total);
    for (int which = 0; which < programs; ++which) {
        const std::wstring path = argv[2 + which];
        const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
        const double total = medianOf(which, &Timing::total);
        std::wprintf(L"%-18ls median %6.1f ms  ratio to bare %.2f  to themed %.2f", name.c_str(),
                     total * 1000, total / bare, total / themed);
        const double own = medianOf(which, &Timing::own);
        if (own >= 0)
            std::wprintf(L"  own part (wWinMain until shown and idle) %.1f ms", own * 1000);
        std::wprintf(L"\n    runs:");
        for (const Timing& t : times[static_cast<std::size_t>(which)])
            std::wprintf(L" %.1f", t.total * 1000);
        std::wprintf(L"\n");
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
