#pragma once

// corvane-calc orient and freestation: every row is a sighting of one
// station setup, so the answers come once the last row is read (the rows
// of every input in turn, or the values, one row each).
//
// Each row is read as it comes, by the reader of every mode: a row that
// does not read, or names a point the control file does not hold (or holds
// twice), is an error in its place, on standard error at once
// ("corvane-calc: SOURCE:LINE: ..."), and takes no part in the setup. Then
// the setup is worked out from the rows that read, and the output written
// line for line, as in the other modes: blank lines, comments and a header
// copied in place, error lines in place, each sighting's row answered in
// its place. orient answers NAME RESIDUAL LINEAR (seconds, millimetres)
// and writes the orientation on standard error before them
// ("corvane-calc: orientation A"); freestation writes first the station
// row, STATION X Y ORIENTATION MX MY (MX, MY in millimetres; --name names
// it), then answers NAME V_READING V_DISTANCE (seconds, millimetres; an
// empty field without a distance). With --header the comment line holds
// the setup, and the header row names the rows' answers.
//
// A setup the sightings do not fix (too few, a station on the danger
// circle, ...) is one line on standard error, "corvane-calc: no
// orientation: WHY" or "no station: WHY", and every sighting's row is
// answered "ERROR: NAME: no orientation: WHY" (freestation's station row
// "ERROR: no station: WHY"). At most kMostSightings rows are sightings: a
// free station by directions alone costs n^3/6 steps to start, a second for
// a thousand; later rows are errors in place.
//
// Exit status as in every mode: 0 all answered, 1 a row failed or there is
// no setup, 2 an input that cannot be opened or read or whose encoding is
// refused (nothing is answered then: a setup without some of its rows is
// not the one asked for), or output that cannot be written.

#include <cstddef>

#include "cli/options.h"

namespace calc {

inline constexpr std::size_t kMostSightings = 1000;

// Reads, works out and answers the setup `options` ask for; writes to
// `outFd` and `errFd` and returns the exit status.
int RunSetup(const Options& options, int outFd, int errFd);

}  // namespace calc
