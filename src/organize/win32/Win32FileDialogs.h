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

    // Opens the dialog in the middle of the screen instead of where the system puts it for its
    // owner (an owner hidden off the screen's corner would have it at that corner).
    bool CenterOnScreen = false;
    // Runs with the dialog's window once the dialog is on the screen.
    std::function<void(HWND dialog)> OnShow;

private:
    OPENFILENAMEW Request(const std::wstring& filter, std::wstring& buffer);

    HWND owner_;
};
