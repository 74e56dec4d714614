#include "ui/road/road_command.h"

#include <QApplication>
#include <QDate>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "reader/road/road_error_text.h"
#include "reader/road/road_rows.h"
#include "reader/sheet/sheet_error_text.h"
#include "cli/option_table/sheet_options.h"
#include "ui/road/open_road.h"
#include "ui/road/road_printer.h"
#include "ui/road/road_window.h"

namespace {

void say(const std::string& message) { std::fprintf(stderr, "corvane: %s\n", message.c_str()); }

// The options of corvane-calc that the road's window and PDF take.
constexpr std::array<std::string_view, 10> kRoadOptions = {
    "--alignment", "--elements", "--alignment-columns", "--start-chainage",   "--profile",
    "--every",     "--offsets",  "--decimals",          "--azimuth-decimals", "--angle-format"};

struct RoadArguments {
  reading::RoadRequest request;
  reading::RoadDecimals decimals{3, 4};
  std::optional<double> every;
  std::vector<double> offsets;
  std::string pdf;
};

// Reads the arguments (without the program's name); "" or what is wrong.
std::string ParseRoadArguments(const QStringList& arguments, RoadArguments& road) {
  std::vector<std::string> args;
  for (const QString& argument : arguments) args.push_back(argument.toStdString());
  reading::SheetOptions options;
  std::vector<std::string> rest;
  std::string problem = reading::TakeSheetOptions(args, options, rest);
  if (!problem.empty()) return problem;
  for (const std::string_view name : reading::GivenOptions(options)) {
    if (std::find(kRoadOptions.begin(), kRoadOptions.end(), name) == kRoadOptions.end())
      return std::string(name) + " is not for the road's window (corvane --alignment)";
  }
  for (std::size_t at = 0; at < rest.size(); ++at) {
    if (reading::OptionName(rest[at]) != "--pdf") return "unknown argument " + rest[at];
    if (!reading::OptionValue(rest, at, "--pdf", true, road.pdf, problem)) return problem;
  }
  problem = reading::RoadRequestOf(options, road.request);
  if (!problem.empty()) return problem;
  const std::vector<std::string_view> given = reading::GivenOptions(options);
  const auto isGiven = [&given](std::string_view name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  if (isGiven("--decimals")) road.decimals.lengths = options.decimals;
  road.decimals.angles = options.azimuthDecimals.value_or(road.decimals.lengths);
  if (!isGiven("--azimuth-decimals") && !isGiven("--decimals")) road.decimals.angles = 4;
  road.decimals.angleFormat = options.angleFormat;
  if (!reading::AngleDecimalsFit(road.decimals.angleFormat, road.decimals.angles)) {
    reading::SheetError error;
    error.what = reading::SheetError::What::kDmsNeedsSeconds;
    return reading::SheetErrorText(error);
  }
  road.every = options.every;
  road.offsets = options.offsets;
  return {};
}

bool NamesRoad(const char* arg) {
  for (const char* name : {"--alignment", "--elements"}) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) == 0 && (arg[length] == '\0' || arg[length] == '='))
      return true;
  }
  return false;
}

}  // namespace

RoadCall RoadCallOf(int argc, char** argv) {
  bool road = false;
  bool pdf = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--setout") == 0) return RoadCall::kNone;
    road = road || NamesRoad(argv[i]);
    pdf = pdf || std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0;
  }
  if (!road) return RoadCall::kNone;
  return pdf ? RoadCall::kPdf : RoadCall::kWindow;
}

int RunRoad(const QStringList& arguments, RoadCall call) {
  RoadArguments road;
  const std::string problem = ParseRoadArguments(arguments.mid(1), road);
  if (!problem.empty()) {
    say(problem);
    return 2;
  }
  if (call == RoadCall::kWindow) {
    CRoadWindow* window = OpenRoadWindow();
    if (window->load(road.request, road.decimals) && road.every)
      window->generate(*road.every, road.offsets);
    return QApplication::exec();
  }
  auto design = std::make_shared<reading::RoadDesign>();
  if (const reading::RoadError error = reading::ReadRoad(road.request, *design)) {
    say(reading::RoadErrorText(error));
    return 2;
  }
  RoadShown shown;
  shown.decimals = road.decimals;
  shown.rows = reading::MakeRoadRows(design, road.decimals.lengths);
  shown.design = design;
  std::vector<reading::Stake> stakes;
  bool heightless = false;
  if (road.every) {
    reading::StakeRange range;
    range.interval = *road.every;
    range.offsets = road.offsets;
    reading::StakeWalk walk(*shown.rows, range, road.decimals.lengths);
    for (reading::Stake stake; walk.Next(stake);) {
      heightless = heightless || (design->profile && !stake.height);
      stakes.push_back(stake);
    }
  }
  const QString pdf = QString::fromStdString(road.pdf);
  const QString reason = WriteRoadPdf(shown, road.every ? &stakes : nullptr, pdf,
                                      QDate::currentDate().toString(Qt::ISODate));
  if (!reason.isEmpty()) {
    say("cannot write " + road.pdf + ": " + reason.toStdString());
    return 2;
  }
  return heightless ? 1 : 0;
}
