#pragma once

// Resource identifiers of ravo2.exe, shared by app/ravo2.rc and the windows. Plain macros: the
// resource compiler reads this file too.
#define RAVO2_PROGRAM_ICON 1
