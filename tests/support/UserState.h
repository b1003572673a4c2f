// The program's per-user state in the test prefix: its data folder and its registry key.
#pragma once

#include <string>

// %APPDATA%\Quorvane\1.0 and its data file, as the program sees them.
std::wstring DataFolderPath();
std::wstring DataFilePath();
bool PathExists(const std::wstring& path);
void DeleteTree(const std::wstring& folder);
// Removes the data folder and the registry key: a user who never ran the program.
void CleanUserState();
