// A fake of the OS services that records what the core asked of the system.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
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
    String SpecialFolderPath(int csidl) override;
    void UnregisterHotkey(int id) override;
    bool FileExists(StringView path) override;
    std::vector<std::uint8_t> ReadWholeFile(StringView path) override;
    void WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes) override;
    bool CopyFileTo(StringView from, StringView to) override;

    // Clipboard reading and the viewer chain.
    bool ClipboardHasText() override;
    std::optional<String> ReadClipboardText() override;
    void SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // The fake's file system: path -> contents.
    std::map<String, std::vector<std::uint8_t>> Files;
    // Makes the next writes fail as a full disk or a locked file would.
    bool FailWrites = false;

    // What was asked, one line per call, in order ("UnregisterHotkey 16449", ...).
    std::vector<std::string> Calls;
    // Answers a message box; by default IDOK.
    std::function<int(StringView text, int flags)> OnMessageBox;
    std::uintptr_t NextProcess = 0;

    // The fake clipboard: its Unicode text, none when it holds another format; Locked when another
    // program holds it open.
    std::optional<String> ClipboardText;
    bool ClipboardLocked = false;
    // Runs inside SendChainMessage, as the next viewer would.
    std::function<void()> OnChainMessage;
    // A locale of the test's choosing for CompareText; by default code units are compared.
    std::function<int(StringView a, StringView b)> OnCompareText;
};
