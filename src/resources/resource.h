// Resource ids of the program.
#pragma once

#define IDI_QUORVANE 1

// The menu bar's background: left cap, stretched middle, right cap.
#define IDB_BARLEFT 101
#define IDB_BARMIDDLE 102
#define IDB_BARRIGHT 103

// The built-in language table: its lines as UTF-8 text with a byte-order mark.
#define IDR_LANGUAGETABLE 201
