// Resource identifiers shared by the .rc script and the code.
#pragma once

#define IDI_INKWARDEN 1
#define IDB_TITLE_100 201
#define IDB_TITLE_150 202
#define IDB_TITLE_200 203
