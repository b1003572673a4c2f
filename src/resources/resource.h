// Resource ids of the program.
#pragma once

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
