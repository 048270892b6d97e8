// Resource ids, shared by the resource script and the code (so plain
// macros: windres reads this too).
#pragma once

#define TAVLINAR_ICON 1
