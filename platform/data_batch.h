// Writes to the data file kept together: those made while a DataBatch
// lives (registry values, object-store records) are one transaction, so
// the file is written once for all of them rather than once for each.
#pragma once

#include "platform/types.h"

namespace ce {

class DataBatch {
 public:
  DataBatch();
  // Commits what was not yet committed.
  ~DataBatch();
  DataBatch(const DataBatch&) = delete;
  DataBatch& operator=(const DataBatch&) = delete;

  // Commits the writes made so far and ends the batch: 0, or the error
  // (ERROR_DISK_FULL) when they could not be kept.
  DWORD Commit();

 private:
  bool open_ = true;
};

}  // namespace ce
