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
    // The main window's part: what Ctrl+Enter puts on the clipboard for the block shown
    // (the block with what it was filled from around it), what Ctrl+Enter does after it
    // has copied that and closed this window (the way back into the editor), who is told
    // of every copy this window makes, and where the person goes back to when they close
    // it in any other way.
    struct Owner {
        std::function<std::wstring(const std::wstring&)> clipboardText;
        std::function<void()> pasteBack, copied, closed;
    };
    void SetOwner(Owner owner) { owner_ = std::move(owner); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCtrlEnter(bool repeat) override;

private:
    // Event handlers: thin, each runs the steps below.
    void Label3_Click() { Unload(); }
    void Command1_Click() { Unload(); }
    void Command2_Click() { CopyToClipboard(Text()); }

    // Steps.
    bool Create(HWND mainWindow);
    // True when the text is on the clipboard; a failure is shown to the person.
    bool CopyToClipboard(const std::wstring& text);
    void CopyAndPasteBack();
    // Closed by the person (Esc, 返回, X, the system menu): back to the main window.
    void Unload();

    Owner owner_;
};

} // namespace inkwarden
