#include "core/win32/MainBlock.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunQuorvane(instance); }
