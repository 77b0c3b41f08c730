// The start mark of the measurement build (scripts/startup.sh): scribbet_marked.exe
// writes the performance counter at the start of wWinMain into shared memory of this
// name, which the probe made, so the probe can tell the program's own part from the
// loading before it.
#pragma once

#include <windows.h>

namespace inkwarden {

inline constexpr wchar_t kStartupMarkName[] = L"Local\\InkwardenStartupMark";

inline void WriteStartupMark() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kStartupMarkName);
    if (!mapping)
        return;
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONGLONG))) {
        *static_cast<volatile LONGLONG*>(view) = now.QuadPart;
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

} // namespace inkwarden
