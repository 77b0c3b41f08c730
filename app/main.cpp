// Process entry: DPI awareness and common controls, then the main window.
#include "ui/main/For_main.h"
#include "ui/window.h"

#include <windows.h>
#include <commctrl.h>
#if defined(INKWARDEN_STARTUP_MARK)
#include "bench/startup/startup_mark.h"
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
#if defined(INKWARDEN_STARTUP_MARK)
    inkwarden::WriteStartupMark(); // the measurement build only
#endif
    // The manifest asks for per-monitor v2 as well; this covers a build without it.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    static inkwarden::For_main mainWindow;
    if (!mainWindow.Form_Load())
        return 1;
    mainWindow.Show();
    return inkwarden::RunMessageLoop();
}
