// The user's browser through the shell: the default verb on the page's address.
#pragma once

#include "core/UserBrowser.h"

class TShellUserBrowser : public IUserBrowser {
public:
    void OpenWebPage(StringView address) override;
};
