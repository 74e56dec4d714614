#include "reader/transform/row_jobs.h"

#include <cmath>
#include <string>

#include "reader/transform/signed_angle.h"
#include "reader/transform/transform_rows.h"

namespace reading {
namespace {

// A computed result that is not finite (coordinates of 1e300 turned).
std::string NotFinite(const LineAnswer& answer, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!std::isfinite(answer.results[i])) return "result out of range";
  }
  return {};
}

class PlaneRows final : public RowTransform {
 public:
  PlaneRows(survey::FourParameters parameters, bool inverse)
      : parameters_(parameters), inverse_(inverse) {}

  std::string ComputeRow(const double* values, LineAnswer& answer,
                         RowError&) const override {
    const survey::PlaneXY in{values[0], values[1]};
    const survey::PlaneXY out = inverse_ ? parameters_.Inverse(in) : parameters_.Forward(in);
    answer.results = {out.x, out.y, 0.0, 0.0};
    // The point in the survey (target) system, where a sketch would draw it.
    answer.point = inverse_ ? Point{in.x, in.y} : Point{out.x, out.y};
    answer.hasPoint = std::isfinite(out.x) && std::isfinite(out.y);
    return NotFinite(answer, 2);
  }

 private:
  survey::FourParameters parameters_;
  bool inverse_;
};

class CommonPointRows final : public RowTransform {
 public:
  std::string ComputeRow(const double* values, LineAnswer& answer,
                         RowError&) const override {
    answer.results = {values[0], values[1], values[2], values[3]};
    answer.point = {values[2], values[3]};
    answer.hasPoint = true;
    return {};
  }
};

// The transformation's fault, in words and as a value.
std::string Fault(const survey::TransformError& fault, RowError& error) {
  error.kind = RowError::Kind::kTransform;
  error.transformProblem = fault.problem;
  error.transformValue = fault.value == fault.value ? fault.value : 0.0;
  return TransformErrorText(fault);
}

// B or L of a row, packed or in degrees, into degrees; "" or what is wrong.
std::string ReadLatLon(const char* name, double value, bool degrees, double& out,
                       RowError& error) {
  if (degrees) {
    out = value;
    return {};
  }
  switch (FindSignedAngleFault(value)) {
    case SignedAngleFault::kMinutes:
      error.kind = RowError::Kind::kMinutes;
      error.field = name;
      return std::string(name) + " has minutes of 60 or more";
    case SignedAngleFault::kSeconds:
      error.kind = RowError::Kind::kSeconds;
      error.field = name;
      return std::string(name) + " has seconds of 60 or more";
    case SignedAngleFault::kNone:
      break;
  }
  out = SignedPackedToDegrees(value);
  return {};
}

class ProjectRows final : public RowTransform {
 public:
  ProjectRows(survey::GaussKruger projection, bool degrees)
      : projection_(std::move(projection)), degrees_(degrees) {}

  std::string ComputeRow(const double* values, LineAnswer& answer,
                         RowError& error) const override {
    double latitude = 0.0;
    double longitude = 0.0;
    std::string problem = ReadLatLon("B", values[0], degrees_, latitude, error);
    if (problem.empty()) problem = ReadLatLon("L", values[1], degrees_, longitude, error);
    if (!problem.empty()) return problem;
    const auto projected = projection_.Forward(latitude, longitude);
    if (!projected.ok()) return Fault(projected.error(), error);
    const survey::ProjectedPoint& p = projected.value();
    answer.results = {p.x, p.y, DegreesToSignedPacked(p.convergence), p.pointScale};
    answer.point = {p.x, p.y};
    answer.hasPoint = true;
    return NotFinite(answer, 4);
  }

 private:
  survey::GaussKruger projection_;
  bool degrees_;
};

// A y with the zone number in front: a million metres or more, where a y
// without it is the false easting and at most a few hundred kilometres.
constexpr double kPrefixedY = 1e6;

class InverseRows final : public RowTransform {
 public:
  InverseRows(survey::GaussKruger from, std::optional<survey::GaussKruger> prefixed,
              std::optional<survey::GaussKruger> to, bool degrees)
      : from_(std::move(from)),
        prefixed_(std::move(prefixed)),
        to_(std::move(to)),
        degrees_(degrees) {}

  std::string ComputeRow(const double* values, LineAnswer& answer,
                         RowError& error) const override {
    const survey::PlaneXY in{values[0], values[1]};
    const bool prefixed = prefixed_ && std::fabs(in.y) >= kPrefixedY;
    const survey::GaussKruger& from = prefixed ? *prefixed_ : from_;
    const auto geographic = from.Inverse(in);
    if (!geographic.ok()) return Fault(geographic.error(), error);
    const survey::GeographicPoint& g = geographic.value();
    if (!to_) {
      answer.results = {degrees_ ? g.latitude : DegreesToSignedPacked(g.latitude),
                        degrees_ ? g.longitude : DegreesToSignedPacked(g.longitude), 0.0, 0.0};
      answer.point = {in.x, in.y};
      answer.hasPoint = true;
      return NotFinite(answer, 2);
    }
    const auto projected = to_->Forward(g.latitude, g.longitude);
    if (!projected.ok()) return Fault(projected.error(), error);
    answer.results = {projected.value().x, projected.value().y, 0.0, 0.0};
    answer.point = {projected.value().x, projected.value().y};
    answer.hasPoint = true;
    return NotFinite(answer, 2);
  }

 private:
  survey::GaussKruger from_;
  std::optional<survey::GaussKruger> prefixed_;
  std::optional<survey::GaussKruger> to_;
  bool degrees_;
};

}  // namespace

std::shared_ptr<const RowTransform> MakePlaneRows(survey::FourParameters parameters,
                                                  bool inverse) {
  return std::make_shared<const PlaneRows>(parameters, inverse);
}

std::shared_ptr<const RowTransform> MakeCommonPointRows() {
  return std::make_shared<const CommonPointRows>();
}

std::shared_ptr<const RowTransform> MakeProjectRows(survey::GaussKruger projection, bool degrees) {
  return std::make_shared<const ProjectRows>(std::move(projection), degrees);
}

std::shared_ptr<const RowTransform> MakeInverseRows(survey::GaussKruger from,
                                                    std::optional<survey::GaussKruger> prefixed,
                                                    std::optional<survey::GaussKruger> to,
                                                    bool degrees) {
  return std::make_shared<const InverseRows>(std::move(from), std::move(prefixed), std::move(to),
                                             degrees);
}

}  // namespace reading
