// A save that could not be written (the disk is full, or the data file
// cannot grow or be written) is told to the player once per run, in a
// message box; the game goes on with what it holds in memory.
#pragma once

// Shows the message unless it was shown before in this run.
void ReportSaveFailure();
// A new run: the next failure is told again.
void ResetSaveFailureReport();
