// The system's open and save dialogs (comdlg32), resizable, without the read-only check box.
#pragma once

#include <windows.h>

#include <functional>

#include "organize/FileDialogs.h"

class TWin32FileDialogs : public IFileDialogs {
public:
    // The dialogs are modal to owner.
    explicit TWin32FileDialogs(HWND owner) : owner_(owner) {}

    std::vector<String> OpenFiles(StringView filter) override;
    std::optional<String> SaveFile(StringView fileName, StringView defaultExtension, StringView filter) override;

    // Runs with the dialog's window once the dialog is ready to show.
    std::function<void(HWND dialog)> OnShow;

private:
    OPENFILENAMEW Request(const std::wstring& filter, std::wstring& buffer);

    HWND owner_;
};
