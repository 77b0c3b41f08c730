#include "settings/save.h"

#include "core/hotkey.h"
#include "core/setting_number.h"
#include "platform/platform.h"

#include <optional>

namespace inkwarden {

namespace {

// Writes keys of one save or reset and keeps the first failure.
class Writer {
public:
    Writer(const SettingsStore& store, SettingsAction action) : store_(store) {
        outcome_.action = action;
        outcome_.iniPath = store.iniPath;
    }
    // True when the value was written.
    bool Write(const wchar_t* key, const std::wstring& value) {
        if (WriteIniValue(kIniSection, key, value, store_.iniPath))
            return true;
        if (outcome_.fileWritten) {
            outcome_.fileWritten = false;
            outcome_.fileError = GetLastError();
        }
        return false;
    }
    // The registry follows the stored choice: when the run key could not be stored,
    // the registration is left as it was too.
    void WriteRun(bool autoRun) {
        if (Write(keys::kRun, FlagText(autoRun)))
            outcome_.autoRun = SetAutoRunAt(store_.runKeys, autoRun);
    }
    // A hotkey that is not usable is not stored: the one in the file stays. A stored
    // one is registered at once, where the store registers.
    void WriteHotkey(const std::wstring& text) {
        outcome_.hotkey.text = text;
        const std::optional<Hotkey> hotkey = ParseHotkey(Narrow(text));
        if (!hotkey) {
            outcome_.hotkey.state = HotkeyOutcome::Invalid;
            return;
        }
        if (!Write(keys::kHotkey, text))
            return;
        const bool registered = !store_.registerHotkey || store_.registerHotkey(*hotkey);
        outcome_.hotkey.state = registered ? HotkeyOutcome::Stored : HotkeyOutcome::Refused;
    }
    const SettingsOutcome& outcome() const { return outcome_; }

private:
    const SettingsStore& store_;
    SettingsOutcome outcome_;
};

struct ActionTexts {
    const wchar_t* notDone; // leads the warning when the file was not written
    const wchar_t* done;
    const wchar_t* doneBut; // leads a warning after success
};

ActionTexts TextsOf(SettingsAction action) {
    if (action == SettingsAction::Reset)
        return {L"设置没有全部重置：", L"重置成功！", L"设置已重置，但"};
    return {L"设置没有全部保存：", L"设置成功！", L"设置已保存，但"};
}

std::wstring FileFailureText(const SettingsOutcome& outcome, const wchar_t* notDone) {
    return std::wstring(notDone) + L"未能写入设置文件：\r\n" + outcome.iniPath + L"\r\n\r\n原因：" +
           ErrorText(outcome.fileError) + L"\r\n\r\n请确认该文件不是只读文件，并且所在文件夹允许写入。";
}

// The note about start with Windows, or none (empty text) when there is nothing to say.
Notice AutoRunNotice(const AutoRunOutcome& autoRun) {
    switch (autoRun.state) {
    case AutoRunState::CurrentUser:
        return {L"已设为当前用户开机启动（为所有用户设置需要管理员权限）", MB_ICONINFORMATION};
    case AutoRunState::NotRegistered:
        return {L"未能设置开机自动运行：无法写入注册表启动项。\r\n\r\n原因：" + ErrorText(autoRun.error),
                MB_ICONWARNING};
    case AutoRunState::StillRegistered:
        return {L"未能取消开机自动运行：无法修改注册表启动项，Inkwarden 仍会随 Windows 启动。\r\n\r\n原因：" +
                    ErrorText(autoRun.error) + L"\r\n\r\n为所有用户设置的开机自动运行只能以管理员身份取消。",
                MB_ICONWARNING};
    case AutoRunState::Untouched:
    case AutoRunState::AllUsers:
    case AutoRunState::Off:
        break;
    }
    return {std::wstring(), MB_ICONINFORMATION};
}

// The note about the hotkey of a save, or none (empty text).
std::wstring HotkeyNotice(const HotkeyOutcome& hotkey) {
    switch (hotkey.state) {
    case HotkeyOutcome::Invalid:
        return L"热键设置无效：" + hotkey.text +
               L"\r\n\r\n这个热键没有保存：热键需要 Ctrl、Alt 或 Win 加一个字母、数字，或 F1–F24。";
    case HotkeyOutcome::Refused:
        return L"热键 " + hotkey.text +
               L" 已被其他程序占用，现在没有热键。\r\n\r\n热键已保存；关闭占用它的程序后重新启动 "
               L"Inkwarden，或换一个热键。";
    case HotkeyOutcome::Untouched:
    case HotkeyOutcome::Stored:
        break;
    }
    return std::wstring();
}

} // namespace

SettingsStore CurrentStore() {
    return {IniPath, ThisProgramsRunKeys()};
}

SettingsOutcome SaveSettingsTo(const SettingsStore& store, const SettingsValues& values) {
    Writer writer(store, SettingsAction::Save);
    if (values.code)
        writer.Write(keys::kCode, Widen(DecimalText(*values.code)));
    writer.WriteRun(values.autoRun);
    writer.Write(keys::kMin, FlagText(values.minAtStart));
    writer.Write(keys::kWriter, values.writer);
    if (values.hotkey)
        writer.WriteHotkey(*values.hotkey);
    writer.Write(keys::kDate, values.date);
    return writer.outcome();
}

SettingsOutcome SaveSettings(const SettingsValues& values, SettingsTarget& target) {
    SettingsStore store = CurrentStore();
    store.registerHotkey = [&target](const Hotkey& hotkey) { return target.SetHotkey(hotkey); };
    return SaveSettingsTo(store, values);
}

SettingsOutcome ResetSettingsTo(const SettingsStore& store) {
    Writer writer(store, SettingsAction::Reset);
    writer.Write(keys::kCode, Widen(DecimalText(*kResetValues.code)));
    writer.Write(keys::kWriter, kResetValues.writer);
    writer.Write(keys::kMin, FlagText(kResetValues.minAtStart));
    writer.WriteRun(kResetValues.autoRun);
    writer.Write(keys::kHotkey, *kResetValues.hotkey);
    writer.Write(keys::kDate, kResetValues.date);
    return writer.outcome();
}

SettingsOutcome ResetSettings() {
    return ResetSettingsTo(CurrentStore());
}

std::vector<Notice> Report(const SettingsOutcome& outcome) {
    const ActionTexts texts = TextsOf(outcome.action);
    const Notice autoRun = AutoRunNotice(outcome.autoRun);
    if (!outcome.fileWritten) {
        std::wstring text = FileFailureText(outcome, texts.notDone);
        if (!autoRun.text.empty())
            text += L"\r\n\r\n" + autoRun.text;
        return {{text, MB_ICONWARNING}};
    }
    std::vector<Notice> notices = {{texts.done, MB_ICONINFORMATION}};
    if (autoRun.icon == MB_ICONWARNING)
        notices.push_back({texts.doneBut + autoRun.text, MB_ICONWARNING});
    else if (!autoRun.text.empty())
        notices.push_back(autoRun);
    const std::wstring hotkey = HotkeyNotice(outcome.hotkey);
    if (!hotkey.empty())
        notices.push_back({texts.doneBut + hotkey, MB_ICONWARNING});
    return notices;
}

} // namespace inkwarden
