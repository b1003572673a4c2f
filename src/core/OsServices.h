// The operating-system services the portable core needs. The Win32 shell implements them for
// real; tests install a fake, so the core's exact sequences of OS calls are checked natively.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Text.h"

// A registry value as read: its kind decides whether a setting can take it.
enum class TRegistryType { Missing, Integer, Text, Other };
struct TRegistryValue {
    TRegistryType Type = TRegistryType::Missing;
    std::int32_t Integer = 0; // REG_DWORD
    String Text;              // REG_SZ, REG_EXPAND_SZ
};

class IOsServices {
public:
    virtual ~IOsServices() = default;

    // Case-sensitive comparison in the user's default locale: < 0, 0 or > 0.
    virtual int CompareText(StringView a, StringView b) = 0;

    // MD5 of the text's US-ASCII (code page 20127) bytes, 32 upper-case hexadecimal digits.
    virtual String Md5Hex(StringView text) = 0;

    // A modal message box of the application; returns the id of the pressed button.
    virtual int MessageDialog(StringView text, StringView caption, int flags) = 0;

    // Starts a program from a whole command line; returns its process handle, 0 on failure.
    virtual std::uintptr_t StartProgram(StringView commandLine) = 0;

    // The file-system path of a shell special folder (CSIDL number).
    virtual String SpecialFolderPath(int csidl) = 0;

    // Releases the system-wide hotkey registered for the menu-bar window under this id.
    virtual void UnregisterHotkey(int id) = 0;

    // Files.
    virtual bool FileExists(StringView path) = 0;
    // The whole file; throws EAppError when it cannot be opened or read.
    virtual std::vector<std::uint8_t> ReadWholeFile(StringView path) = 0;
    // Replaces the file's contents so that a failure or a kill at any moment leaves either the
    // old file or the new one, never a mix; throws EAppError when the file cannot be written.
    virtual void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) = 0;
    // Copies a file, replacing the target; false on failure.
    virtual bool CopyFileTo(StringView from, StringView to) = 0;

    // Registry: one key of HKEY_CURRENT_USER open at a time, as the settings use it.
    // Opens the key (creating it when asked); false when it can be neither opened nor created.
    virtual bool OpenRegistryKey(StringView path, bool create) = 0;
    virtual TRegistryValue ReadRegistryValue(StringView name) = 0;
    // False when the value cannot be written.
    virtual bool WriteRegistryInteger(StringView name, std::int32_t value) = 0;
    virtual bool WriteRegistryText(StringView name, StringView value) = 0;
    virtual void CloseRegistryKey() = 0;

    // Text encoding: bytes of the system's ANSI code page as text.
    virtual String AnsiToText(const std::vector<std::uint8_t>& bytes) = 0;
};

// The services in use; the Win32 shell or a test installs them before anything calls Os().
IOsServices& Os();
void SetOsServices(IOsServices* services);
