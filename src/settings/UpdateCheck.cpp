#include "settings/UpdateCheck.h"

namespace {
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsUpperHexDigit(char16_t c) { return IsDigit(c) || (c >= u'A' && c <= u'F'); }

// ":" and a port number 1 to 65535, optionally followed by "/"; or only "/"; or nothing.
bool IsPortAndEnd(StringView rest)
{
    if (!rest.empty() && rest.back() == u'/')
        rest.remove_suffix(1);
    if (rest.empty())
        return true;
    if (rest.front() != u':' || rest.size() < 2 || rest.size() > 6)
        return false;
    long port = 0;
    for (char16_t c : rest.substr(1)) {
        if (!IsDigit(c))
            return false;
        port = port * 10 + (c - u'0');
    }
    return port >= 1 && port <= 65535;
}

bool IsLoopbackServer(StringView server)
{
    for (StringView host : {StringView(u"http://127.0.0.1"), StringView(u"http://localhost")})
        if (server.substr(0, host.size()) == host && IsPortAndEnd(server.substr(host.size())))
            return true;
    return false;
}

// The identifier kept in the settings key; one found malformed counts as none.
std::optional<String> KeptInstallationId(IUpdateCheckSystem& system)
{
    std::unique_ptr<IRegistryKey> key = system.OpenSettingsKey(false);
    if (!key)
        return std::nullopt;
    TRegistryValue stored = key->Read(InstallationIdValue);
    if (stored.Type != TRegistryType::Text || !IsInstallationId(stored.Text))
        return std::nullopt;
    return stored.Text;
}

// After a verified reply: keeps a new identifier and, when the report was never sent, writes
// the marker. True when the report is due now. The marker comes before the report, so a failed
// report is never repeated; a marker that cannot be written means no report at all.
bool MarkReportDue(IUpdateCheckSystem& system, StringView id, bool idKept)
{
    std::unique_ptr<IRegistryKey> key = system.OpenSettingsKey(true);
    if (!key)
        return false;
    if (!idKept)
        key->WriteText(InstallationIdValue, id);
    return key->Read(UpdateReportedValue).Type == TRegistryType::Missing && key->WriteInteger(UpdateReportedValue, 1);
}
} // namespace

TUpdateAddresses UpdateAddresses(StringView serverOverride)
{
    StringView server = UpdateServer;
    if (IsLoopbackServer(serverOverride)) {
        server = serverOverride;
        if (server.back() == u'/')
            server.remove_suffix(1);
    }
    return {String(server) + UpdateCheckPath, String(server) + UpdateReportPath};
}

std::optional<String> VerifiedStatusCode(const std::string& body, const std::function<String(StringView)>& md5Hex)
{
    String text;
    for (char byte : body)
        text += static_cast<char16_t>(static_cast<unsigned char>(byte));
    const String code = text.substr(0, 6);
    const String digest = text.size() > 6 ? text.substr(6) : String();
    if (md5Hex(code) != digest)
        return std::nullopt;
    return code;
}

bool AdvertisesNewerVersion(StringView statusCode) { return statusCode > StringView(u"[1000]"); }

String InstallationIdText(const std::vector<std::uint8_t>& randomBytes)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    String text;
    for (std::uint8_t b : randomBytes) {
        text += hex[b >> 4];
        text += hex[b & 15];
    }
    return text;
}

bool IsInstallationId(StringView text)
{
    if (text.size() != InstallationIdBytes * 2)
        return false;
    for (char16_t c : text)
        if (!IsUpperHexDigit(c))
            return false;
    return true;
}

void RunUpdateCheck(IUpdateCheckSystem& system, const TUpdateAddresses& addresses)
{
    std::optional<String> kept = KeptInstallationId(system);
    String id;
    if (kept) {
        id = *kept;
    } else {
        const std::vector<std::uint8_t> random = system.RandomBytes(InstallationIdBytes);
        if (random.size() != InstallationIdBytes)
            return; // without the system's random numbers there is no identifier to send
        id = InstallationIdText(random);
    }
    const String query = u"?" + String(UpdateQueryParameter) + u"=" + id;

    std::optional<std::string> body = system.Http().Get(addresses.Check + query, UpdateReplyMaxBytes);
    if (!body)
        return;
    std::optional<String> code = VerifiedStatusCode(*body, [&system](StringView text) { return system.Md5Hex(text); });
    if (!code)
        return;
    if (MarkReportDue(system, id, kept.has_value()) && !system.Http().Send(addresses.Report + query))
        return; // the report failed: no notice in this run; the next start posts it
    if (AdvertisesNewerVersion(*code))
        system.PostUpdateAvailable();
}
