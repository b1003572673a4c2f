#include "FakeUpdateServer.h"

#include <windows.h>

#include <cstring>

#include <fstream>
#include <functional>
#include <stdexcept>

namespace {
// Unix paths: python reads them as they are; Windows reaches them through drive Z:.
const std::string ServerScript = QV_SOURCE_DIR "/tests/support/FakeUpdateServer.py";
const std::string WorkFolder = QV_BINARY_DIR "/update-server";

// The paths here are all ASCII.
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring WindowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

// Starts a Linux program through Wine; its PID is not the Windows one, so nothing is returned.
// Wine gives no process or thread handle for a Linux program: the handles it returns are
// whatever lay on its stack, often the value of a handle of this program (its standard output
// once, which silenced every later line of the test log). They are never closed.
void StartUnixProgram(const std::string& commandLine)
{
    std::wstring command = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start " + commandLine);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        Sleep(10);
    }
    return true;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
} // namespace

void SetUpdateServerVariable(const wchar_t* server)
{
    SetEnvironmentVariableW(L"QUORVANE_UPDATE_SERVER", server ? server : ClosedUpdateServer);
}

FakeUpdateServer::FakeUpdateServer(const std::string& check, const std::string& report)
{
    static int serial = 0;
    const std::string name = WorkFolder + "/" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    CreateDirectoryW(WindowsPath(WorkFolder).c_str(), nullptr);
    portFile_ = WindowsPath(name + ".port");
    logFile_ = WindowsPath(name + ".log");
    DeleteFileW(portFile_.c_str());
    DeleteFileW(logFile_.c_str());
    StartUnixProgram("Z:\\usr\\bin\\python3 " + ServerScript + " --check " + check + " --report " + report +
                     " --port-file " + name + ".port --log-file " + name + ".log --lifetime 300");
    if (!WaitUntil([this] { return Exists(portFile_); }, 20000))
        throw std::runtime_error("the fake update server did not start");
    std::ifstream file(Narrow(portFile_));
    file >> port_ >> pid_;
    if (port_ <= 0 || pid_ <= 0)
        throw std::runtime_error("the fake update server wrote no port");
}

FakeUpdateServer::~FakeUpdateServer()
{
    try {
        StartUnixProgram("Z:\\usr\\bin\\kill -TERM " + std::to_string(pid_));
        WaitUntil([this] { return !Exists(portFile_); }, 10000);
    } catch (const std::exception&) {
        // The server ends by itself when its lifetime runs out.
    }
}

std::wstring FakeUpdateServer::Address() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }

std::vector<std::vector<std::string>> FakeUpdateServer::Requests() const
{
    std::vector<std::vector<std::string>> requests;
    std::ifstream file(Narrow(logFile_));
    std::vector<std::string> request;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty()) {
            request.push_back(line);
        } else if (!request.empty()) {
            requests.push_back(request);
            request.clear();
        }
    }
    return requests; // a request still being written is left out
}

bool FakeUpdateServer::WaitForRequests(size_t count, int timeoutMs) const
{
    return WaitUntil([this, count] { return Requests().size() >= count; }, timeoutMs);
}

std::string HeaderValue(const std::vector<std::string>& request, const std::string& name)
{
    std::string value;
    int found = 0;
    for (size_t i = 1; i < request.size(); ++i)
        if (request[i].size() > name.size() && request[i][name.size()] == ':' &&
            _strnicmp(request[i].c_str(), name.c_str(), name.size()) == 0) {
            value = request[i].substr(name.size() + 1);
            value.erase(0, value.find_first_not_of(' '));
            ++found;
        }
    return found > 1 ? "<2>" : value;
}
