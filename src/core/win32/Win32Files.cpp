// Files. A write goes to a temporary file beside the target, is flushed
// to the disk and then replaces the target in one rename, so a failure or a kill at any moment
// leaves either the old file or the new one. The temporary file has a name of its own that no
// file had before, so no file of the user's is ever overwritten; one that a killed save left
// behind is known by its name and removed at the next save of the same file.
#include "core/win32/Win32Os.h"

#include <shlobj.h>

#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

namespace {

const wchar_t* Wide(const String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

[[noreturn]] void CannotOpen(const String& path, DWORD code)
{
    throw EAppError(u"Cannot open file \"" + path + u"\". " + SystemErrorText(code));
}

[[noreturn]] void CannotCreate(const String& path, DWORD code)
{
    throw EAppError(u"Cannot create file \"" + path + u"\". " + SystemErrorText(code));
}

// A temporary file of a save is named after its target: the target's name, ".~qv", four
// hexadecimal digits and ".tmp", in the target's folder. A name too long for that is cut short,
// so that the temporary name fits in one path component as the target's does.
constexpr char16_t TemporaryMark[] = u".~qv";
constexpr char16_t TemporaryEnd[] = u".tmp";
constexpr size_t TemporaryDigits = 4;
constexpr size_t LongestComponent = 255;
constexpr size_t TemporaryStemLength = LongestComponent - (std::size(TemporaryMark) - 1) - TemporaryDigits -
                                       (std::size(TemporaryEnd) - 1);

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

size_t NameStart(StringView path)
{
    const size_t separator = path.find_last_of(u"\\/");
    return separator == StringView::npos ? 0 : separator + 1;
}

// The part of a target's name that its temporary names begin with; never half a surrogate pair.
StringView TemporaryStem(StringView targetName)
{
    size_t length = std::min(targetName.size(), TemporaryStemLength);
    if (length < targetName.size() && length > 0 && targetName[length - 1] >= 0xD800 && targetName[length - 1] < 0xDC00)
        --length;
    return targetName.substr(0, length);
}

// The temporary files of a save of target: their folder and the start of their names.
String TemporaryPrefix(const String& target)
{
    const size_t nameStart = NameStart(target);
    return target.substr(0, nameStart) + String(TemporaryStem(StringView(target).substr(nameStart))) + TemporaryMark;
}

String TemporaryPath(const String& target, std::uint32_t number)
{
    String path = TemporaryPrefix(target);
    for (int shift = 4 * static_cast<int>(TemporaryDigits - 1); shift >= 0; shift -= 4)
        path += u"0123456789ABCDEF"[(number >> shift) & 0xF];
    return path + TemporaryEnd;
}

// Whether the file name is that of a temporary file of a save of a target of that name.
bool IsTemporaryOf(StringView name, StringView targetName)
{
    const StringView stem = TemporaryStem(targetName), mark(TemporaryMark), end(TemporaryEnd);
    if (name.size() != stem.size() + mark.size() + TemporaryDigits + end.size())
        return false;
    const auto sameText = [](StringView a, StringView b) {
        return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                    reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                                    TRUE) == CSTR_EQUAL;
    };
    const StringView digits = name.substr(stem.size() + mark.size(), TemporaryDigits);
    return sameText(name.substr(0, stem.size()), stem) && sameText(name.substr(stem.size(), mark.size()), mark) &&
           std::all_of(digits.begin(), digits.end(),
                       [](char16_t c) {
                           return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
                       }) &&
           sameText(name.substr(name.size() - end.size()), end);
}

bool IsAbsoluteDrivePath(StringView path)
{
    return path.size() >= 3 && ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
           path[1] == u':' && IsSeparator(path[2]);
}

// \\server\share\..., but not the device and extended-length forms \\.\ and \\?\.
bool IsUncPath(StringView path)
{
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]) &&
           !((path[2] == u'.' || path[2] == u'?') && (path.size() == 3 || IsSeparator(path[3])));
}

bool IsExtendedLength(StringView path) { return path.substr(0, 4) == StringView(u"\\\\?\\"); }

