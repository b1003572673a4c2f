// The update check: once per start, one question to the update server carrying the installation
// identifier, a reply verified by its MD5 digest, a one-time report, and a notice to the main
// window when a newer version is advertised. Every failure is silent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/HttpClient.h"
#include "core/OsServices.h"
#include "core/Text.h"

constexpr char16_t UpdateServer[] = u"https://www.quorvane.com";
constexpr char16_t UpdateCheckPath[] = u"/update/check";
constexpr char16_t UpdateReportPath[] = u"/update/report";
constexpr char16_t UpdateQueryParameter[] = u"id";
// The environment variable that points both addresses at a test server on this machine.
constexpr char16_t UpdateServerVariable[] = u"QUORVANE_UPDATE_SERVER";
// Values in the settings key.
constexpr char16_t InstallationIdValue[] = u"InstallationId";
constexpr char16_t UpdateReportedValue[] = u"UpdateReported";
// A verified reply has 38 characters; anything much longer is not one.
constexpr std::size_t UpdateReplyMaxBytes = 256;
constexpr std::size_t InstallationIdBytes = 16;

struct TUpdateAddresses {
    String Check;
    String Report;
};

// The two addresses on the real server, or on serverOverride when that is "http://127.0.0.1" or
// "http://localhost" with an optional port and nothing else (no user, no path): the only
// servers that may replace the real one.
TUpdateAddresses UpdateAddresses(StringView serverOverride);

// The status code of a reply that passes the digest test: the body is the code's 6 characters
// followed by md5Hex of them and nothing else. Nothing for every other body.
std::optional<String> VerifiedStatusCode(const std::string& body, const std::function<String(StringView)>& md5Hex);
// Whether a status code sorts after "[1000]", comparing 16-bit code values one by one.
bool AdvertisesNewerVersion(StringView statusCode);

// 32 upper-case hexadecimal digits of 16 random bytes; nothing about the user or the machine.
String InstallationIdText(const std::vector<std::uint8_t>& randomBytes);
bool IsInstallationId(StringView text);

// What one run of the update check asks of the system; it runs on a thread of its own, so each
// of these is the thread's own or safe to call from any thread.
class IUpdateCheckSystem {
public:
    virtual ~IUpdateCheckSystem() = default;
    virtual IHttpClient& Http() = 0;
    // The settings key, opened for this run alone (created when asked); null when it cannot be.
    virtual std::unique_ptr<IRegistryKey> OpenSettingsKey(bool create) = 0;
    virtual String Md5Hex(StringView text) = 0;
    // Bytes of the system's cryptographic random generator; fewer than asked when it fails.
    virtual std::vector<std::uint8_t> RandomBytes(std::size_t count) = 0;
    // Tells the main window that a newer version is advertised.
    virtual void PostUpdateAvailable() = 0;
};

// One run: the question, the digest test, the one-time report (its marker written first) and
// the notice.
void RunUpdateCheck(IUpdateCheckSystem& system, const TUpdateAddresses& addresses);
