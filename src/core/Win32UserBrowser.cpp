#include "core/Win32UserBrowser.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/WinText.h"

void TShellUserBrowser::OpenWebPage(StringView address)
{
    ShellExecuteW(nullptr, nullptr, ToW(address).c_str(), nullptr, nullptr, SW_SHOW);
}
