// The program's per-user state in the test prefix: its data folder and its registry key.
#pragma once

#include <string>
#include <vector>

// %APPDATA%\Quorvane\1.0 and its data file, as the program sees them.
std::wstring DataFolderPath();
std::wstring DataFilePath();
bool PathExists(const std::wstring& path);
void DeleteTree(const std::wstring& folder);
// Removes the data folder and the registry key: a user who never ran the program.
void CleanUserState();

// Keeps the program's registry key as it is and puts it back when it goes, for a test whose steps
// store settings: no later test starts from what this one stored.
class TKeptSettingsKey {
public:
    TKeptSettingsKey();
    ~TKeptSettingsKey();
    TKeptSettingsKey(const TKeptSettingsKey&) = delete;
    TKeptSettingsKey& operator=(const TKeptSettingsKey&) = delete;

private:
    struct TValue {
        std::wstring name;
        unsigned long type;
        std::vector<unsigned char> data;
    };
    bool existed_ = false;
    std::vector<TValue> values_;
};
