#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/sys/DateUtils.h"
#include "platform/sys/TSystemClock.h"

namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

} // namespace

TEST(DateUtils, DatesCountDaysFrom30December1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2009, 6, 20), 39984.0);
  EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);
  EXPECT_EQ(DayOfWeek(EncodeDate(2009, 6, 20)), 7); // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2009, 6, 21)), 1);
  EXPECT_THROW(EncodeDate(2009, 2, 29), EConvertError);
  EXPECT_DOUBLE_EQ(Frac(At(2009, 6, 20, 18)), 0.75);
  EXPECT_EQ(DateOf(At(2009, 6, 20, 18)), 39984.0);
}

TEST(DateUtils, FormatsThePatternsOfTheFormLibrary) {
  const TDateTime t = At(2009, 6, 20, 18, 5, 9, 7);
  const struct {
    const char* pattern;
    TDateTime value;
    const char* expected;
  } cases[] = {
      {"yyyy", t, "2009"},
      {"mm", t, "06"},
      {"dd", t, "20"},
      {"yyyy\xE5\xB9\xB4mm\xE6\x9C\x88", t, "2009\xE5\xB9\xB4" "06\xE6\x9C\x88"}, // year and month signs pass through
      {"hh:nn", t, "18:05"},
      {"h:n:s.zzz", t, "18:5:9.007"},
      {"hh:mm:ss", t, "18:05:09"}, // m right after an hour is the minute
      {"m/d/yy", t, "6/20/09"},
      {"ddd", t, "Sat"},
      {"dddd mmm mmmm", t, "Saturday Jun June"},
      {"YYYY-MM-DD HH:NN", t, "2009-06-20 18:05"},
      {"'dd' \"hh\" dd", t, "dd hh 20"},
      {"hh:nn", At(2009, 6, 20, 9, 0), "09:00"},
      // A time that rounds up to midnight belongs to the next day.
      {"yyyy-mm-dd hh:nn:ss", EncodeDate(2009, 6, 20) + 0.9999999999, "2009-06-21 00:00:00"},
      {"ddd dd", EncodeDate(1899, 12, 30), "Sat 30"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, c.value), c.expected) << c.pattern;
}

TEST(DateUtils, ConvertsTimesAndDatesAndTimes) {
  const struct {
    const char* text;
    TDateTime expected;
  } cases[] = {
      {"18:30:00", EncodeTime(18, 30, 0, 0)},
      {"18:30", EncodeTime(18, 30, 0, 0)},
      {"0:00:00", 0.0},
      {"23:59:59", EncodeTime(23, 59, 59, 0)},
      {" 8 : 05 ", EncodeTime(8, 5, 0, 0)},
      {"18:30:00.250", EncodeTime(18, 30, 0, 250)},
      {"2009-06-20 18:30", At(2009, 6, 20, 18, 30)},
      {"06/20/2009", EncodeDate(2009, 6, 20)},
      {"6/20/09 7:00", At(2009, 6, 20, 7)},
      {"2000-02-29", EncodeDate(2000, 2, 29)},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(StrToDateTime(c.text), c.expected) << c.text;
}

TEST(DateUtils, RefusesTextsThatAreNoDateOrTime) {
  for (const char* text : {"", "   ", "  :  :00", "xx:00:00", "1a:00:00", "18.30:00", "18-30", "18", "24:00:00",
                           "18:60:00", "18:30:60", "18:30:00:00", "18:30x", "2009-02-30", "2009-06-20 25:00"}) {
    try {
      StrToDateTime(text);
      ADD_FAILURE() << "'" << text << "' was converted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid date and time");
    }
  }
}

TEST(DateUtils, TakesTheTimeSeparatorFromTheLocalesTimeFormat) {
  const struct {
    const char* format;
    char expected;
  } cases[] = {
      {"%H:%M:%S", ':'},
      {"%H.%M.%S", '.'},
      {"%OH.%OM", '.'},
      {"%I:%M:%S %p", ':'},
      {"%H\xE6\x97\xB6%M\xE5\x88\x86%S\xE7\xA7\x92", ':'}, // hour and minute as words: no separator
      {"%r", ':'},
      {"", ':'},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeSeparatorFrom(c.format), c.expected) << c.format;
}

TEST(DateUtils, SystemClockGivesLocalTime) {
  const char* oldTz = getenv("TZ");
  std::string saved = oldTz ? oldTz : "";
  for (auto [tz, hoursAhead] : {std::pair{"UTC0", 0}, std::pair{"XST-8", 8}}) {
    setenv("TZ", tz, 1);
    tzset();
    TDateTime expected = double(time(nullptr)) / 86400.0 + 25569.0 + hoursAhead / 24.0;
    EXPECT_NEAR(TSystemClock().Now(), expected, 2.0 / 86400) << tz;
  }
  if (oldTz) setenv("TZ", saved.c_str(), 1);
  else unsetenv("TZ");
  tzset();
}
