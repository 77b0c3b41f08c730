// What the three borderless windows share: the WndProc thunk, controls laid out in
// twips and scaled to the window's DPI, fonts, tooltips and caption drags.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace inkwarden {

struct Twips {
    int left, top, width, height; // relative to the window
};

// The system's UI font; the inputs' font; a fixed-pitch font for code, whose columns
// line up as they will in the editor.
enum class FontKind { Ui, Input, Fixed };

// Sent by the message loop to the window that gets Ctrl+Enter (wParam: nonzero for
// the key's auto-repeat); nonzero when the window took it.
constexpr UINT kCtrlEnterMessage = WM_APP + 0x101;
// The same for Ctrl+Shift+V, which an input would otherwise take as a paste.
constexpr UINT kCtrlShiftVMessage = WM_APP + 0x102;

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    bool IsOpen() const { return hwnd_ != nullptr; }
    void Close();
    UINT dpi() const { return dpi_; }

protected:
    // A window that knows its size (in twips) is made centred on the primary monitor.
    bool CreateBorderless(const wchar_t* className, const wchar_t* text, HICON icon, DWORD style,
                          DWORD exStyle, SIZE twips = {0, 0});
    // A control made hidden stays out of the start-up paint and needs no hiding later.
    HWND AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, Twips rect,
                    FontKind font = FontKind::Ui, bool visible = true);
    // The tip shows on hover. The tooltip window itself is made on the first hover of
    // any control with a tip: most starts never need one.
    void AddTooltip(HWND control, const wchar_t* text);
    // A drop-down list that shows its name, greyed, while nothing in it is chosen (a cue
    // banner that every system draws: the list draws its own face).
    HWND AddNamedList(const wchar_t* name, int id, Twips rect);
    // Destroys a control made by AddControl.
    void RemoveControl(HWND control);
    // How wide a text is in the control font, in twips.
    int TextWidth(const std::wstring& text, FontKind font) const;
    // Makes a control start the window's caption drag when the left button goes down on it.
    void MakeCaption(HWND control);
    // Makes a notifying label act like a button: STN_CLICKED on release inside it.
    void MakeSpot(HWND control);
    // The control that gets the focus when the window is next activated.
    void SetRememberedFocus(HWND control);
    // Shows focus rectangles from the start, not only after the first key.
    void ShowFocusCue();
    // A caption bar: a caption (drag, tooltip background, red text) and the "X" above it,
    // which shares the background so it looks transparent and tells "关闭" as its tip.
    void MakeCaptionBar(HWND caption, HWND close);
    // Sets the outer size in pixels and centres the window on its monitor's work area.
    void CentreWithSize(int width, int height);
    // Left, top, width and height of a window of that size centred on the monitor's work area.
    static RECT CentredOn(HMONITOR monitor, int width, int height);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy() {}
    // Ctrl+Enter anywhere in the window; true when the window takes the key. A window
    // that takes it acts on the first press only, not on the key's repeats.
    virtual bool OnCtrlEnter(bool /*repeat*/) { return false; }
    virtual bool OnCtrlShiftV(bool /*repeat*/) { return false; }

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(UINT dpi);

    struct Control {
        HWND hwnd;
        Twips rect;
        FontKind font;
    };
    HFONT FontFor(FontKind kind) const;
    // A control's twips scaled to the window's DPI: the one place that does it.
    struct Pixels {
        int x, y, width, height;
    };
    Pixels Scaled(const Twips& rect) const;
    void Place(const Control& c) const; // moves it to its scaled place
    // On the mouse's first move over a control with a tip: makes the tooltip window,
    // gives it every tip, and hands it this move so the tip shows this time too.
    void MakeTooltipOnHover(HWND control, UINT mouseMessage);

    HWND hwnd_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<Control> controls_;
    HFONT uiFont_ = nullptr, inputFont_ = nullptr, fixedFont_ = nullptr;
    HWND tooltip_ = nullptr;
    struct Tip {
        HWND control;
        std::wstring text;
    };
    std::vector<Tip> tips_; // given to the tooltip window when it is made
    struct NamedList {
        HWND list;
        std::wstring name;
    };
    std::vector<NamedList> namedLists_;
    const NamedList* NamedListOf(UINT id) const;
    int ListItemHeight() const;
    void DrawNamedList(const NamedList& list, const DRAWITEMSTRUCT& item) const;
    void GiveTip(const Tip& tip) const;
    HWND focus_ = nullptr; // restored when the window is activated again
    HWND captionBar_ = nullptr, closeSpot_ = nullptr;
};

// Message loop with dialog keyboard handling (Tab, arrows) for every window.
int RunMessageLoop();
// Pumps messages until `window` is closed (the modal display of a window).
void RunModalLoop(const Window& window);

} // namespace inkwarden
