#include "core/WebBrowser.h"

#include <stdexcept>

namespace {
IWebBrowser* CurrentBrowser = nullptr;
}

IWebBrowser& WebBrowser()
{
    if (!CurrentBrowser)
        throw std::logic_error("no web browser installed");
    return *CurrentBrowser;
}

void SetWebBrowser(IWebBrowser* browser) { CurrentBrowser = browser; }
