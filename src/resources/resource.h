// Resource ids of the program.
#pragma once

#define IDI_QUORVANE 1
