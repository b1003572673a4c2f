// A fake of the OS services that records what the core asked of the system.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/OsServices.h"

class FakeOs : public IOsServices {
public:
    FakeOs();
    ~FakeOs() override;

    int CompareText(StringView a, StringView b) override;
    String Md5Hex(StringView text) override;
    int MessageDialog(StringView text, StringView caption, int flags) override;
    std::uintptr_t StartProgram(StringView commandLine) override;
    void ShellOpen(std::uintptr_t owner, StringView target, int showCommand) override;
    String SpecialFolderPath(int csidl) override;
    bool FileExists(StringView path) override;
    std::vector<std::uint8_t> ReadWholeFile(StringView path) override;
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override;
    bool CopyFileTo(StringView from, StringView to) override;
    bool OpenRegistryKey(StringView path, bool create) override;
    TRegistryValue ReadRegistryValue(StringView name) override;
    bool WriteRegistryInteger(StringView name, std::int32_t value) override;
    bool WriteRegistryText(StringView name, StringView value) override;
    void CloseRegistryKey() override;
    String AnsiToText(const std::vector<std::uint8_t>& bytes) override;

    // Hotkeys, input, clipboard writes, date and time.
    bool RegisterHotkey(int id, unsigned modifiers, unsigned key) override;
    bool UnregisterHotkey(int id) override;
    void KeybdEvent(int key, int scanCode, unsigned flags) override;
    int VirtualKeyScanCode(int key) override;
    int KeyState(int key) override;
    void Sleep(unsigned ms) override;
    TDateTimeText CurrentDateTimeText() override;
    void SetClipboardText(StringView text) override;
    TScreenPoint CursorPos() override;
    void SetCursorPos(TScreenPoint p) override;
    void MouseEvent(unsigned flags) override;
    void MessageBeep(unsigned type) override;

    // Clipboard reading and the viewer chain.
    bool ClipboardHasText() override;
    std::optional<String> ReadClipboardText() override;
    bool ClipboardExcludedFromHistory() override { return ClipboardExcluded; }
    void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Key names: letters and digits name themselves, F1..F24 "F<n>", others as KeyNames says
    // (empty when absent).
    String KeyName(int virtualKey) override;
    std::map<int, String> KeyNames;

    // The fake's file system: path -> contents.
    std::map<String, std::vector<std::uint8_t>> Files;
    // Makes the next writes fail as a full disk or a locked file would.
    bool FailWrites = false;

    // The fake's registry: key path -> value name -> value. Written integers and texts keep
    // their kinds; a test may store any kind to see how readers take it.
    std::map<String, std::map<String, TRegistryValue>> Registry;
    bool FailRegistryOpen = false;
    bool FailRegistryWrites = false;

    // What was asked, one line per call, in order ("UnregisterHotkey 16449", ...).
    std::vector<std::string> Calls;
    // Answers a message box; by default IDOK.
    std::function<int(StringView text, int flags)> OnMessageBox;
    std::uintptr_t NextProcess = 0;

    // The system's hotkey table: ids held by the program, ids another program holds.
    std::set<int> RegisteredHotkeys;
    std::set<int> ForeignHotkeys;
    // GetKeyState answers by virtual key (0 when absent).
    std::map<int, int> KeyStates;
    TDateTimeText Now{u"24.12.2024", u"18:05:09"};
    TScreenPoint Cursor{640, 400};

    // The fake clipboard: its Unicode text, none when it holds another format. While another
    // program holds it open (ClipboardLocked), writes fail and reads find it unreadable.
    std::optional<String> ClipboardText;
    bool ClipboardLocked = false;
    // The clipboard carries a password manager's mark for clipboard managers.
    bool ClipboardExcluded = false;
    // Runs inside SendChainMessage, as the next viewer would.
    std::function<void()> OnChainMessage;
    // A locale of the test's choosing for CompareText; by default code units are compared.
    std::function<int(StringView a, StringView b)> OnCompareText;

private:
    std::map<String, TRegistryValue>* openKey_ = nullptr;
};
