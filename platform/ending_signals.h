// The signals that end a run: SIGHUP (the terminal closed), SIGTERM (a
// logout or shutdown), SIGINT and SIGQUIT. Each asks the run to end as
// closing its window does, through the teardown and its saves; a second
// one while the run ends changes nothing.
#pragma once

namespace ce {

// Installs the handlers (none in the browser, whose page has no signals).
void CatchEndingSignals();
// The signal that asked the run to end, or 0.
int EndingSignal();

}  // namespace ce

namespace ce::detail {

// A child process that shows a modal box for this run (0: none); the
// first ending signal ends it, so that no box waits for a click while the
// run ends. Kept in memory shared with the child, which fills it in.
void SetModalChild(int pid);

}  // namespace ce::detail
