#include "platform/sys/DateUtils.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <langinfo.h>

namespace {

constexpr long long kMsPerDay = 86400000;
constexpr long long kUnixEpochDay = 25569; // 1970-01-01

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

bool ValidDate(int y, int m, int d) { return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m); }

// Whole days and milliseconds of the day, rounded to the millisecond as the form library does,
// with a rounding up to midnight carried into the next day.
void Split(TDateTime value, long long& day, long long& ms) {
  double whole = std::trunc(value);
  ms = std::llround(std::fabs(value - whole) * double(kMsPerDay));
  day = (long long)whole;
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    day += value < 0 ? -1 : 1;
  }
}

char SeparatorFrom(const char* format, char fallback) {
  for (const char* p = format; p && *p; ++p) {
    if (*p == '%') {
      ++p;
      while (*p == 'E' || *p == 'O' || *p == '-' || *p == '_' || *p == '0' || *p == '^' || *p == '#' ||
             (*p >= '1' && *p <= '9'))
        ++p;
      if (!*p) break;
      continue;
    }
    unsigned char c = static_cast<unsigned char>(*p);
    if (c > 0x20 && c < 0x7F && !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
      return char(c);
  }
  return fallback;
}

std::string Strftime(const char* conversion, TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = m - 1;
  t.tm_mday = d;
  t.tm_wday = DayOfWeek(value) - 1;
  char buf[128];
  size_t n = strftime(buf, sizeof buf, conversion, &t);
  return std::string(buf, n);
}

std::string Number(int value, int digits) {
  char buf[16];
  snprintf(buf, sizeof buf, "%0*d", digits, value);
  return buf;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// The order of day, month and year in the locale's date format, as a text such as "mdy".
std::string DateOrder() {
  std::string order;
  for (const char* p = nl_langinfo(D_FMT); p && *p; ++p) {
    if (*p != '%' || !p[1]) continue;
    char c = *++p;
    if ((c == 'd' || c == 'e') && order.find('d') == std::string::npos) order += 'd';
    if ((c == 'm' || c == 'b' || c == 'h') && order.find('m') == std::string::npos) order += 'm';
    if ((c == 'y' || c == 'Y') && order.find('y') == std::string::npos) order += 'y';
  }
  return order.size() == 3 ? order : "mdy";
}

class TScanner {
public:
  explicit TScanner(const std::string& text) : FText(text) {}

  void SkipBlanks() {
    while (FPos < FText.size() && (FText[FPos] == ' ' || FText[FPos] == '\t')) ++FPos;
  }
  bool AtEnd() {
    SkipBlanks();
    return FPos == FText.size();
  }
  // Up to four digits; the count is returned in digits.
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9' && digits < 4) {
      value = value * 10 + (FText[FPos++] - '0');
      ++digits;
    }
    return digits > 0;
  }
  bool Char(char c) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }
  size_t Pos() const { return FPos; }
  void Reset(size_t pos) { FPos = pos; }

private:
  const std::string& FText;
  size_t FPos = 0;
};

bool ScanDateSeparator(TScanner& s, char& used) {
  if (used) return s.Char(used);
  for (char c : {DateSeparator(), '/', '-'})
    if (s.Char(c)) {
      used = c;
      return true;
    }
  return false;
}

bool ScanDate(TScanner& s, TDateTime& date) {
  int n[3], digits[3];
  char separator = 0;
  if (!s.Number(n[0], digits[0]) || !ScanDateSeparator(s, separator) || !s.Number(n[1], digits[1]) ||
      !ScanDateSeparator(s, separator) || !s.Number(n[2], digits[2]))
    return false;
  std::string order = digits[0] == 4 ? std::string("ymd") : DateOrder();
  int y = 0, m = 0, d = 0, yearDigits = 0;
  for (int i = 0; i < 3; ++i) {
    if (order[i] == 'y') {
      y = n[i];
      yearDigits = digits[i];
    } else if (order[i] == 'm') {
      m = n[i];
    } else {
      d = n[i];
    }
  }
  if (yearDigits <= 2) y += y < 50 ? 2000 : 1900;
  if (!ValidDate(y, m, d)) return false;
  date = EncodeDate(y, m, d);
  return true;
}

bool ScanTimeSeparator(TScanner& s) { return s.Char(TimeSeparator()) || s.Char(':'); }

