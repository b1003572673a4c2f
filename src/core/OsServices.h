// The operating-system services the portable core needs, one interface per service. The Win32
// shell implements them for real; tests install fakes, so the core's exact sequences of OS calls
// are checked natively. Windows are passed as their handle values.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/Text.h"

// Files, and where the system keeps the user's ones.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual bool FileExists(StringView path) = 0;
    // The whole file; throws EAppError when it cannot be opened or read.
    virtual std::vector<std::uint8_t> ReadWholeFile(StringView path) = 0;
    // Replaces the file's contents so that a failure or a kill at any moment leaves either the
    // old file or the new one, never a mix; throws EAppError when the file cannot be written.
    virtual void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) = 0;
    // Copies a file, replacing the target; false on failure.
    virtual bool CopyFileTo(StringView from, StringView to) = 0;
    // The file-system path of a shell special folder (CSIDL number).
    virtual String SpecialFolderPath(int csidl) = 0;
};

// A registry value as read: its kind decides whether a setting can take it.
enum class TRegistryType { Missing, Integer, Text, Other };
struct TRegistryValue {
    TRegistryType Type = TRegistryType::Missing;
    std::int32_t Integer = 0; // REG_DWORD
    String Text;              // REG_SZ, REG_EXPAND_SZ
};

// One open key of HKEY_CURRENT_USER, closed when the object goes. Each user opens its own, so a
// second thread never shares the settings' key.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    virtual TRegistryValue Read(StringView name) = 0;
    // False when the value cannot be written.
    virtual bool WriteInteger(StringView name, std::int32_t value) = 0;
    virtual bool WriteText(StringView name, StringView value) = 0;
};

// The registry of the current user; safe on any thread.
class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Opens the key, creating it when asked; null when it can be neither opened nor created.
    virtual std::unique_ptr<IRegistryKey> OpenKey(StringView path, bool create) = 0;
};

// The clipboard and the clipboard viewer chain.
class IClipboard {
public:
    virtual ~IClipboard() = default;

    // Empties the clipboard and puts text on it as Unicode text; throws EAppError
    // "Cannot open clipboard: ..." when another program holds it.
    virtual void SetClipboardText(StringView text) = 0;
    // Whether the clipboard offers Unicode text (CF_UNICODETEXT), asked without opening it.
    virtual bool ClipboardHasText() = 0;
    // The clipboard's Unicode text up to its first NUL, empty when it holds none; nothing when the
    // clipboard cannot be opened or its text cannot be read (another program holds it open).
    virtual std::optional<String> ReadClipboardText() = 0;
    // Whether the program that wrote the clipboard asked clipboard managers to leave the content
    // alone (a password manager's copy): the registered format
    // "ExcludeClipboardContentFromMonitorProcessing" or "Clipboard Viewer Ignore" is there (any
    // data), or "CanIncludeInClipboardHistory" holds the DWORD 0.
    virtual bool ClipboardExcludedFromHistory() = 0;
    // Sends a clipboard-chain message on to the next viewer, which handles it before this returns.
    virtual void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam,
                                  std::intptr_t lParam) = 0;
};

struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

// System hotkeys, the keyboard and the mouse: what the hotkey routines and the paste engine ask of
// the system.
class IInput {
public:
    virtual ~IInput() = default;

    // RegisterHotKey / UnregisterHotKey for the menu-bar window; true when the system agreed.
    virtual bool RegisterHotkey(int id, unsigned modifiers, unsigned key) = 0;
    virtual bool UnregisterHotkey(int id) = 0;
    // keybd_event(key, scanCode, flags, 0).
    virtual void KeybdEvent(int key, int scanCode, unsigned flags) = 0;
    // MapVirtualKeyW(key, 0): the hardware scan code of a virtual key.
    virtual int VirtualKeyScanCode(int key) = 0;
    // GetKeyState(key).
    virtual int KeyState(int key) = 0;
    // The name Windows gives a virtual key (GetKeyNameTextW of its scan code, extended where the
    // key is), as the hot-key control shows it; empty when none.
    virtual String KeyName(int virtualKey) = 0;
    // Blocks the calling thread.
    virtual void Sleep(unsigned ms) = 0;
    // The cursor and the mouse, for the click-and-beep of the modal guard.
    virtual TScreenPoint CursorPos() = 0;
    virtual void SetCursorPos(TScreenPoint p) = 0;
    // mouse_event(flags, 0, 0, 0, 0).
    virtual void MouseEvent(unsigned flags) = 0;
    virtual void MessageBeep(unsigned type) = 0;
};

// A program that StartProgram started. The system keeps the process's record while this lives;
// the program runs on when it goes.
class IProcess {
public:
    virtual ~IProcess() = default;
};

// Message boxes, programs and documents.
class IShell {
public:
    virtual ~IShell() = default;

    // A modal message box of the application; returns the id of the pressed button.
    virtual int MessageDialog(StringView text, StringView caption, int flags) = 0;
    // Starts a program from a whole command line; nullptr on failure.
    virtual std::unique_ptr<IProcess> StartProgram(StringView commandLine) = 0;
    // Opens a file or address in the user's default handler (ShellExecuteW with the default verb,
    // no parameters and no folder); owner is a window handle value or 0. The result is not looked at.
    virtual void ShellOpen(std::uintptr_t owner, StringView target, int showCommand) = 0;
};

struct TDateTimeText {
    String Date;
    String Time;
};

// Texts as the user's locale and the system's code pages see them.
class ITextServices {
public:
    virtual ~ITextServices() = default;

    // Case-sensitive comparison in the user's default locale: < 0, 0 or > 0.
    virtual int CompareText(StringView a, StringView b) = 0;
    // Bytes of the system's ANSI code page as text.
    virtual String AnsiToText(const std::vector<std::uint8_t>& bytes) = 0;
    // MD5 of the text's US-ASCII (code page 20127) bytes, 32 upper-case hexadecimal digits.
    virtual String Md5Hex(StringView text) = 0;
    // Now, as the user's short date format and long time format write it; read once for both.
    virtual TDateTimeText CurrentDateTimeText() = 0;
};

// The services in use. The Win32 shell or a test installs all of them before anything asks for
// one; a test may swap a single one for a double of its own.
struct TOsServices {
    IFileSystem* Files = nullptr;
    IRegistry* Registry = nullptr;
    IClipboard* Clipboard = nullptr;
    IInput* Input = nullptr;
    IShell* Shell = nullptr;
    ITextServices* Text = nullptr;
};

const TOsServices& OsServices();
void SetOsServices(const TOsServices& services);

IFileSystem& OsFiles();
IRegistry& OsRegistry();
IClipboard& OsClipboard();
IInput& OsInput();
IShell& OsShell();
ITextServices& OsText();
