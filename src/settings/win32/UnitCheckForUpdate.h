// The update check's thread and the system's HTTP client it asks with.
#pragma once

#include <windows.h>

#include "core/win32/Win32Os.h"
#include "settings/UpdateCheck.h"

// WinHTTP: the product's user agent, the accept list "text/html, */*", no redirects followed.
class TWinHttpClient : public IHttpClient {
public:
    std::optional<std::string> Get(StringView address, std::size_t maxBytes) override;
    bool Send(StringView address) override;
};

// One run of the update check on a thread of its own. It shares nothing with the GUI thread:
// its own HTTP client, registry and text services, its own registry key, and the main window's
// handle, posted to once.
class TCheckForUpdate : public IUpdateCheckSystem {
public:
    TCheckForUpdate(HWND mainWindow, TUpdateAddresses addresses);

    // Starts a thread that runs the check once and frees it; the addresses follow
    // QUORVANE_UPDATE_SERVER as it is now. Nobody waits for it or stops it.
    static void Start(HWND mainWindow);

    // The thread body: the check, with every failure and exception ending it silently.
    void Execute();

    IHttpClient& Http() override { return IdHTTP1; }
    std::unique_ptr<IRegistryKey> OpenSettingsKey(bool create) override;
    String Md5Hex(StringView text) override;
    std::vector<std::uint8_t> RandomBytes(std::size_t count) override;
    void PostUpdateAvailable() override;

private:
    HWND mainWindow_;
    TUpdateAddresses addresses_;
    TWinHttpClient IdHTTP1;
    TWin32Registry registry_;
    TWin32TextServices text_;
};
