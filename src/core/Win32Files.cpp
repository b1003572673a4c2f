// Files. A write goes to a temporary file beside the target, is flushed
// to the disk and then replaces the target in one rename, so a failure or a kill at any moment
// leaves either the old file or the new one.
#include "core/Win32Os.h"

#include <shlobj.h>

#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

#include <algorithm>
#include <string>

namespace {

const wchar_t* Wide(const String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Deletes the temporary file unless it became the target.
class TemporaryFile {
public:
    explicit TemporaryFile(String path) : path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (!kept_)
            DeleteFileW(Wide(path_));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const String& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    String path_;
    bool kept_ = false;
};

[[noreturn]] void CannotOpen(const String& path, DWORD code)
{
    throw EAppError(u"Cannot open file \"" + path + u"\". " + SystemErrorText(code));
}

[[noreturn]] void CannotCreate(const String& path, DWORD code)
{
    throw EAppError(u"Cannot create file \"" + path + u"\". " + SystemErrorText(code));
}

constexpr DWORD ChunkBytes = 1u << 20;

struct ItemIdListDeleter {
    static PIDLIST_ABSOLUTE Invalid() { return nullptr; }
    static void Free(PIDLIST_ABSOLUTE list) { CoTaskMemFree(list); }
};
using UniqueItemIdList = UniqueHandle<PIDLIST_ABSOLUTE, ItemIdListDeleter>;

} // namespace

bool TWin32Files::FileExists(StringView path)
{
    const String name(path);
    const DWORD attributes = GetFileAttributesW(Wide(name));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::uint8_t> TWin32Files::ReadWholeFile(StringView path)
{
    const String name(path);
    const UniqueKernelHandle file(CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        CannotOpen(name, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        CannotOpen(name, GetLastError());
    // A 32-bit process cannot hold more than this in one piece anyway.
    if (size.QuadPart > 0x40000000)
        CannotOpen(name, ERROR_FILE_TOO_LARGE);

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, ChunkBytes));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, wanted, &got, nullptr))
            CannotOpen(name, GetLastError());
        if (got == 0)
            break; // the file became shorter while it was read
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void TWin32Files::WriteWholeFile(StringView path, const std::vector<std::uint8_t>& bytes)
{
    const String target(path);
    TemporaryFile temporary(target + u".tmp");
    {
        UniqueKernelHandle file(CreateFileW(Wide(temporary.Path()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            CannotCreate(target, GetLastError());
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, ChunkBytes));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) || written == 0)
                CannotCreate(target, GetLastError());
            done += written;
        }
        // On the disk before the rename, so the rename never exposes a file still in the cache.
        if (!FlushFileBuffers(file.get()))
            CannotCreate(target, GetLastError());
        // A network file system may report a failed write only at the close.
        if (!CloseHandle(file.release()))
            CannotCreate(target, GetLastError());
    }
    if (!MoveFileExW(Wide(temporary.Path()), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        CannotCreate(target, GetLastError());
    temporary.Keep();
}

bool TWin32Files::CopyFileTo(StringView from, StringView to)
{
    const String source(from);
    const String target(to);
    return CopyFileW(Wide(source), Wide(target), FALSE) != FALSE;
}

String TWin32Files::SpecialFolderPath(int csidl)
{
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(Application ? Application->Handle() : nullptr, csidl, &list)) || !list)
        return String();
    const UniqueItemIdList held(list);
    wchar_t path[MAX_PATH] = L"";
    return SHGetPathFromIDListW(list, path) ? FromW(path) : String();
}
