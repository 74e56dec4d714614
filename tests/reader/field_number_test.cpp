// A row's number fields read strictly, and the words of what is wrong with
// one: the tool's error lines quote these messages as they are.

#include "reader/fields/field_number.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using reading::DecimalMark;
using reading::FieldFault;

struct Read {
  bool ok;
  double value;
  std::string problem;
};

Read ReadField(const char* name, bool azimuth, std::string_view text,
               DecimalMark mark = DecimalMark::kUnknown) {
  Read read{false, 0.0, {}};
  read.ok = reading::ReadNumberField(name, azimuth, text, read.value, read.problem, mark);
  return read;
}

TEST(FieldNumber, ReadsPlainDecimalsAndADecimalComma) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"3350000.125", 3350000.125}, Case{"-12.5", -12.5},
                        Case{"0", 0.0}, Case{"151,327", 151.327}, Case{"+.5", 0.5}}) {
    const Read read = ReadField("DISTANCE", false, c.text);
    EXPECT_TRUE(read.ok) << c.text << ": " << read.problem;
    EXPECT_EQ(read.value, c.value) << c.text;
  }
}

TEST(FieldNumber, SaysWhatIsWrongWithWhichField) {
  struct Case {
    const char* name;
    bool azimuth;
    const char* text;
    const char* problem;
  };
  const Case cases[] = {
      {"X", false, "12a", "X is not a number: \"12a\""},
      {"X", false, "", "X is not a number: \"\""},
      {"Y", false, "#N/A", "Y is not a number: \"#N/A\" (a spreadsheet's error value)"},
      {"DISTANCE", false, "1e999", "DISTANCE is out of range: \"1e999\""},
      {"AZIMUTH", true, "45.6", "AZIMUTH has minutes of 60 or more: \"45.6\""},
      {"AZIMUTH", true, "45.3075", "AZIMUTH has seconds of 60 or more: \"45.3075\""},
      {"AZIMUTH", true, "-10.3", "AZIMUTH is negative: \"-10.3\" (add 360)"},
  };
  for (const Case& c : cases) {
    const Read read = ReadField(c.name, c.azimuth, c.text);
    EXPECT_FALSE(read.ok) << c.text;
    EXPECT_EQ(read.problem, c.problem);
  }
}

TEST(FieldNumber, AFieldLongerThanAnyNumberIsRefusedAsSuch) {
  const std::string text(survey::kFieldChars + 1, '1');
  const Read read = ReadField("X", false, text);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.problem, "X is longer than " + std::to_string(survey::kFieldChars) +
                              " characters: \"" + text + "\"");
  double value = 0.0;
  EXPECT_EQ(reading::FindFieldFault(false, text, value), FieldFault::kTooLong);
}

TEST(FieldNumber, ACommaThatMayGroupThousandsReadsAsTheRowSaysItIs) {
  // "1,234" is 1.234 with a decimal comma, 1234 where commas group thousands.
  EXPECT_EQ(ReadField("X", false, "1,234", DecimalMark::kComma).value, 1.234);
  EXPECT_EQ(ReadField("X", false, "1,234", DecimalMark::kPoint).value, 1234.0);
  double value = 0.0;
  EXPECT_FALSE(reading::ReadPlainNumberField("1,234", false, value));
  reading::PlainMark mark = reading::PlainMark::kNone;
  EXPECT_TRUE(reading::ReadPlainNumberField("1,234", false, value, mark));
  EXPECT_EQ(mark, reading::PlainMark::kEither);
}

TEST(FieldNumber, ATypedAzimuthIsAPackedAngleFrom0To360) {
  struct Case {
    const char* text;
    reading::TypedAzimuth read;
  };
  using reading::TypedAzimuth;
  const Case cases[] = {
      {"45.302512", TypedAzimuth::kAzimuth}, {"360", TypedAzimuth::kAzimuth},
      {"0", TypedAzimuth::kAzimuth},         {"360.0001", TypedAzimuth::kOver360},
      {"45.6", TypedAzimuth::kMinutes},      {"45.3075", TypedAzimuth::kSeconds},
      {"-0.0001", TypedAzimuth::kNegative},  {"45,30", TypedAzimuth::kNotANumber},
      {"", TypedAzimuth::kNotANumber},
  };
  for (const Case& c : cases) {
    double packed = -1.0;
    EXPECT_EQ(reading::ReadTypedAzimuth(c.text, packed), c.read) << c.text;
  }
}

TEST(FieldNumber, AHeaderFieldDoesNotStartLikeANumber) {
  for (const char* field : {"498301.2O", "3512930,5", "-.5x", "+7", ".5"})
    EXPECT_TRUE(reading::StartsLikeNumber(field)) << field;
  for (const char* field : {"X", "点名", "-", "+.", "", "e5"})
    EXPECT_FALSE(reading::StartsLikeNumber(field)) << field;
  EXPECT_TRUE(reading::IsNumberField("1,5"));
  EXPECT_TRUE(reading::IsNumberField("1e999"));  // a number, out of range or not
  EXPECT_FALSE(reading::IsNumberField("498301.2O"));
}

}  // namespace
