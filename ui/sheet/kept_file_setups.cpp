#include "ui/sheet/kept_file_setups.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <type_traits>

#include "reader/fields/field_number.h"
#include "ui/common/file_path.h"
#include "ui/sheet/setout_conf.h"

namespace {

const QString kRecent = QStringLiteral("recentFiles");

// Every field of the record and its key: the one place a field is added.
template <class Setup, class Visit>
void VisitFields(Setup& setup, Visit visit) {
  visit(QStringLiteral("layout"), setup.layout);
  visit(QStringLiteral("controlPath"), setup.controlPath);
  visit(QStringLiteral("controlLayout"), setup.controlLayout);
  visit(QStringLiteral("setup"), setup.setup);
  visit(QStringLiteral("stationSetup"), setup.stationSetup);
  visit(QStringLiteral("stationHeight"), setup.stationHeight);
  visit(QStringLiteral("instrumentHeight"), setup.instrumentHeight);
  visit(QStringLiteral("targetHeight"), setup.targetHeight);
  visit(QStringLiteral("earthCorrection"), setup.earthCorrection);
  visit(QStringLiteral("angleFormat"), setup.angleFormat);
  visit(QStringLiteral("angleDecimals"), setup.angleDecimals);
  visit(QStringLiteral("distanceDecimals"), setup.distanceDecimals);
  visit(QStringLiteral("designShown"), setup.designShown);
}

// Fields as QSettings keeps them: plain values as they are...
template <class T>
QVariant Stored(const T& value) {
  return QVariant::fromValue(value);
}

template <class T>
void Restore(const QVariant& stored, T& value) {
  if (stored.canConvert<T>()) value = stored.value<T>();
}

QVariant Stored(const QVariant& value) { return value; }
void Restore(const QVariant& stored, QVariant& value) { value = stored; }

// ...a file's layout whole, as one value...
QVariant Stored(const FileLayout& layout) { return LayoutValue(layout); }
void Restore(const QVariant& stored, FileLayout& layout) { layout = LayoutOf(stored, layout); }

// ...and a station setup as text: "name:A1", "point:3350000 500000",
// "azimuth:7.3541", the station's then the backsight's.
QString numberText(double value) {
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

template <class Point>
QString pointText(const Point& point) {
  return std::visit(
      [](const auto& given) -> QString {
        using Given = std::decay_t<decltype(given)>;
        if constexpr (std::is_same_v<Given, reading::PointName>)
          return QStringLiteral("name:") + QString::fromStdString(given.name);
        else if constexpr (std::is_same_v<Given, reading::Point>)
          return QStringLiteral("point:%1 %2").arg(numberText(given.x), numberText(given.y));
        else
          return QStringLiteral("azimuth:") + numberText(given.packed);
      },
      point);
}

std::optional<double> numberOf(const QString& text) {
  double value = 0.0;
  if (reading::ReadFieldNumber(text.toStdString(), value) != reading::FieldNumber::kNumber)
    return std::nullopt;
  return value;
}

// The point of `text`; none where it does not read, or is of a kind
// `Point` cannot be.
template <class Point>
std::optional<Point> pointOf(const QString& text) {
  const qsizetype colon = text.indexOf(QLatin1Char(':'));
  const QString kind = text.left(colon);
  const QString rest = text.mid(colon + 1);
  if (colon < 0) return std::nullopt;
  if (kind == QStringLiteral("name")) return Point(reading::PointName{rest.toStdString()});
  if (kind == QStringLiteral("point")) {
    const QStringList numbers = rest.split(QLatin1Char(' '));
    const auto x = numbers.size() == 2 ? numberOf(numbers[0]) : std::nullopt;
    const auto y = numbers.size() == 2 ? numberOf(numbers[1]) : std::nullopt;
    if (x && y) return Point(reading::Point{*x, *y});
  }
  if constexpr (std::is_constructible_v<Point, reading::PackedAzimuth>) {
    if (kind == QStringLiteral("azimuth"))
      if (const auto packed = numberOf(rest)) return Point(reading::PackedAzimuth{*packed});
  }
  return std::nullopt;
}

QVariant Stored(const std::optional<reading::StationAndBacksight>& setup) {
  if (!setup) return QVariant();
  QStringList texts{pointText(setup->station)};
  if (setup->backsight) texts << pointText(*setup->backsight);
  return texts;
}

void Restore(const QVariant& stored, std::optional<reading::StationAndBacksight>& setup) {
  const QStringList texts = stored.toStringList();
  const auto station = texts.isEmpty() ? std::nullopt : pointOf<reading::StationPoint>(texts[0]);
  if (!station) return;
  reading::StationAndBacksight given{*station, std::nullopt};
  if (texts.size() > 1) given.backsight = pointOf<reading::Backsight>(texts[1]);
  setup = given;
}

// The record's group in the settings, and the name of its ticks' file.
QString keyOf(const QString& path) {
  return QString::fromLatin1(
      QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString groupOf(const QString& path) { return QStringLiteral("file-") + keyOf(path); }

// The ticks' file of `path`, beside the settings; on Windows, whose
// settings are in the registry, where the program keeps its files.
QString ticksPath([[maybe_unused]] const QSettings& settings, const QString& path) {
#ifdef _WIN32
  const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
#else
  const QDir folder = QFileInfo(settings.fileName()).dir();
#endif
  return folder.filePath(QStringLiteral("setout-ticks/") + keyOf(path) + QStringLiteral(".txt"));
}

// One tick a line, its input line, a tab and its name (which holds no line
// end), in UTF-8.
bool writeTicks(const QString& file, const std::vector<SheetTicks::Tick>& ticks) {
  if (ticks.empty()) return !QFile::exists(file) || QFile::remove(file);
  QDir().mkpath(QFileInfo(file).absolutePath());
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  std::string text;
  for (const SheetTicks::Tick& tick : ticks) {
    text += std::to_string(tick.line);
    text += '\t';
    text += tick.name;
    text += '\n';
  }
  return out.write(text.data(), static_cast<qint64>(text.size())) ==
             static_cast<qint64>(text.size()) &&
         out.commit();
}

std::vector<SheetTicks::Tick> readTicks(const QString& file) {
  std::vector<SheetTicks::Tick> ticks;
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return ticks;
  const QByteArray text = in.readAll();
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    const std::string_view line(text.constData() + start, static_cast<std::size_t>(end - start));
    const std::size_t tab = line.find('\t');
    bool ok = false;
    const unsigned number =
        QByteArray(line.data(), static_cast<qsizetype>(std::min(tab, line.size()))).toUInt(&ok);
    if (tab != std::string_view::npos && ok && number > 0)
      ticks.push_back({number, std::string(line.substr(tab + 1))});
    start = end + 1;
  }
  return ticks;
}

}  // namespace

std::optional<SheetSetup> SheetSetup::Recall(const QString& path) {
  QSettings settings(setout_conf::kOrganisation, setout_conf::kApplication);
  if (!settings.value(kRecent).toStringList().contains(path)) return std::nullopt;
  SheetSetup setup;
  settings.beginGroup(groupOf(path));
  VisitFields(setup, [&](const QString& key, auto& field) {
    if (settings.contains(key)) Restore(settings.value(key), field);
  });
  settings.endGroup();
  setup.ticks = readTicks(ticksPath(settings, path));
  return setup;
}

bool SheetSetup::Keep(const QString& path) const {
  QSettings settings(setout_conf::kOrganisation, setout_conf::kApplication);
  QStringList recent = settings.value(kRecent).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kKeptSetups) {
    const QString dropped = recent.takeLast();
    settings.remove(groupOf(dropped));
    QFile::remove(ticksPath(settings, dropped));
  }
  settings.setValue(kRecent, recent);
  settings.beginGroup(groupOf(path));
  settings.remove(QString());  // a field kept before and now unset goes
  VisitFields(*this, [&](const QString& key, const auto& field) {
    const QVariant stored = Stored(field);
    if (stored.isValid()) settings.setValue(key, stored);
  });
  settings.endGroup();
  settings.sync();
  return writeTicks(ticksPath(settings, path), ticks);
}

QStringList RecentFiles(int count) {
  const QSettings settings(setout_conf::kOrganisation, setout_conf::kApplication);
  return settings.value(kRecent).toStringList().mid(0, count);
}

QString KeptPath(const std::string& path) { return ShownPath(path); }

std::vector<SheetTicks::Tick> KeptTicks(const std::string& path) {
  const auto kept = SheetSetup::Recall(KeptPath(path));
  return kept ? kept->ticks : std::vector<SheetTicks::Tick>();
}
