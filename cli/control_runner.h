#pragma once

// corvane-calc traverse and level: every row is an observation of one
// line, so the table comes once the last row is read (the rows of every
// input in turn, or the values, one row each).
//
// Each row is read as it comes, by the reader of every mode; a row that
// does not read is an error in its place and on standard error at once
// ("corvane-calc: SOURCE:LINE: ..."). Then the line is made of the rows
// and the known points of the --control file (reader/control/), computed,
// and the output written line for line (control_answer.h): blank lines,
// comments and a header copied in place, each station's (point's) row in
// its place, the CLOSURE line last. --points writes only the new points,
// and the CLOSURE line to standard error. A traverse without orientation
// tells its scale and rotation on standard error, the rigorous adjustment
// its sigma0 and weakest point.
//
// A line the rows do not make (a row that does not read, an unknown name,
// fewer than two legs, a negative distance, ...) is one line on standard
// error, "corvane-calc: no traverse: WHY" ("no levelling line: WHY"), and
// every row that read is answered "ERROR: NAME: no traverse: WHY".
//
// Exit status: 0 the table is within its limits, 1 a closure exceeds its
// limit (the table is written all the same, the CLOSURE line marked), 2
// the line cannot be made, the control file or an input cannot be opened
// or read, or the output cannot be written.

#include "cli/options.h"

namespace calc {

// Reads, computes and answers the line `options` ask for; writes to
// `outFd` and `errFd` and returns the exit status.
int RunControl(const Options& options, int outFd, int errFd);

}  // namespace calc
