// The OS services of the portable core, for real on Win32.
#pragma once

#include <windows.h>

#include <memory>

#include "core/OsServices.h"
#include "core/Win32RegistryKey.h"

class TWin32Os : public IOsServices {
public:
    int CompareText(StringView a, StringView b) override;
    String Md5Hex(StringView text) override;
    int MessageDialog(StringView text, StringView caption, int flags) override;
    std::uintptr_t StartProgram(StringView commandLine) override;
    void ShellOpen(std::uintptr_t owner, StringView target, int showCommand) override;
    String SpecialFolderPath(int csidl) override;

    // Files (Win32Files.cpp).
    bool FileExists(StringView path) override;
    std::vector<std::uint8_t> ReadWholeFile(StringView path) override;
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override;
    bool CopyFileTo(StringView from, StringView to) override;

    // Registry (Win32Registry.cpp).
    bool OpenRegistryKey(StringView path, bool create) override;
    TRegistryValue ReadRegistryValue(StringView name) override;
    bool WriteRegistryInteger(StringView name, std::int32_t value) override;
    bool WriteRegistryText(StringView name, StringView value) override;
    void CloseRegistryKey() override;
    String AnsiToText(const std::vector<std::uint8_t>& bytes) override;
    // Hotkeys, synthesized input, clipboard writes, date and time (Win32Input.cpp).
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

    // Clipboard reading and the viewer chain (Win32Clipboard.cpp).
    bool ClipboardHasText() override;
    std::optional<String> ReadClipboardText() override;
    bool ClipboardExcludedFromHistory() override;
    void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Key names for shortcut texts (Win32Input.cpp).
    String KeyName(int virtualKey) override;

    // The window that owns the program's system hotkeys (the menu bar).
    HWND HotkeyWindow = nullptr;

private:
    std::unique_ptr<TWin32RegistryKey> registryKey_;
};

// MD5 of the text's US-ASCII (code page 20127) bytes, 32 upper-case hexadecimal digits; safe on
// any thread.
String Md5HexOfText(StringView text);

// The clipboard, open for owner while this lives; it is shared by every program, so it is held
// for one read or write only. Other programs hold it for a moment now and then (a clipboard
// manager reads every change), so a few short tries come before giving up.
class ClipboardOpened {
public:
    explicit ClipboardOpened(HWND owner);
    ~ClipboardOpened();
    ClipboardOpened(const ClipboardOpened&) = delete;
    ClipboardOpened& operator=(const ClipboardOpened&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};
