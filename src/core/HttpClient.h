// An HTTP client of the system, behind a small interface so the update check is tested natively.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/Text.h"

class IHttpClient {
public:
    virtual ~IHttpClient() = default;

    // One GET of an http or https address, redirects not followed. The body when the server
    // answered 200 with at most maxBytes of it; nothing on every other outcome (no connection,
    // another status, a redirect, a longer body, a broken transfer).
    virtual std::optional<std::string> Get(StringView address, std::size_t maxBytes) = 0;
    // One GET whose reply body is not wanted, redirects not followed: true when the server
    // answered with a 2xx status, whatever the body.
    virtual bool Send(StringView address) = 0;
};
