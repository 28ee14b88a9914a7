// Writes that belong together. The registry and object-store writes made on
// this thread between BeginStoreWrites and EndStoreWrites reach the data file
// together, in one durable transaction, or not at all: a save that fails
// part-way leaves the previous data whole. Groups may nest; the outermost
// one decides.
#pragma once

#include "platform/types.h"

namespace ce {

void BeginStoreWrites();
// ERROR_SUCCESS when every write of the group was kept; otherwise the error
// of the first that failed (ERROR_DISK_FULL when the file is full or cannot
// be written), and none was kept. Once a write has failed, the later ones
// of the group fail at once with the same error.
DWORD EndStoreWrites();

}  // namespace ce
