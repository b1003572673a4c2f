// The tests' fake update server (FakeUpdateServer.py under the machine's python3), started from a
// Windows test program under Wine and stopped by its PID.
#pragma once

#include <string>
#include <vector>

// A loopback port that nothing listens on: every test start of the program or of the in-process
// windows points the update check here unless the test starts a fake server.
constexpr wchar_t ClosedUpdateServer[] = L"http://127.0.0.1:1";

// Points the update checks started from now on (in this process and in programs it starts) at
// server; nullptr points them at the closed port.
void SetUpdateServerVariable(const wchar_t* server);

class FakeUpdateServer {
public:
    // Answers of the check and the report: newer, same, lower, crlf, lowercase, empty, notfound,
    // error, redirect, long, drop, ok, okpage (a 200 with a long page), created (201), nocontent
    // (204). Throws when the server does not come up.
    explicit FakeUpdateServer(const std::string& check, const std::string& report = "ok");
    ~FakeUpdateServer();
    FakeUpdateServer(const FakeUpdateServer&) = delete;
    FakeUpdateServer& operator=(const FakeUpdateServer&) = delete;

    // "http://127.0.0.1:PORT".
    std::wstring Address() const;
    // Every request so far: its request line first, then its header lines.
    std::vector<std::vector<std::string>> Requests() const;
    // Waits until at least count requests came; false when the time ran out.
    bool WaitForRequests(size_t count, int timeoutMs = 10000) const;

private:
    std::wstring portFile_;
    std::wstring logFile_;
    int port_ = 0;
    int pid_ = 0;
};

// The value of one header of a logged request ("" when it has none, "<2>" when it has two).
std::string HeaderValue(const std::vector<std::string>& request, const std::string& name);
