#pragma once

// corvane-calc fourparam without --apply: every row is a common point of
// one fit, so the answers come once the last row is read (the rows of every
// input in turn, or the values, one row each). First the line PARAMS DX DY
// THETA M SIGMA0 (SIGMA0 "-" with two points), then the lines as they came:
// blank lines, comments and a header copied in place, error lines in
// place, each common point's row answered NAME VX VY (mm) and its mark,
// "over", "out" or "out-over", where it has one (transform_rows.h). With
// --header the job's comment line and the header row NAME VX VY MARK follow
// the PARAMS line.
//
// A row that does not read is an error in its place, on standard error at
// once ("corvane-calc: SOURCE:LINE: ..."), and no common point. Without a
// fit (fewer than two points used, two at one place, a --leave-out name no
// row has) the first line is "ERROR: no fit: WHY", also on standard error,
// and every common point's row "ERROR: NAME: no fit: WHY".
//
// The other transformation modes answer row by row, as forward and inverse
// do (main.cpp). grid with --axis-point writes the azimuth it found on
// standard error first ("corvane-calc: grid azimuth 125.1210").
//
// Exit status as in every mode: 0 all answered, 1 a row failed or there is
// no fit, 2 an input that cannot be opened or read, or output that cannot
// be written.

#include "cli/options.h"

namespace calc {

// Reads, fits and answers the common points `options` ask for; writes to
// `outFd` and `errFd` and returns the exit status.
int RunFit(const Options& options, int outFd, int errFd);

}  // namespace calc