bool ScanTime(TScanner& s, TDateTime& time) {
  int h = 0, n = 0, sec = 0, ms = 0, digits = 0;
  if (!s.Number(h, digits) || !ScanTimeSeparator(s) || !s.Number(n, digits)) return false;
  if (ScanTimeSeparator(s)) {
    if (!s.Number(sec, digits)) return false;
    if (s.Char('.') && !s.Number(ms, digits)) return false;
  }
  if (h > 23 || n > 59 || sec > 59 || ms > 999) return false;
  time = EncodeTime(h, n, sec, ms);
  return true;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day) {
  if (!ValidDate(year, month, day)) throw EConvertError("Invalid argument to date encode");
  return double(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  return double(((hour * 60LL + minute) * 60 + second) * 1000 + msec) / double(kMsPerDay);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  long long d, ms;
  Split(value, d, ms);
  CivilFromDays(d - kUnixEpochDay, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
  long long d, ms;
  Split(value, d, ms);
  msec = int(ms % 1000);
  second = int(ms / 1000 % 60);
  minute = int(ms / 60000 % 60);
  hour = int(ms / 3600000);
}

int DayOfWeek(TDateTime value) {
  long long d, ms;
  Split(value, d, ms);
  // Day 0, 1899-12-30, was a Saturday.
  return int(((d + 6) % 7 + 7) % 7) + 1;
}

double Frac(TDateTime value) { return value - std::trunc(value); }

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

char TimeSeparatorFrom(const char* timeFormat) { return SeparatorFrom(timeFormat, ':'); }
char TimeSeparator() { return TimeSeparatorFrom(nl_langinfo(T_FMT)); }
char DateSeparator() { return SeparatorFrom(nl_langinfo(D_FMT), '/'); }

std::string FormatDateTime(const std::string& pattern, TDateTime value) {
  int y, mo, d, h, mi, s, ms;
  DecodeDate(value, y, mo, d);
  DecodeTime(value, h, mi, s, ms);
  std::string out;
  char lastSpecifier = 0;
  for (size_t i = 0; i < pattern.size();) {
    char c = Lower(pattern[i]);
    if (pattern[i] == '"' || pattern[i] == '\'') {
      size_t close = pattern.find(pattern[i], i + 1);
      if (close == std::string::npos) close = pattern.size();
      out += pattern.substr(i + 1, close - i - 1);
      i = close + 1;
      continue;
    }
    if (c == ':') {
      out += TimeSeparator();
      ++i;
      continue;
    }
    if (c == '/') {
      out += DateSeparator();
      ++i;
      continue;
    }
    if (std::string("ymdhnsz").find(c) == std::string::npos) {
      out += pattern[i++];
      continue;
    }
    size_t count = 1;
    while (i + count < pattern.size() && Lower(pattern[i + count]) == c) ++count;
    i += count;
    switch (c) {
    case 'y': out += count <= 2 ? Number(y % 100, 2) : Number(y, 4); break;
    case 'm':
      if (lastSpecifier == 'h' && count <= 2) out += Number(mi, int(count));
      else if (count <= 2) out += Number(mo, int(count));
      else out += Strftime(count == 3 ? "%b" : "%B", value);
      break;
    case 'd':
      if (count <= 2) out += Number(d, int(count));
      else out += Strftime(count == 3 ? "%a" : "%A", value);
      break;
    case 'h': out += Number(h, count >= 2 ? 2 : 1); break;
    case 'n': out += Number(mi, count >= 2 ? 2 : 1); break;
    case 's': out += Number(s, count >= 2 ? 2 : 1); break;
    case 'z': out += Number(ms, count >= 3 ? 3 : 1); break;
    }
    lastSpecifier = c;
  }
  return out;
}

TDateTime StrToDateTime(const std::string& text) {
  TScanner s(text);
  TDateTime date = 0, time = 0;
  bool ok = false;
  if (ScanDate(s, date)) {
    ok = s.AtEnd() || (ScanTime(s, time) && s.AtEnd());
  } else {
    s.Reset(0);
    date = 0;
    ok = ScanTime(s, time) && s.AtEnd();
  }
  if (!ok) throw EConvertError("'" + text + "' is not a valid date and time");
  return date + time;
}
