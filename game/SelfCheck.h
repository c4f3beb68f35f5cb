#ifndef HALVREN_SELF_CHECK_H
#define HALVREN_SELF_CHECK_H

// Loads the level files, checks every map and writes a pass/fail report to the log.
// 0 when every check passed, -1 otherwise.
int runSelfCheck();

#endif
