// Resource ids of the program.
#pragma once

// The program's icon: its windows, the tray and the file.
#define IDI_QUORVANE 1

// The menu bar's background: left cap, stretched middle, right cap.
#define IDB_BARLEFT 101
#define IDB_BARMIDDLE 102
#define IDB_BARRIGHT 103

// The drop-down menu rows: the 19 row icons by node kind, the icon-column picture and the
// scroll arrows.
#define IDB_ROWICONS 104
#define IDB_MENULEFTBAR 105
#define IDB_SCROLLUP 106
#define IDB_SCROLLDOWN 107

// The built-in language table: its lines as UTF-8 text with a byte-order mark.
#define IDR_LANGUAGETABLE 201
