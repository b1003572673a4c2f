// The user's web browser, behind a small interface so tests see the page it would open instead
// of starting a browser.
#pragma once

#include "core/Text.h"

class IUserBrowser {
public:
    virtual ~IUserBrowser() = default;
    virtual void OpenWebPage(StringView address) = 0;
};

// The browser in use; the Win32 shell or a test installs it before anything calls UserBrowser().
IUserBrowser& UserBrowser();
void SetUserBrowser(IUserBrowser* browser);
