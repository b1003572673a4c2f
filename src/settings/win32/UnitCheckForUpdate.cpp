#include "settings/win32/UnitCheckForUpdate.h"

#include <bcrypt.h>
#include <winhttp.h>

#include <thread>

#include "core/Globals.h"
#include "core/Version.h"
#include "settings/Settings.h"
#include "ui/Handles.h"
#include "ui/WinText.h"

namespace {
struct InternetDeleter {
    static HINTERNET Invalid() { return nullptr; }
    static void Free(HINTERNET h) { WinHttpCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<HINTERNET, InternetDeleter>;

String EnvironmentValue(StringView name)
{
    std::wstring variable = ToW(name);
    DWORD size = GetEnvironmentVariableW(variable.c_str(), nullptr, 0);
    if (size == 0)
        return String();
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(variable.c_str(), value.data(), size));
    return FromW(value);
}
} // namespace

namespace {
// A GET sent and its reply's headers received: the request to read the body from, and the
// reply's status; nothing when no reply came.
struct TAnsweredRequest {
    UniqueInternet Session;
    UniqueInternet Connection;
    UniqueInternet Request;
    DWORD Status = 0;
};

std::optional<TAnsweredRequest> SendGet(StringView address)
{
    std::wstring url = ToW(address);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return std::nullopt;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    TAnsweredRequest answered;
    answered.Session.reset(
        WinHttpOpen(L"Quorvane/" QV_VERSION_TEXT, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!answered.Session)
        return std::nullopt;
    answered.Connection.reset(WinHttpConnect(answered.Session.get(), host.c_str(), parts.nPort, 0));
    if (!answered.Connection)
        return std::nullopt;
    LPCWSTR acceptTypes[] = {L"text/html, */*", nullptr};
    answered.Request.reset(WinHttpOpenRequest(answered.Connection.get(), L"GET", path.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, acceptTypes,
                                              parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    HINTERNET request = answered.Request.get();
    if (!request)
        return std::nullopt;
    // A redirect would let the reply choose where the program goes; it counts as a failure.
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    DWORD size = sizeof(answered.Status);
    if (!WinHttpSetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof(noRedirects)) ||
        !WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr) ||
        !WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &answered.Status, &size, WINHTTP_NO_HEADER_INDEX))
        return std::nullopt;
    return answered;
}
} // namespace

std::optional<std::string> TWinHttpClient::Get(StringView address, std::size_t maxBytes)
{
    std::optional<TAnsweredRequest> answered = SendGet(address);
    if (!answered || answered->Status != HTTP_STATUS_OK)
        return std::nullopt;
    std::string body;
    char buffer[512];
    for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(answered->Request.get(), buffer, sizeof(buffer), &read))
            return std::nullopt;
        if (read == 0)
            return body;
        body.append(buffer, read);
        if (body.size() > maxBytes)
            return std::nullopt;
    }
}

bool TWinHttpClient::Send(StringView address)
{
    std::optional<TAnsweredRequest> answered = SendGet(address);
    return answered && answered->Status >= 200 && answered->Status <= 299;
}

TCheckForUpdate::TCheckForUpdate(HWND mainWindow, TUpdateAddresses addresses)
    : mainWindow_(mainWindow), addresses_(std::move(addresses))
{
}

void TCheckForUpdate::Start(HWND mainWindow)
{
    try {
        auto check =
            std::make_unique<TCheckForUpdate>(mainWindow, UpdateAddresses(EnvironmentValue(UpdateServerVariable)));
        std::thread([check = std::move(check)] { check->Execute(); }).detach();
    } catch (const std::exception&) {
        // Without a thread there is no check in this run; like every failure of it, silent.
    }
}

void TCheckForUpdate::Execute()
{
    try {
        RunUpdateCheck(*this, addresses_);
    } catch (...) {
        // Nothing of the check may reach the user or end the program.
    }
}

std::unique_ptr<IRegistryKey> TCheckForUpdate::OpenSettingsKey(bool create)
{
    return registry_.OpenKey(SettingsKey, create);
}

String TCheckForUpdate::Md5Hex(StringView text) { return text_.Md5Hex(text); }

std::vector<std::uint8_t> TCheckForUpdate::RandomBytes(std::size_t count)
{
    std::vector<std::uint8_t> bytes(count);
    if (BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(count), BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
        bytes.clear();
    return bytes;
}

void TCheckForUpdate::PostUpdateAvailable() { PostMessageW(mainWindow_, UM_USERMSG, UserMsgUpdateAvailable, 0); }
