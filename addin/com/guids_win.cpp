// The one definition of the library's GUIDs, from the IDL that fixes them.
#include <initguid.h>

#include "tavlin_com_h.h"
