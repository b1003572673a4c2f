#include "core/UserBrowser.h"

#include <stdexcept>

namespace {
IUserBrowser* CurrentBrowser = nullptr;
}

IUserBrowser& UserBrowser()
{
    if (!CurrentBrowser)
        throw std::logic_error("no browser installed");
    return *CurrentBrowser;
}

void SetUserBrowser(IUserBrowser* browser) { CurrentBrowser = browser; }
