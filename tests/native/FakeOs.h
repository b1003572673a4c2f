// Fakes of the OS services that record what the core asked of the system.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/OsServices.h"

// The one record of what the fakes were asked, one line per call, in order across all of them
// ("UnregisterHotkey 16449", ...).
struct FakeCallLog {
    FakeCallLog() = default;
    FakeCallLog(const FakeCallLog&) = delete;
    FakeCallLog& operator=(const FakeCallLog&) = delete;

    std::vector<std::string> Calls;
};

class FakeFiles : public virtual FakeCallLog, public IFileSystem {
public:
    bool FileExists(StringView path) override;
    std::vector<std::uint8_t> ReadWholeFile(StringView path) override;
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override;
    bool CopyFileTo(StringView from, StringView to) override;
    String SpecialFolderPath(int csidl) override;

    // The fake's file system: path -> contents.
    std::map<String, std::vector<std::uint8_t>> Files;
    // Makes the next writes fail as a full disk or a locked file would.
    bool FailWrites = false;
};

class FakeRegistry : public virtual FakeCallLog, public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(StringView path, bool create) override;

    // The fake's registry: key path -> value name -> value. Written integers and texts keep
    // their kinds; a test may store any kind to see how readers take it.
    std::map<String, std::map<String, TRegistryValue>> Registry;
    bool FailRegistryOpen = false;
    bool FailRegistryWrites = false;
};

class FakeClipboard : public virtual FakeCallLog, public IClipboard {
public:
    void SetClipboardText(StringView text) override;
    bool ClipboardHasText() override { return ClipboardText.has_value(); }
    std::optional<String> ReadClipboardText() override;
    bool ClipboardExcludedFromHistory() override { return ClipboardExcluded; }
    void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The fake clipboard: its Unicode text, none when it holds another format. While another
    // program holds it open (ClipboardLocked), writes fail and reads find it unreadable.
    std::optional<String> ClipboardText;
    bool ClipboardLocked = false;
    // The clipboard carries a password manager's mark for clipboard managers.
    bool ClipboardExcluded = false;
    // Runs inside SendChainMessage, as the next viewer would.
    std::function<void()> OnChainMessage;
};

class FakeInput : public virtual FakeCallLog, public IInput {
public:
    bool RegisterHotkey(int id, unsigned modifiers, unsigned key) override;
    bool UnregisterHotkey(int id) override;
    void KeybdEvent(int key, int scanCode, unsigned flags) override;
    int VirtualKeyScanCode(int key) override { return key + 100; }
    int KeyState(int key) override;
    // Letters and digits name themselves, F1..F24 "F<n>", others as KeyNames says (empty when
    // absent).
    String KeyName(int virtualKey) override;
    void Sleep(unsigned ms) override;
    TScreenPoint CursorPos() override { return Cursor; }
    void SetCursorPos(TScreenPoint p) override;
    void MouseEvent(unsigned flags) override;
    void MessageBeep(unsigned type) override;

    // The system's hotkey table: ids held by the program, ids another program holds.
    std::set<int> RegisteredHotkeys;
    std::set<int> ForeignHotkeys;
    // GetKeyState answers by virtual key (0 when absent).
    std::map<int, int> KeyStates;
    std::map<int, String> KeyNames;
    TScreenPoint Cursor{640, 400};
};

class FakeShell : public virtual FakeCallLog, public IShell {
public:
    int MessageDialog(StringView text, StringView caption, int flags) override;
    std::unique_ptr<IProcess> StartProgram(StringView commandLine) override;
    void ShellOpen(std::uintptr_t owner, StringView target, int showCommand) override;

    // Answers a message box; by default IDOK.
    std::function<int(StringView text, int flags)> OnMessageBox;
    // Whether StartProgram starts one; the process it returns logs "ProcessReleased" when freed.
    bool ProgramStarts = true;
};

class FakeTextServices : public virtual FakeCallLog, public ITextServices {
public:
    int CompareText(StringView a, StringView b) override;
    // Latin-1 stands in for the ANSI code page.
    String AnsiToText(const std::vector<std::uint8_t>& bytes) override { return String(bytes.begin(), bytes.end()); }
    String Md5Hex(StringView text) override { return u"MD5(" + String(text) + u")"; }
    TDateTimeText CurrentDateTimeText() override { return Now; }

    // A locale of the test's choosing for CompareText; by default code units are compared.
    std::function<int(StringView a, StringView b)> OnCompareText;
    TDateTimeText Now{u"24.12.2024", u"18:05:09"};
};

// Every fake, installed for the test's lifetime over freshly reset globals.
class FakeOs : public FakeFiles,
               public FakeRegistry,
               public FakeClipboard,
               public FakeInput,
               public FakeShell,
               public FakeTextServices {
public:
    FakeOs();
    ~FakeOs();

    TOsServices Services() { return {this, this, this, this, this, this}; }
};
