#pragma once

// What a row reader computes: the mode, the station, the backsight's
// direction, the decimals of the answers, how angles are written, the
// columns of the rows, and the heights of the sight to each design point.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/target_sight.h"
#include "reader/fields/angle_text.h"
#include "reader/fields/decimal_mark.h"
#include "reader/rows/columns.h"

namespace reading {

class KnownPoints;

// forward: X0 Y0 AZIMUTH DISTANCE -> X Y; inverse: X0 Y0 X1 Y1 -> AZIMUTH
// DISTANCE; setout, from a station towards a backsight: X Y -> AZIMUTH
// ANGLE DISTANCE, ANGLE turned clockwise from the backsight to the point.
// Along a road (road_rows.h): stake, CHAINAGE [OFFSET] -> X Y AZIMUTH [H];
// locate, X Y -> K OFFSET [H]; alignment reads no rows (the road's curve
// table is written instead).
// Rows that name known points: orient, from a known station: NAME READING
// -> NAME RESIDUAL LINEAR; freestation: NAME READING [DISTANCE] -> NAME
// V_READING V_DISTANCE (both answered once every row is read, see
// station_setup.h); intersect: NAME A B ANGLE_A ANGLE_B, or by distance NAME
// A B DISTANCE_A DISTANCE_B -> NAME X Y.
enum class Mode {
  kForward,
  kInverse,
  kSetout,
  kStake,
  kLocate,
  kAlignment,
  kOrient,
  kFreeStation,
  kIntersect,
  kDistanceIntersect,
  // Coordinate transformations (transform/transform_rows.h): a construction
  // grid, A B -> X Y and back; four parameters fitted from common points,
  // x y X Y (answered once every row is read), or applied, x y -> X Y and
  // back; the Gauss-Krüger projection, B L -> X Y CONVERGENCE SCALE and X Y
  // -> B L; a zone change, X Y -> X Y. Each row may be led by a name.
  kGrid,
  kGridInverse,
  kFourParamFit,
  kFourParam,
  kFourParamInverse,
  kProject,
  kProjectInverse,
  kRezone
};

// X is the northing, Y the easting, in the file's unit (metres).
struct Point {
  double x;
  double y;
  bool operator==(const Point&) const = default;
};

class RowRoad;
class RowTransform;
struct LineAnswer;
struct RowSettings;

// Rows that name known points: looks a row's names up and computes its
// point, into `answer`; "" or what makes the row fail. The station setups'
// rule (sheet/named_rows.h) stands behind it.
using NamedRowRule = std::string (*)(const RowSettings& settings, const std::string_view* names,
                                     const double* values, LineAnswer& answer);

struct RowSettings {
  Mode mode = Mode::kForward;
  bool hasStation = false;  // rows then hold only the second half (orient: only the reading)
  Point station{0.0, 0.0};
  double backsightDegrees = 0.0;  // setout: the direction angles start from
  int decimals = 6;
  std::optional<int> azimuthDecimals;  // when unset, `decimals`
  AngleFormat angleFormat = AngleFormat::kPacked;
  std::vector<Column> columns;  // empty: the numbers in order, maybe named
  // setout: the station's, instrument's and target's heights; each design
  // point with a design height is then answered with the sight to the
  // target held on it (ΔH, zenith angle, slope distance). Unset: no sight.
  std::optional<survey::HeightSetup> heights;
  std::shared_ptr<const RowRoad> road;  // stake and locate: the road they are on
  // How a comma that may group thousands or be the decimal mark reads
  // (--decimal-mark); kUnknown: as the row and the rows before it settle it.
  DecimalMark decimalMark = DecimalMark::kUnknown;
  // Rows that name known points: where the names are looked up.
  std::shared_ptr<const KnownPoints> known;
  NamedRowRule namedRow = nullptr;  // set with the mode
  bool right = false;  // intersect: the new point on the right of the line from A to B
  // The transformation modes' rows are computed by their job (row_transform.h).
  std::shared_ptr<const RowTransform> transform;
  // Latitudes and longitudes (project's B and L) in decimal degrees, read
  // and written, instead of packed DMS.
  bool degrees = false;
  // false (setout and inverse only): rows are read, not computed, as design
  // points are listed before their station is chosen. An answer then holds
  // the row's point (setout: X Y; inverse: the second point) and no
  // results, and nothing is checked against the station.
  bool compute = true;
};

}  // namespace reading
