// Reading the clipboard for the history, and passing viewer-chain messages on.
#include "core/Win32Os.h"

#include <cstring>

namespace {
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
} // namespace

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

bool TWin32Os::ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

std::optional<String> TWin32Os::ReadClipboardText()
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

bool TWin32Os::ClipboardExcludedFromHistory()
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

void TWin32Os::SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    SendMessageW(reinterpret_cast<HWND>(window), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
