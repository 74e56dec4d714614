#pragma once

// The rows of a coordinate transformation job (transform_job.h), read and
// answered exactly as corvane-calc grid, fourparam, project and rezone
// answer them, so that the 坐标转换 window and the tool agree to the
// character:
//
//   grid              [NAME] A B  ->  [NAME] X Y      (kGridInverse: X Y -> A B)
//   fourparam         [NAME] x y X Y (common points)  ->  first PARAMS DX DY
//                     THETA M SIGMA0, then [NAME] VX VY [MARK] (mm)
//   fourparam --apply [NAME] x y  ->  [NAME] X Y      (kFourParamInverse: X Y -> x y)
//   project           [NAME] B L  ->  [NAME] X Y CONVERGENCE SCALE
//                     (kProjectInverse: X Y -> B L)
//   rezone            [NAME] X Y  ->  [NAME] X Y
//
// Rows are read by the reader of every mode (RowReader: names, separators,
// quotes, decimal commas, headers and comments copied, errors in place).
// B, L, THETA and CONVERGENCE are packed DMS, any sign (signed_angle.h);
// with `degrees`, B and L are decimal degrees, in and out. Coordinates are
// written with `decimals`; angles with the azimuth decimals, B, L and the
// convergence with 4 more (with 4, whole seconds, they show 0.0001″, a
// few millimetres on the ground); a point scale and M with 6 more than coordinates; the
// residuals and SIGMA0 in millimetres with 3 fewer (0 at least), the same
// place as the coordinates. A residual's MARK is "over" (its length is
// above the limit), "out" (left out of the fit) or "out-over", and no
// field at all where it is neither. SIGMA0 is "-" with two common points.
//
// An inverse projection (and a zone change) reads a y of 1,000,000 m or
// more as carrying its zone number in front (38531999.7306), with or
// without --zone-prefix; the projection's zone must then match it where
// one is given.
//
// How the window calls it:
//
//   auto made = reading::MakeTransformRows(job);
//   if (!made.ok()) show(reading::TransformErrorText(made.error()));
//   const reading::TransformRows& rows = made.value();
//   reading::LineAnswer answer;
//   rows.reader().Read(line, answer);           // each typed or read line
//   std::string text;
//   rows.reader().AppendLine(answer, text);     // grid, apply, project, rezone
//   // fourparam: read every row first, then
//   reading::FitAnswer fit = rows.Fit(answers); // rewrites the rows' answers
//   rows.AppendParamsLine(fit, ' ', text);      // PARAMS ... or ERROR: no fit: ...
//   rows.AppendFitLine(answers[i], text);       // each row: NAME VX VY [MARK]
//
// A row's fault is also a value for the window's own words
// (answer.error: kMinutes or kSeconds with field "B" or "L", kTransform
// with the transformation's problem and value, kOther for the rest), and
// answer.results (the numbers as the line writes them: packed angles,
// residuals in mm), answer.point, fit.fit (the parameters, residuals and
// SIGMA0 as numbers) for its table and sheet. A TransformRows is immutable
// (its reader may be shared by threads) and cheap to keep.

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/transform/four_parameter_fit.h"
#include "core/transform/transform_error.h"
#include "reader/rows/line_answer.h"
#include "reader/rows/row_reader.h"
#include "reader/transform/transform_job.h"

namespace reading {

// A fit of the common points among a fourparam job's rows.
struct FitAnswer {
  std::optional<survey::FourParameterFit> fit;  // none where there is no fit
  std::string why;  // no fit: why, "no fit: 1 common point used, two or more needed"
};

class TransformRows {
 public:
  // The settings of the rows' reader (mode, decimals, the transformation).
  const RowSettings& settings() const { return reader_.settings(); }

  // Reads and answers the rows, as every mode's reader does.
  const RowReader& reader() const { return reader_; }

  // The --header comment line: the job's parameters ("# grid origin X ...
  // Y ... / azimuth ..."), without line end.
  const std::string& comment() const { return comment_; }

  // A construction grid's azimuth found from its axis point, as the
  // answers write an angle; "" where it was given, and for the other jobs.
  const std::string& gridAzimuth() const { return gridAzimuth_; }

  // fourparam: fits the common points, every row of `rows` that is an
  // answer (kAnswer) in order, each point left out whose name the job
  // lists; then rewrites each such row's results to VX VY (mm) and its
  // mark (in results[2]: 0 none, 1 over, 2 out, 3 out-over), or, without a
  // fit, makes it the error "NAME: no fit: why" (its error kTransform with
  // the fit's fault, or kOther for a --leave-out name no row has).
  FitAnswer Fit(std::span<LineAnswer> rows) const;

  // The first line of a fit's answer, without line end: PARAMS DX DY THETA
  // M SIGMA0 separated by `separator`, or "ERROR: no fit: why".
  void AppendParamsLine(const FitAnswer& fit, char separator, std::string& out) const;

  // A row's line after Fit: its answer line and its mark.
  void AppendFitLine(const LineAnswer& row, std::string& out) const;

 private:
  friend survey::TransformOutcome<TransformRows> MakeTransformRows(const TransformJob& job);
  explicit TransformRows(const RowSettings& settings) : reader_(settings) {}

  RowReader reader_;
  FitJob fit_;
  std::string comment_;
  std::string gridAzimuth_;
};

// The rows of `job`, or what is wrong with its parameters (a zone no zone
// of its width has, a scale not above 0, a grid's axis point at its
// origin, ...).
survey::TransformOutcome<TransformRows> MakeTransformRows(const TransformJob& job);

// The tool's words for a transformation's fault: "zone 61 is no zone of
// 3°"; a point's fault names no point (the row's name goes in front).
std::string TransformErrorText(const survey::TransformError& error);

}  // namespace reading
