// A key of HKEY_CURRENT_USER, open for as long as this object lives.
#pragma once

#include <windows.h>

#include <memory>

#include "core/RegistryKey.h"

class TWin32RegistryKey : public IRegistryKey {
public:
    // Opens the key, creating it when asked; null when it can be neither opened nor created.
    static std::unique_ptr<TWin32RegistryKey> Open(StringView path, bool create);
    ~TWin32RegistryKey() override;
    TWin32RegistryKey(const TWin32RegistryKey&) = delete;
    TWin32RegistryKey& operator=(const TWin32RegistryKey&) = delete;

    TRegistryValue Read(StringView name) override;
    bool WriteInteger(StringView name, std::int32_t value) override;
    bool WriteText(StringView name, StringView value) override;

private:
    explicit TWin32RegistryKey(HKEY key) : key_(key) {}
    HKEY key_;
};
