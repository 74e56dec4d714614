#pragma once

// One job of the 坐标转换 window as data: which conversion, its parameters
// and the points typed or opened, and what it gives back: a row of texts a
// point (the texts corvane-calc writes for it), or the reason it has none.
// Built on the interface thread from the window's fields, answered off it
// (ui/common/job_runner.h): an answer holds no widget and no Qt string.
//
// The rows are read and the answers written by the tool's own reader of
// transformation rows (reader/transform/), so the window's table, its CSV
// and corvane-calc's output agree to the character.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/transform/four_parameter_fit.h"
#include "core/transform/four_parameters.h"
#include "core/transform/gauss_kruger.h"
#include "core/transform/plane_xy.h"

enum class TransformKind {
  kGrid,     // 施工坐标: NAME A B -> NAME X Y, or back
  kFit,      // 四参数 from common points: NAME x y X Y -> NAME VX VY (mm)
  kApply,    // 四参数 applied: NAME x y -> NAME X Y, or back
  kProject,  // 高斯投影: NAME B L -> NAME X Y CONVERGENCE SCALE, or back
  kRezone,   // 换带: NAME X Y -> NAME X Y
};

struct TransformTask {
  TransformKind kind = TransformKind::kGrid;
  bool inverse = false;  // kGrid: X Y -> A B; kApply: X Y -> x y; kProject: X Y -> B L
  // kGrid: the grid's origin (metres) and the azimuth of its A axis (degrees).
  // With `axisPoint`, the azimuth is the one from the origin to it.
  survey::PlaneXY origin{0, 0};
  double azimuth = 0;
  std::optional<survey::PlaneXY> axisPoint;
  // kApply: the parameters, θ in degrees (clockwise), m the scale itself.
  double dx = 0, dy = 0, theta = 0, scale = 1;
  // kFit: the residual limit (mm) and the names of the common points left out.
  double limitMm = survey::kDefaultResidualLimitMm;
  std::vector<std::string> leftOut;
  // kProject: the projection; kRezone: from `projection` to `target`.
  survey::ProjectionSetup projection;
  survey::ProjectionSetup target;
  bool degrees = false;  // kProject: B and L in decimal degrees, in and out
  int decimals = 4;      // of lengths
  int angleDecimals = 4;  // of packed angles: θ; B, L and the convergence with 4 more
  std::string points;     // the rows, as typed or read (UTF-8)
};

// A row of the points.
struct TransformLine {
  enum class What { kAnswer, kError, kCopied };
  What what = What::kAnswer;
  std::size_t line = 0;                  // in the points, from 1
  std::vector<std::string> cells;        // kAnswer: the answer's columns; kCopied: the line
  std::string problem;                   // kError: why, in the window's words
  std::optional<survey::PlaneXY> point;  // kAnswer of a plane answer: X (north), Y (east)
  // kFit: the point's residual is over the limit, or the point is left out.
  bool overLimit = false;
  bool leftOut = false;
  double residualMm = 0;  // kFit: the length of the residual (vX, vY), mm
};

struct TransformAnswer {
  std::vector<std::string> titles;  // of the answer's columns
  std::vector<TransformLine> lines;
  // What corvane-calc writes for the same rows and options with --header,
  // the fields separated by commas.
  std::string csv;
  // What keeps the job from an answer (its parameters), in the window's
  // words; "" where it has one.
  std::string problem;
  // kGrid: the azimuth of the A axis as the answers write an angle.
  std::string gridAzimuth;
  // kFit: the fit, where one is made; else why not, in the window's words.
  std::optional<survey::FourParameterFit> fit;
  std::string fitProblem;
  bool stopped = false;  // the job was stopped before it was done
};

// The key a common point is left out by: its name (a point without one
// cannot be left out).
std::string LeftOutKey(const TransformLine& line);

using TransformProgress = std::function<void(int percent)>;

// The answer of `task`. Looks at `stop` now and then (an answer stopped
// holds what was done); reports the share done to `progress`.
TransformAnswer AnswerTask(const TransformTask& task, const std::atomic<bool>* stop = nullptr,
                           const TransformProgress& progress = {});
