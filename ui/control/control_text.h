#pragma once

// How the 导线/水准 window writes its numbers, each by the reader's own
// writers (reader/fields) so that its texts are the tool's: lengths and
// coordinates to the millimetre, angles packed (157.0036) on screen and in
// the exports, or with their marks (157°00′36″) on the printed form.

#include <QString>

// `value` with `decimals` decimals, as "%.*f" writes it ("-0.038").
QString FixedText(double value, int decimals);
// The same with a sign in front of a value above 0 ("+0.068"); 0 as "0".
QString SignedText(double value, int decimals);
// A packed angle to the whole second: "157.0036".
QString PackedText(double packed);
// A packed angle to the whole second with its marks: "157°00′36″".
QString DmsText(double packed);
// Whole seconds, signed: "+6", "−7"; as the form writes a correction.
QString SecondsText(double seconds);
