// Message boxes, programs and documents.
#include "core/Win32Os.h"

#include <shellapi.h>

#include "ui/Application.h"
#include "ui/WinText.h"

int TWin32Shell::MessageDialog(StringView text, StringView caption, int flags)
{
    return Application->MessageDialog(text, caption, flags);
}

std::uintptr_t TWin32Shell::StartProgram(StringView commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.dwFlags |= STARTF_FORCEONFEEDBACK;
    std::wstring line = ToW(commandLine); // CreateProcessW may write into it
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0;
    CloseHandle(process.hThread);
    return reinterpret_cast<std::uintptr_t>(process.hProcess);
}

void TWin32Shell::ShellOpen(std::uintptr_t owner, StringView target, int showCommand)
{
    ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, ToW(target).c_str(), nullptr, nullptr, showCommand);
}
