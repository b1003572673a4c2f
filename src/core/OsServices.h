// The operating-system services the portable core needs. The Win32 shell implements them for
// real; tests install a fake, so the core's exact sequences of OS calls are checked natively.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Text.h"

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

    // Clipboard reading and the clipboard viewer chain. Windows are passed as their handle values.
    // Whether the clipboard offers Unicode text (CF_UNICODETEXT), asked without opening it.
    virtual bool ClipboardHasText() = 0;
    // The clipboard's Unicode text up to its first NUL, empty when it holds none; nothing when the
    // clipboard cannot be opened or its text cannot be read (another program holds it open).
    virtual std::optional<String> ReadClipboardText() = 0;
    // Sends a clipboard-chain message on to the next viewer, which handles it before this returns.
    virtual void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam,
                                  std::intptr_t lParam) = 0;
};

// The services in use; the Win32 shell or a test installs them before anything calls Os().
IOsServices& Os();
void SetOsServices(IOsServices* services);
