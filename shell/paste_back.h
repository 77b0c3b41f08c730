// The editor a person called Inkwarden from, and pasting a block back into it.
#pragma once

#include <windows.h>

namespace inkwarden {

// The one remembered editor window. A window handle can be reused by another program
// once its window is gone, so the process and thread are remembered with it.
class EditorWindow {
public:
    // Remembers `window` when it is another program's window; for no window or a
    // window of this process the editor remembered before stays.
    void Remember(HWND window);
    // The remembered window while it is still that window: it exists, is visible and
    // belongs to the same process and thread. Null otherwise.
    HWND Get() const;

private:
    HWND window_ = nullptr;
    DWORD process_ = 0;
    DWORD thread_ = 0;
};

// Activates the editor without pasting (the hotkey's way back). False when there is
// no valid editor or it could not be activated.
bool ActivateEditor(const EditorWindow& editor);

enum class PasteOutcome {
    Pasted,       // the editor is active and has been sent Ctrl+V
    NoEditor,     // nothing remembered, or the window is no longer the one remembered
    Elevated,     // the editor runs at a higher integrity level: input would be dropped
    NotActivated, // the editor could not be made the active window
};

// True when keyboard input from a process at integrity level `ours` reaches a process
// at `theirs` (SECURITY_MANDATORY_*_RID; 0 when the level could not be read). Without
// levels on either side there is nothing to compare.
bool InputReaches(DWORD ours, DWORD theirs);

// Activates the editor and sends it Ctrl+V as keyboard input, so the clipboard lands
// at its caret. Nothing is sent unless the editor is the active window by then.
PasteOutcome PasteInto(const EditorWindow& editor);

} // namespace inkwarden
