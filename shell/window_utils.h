// Small mechanisms the three borderless windows share.
#pragma once

#include <windows.h>

namespace inkwarden {

// Puts the window into the topmost band or takes it out; either way the window is
// shown if hidden, keeps its place and size, and is not activated.
void SetTopmost(HWND hwnd, bool topmost);

// Brings the window above every other window, and activates it, without leaving it
// in the topmost band.
void BringToFront(HWND hwnd);

// Lets the user move a borderless window by a caption control: size-all pointer while
// the platform's move loop runs, default pointer afterwards. Returns when the button
// is released.
void CaptionDrag(HWND window);
// For WM_SETCURSOR: applies the pointer a running caption drag asked for. True when
// it did, and the message is handled.
bool ApplyWindowPointer(HWND window);

// True when another instance of Inkwarden runs in this session. The first call
// creates the named object that answers later starts; it is held until the process ends.
bool AnotherInstanceRunning();

// The single-instance check of a start: when another instance runs, tells the user
// and ends this process; otherwise returns.
void EnsureSingleInstance();

} // namespace inkwarden
