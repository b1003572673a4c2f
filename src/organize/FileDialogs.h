// The open and save dialogs of import and export. The Win32 shell shows the system's dialogs;
// in-process tests put their own answers in their place.
#pragma once

#include <optional>
#include <vector>

#include "core/Text.h"

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;

    // The open dialog: several files at once, only existing ones. The chosen files' full paths in
    // the dialog's order; empty when the user cancelled. A filter is "text|patterns|text|patterns";
    // its first entry is chosen.
    virtual std::vector<String> OpenFiles(StringView filter) = 0;
    // The save dialog proposing fileName; defaultExtension is added to a name typed without one,
    // and an existing file is replaced only after a question. The chosen full path; nothing when
    // the user cancelled.
    virtual std::optional<String> SaveFile(StringView fileName, StringView defaultExtension, StringView filter) = 0;
};
