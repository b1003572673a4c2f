// Reading the clipboard for the history, and passing viewer-chain messages on.
#include "core/Win32Os.h"

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

void TWin32Os::SendChainMessage(std::uintptr_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    SendMessageW(reinterpret_cast<HWND>(window), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}
