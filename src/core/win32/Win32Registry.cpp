// The registry of the current user.
#include "core/win32/Win32Os.h"

#include <cstring>
#include <vector>

#include "ui/WinText.h"

namespace {
class TWin32RegistryKey : public IRegistryKey {
public:
    explicit TWin32RegistryKey(HKEY key) : key_(key) {}
    ~TWin32RegistryKey() override { RegCloseKey(key_); }
    TWin32RegistryKey(const TWin32RegistryKey&) = delete;
    TWin32RegistryKey& operator=(const TWin32RegistryKey&) = delete;

    TRegistryValue Read(StringView name) override;
    bool WriteInteger(StringView name, std::int32_t value) override;
    bool WriteText(StringView name, StringView value) override;

private:
    HKEY key_;
};
} // namespace

std::unique_ptr<IRegistryKey> TWin32Registry::OpenKey(StringView path, bool create)
{
    std::wstring name = ToW(path);
    HKEY key = nullptr;
    LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                              nullptr, &key, nullptr)
                            : RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<TWin32RegistryKey>(key);
}

TRegistryValue TWin32RegistryKey::Read(StringView name)
{
    TRegistryValue value;
    std::wstring valueName = ToW(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        value.Type = TRegistryType::Other;
        return value;
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        value.Type = TRegistryType::Integer;
        DWORD number = 0;
        memcpy(&number, data.data(), sizeof(number));
        value.Integer = static_cast<std::int32_t>(number);
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.Type = TRegistryType::Text;
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        value.Text = FromW(text.c_str()); // up to the first terminating zero
    } else {
        value.Type = TRegistryType::Other;
    }
    return value;
}

bool TWin32RegistryKey::WriteInteger(StringView name, std::int32_t value)
{
    DWORD number = static_cast<DWORD>(value);
    return RegSetValueExW(key_, ToW(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof(number)) == ERROR_SUCCESS;
}

bool TWin32RegistryKey::WriteText(StringView name, StringView value)
{
    std::wstring text = ToW(value);
    return RegSetValueExW(key_, ToW(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
