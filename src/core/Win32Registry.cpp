// The registry and ANSI-text services of the OS interface.
#include "core/Win32Os.h"

#include "ui/WinText.h"

bool TWin32Os::OpenRegistryKey(StringView path, bool create)
{
    registryKey_ = TWin32RegistryKey::Open(path, create);
    return registryKey_ != nullptr;
}

TRegistryValue TWin32Os::ReadRegistryValue(StringView name)
{
    return registryKey_ ? registryKey_->Read(name) : TRegistryValue{};
}

bool TWin32Os::WriteRegistryInteger(StringView name, std::int32_t value)
{
    return registryKey_ && registryKey_->WriteInteger(name, value);
}

bool TWin32Os::WriteRegistryText(StringView name, StringView value)
{
    return registryKey_ && registryKey_->WriteText(name, value);
}

void TWin32Os::CloseRegistryKey() { registryKey_.reset(); }

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
