// Resource identifiers shared by the .rc script and the code.
#pragma once

#define IDI_INKWARDEN 1
