#include "reader/sheet/sheet_error_text.h"

#include "reader/sheet/setup_text.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

// What names the point of `error`'s part: its option, or the sighting.
std::string PointOption(const SheetError& error) {
  if (error.part == SheetPart::kSighting) return "sighting " + std::to_string(error.sighting + 1);
  return error.part == SheetPart::kBacksight ? "--backsight-point" : "--station-point";
}

}  // namespace

std::string KnownPointText(const SheetError& error) {
  std::string name;
  AppendShown(name, error.name);
  if (error.what == SheetError::What::kNoSuchPoint)
    return "no point " + name + " in " + error.source;
  if (error.what == SheetError::What::kNamedTwice) {
    return error.source + " names " + name + " twice (lines " + std::to_string(error.line) +
           " and " + std::to_string(error.otherLine) + ")";
  }
  return "no known points";
}

std::string SheetErrorText(const SheetError& error) {
  std::string name;
  AppendShown(name, error.name);
  switch (error.what) {
    case SheetError::What::kNoStation:
      return "setout needs --station X,Y or --station-point NAME";
    case SheetError::What::kNoBacksight:
      return "setout needs --backsight X,Y, --backsight-point NAME or --backsight-azimuth A";
    case SheetError::What::kNoKnownPoints:
      return PointOption(error) + " needs --control FILE";
    case SheetError::What::kNoSuchPoint:
    case SheetError::What::kNamedTwice:
      return PointOption(error) + ": " + KnownPointText(error);
    case SheetError::What::kControlNeedsNames:
      return "--control-columns needs a name column";
    case SheetError::What::kColumnsNeedNames:
      return "--control: known points need names: give --control-columns";
    case SheetError::What::kControlFile:
      return FileErrorText(error.file);
    case SheetError::What::kBacksightIsStation:
      return "the backsight is the station: give another point";
    case SheetError::What::kOutOfRange:
      return "the distance from station to backsight is out of range";
    case SheetError::What::kAzimuthOutOfRange:
      return "--backsight-azimuth needs a packed azimuth from 0 to 360";
    case SheetError::What::kSetup:
      return SetupErrorText(error.setup, error.freeStation, [](std::size_t sighting) {
        return "sighting " + std::to_string(sighting + 1);
      });
    case SheetError::What::kNoStationHeight:
      return error.name.empty() ? std::string("heights need --station-height H")
                                : "--station-point " + name + " has no height in " + error.source +
                                      ": give --station-height H";
    case SheetError::What::kDmsNeedsSeconds:
      return "--angle-format dms needs 4 or more decimals of angles (--azimuth-decimals, "
             "else --decimals): 4 is whole seconds";
    case SheetError::What::kNone:
      break;
  }
  return {};
}

}  // namespace reading
