// The system's open and save dialogs (comdlg32), resizable, without the read-only check box.
#pragma once

#include <windows.h>

#include "organize/FileDialogs.h"

class TWin32FileDialogs : public IFileDialogs {
public:
    // The dialogs are modal to owner.
    explicit TWin32FileDialogs(HWND owner) : owner_(owner) {}

    std::vector<String> OpenFiles(StringView filter) override;
    std::optional<String> SaveFile(StringView fileName, StringView defaultExtension, StringView filter) override;

private:
    HWND owner_;
};
