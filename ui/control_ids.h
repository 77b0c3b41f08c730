// Control identifiers of the three windows. UI automation and the end-to-end tests
// find controls by their texts where they have one, and by these ids otherwise.
#pragma once

namespace inkwarden::ids {

// Main window (For_main)
constexpr int kFraTop = 100;
constexpr int kImage1 = 101;
constexpr int kTitle = 102;    // Label1
constexpr int kExit = 103;     // Label3
constexpr int kMinimise = 104; // Label4
constexpr int kFrame1 = 110;
constexpr int kSettingsLabel = 111;     // Label5
constexpr int kFunc0 = 120;             // func(k) = kFunc0 + k
constexpr int kFraList0 = 130;          // Fra_list(k)
constexpr int kOk0 = 140;               // ok(k)
constexpr int kTxt0 = 200;              // txt0(i) = kTxt0 + i
constexpr int kLabel2_0 = 300;          // Label2(i), the field captions
constexpr int kOwnTemplatesLabel = 112; // names the list for UI automation
constexpr int kOwnTemplates = 113;      // the list of templates of one's own
// The panel of template of one's own N: its frame, 确定, then inputs and captions.
constexpr int kOwnPanelIds = 16; // ids per panel
constexpr int OwnPanel(int code) {
    return 1000 + (code - 4) * kOwnPanelIds;
}
constexpr int OwnOk(int code) {
    return OwnPanel(code) + 1;
}
constexpr int OwnInput(int code, int line) {
    return OwnPanel(code) + 2 + line;
}
constexpr int OwnCaption(int code, int line) {
    return OwnPanel(code) + 7 + line;
}
// The template whose 确定 has that id; -1 for any other id.
constexpr int OwnOkTemplate(int id) {
    return id >= OwnPanel(4) && (id - OwnPanel(4)) % kOwnPanelIds == 1 ? 4 + (id - OwnPanel(4)) / kOwnPanelIds
                                                                       : -1;
}

// Result window (for_ok)
constexpr int kResultFrame = 100;
constexpr int kResultCaption = 101; // Label2
constexpr int kResultClose = 102;   // Label3 "X"
constexpr int kText1 = 103;
constexpr int kBack = 104;   // Command1
constexpr int kCopy = 105;   // Command2
constexpr int kCredit = 106; // Label1

// Settings window (set_ini)
constexpr int kSetCaption = 101;  // Label2
constexpr int kSetClose = 102;    // Label3 "X"
constexpr int kStyleFrame = 103;  // Frame1
constexpr int kOption0 = 110;     // Option1(k)
constexpr int kSystemFrame = 120; // Frame2
constexpr int kCheck0 = 121;      // Check1(k)
constexpr int kAuthorLabel = 123; // Label1
constexpr int kUser = 124;
constexpr int kReset = 125;       // no
constexpr int kSave = 126;        // ok
constexpr int kOtherLabel = 127;  // "其他语言："
constexpr int kOtherStyles = 128; // Combo1, the styles of one's own
constexpr int kHotkey = 140;      // the hotkey control
constexpr int kHotkeyLabel = 141; // its caption
// The date picture, an editable drop-down, and its caption.
constexpr int kDateFormat = 142;
constexpr int kDateFormatLabel = 143;

} // namespace inkwarden::ids
