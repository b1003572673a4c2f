// A font object: the GDI font and the description it was made from, so others can copy it.
#pragma once

#include <windows.h>

#include "ui/Handles.h"

struct TFont {
    LOGFONTW Description{};
    UniqueGdiObject Handle;

    void Assign(const LOGFONTW& description)
    {
        Description = description;
        Handle.reset(CreateFontIndirectW(&Description));
    }
    HFONT Get() const { return static_cast<HFONT>(Handle.get()); }
};
