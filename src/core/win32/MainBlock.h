// The program's main block: the five long-lived windows, created in order, and the message loop.
#pragma once

#include <windows.h>

#include <memory>

// Owns the windows and the OS services for as long as the program (or a test) runs.
class TMainBlock {
public:
    explicit TMainBlock(HINSTANCE instance);
    ~TMainBlock();
    TMainBlock(const TMainBlock&) = delete;
    TMainBlock& operator=(const TMainBlock&) = delete;

    void Run();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

int RunQuorvane(HINSTANCE instance);
