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
    // The main window's part in copying: what Ctrl+Enter puts on the clipboard for the
    // block shown (the block with what it was filled from around it), what Ctrl+Enter
    // does after it has copied that and closed this window (the way back into the
    // editor), and who is told of every copy this window makes.
    void SetPasteBack(std::function<std::wstring(const std::wstring&)> clipboardText,
                      std::function<void()> pasteBack, std::function<void()> copied) {
        clipboardText_ = std::move(clipboardText);
        pasteBack_ = std::move(pasteBack);
        copied_ = std::move(copied);
    }

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
    void Unload() { Close(); }

    std::function<std::wstring(const std::wstring&)> clipboardText_;
    std::function<void()> pasteBack_;
    std::function<void()> copied_;
};

} // namespace inkwarden
