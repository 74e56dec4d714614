#include "reader/sheet/known_point_lookup.h"

namespace reading {

SheetError FindKnownPoint(const KnownPoints* known, SheetPart part, std::string_view name,
                          Point& point, std::optional<double>* height) {
  SheetError error;
  error.part = part;
  if (known == nullptr) {
    error.what = SheetError::What::kNoKnownPoints;
    return error;
  }
  std::optional<double> own;
  const KnownPoints::Found found = known->Find(name, point, own);
  if (height != nullptr) *height = own;
  if (found.what == KnownPoints::Found::What::kFound) return {};
  error.what = found.what == KnownPoints::Found::What::kMissing ? SheetError::What::kNoSuchPoint
                                                                : SheetError::What::kNamedTwice;
  error.name = name;
  error.source = known->HolderOf(name).source();
  error.line = found.line;
  error.otherLine = found.twiceLine;
  return error;
}

}  // namespace reading
