// Time: the tick count in milliseconds, and sleeping.
#pragma once

#include "platform/types.h"

namespace ce {

// Milliseconds since an arbitrary start; wraps at 2^32. Headless, a
// virtual clock that only the run itself advances.
DWORD GetTickCount();
void Sleep(DWORD ms);

}  // namespace ce
