// A fake of the OS services that records what the core asked of the system.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/OsServices.h"

class FakeOs : public IOsServices {
public:
    FakeOs();
    ~FakeOs() override;

    int CompareText(StringView a, StringView b) override;
    String Md5Hex(StringView text) override;
    int MessageBox(StringView text, StringView caption, int flags) override;
    std::uintptr_t StartProgram(StringView commandLine) override;
    String SpecialFolderPath(int csidl) override;
    void UnregisterHotkey(int id) override;

    // What was asked, one line per call, in order ("UnregisterHotkey 16449", ...).
    std::vector<std::string> Calls;
    // Answers a message box; by default IDOK.
    std::function<int(StringView text, int flags)> OnMessageBox;
    std::uintptr_t NextProcess = 0;
};