// The path a save works with. A temporary name beside a target that the system takes can pass
// MAX_PATH, so an absolute target is used in the extended-length form, which has no such limit;
// that form skips the system's own clean-up of a path (separators, "." and ".."), so the path
// is made full first. Any other target (one already in that form among them) stands as it is.
String SavePath(const String& target)
{
    const bool drive = IsAbsoluteDrivePath(target);
    if (!drive && !IsUncPath(target))
        return target;
    // What the system cannot take in the usual form, a user could not open either.
    if (target.size() >= MAX_PATH)
        CannotCreate(target, ERROR_FILENAME_EXCED_RANGE);
    wchar_t full[MAX_PATH] = L"";
    const DWORD length = GetFullPathNameW(Wide(target), MAX_PATH, full, nullptr);
    if (length == 0)
        CannotCreate(target, GetLastError());
    if (length >= MAX_PATH)
        CannotCreate(target, ERROR_FILENAME_EXCED_RANGE);
    const String path = FromW(full);
    return drive ? u"\\\\?\\" + path : u"\\\\?\\UNC\\" + path.substr(2);
}

// Removes what killed saves of target left behind. What cannot go now (another save has it
// open) goes another time.
void RemoveLeftTemporaries(const String& target)
{
    const size_t nameStart = NameStart(target);
    const String folder = target.substr(0, nameStart);
    const String targetName = target.substr(nameStart);
    const String pattern = TemporaryPrefix(target) + u"*" + TemporaryEnd;
    WIN32_FIND_DATAW found{};
    const UniqueFind search(FindFirstFileW(Wide(pattern), &found));
    if (!search)
        return;
    do {
        const String name = FromW(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryOf(name, targetName))
            DeleteFileW(Wide(folder + name));
    } while (FindNextFileW(search.get(), &found));
}

// Creates the temporary file of a save under a name that no file has; errors are those of target.
std::pair<String, HANDLE> CreateTemporary(const String& target, const String& savePath)
{
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uint32_t number = static_cast<std::uint32_t>(counter.QuadPart) ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 100; ++attempt, number = number * 1664525u + 1013904223u) {
        String path = TemporaryPath(savePath, number);
        // In the usual form the name must fit where the target does: a path the system cannot
        // take is the target's error, and nothing has been touched.
        if (!IsExtendedLength(path) && path.size() >= MAX_PATH)
            CannotCreate(target, ERROR_FILENAME_EXCED_RANGE);
        HANDLE handle = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return {std::move(path), handle};
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)
            CannotCreate(target, code);
    }
    CannotCreate(target, ERROR_FILE_EXISTS);
}

// The temporary file of one save, deleted unless it became the target.
class TemporaryFile {
public:
    explicit TemporaryFile(std::pair<String, HANDLE> created)
        : path_(std::move(created.first)), file_(created.second)
    {
    }
    ~TemporaryFile()
    {
        file_.reset();
        if (!kept_)
            DeleteFileW(Wide(path_));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const String& Path() const { return path_; }
    HANDLE Handle() const { return file_.get(); }
    // False when the system reports a failure at the close.
    bool Close() { return CloseHandle(file_.release()) != FALSE; }
    void Keep() { kept_ = true; }

private:
    String path_;
    UniqueKernelHandle file_;
    bool kept_ = false;
};

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
    const String savePath = SavePath(target);
    TemporaryFile temporary(CreateTemporary(target, savePath));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, ChunkBytes));
        DWORD written = 0;
        if (!WriteFile(temporary.Handle(), bytes.data() + done, wanted, &written, nullptr) || written == 0)
            CannotCreate(target, GetLastError());
        done += written;
    }
    // On the disk before the rename, so the rename never exposes a file still in the cache.
    if (!FlushFileBuffers(temporary.Handle()))
        CannotCreate(target, GetLastError());
    // A network file system may report a failed write only at the close.
    if (!temporary.Close())
        CannotCreate(target, GetLastError());
    if (!MoveFileExW(Wide(temporary.Path()), Wide(savePath), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        CannotCreate(target, GetLastError());
    temporary.Keep();
    RemoveLeftTemporaries(savePath);
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
