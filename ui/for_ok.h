// The result window: shows a remark block, copies it to the clipboard.
#pragma once

#include "ui/window.h"

#include <string>

namespace inkwarden {

class for_ok : public Window {
public:
    // Loads the window (if it is not loaded) at the main window's outer size, topmost.
    void Form_Load(HWND mainWindow);
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    // Displays the window and puts the focus in the text.
    void Show();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Event handlers: thin, each runs the steps below.
    void Label3_Click() { Unload(); }
    void Command1_Click() { Unload(); }
    void Command2_Click() { CopyToClipboard(); }

    // Steps.
    bool Create(HWND mainWindow);
    void CopyToClipboard();
    void Unload() { Close(); }
};

} // namespace inkwarden
