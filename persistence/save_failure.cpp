#include "persistence/save_failure.h"

#include "platform/window.h"

namespace {

bool g_reported = false;

}  // namespace

void ReportSaveFailure() {
  if (g_reported) return;
  g_reported = true;
  ce::MessageBoxW(ce::GetForegroundWindow(),
                  u"Settings and scores could not be saved: the disk is full or cannot be "
                  u"written.",
                  u"Error", ce::MB_OK | ce::MB_ICONSTOP);
}

void ResetSaveFailureReport() { g_reported = false; }
