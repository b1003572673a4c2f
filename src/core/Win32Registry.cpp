// The registry and ANSI-text services of the OS interface.
#include "core/Win32Os.h"

#include "ui/WinText.h"

TWin32Os::~TWin32Os() { CloseRegistryKey(); }

bool TWin32Os::OpenRegistryKey(StringView path, bool create)
{
    CloseRegistryKey();
    std::wstring key = ToW(path);
    LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                              KEY_READ | KEY_WRITE, nullptr, &registryKey_, nullptr)
                            : RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &registryKey_);
    if (status != ERROR_SUCCESS)
        registryKey_ = nullptr;
    return registryKey_ != nullptr;
}

TRegistryValue TWin32Os::ReadRegistryValue(StringView name)
{
    TRegistryValue value;
    if (!registryKey_)
        return value;
    std::wstring valueName = ToW(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(registryKey_, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (RegQueryValueExW(registryKey_, valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
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

bool TWin32Os::WriteRegistryInteger(StringView name, std::int32_t value)
{
    DWORD number = static_cast<DWORD>(value);
    return registryKey_ && RegSetValueExW(registryKey_, ToW(name).c_str(), 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&number), sizeof(number)) == ERROR_SUCCESS;
}

bool TWin32Os::WriteRegistryText(StringView name, StringView value)
{
    std::wstring text = ToW(value);
    return registryKey_ &&
           RegSetValueExW(registryKey_, ToW(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void TWin32Os::CloseRegistryKey()
{
    if (registryKey_)
        RegCloseKey(registryKey_);
    registryKey_ = nullptr;
}

String TWin32Os::AnsiToText(const std::vector<std::uint8_t>& bytes)
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
