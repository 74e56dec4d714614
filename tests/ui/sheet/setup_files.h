#pragma once

// The worked free station with distances (eleven known points, their
// readings and distances; printed: the station (6188.9593, 8356.6768), mX
// 3.5 mm, mY 1.7 mm, A +2.9" / +11.4 mm, F -3.8" / -12.7 mm with
// sigmas 2" and 5 mm + 2 ppm) as a control file in the columns
// name,code,y,x,h, and design points around the station, over the files of
// SetoutFiles.

#include <vector>

#include "reader/sheet/sheet_request.h"
#include "tests/ui/sheet/setout_files.h"

struct SetupFiles : SetoutFiles {
  SetupFiles() {
    write(control,
          "A,,8304.5835,6484.4043,\n"
          "M,,8313.2660,6435.1639,\n"
          "B,,8356.6683,6388.962,\n"
          "C,,8356.678,6488.962,\n"
          "D,,8387.8647,6335.6841,\n"
          "E,,8789.6907,5938.962,\n"
          "N,,8377.5158,6070.7851,\n"
          "F,,8356.678,5788.962,\n"
          "G,,8288.2740,6001.0235,\n"
          "H,,8006.678,6188.962,\n"
          "Q,,8308.0565,6464.7082,\n");
    write(design,
          "K1,,8380.000,6210.000,21.300\n"
          "K2,kerb,8395.500,6195.250,21.150\n"
          "K3,,8410.000,6180.000,20.980\n"
          "K4,,8372.250,6160.500,\n");
  }

  // The readings and distances, as the instrument shows them.
  static std::vector<reading::SetupSighting> sightings() {
    return {{"A", 0.0000, 299.991},   {"M", 0.0010, 250.008},   {"B", 9.5955, 200.010},
            {"C", 10.0010, 300.005},  {"D", 21.5952, 149.995},  {"E", 130.0008, 500.006},
            {"N", 179.5955, 119.993}, {"F", 190.0005, 400.010}, {"G", 209.5956, 199.992},
            {"H", 280.0006, 350.005}, {"Q", 359.5956, 280.004}};
  }

  // The sheet of the design file from that free station (decimals 3 and 4).
  reading::SheetRequest freeRequest() const {
    reading::SheetRequest request = this->request();
    reading::OrientedStation free;
    free.method = reading::OrientedStation::Method::kFree;
    free.sightings = sightings();
    free.sigmas = {2.0, 5.0, 2.0};
    request.setup = free;
    return request;
  }
};
