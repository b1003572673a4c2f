#include "UserState.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <stdexcept>

std::wstring DataFolderPath()
{
    wchar_t appData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::wstring(appData) + L"\\Quorvane\\1.0";
}

std::wstring DataFilePath() { return DataFolderPath() + L"\\Quorvane.db"; }

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void DeleteTree(const std::wstring& folder)
{
    if (!PathExists(folder))
        return;
    std::wstring from = folder + L'\0'; // the list ends with two zeros
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

void CleanUserState()
{
    std::wstring folder = DataFolderPath();
    DeleteTree(folder.substr(0, folder.size() - 4)); // the whole "Quorvane" folder
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvane-cn\\1.0");
    if (PathExists(folder))
        throw std::runtime_error("cannot clean the data folder");
}
