#include "organize/win32/Win32FileDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "ui/Application.h"
#include "ui/Dialog.h"
#include "ui/WinText.h"

namespace {

// Room for the folder and the names of many files chosen at once.
constexpr std::size_t FileBufferChars = 1u << 16;

// "text|patterns|..." as the dialogs take it: each part ends with a zero, the list with two.
std::wstring FilterParts(StringView filter)
{
    std::wstring parts = ToW(filter);
    std::replace(parts.begin(), parts.end(), L'|', L'\0');
    parts.append(2, L'\0');
    return parts;
}

// Posted by the hook to itself once the dialog is made: handled in the dialog's own loop, after
// the system has shown it.
constexpr UINT WM_DIALOGSHOWN = WM_APP + 1;

UINT_PTR CALLBACK DialogHook(HWND hook, UINT msg, WPARAM, LPARAM lParam)
{
    // The hook's window is a child of the dialog itself.
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
        const auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
        const auto* dialogs = reinterpret_cast<TWin32FileDialogs*>(notify->lpOFN->lCustData);
        if (dialogs->CenterOnScreen)
            CenterWindowOnScreen(GetParent(hook));
        PostMessageW(hook, WM_DIALOGSHOWN, 0, reinterpret_cast<LPARAM>(dialogs));
    } else if (msg == WM_DIALOGSHOWN) {
        const auto* dialogs = reinterpret_cast<const TWin32FileDialogs*>(lParam);
        // No exception may cross the dialog's own window procedures.
        try {
            if (dialogs->OnShow)
                dialogs->OnShow(GetParent(hook));
        } catch (...) {
            Application->HandleException();
        }
    }
    return 0;
}

// A dialog that failed, rather than being cancelled, is reported as an error.
void ThrowDialogError()
{
    const DWORD code = CommDlgExtendedError();
    if (code == FNERR_BUFFERTOOSMALL)
        throw EAppError(u"Too many files were chosen at once.");
    if (code != 0)
        throw EAppError(u"The file dialog could not be shown (error " +
                        FromW(std::to_wstring(code)) + u").");
}

} // namespace

OPENFILENAMEW TWin32FileDialogs::Request(const std::wstring& filter, std::wstring& buffer)
{
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner_;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (OnShow || CenterOnScreen) {
        request.Flags |= OFN_ENABLEHOOK;
        request.lpfnHook = DialogHook;
        request.lCustData = reinterpret_cast<LPARAM>(this);
    }
    return request;
}

std::vector<String> TWin32FileDialogs::OpenFiles(StringView filter)
{
    const std::wstring filterParts = FilterParts(filter);
    std::wstring buffer(FileBufferChars, L'\0');
    OPENFILENAMEW request = Request(filterParts, buffer);
    request.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&request)) {
        ThrowDialogError();
        return {};
    }
    // One file: its full path. Several: the folder, then each name, each ending with a zero.
    std::vector<String> parts;
    for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1)
        parts.push_back(FromW(p));
    if (parts.size() == 1)
        return parts;
    std::vector<String> files;
    String folder = parts.front();
    if (!folder.empty() && folder.back() != u'\\')
        folder += u'\\';
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.push_back(folder + parts[i]);
    return files;
}

std::optional<String> TWin32FileDialogs::SaveFile(StringView fileName, StringView defaultExtension,
                                                  StringView filter)
{
    const std::wstring filterParts = FilterParts(filter);
    const std::wstring extension = ToW(defaultExtension);
    // A name that cannot be a file name (a message named "a:b") is not proposed: the dialog
    // would refuse to open with it.
    for (StringView proposed : {fileName.substr(0, FileBufferChars - 1), StringView()}) {
        std::wstring buffer(FileBufferChars, L'\0');
        std::copy(proposed.begin(), proposed.end(), buffer.begin());
        OPENFILENAMEW request = Request(filterParts, buffer);
        request.lpstrDefExt = extension.c_str();
        request.Flags |= OFN_OVERWRITEPROMPT;
        if (GetSaveFileNameW(&request))
            return FromW(buffer.c_str());
        if (CommDlgExtendedError() != FNERR_INVALIDFILENAME || proposed.empty())
            break;
    }
    ThrowDialogError();
    return std::nullopt;
}
