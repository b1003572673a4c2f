#include "core/Win32Os.h"

#include <bcrypt.h>
#include <shellapi.h>
#include <shlobj.h>

#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

int TWin32Os::CompareText(StringView a, StringView b)
{
    std::wstring wa = ToW(a), wb = ToW(b);
    return CompareStringW(LOCALE_USER_DEFAULT, 0, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) - CSTR_EQUAL;
}

namespace {
struct AlgorithmDeleter {
    static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
    static void Free(BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct HashDeleter {
    static BCRYPT_HASH_HANDLE Invalid() { return nullptr; }
    static void Free(BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }
};
} // namespace

String Md5HexOfText(StringView text)
{
    // The text's US-ASCII bytes: anything outside it becomes what the code page maps it to.
    std::wstring wide = ToW(text);
    std::string bytes;
    if (!wide.empty()) {
        int size = WideCharToMultiByte(20127, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                       nullptr);
        bytes.resize(static_cast<size_t>(size));
        WideCharToMultiByte(20127, 0, wide.c_str(), static_cast<int>(wide.size()), bytes.data(), size, nullptr,
                            nullptr);
    }
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0) != 0)
        throw EAppError(u"MD5 is not available");
    UniqueHandle<BCRYPT_ALG_HANDLE, AlgorithmDeleter> ownedAlgorithm(algorithm);
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) != 0)
        throw EAppError(u"MD5 is not available");
    UniqueHandle<BCRYPT_HASH_HANDLE, HashDeleter> ownedHash(hash);
    unsigned char digest[16]{};
    if (BCryptHashData(hash, reinterpret_cast<PUCHAR>(bytes.data()), static_cast<ULONG>(bytes.size()), 0) != 0 ||
        BCryptFinishHash(hash, digest, sizeof(digest), 0) != 0)
        throw EAppError(u"MD5 failed");
    static const char16_t hex[] = u"0123456789ABCDEF";
    String out;
    for (unsigned char b : digest) {
        out += hex[b >> 4];
        out += hex[b & 15];
    }
    return out;
}

String TWin32Os::Md5Hex(StringView text) { return Md5HexOfText(text); }

int TWin32Os::MessageDialog(StringView text, StringView caption, int flags)
{
    return Application->MessageDialog(text, caption, flags);
}

std::uintptr_t TWin32Os::StartProgram(StringView commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.dwFlags |= STARTF_FORCEONFEEDBACK;
    std::wstring line = ToW(commandLine); // CreateProcessW may write into it
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0;
    CloseHandle(process.hThread);
    return reinterpret_cast<std::uintptr_t>(process.hProcess);
}

void TWin32Os::ShellOpen(std::uintptr_t owner, StringView target, int showCommand)
{
    ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, ToW(target).c_str(), nullptr, nullptr, showCommand);
}

String TWin32Os::SpecialFolderPath(int csidl)
{
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(Application ? Application->Handle() : nullptr, csidl, &list)) || !list)
        return String();
    wchar_t path[MAX_PATH] = L"";
    BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? FromW(path) : String();
}

