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
    bool OpenRegistryKey(StringView path, bool create) override;
    TRegistryValue ReadRegistryValue(StringView name) override;
    bool WriteRegistryInteger(StringView name, std::int32_t value) override;
    bool WriteRegistryText(StringView name, StringView value) override;
    void CloseRegistryKey() override;
    String AnsiToText(const std::vector<std::uint8_t>& bytes) override;

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

private:
    std::map<String, TRegistryValue>* openKey_ = nullptr;
};
