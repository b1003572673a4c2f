// Message boxes, programs and documents.
#include "core/win32/Win32Os.h"

#include <shellapi.h>

#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

int TWin32Shell::MessageDialog(StringView text, StringView caption, int flags)
{
    return Application->MessageDialog(text, caption, flags);
}

namespace {
class TWin32Process : public IProcess {
public:
    explicit TWin32Process(HANDLE process) : process_(process) {}

private:
    UniqueKernelHandle process_;
};
} // namespace

std::unique_ptr<IProcess> TWin32Shell::StartProgram(StringView commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.dwFlags |= STARTF_FORCEONFEEDBACK;
    std::wstring line = ToW(commandLine); // CreateProcessW may write into it
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    const UniqueKernelHandle thread(process.hThread);
    return std::make_unique<TWin32Process>(process.hProcess);
}

void TWin32Shell::ShellOpen(std::uintptr_t owner, StringView target, int showCommand)
{
    ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, ToW(target).c_str(), nullptr, nullptr, showCommand);
}
