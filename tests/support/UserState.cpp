#include "UserState.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <stdexcept>

namespace {
constexpr wchar_t SettingsKeyPath[] = L"Software\\Quorvane-cn\\1.0";
} // namespace

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
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKeyPath);
    if (PathExists(folder))
        throw std::runtime_error("cannot clean the data folder");
}

TKeptSettingsKey::TKeptSettingsKey()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    existed_ = true;
    DWORD longestName = 0, longestData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                     nullptr, nullptr);
    for (DWORD i = 0;; ++i) {
        std::wstring name(longestName + 1, L'\0');
        DWORD nameLength = longestName + 1, type = 0, size = longestData;
        std::vector<unsigned char> data(longestData);
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        name.resize(nameLength);
        data.resize(size);
        values_.push_back({std::move(name), type, std::move(data)});
    }
    RegCloseKey(key);
}

TKeptSettingsKey::~TKeptSettingsKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKeyPath);
    if (!existed_)
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const TValue& value : values_)
        RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
}
