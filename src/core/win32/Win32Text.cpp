// Texts as the user's locale and the system's code pages see them.
#include "core/win32/Win32Os.h"

#include <bcrypt.h>

#include "ui/Handles.h"
#include "ui/WinText.h"

int TWin32TextServices::CompareText(StringView a, StringView b)
{
    std::wstring wa = ToW(a), wb = ToW(b);
    return CompareStringW(LOCALE_USER_DEFAULT, 0, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) - CSTR_EQUAL;
}

String TWin32TextServices::AnsiToText(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty())
        return String();
    const char* text = reinterpret_cast<const char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text, size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, size, wide.data(), length);
    return FromW(wide);
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

String TWin32TextServices::Md5Hex(StringView text)
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

namespace {
template <class Format>
String LocaleText(Format format)
{
    wchar_t text[128] = L"";
    return format(text, 128) > 0 ? FromW(text) : String();
}
} // namespace

TDateTimeText TWin32TextServices::CurrentDateTimeText()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    TDateTimeText out;
    out.Date = LocaleText([&](wchar_t* text, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, size);
    });
    out.Time = LocaleText(
        [&](wchar_t* text, int size) { return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, text, size); });
    return out;
}

