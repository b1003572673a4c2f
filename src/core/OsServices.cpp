#include "core/OsServices.h"

#include <stdexcept>

namespace {
IOsServices* CurrentServices = nullptr;
}

IOsServices& Os()
{
    if (!CurrentServices)
        throw std::logic_error("no OS services installed");
    return *CurrentServices;
}

void SetOsServices(IOsServices* services) { CurrentServices = services; }
