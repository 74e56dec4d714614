#pragma once

// A point of a plane system as the transformations take and give it.

namespace survey {

// x the northing (in a construction grid the A axis), y the easting (the B
// axis), metres.
struct PlaneXY {
  double x;
  double y;
};

}  // namespace survey
