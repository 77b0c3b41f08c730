// The checks that guard pasting into an editor. (Registering the hotkey, and the round
// trip itself, are tested end to end.)
#include "shell/paste_back.h"

#include "platform/platform.h"

#include "test_support.h"

namespace inkwarden {
namespace {

TEST(PasteBack, InputOnlyGoesWhereItIsNotDropped) {
    const DWORD low = SECURITY_MANDATORY_LOW_RID, medium = SECURITY_MANDATORY_MEDIUM_RID,
                high = SECURITY_MANDATORY_HIGH_RID;
    struct Case {
        DWORD ours, theirs;
        bool reaches;
    } const cases[] = {
        {medium, medium, true}, {medium, low, true}, {high, medium, true}, {medium, high, false},
        {low, medium, false},   {medium, 0, false},  {0, 0, true},         {0, medium, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InputReaches(c.ours, c.theirs), c.reaches) << c.ours << " -> " << c.theirs;
    EXPECT_NE(ProcessIntegrityLevel(GetCurrentProcessId()), 0u);
    EXPECT_EQ(ProcessIntegrityLevel(0xFFFFFFF0), 0u);
}

TEST(PasteBack, WindowsOfThisProcessAreNeverTheEditor) {
    const inkwarden_testing::Popup own(L"not an editor", WS_POPUP | WS_VISIBLE);
    ASSERT_NE(own.hwnd, nullptr);
    EditorWindow editor;
    editor.Remember(own);
    editor.Remember(nullptr);
    EXPECT_EQ(editor.Get(), nullptr);
    EXPECT_EQ(PasteInto(editor), PasteOutcome::NoEditor);
    EXPECT_FALSE(ActivateEditor(editor));
}

} // namespace
} // namespace inkwarden
