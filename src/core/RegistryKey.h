// One open registry key, owned by whoever opened it: a second thread opens its own key instead of
// sharing the settings' one.
#pragma once

#include <cstdint>

#include "core/OsServices.h"
#include "core/Text.h"

class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    virtual TRegistryValue Read(StringView name) = 0;
    // False when the value cannot be written.
    virtual bool WriteInteger(StringView name, std::int32_t value) = 0;
    virtual bool WriteText(StringView name, StringView value) = 0;
};
