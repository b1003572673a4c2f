#include "FileDialogWindows.h"

#include <dlgs.h>

#include <string>

namespace {

struct Search {
    DWORD process;
    bool fileDialog;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (process != search->process || !IsWindowVisible(window) || std::wstring(name) != L"#32770")
        return TRUE;
    if ((FileNameBox(window) != nullptr) != search->fileDialog)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND FileNameBox(HWND dialog)
{
    for (int id : {cmb13, edt1}) {
        HWND box = GetDlgItem(dialog, id);
        if (!box)
            continue;
        HWND inner = FindWindowExW(box, nullptr, L"Edit", nullptr);
        return inner ? inner : box;
    }
    return nullptr;
}

HWND FindDialogNow(DWORD process, bool fileDialog)
{
    Search search{process, fileDialog};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD process, bool fileDialog)
{
    // The first file dialog in a new Wine prefix takes over ten seconds to open on a busy machine;
    // the limit only ends a test whose dialog never comes.
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < 60000) {
        if (HWND dialog = FindDialogNow(process, fileDialog))
            return dialog;
        Sleep(10);
    }
    return nullptr;
}
