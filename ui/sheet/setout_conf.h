#pragma once

// What the 放样表 remembers between runs, in ~/.config/Corvane/setout.conf:
// the layouts last chosen (column list, encoding, lines to skip) of a
// design file and of a control file, the folder of the last design file,
// the decimals and the angles' format, the heights of the sight, whether
// the design coordinates show, the page heading, the last station setup on
// sightings (kept_station_setup.h), and whether prints leave ticked points out;
// each design file's own setup is kept by kept_file_setups.h. Each is written
// when it changes: the program may end right after its last window closes.

#include <QString>
#include <QVariant>

#include "ui/sheet/file_layout.h"

namespace setout_conf {

// Where QSettings keeps them, for what keeps more than single values
// (kept_file_setups.h).
inline const QString kOrganisation = QStringLiteral("Corvane");
inline const QString kApplication = QStringLiteral("setout");

// A design file's and a control file's layout, each one value (file_layout.h).
inline const QString kLayout = QStringLiteral("layout");
inline const QString kControlLayout = QStringLiteral("controlLayout");
// The column lists earlier runs kept alone, read where no layout is kept.
inline const QString kColumns = QStringLiteral("columns");
inline const QString kControlColumns = QStringLiteral("controlColumns");
inline const QString kFolder = QStringLiteral("folder");
inline const QString kAngleDecimals = QStringLiteral("angleDecimals");
inline const QString kDistanceDecimals = QStringLiteral("distanceDecimals");
inline const QString kSetup = QStringLiteral("setup");
inline const QString kAngleFormat = QStringLiteral("angleFormat");      // "packed", "dms"
inline const QString kStationHeight = QStringLiteral("stationHeight");  // as typed
inline const QString kInstrumentHeight = QStringLiteral("instrumentHeight");
inline const QString kTargetHeight = QStringLiteral("targetHeight");
inline const QString kEarthCorrection = QStringLiteral("earthCorrection");
inline const QString kDesignShown = QStringLiteral("designShown");
inline const QString kPageHeading = QStringLiteral("pageHeading");  // its fields, a list
// Whether prints and exports leave the points ticked off out.
inline const QString kLeaveTickedOut = QStringLiteral("leaveTickedOut");

void Remember(const QString& key, const QVariant& value);
QVariant Recalled(const QString& key, const QVariant& fallback = {});

// The layout last chosen for a design file, or for a `control` file, as
// the next file takes it (NextFileLayout); where none is kept, the column
// list an earlier run kept alone (a design file's: name,code,y,x,h).
FileLayout RecalledLayout(bool control);

// Keeps `layout` for the next design file, or `control` file: the encoding
// stays each file's own.
void RememberLayout(bool control, const FileLayout& layout);

}  // namespace setout_conf
