// The clipboard: the paste engine's writes, the history's reads and the viewer chain.
#include <cstring>

#include "core/win32/Win32Os.h"
#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {
// The clipboard, open for owner while this lives; it is shared by every program, so it is held
// for one read or write only. Other programs hold it for a moment now and then (a clipboard
// manager reads every change), so a few short tries come before giving up.
class ClipboardOpened {
public:
    explicit ClipboardOpened(HWND owner);
    ~ClipboardOpened();
    ClipboardOpened(const ClipboardOpened&) = delete;
    ClipboardOpened& operator=(const ClipboardOpened&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

class GlobalLocked {
public:
    explicit GlobalLocked(HANDLE memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLocked()
    {
        if (data_)
            GlobalUnlock(memory_);
    }
    GlobalLocked(const GlobalLocked&) = delete;
    GlobalLocked& operator=(const GlobalLocked&) = delete;
    const void* Data() const { return data_; }

private:
    HANDLE memory_;
    void* data_;
};

ClipboardOpened::ClipboardOpened(HWND owner) : open_(false)
{
    constexpr int Tries = 10;
    for (int i = 0; i < Tries && !open_; ++i) {
        open_ = OpenClipboard(owner) != FALSE;
        if (!open_ && i + 1 < Tries)
            Sleep(10);
    }
}

ClipboardOpened::~ClipboardOpened()
{
    if (open_)
        CloseClipboard();
}
} // namespace

bool TWin32Clipboard::ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

std::optional<String> TWin32Clipboard::ReadClipboardText()
{
    ClipboardOpened clipboard(nullptr);
    if (!clipboard.IsOpen())
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return std::nullopt; // the text went away or could not be rendered
    GlobalLocked locked(data);
    // The text ends at its first NUL, but never beyond the memory block: another program may
    // have put text without a terminator there.
    const std::size_t units = GlobalSize(data) / sizeof(char16_t);
    if (!locked.Data() || units == 0)
        return std::nullopt;
    const auto* text = static_cast<const char16_t*>(locked.Data());
    std::size_t length = 0;
    while (length < units && text[length])
        ++length;
    return String(text, length);
}

bool TWin32Clipboard::ClipboardExcludedFromHistory()
{
    static const UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    static const UINT canInclude = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(ignore))
        return true;
    if (!IsClipboardFormatAvailable(canInclude))
        return false;
    ClipboardOpened clipboard(nullptr);
    if (!clipboard.IsOpen())
        return true; // the mark cannot be read: not captured rather than a password kept
    HANDLE data = GetClipboardData(canInclude);
    if (!data)
        return false;
    GlobalLocked locked(data);
    DWORD value = 1;
    if (locked.Data() && GlobalSize(data) >= sizeof(value))
        std::memcpy(&value, locked.Data(), sizeof(value));
    return value == 0;
}

void TWin32Clipboard::SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    SendMessageW(reinterpret_cast<HWND>(window), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void TWin32Clipboard::SetClipboardText(StringView text)
{
    // The clipboard belongs to the window that empties it; a null owner would make the write fail.
    const ClipboardOpened clipboard(Application ? Application->Handle() : nullptr);
    if (!clipboard.IsOpen())
        throw EAppError(u"Cannot open clipboard: " + SystemErrorText(GetLastError()));
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        throw EAppError(u"Out of memory");
    void* target = GlobalLock(memory.get());
    if (!target)
        throw EAppError(u"Out of memory");
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(target)[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    if (SetClipboardData(CF_UNICODETEXT, memory.get()))
        memory.release(); // the clipboard owns it now
}
