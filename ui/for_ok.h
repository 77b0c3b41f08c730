// The result window: shows a remark block, copies it to the clipboard.
#pragma once

#include "ui/window.h"

#include <functional>
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
    // What Ctrl+Enter does after it has copied the block and closed this window:
    // the main window's way back into the editor.
    void SetPasteBack(std::function<void()> pasteBack) { pasteBack_ = std::move(pasteBack); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCtrlEnter(bool repeat) override;

private:
    // Event handlers: thin, each runs the steps below.
    void Label3_Click() { Unload(); }
    void Command1_Click() { Unload(); }
    void Command2_Click() { CopyToClipboard(); }

    // Steps.
    bool Create(HWND mainWindow);
    // True when the block is on the clipboard; a failure is shown to the person.
    bool CopyToClipboard();
    void CopyAndPasteBack();
    void Unload() { Close(); }

    std::function<void()> pasteBack_;
};

} // namespace inkwarden
