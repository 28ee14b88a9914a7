#include "platform/data_batch.h"

#include "platform/data_store.h"

namespace ce {

// The store's lock is held from the start of the batch to its end, so that
// no other thread's write falls into it.
DataBatch::DataBatch() {
  detail::DataStoreLock().lock();
  detail::OpenDataStore()->BeginBatch();
}

DataBatch::~DataBatch() { Commit(); }

DWORD DataBatch::Commit() {
  if (!open_) return ERROR_SUCCESS;
  open_ = false;
  DWORD error = detail::OpenDataStore()->EndBatch();
  detail::DataStoreLock().unlock();
  return error;
}

}  // namespace ce
