// The OS services of the portable core, for real on Win32, one class per service.
#pragma once

#include <windows.h>

#include "core/OsServices.h"

// Win32Files.cpp
class TWin32Files : public IFileSystem {
public:
    bool FileExists(StringView path) override;
    std::vector<std::uint8_t> ReadWholeFile(StringView path) override;
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override;
    bool CopyFileTo(StringView from, StringView to) override;
    String SpecialFolderPath(int csidl) override;
};

// Win32Registry.cpp
class TWin32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(StringView path, bool create) override;
};

// Win32Clipboard.cpp
class TWin32Clipboard : public IClipboard {
public:
    void SetClipboardText(StringView text) override;
    bool ClipboardHasText() override;
    std::optional<String> ReadClipboardText() override;
    bool ClipboardExcludedFromHistory() override;
    void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
};

// Win32Input.cpp
class TWin32Input : public IInput {
public:
    bool RegisterHotkey(int id, unsigned modifiers, unsigned key) override;
    bool UnregisterHotkey(int id) override;
    void KeybdEvent(int key, int scanCode, unsigned flags) override;
    int VirtualKeyScanCode(int key) override;
    int KeyState(int key) override;
    String KeyName(int virtualKey) override;
    void Sleep(unsigned ms) override;
    TScreenPoint CursorPos() override;
    void SetCursorPos(TScreenPoint p) override;
    void MouseEvent(unsigned flags) override;
    void MessageBeep(unsigned type) override;

    // The window that owns the program's system hotkeys (the menu bar).
    HWND HotkeyWindow = nullptr;
};

// Win32Shell.cpp
class TWin32Shell : public IShell {
public:
    int MessageDialog(StringView text, StringView caption, int flags) override;
    std::unique_ptr<IProcess> StartProgram(StringView commandLine) override;
    void ShellOpen(std::uintptr_t owner, StringView target, int showCommand) override;
};

// Win32Text.cpp; safe on any thread.
class TWin32TextServices : public ITextServices {
public:
    int CompareText(StringView a, StringView b) override;
    String AnsiToText(const std::vector<std::uint8_t>& bytes) override;
    String Md5Hex(StringView text) override;
    TDateTimeText CurrentDateTimeText() override;
};

// All of them, as the program installs them.
struct TWin32Os {
    TWin32Files Files;
    TWin32Registry Registry;
    TWin32Clipboard Clipboard;
    TWin32Input Input;
    TWin32Shell Shell;
    TWin32TextServices Text;

    TOsServices Services() { return {&Files, &Registry, &Clipboard, &Input, &Shell, &Text}; }
};
