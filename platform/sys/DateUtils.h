#pragma once
#include <stdexcept>
#include <string>

#include "platform/sys/SysTypes.h"

// Date and time values and texts as the form library has them; names, separators and the order
// of day, month and year come from the C library's locale (LC_TIME).

class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

TDateTime EncodeDate(int year, int month, int day); // EConvertError for a date that does not exist
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
int DayOfWeek(TDateTime value); // 1 is Sunday, 7 Saturday
double Frac(TDateTime value);
TDateTime DateOf(TDateTime value);

// The time separator of the locale: the first ASCII punctuation character between the fields of
// its time format, ':' when there is none (as in formats that write hour and minute as words).
char TimeSeparator();
char TimeSeparatorFrom(const char* timeFormat);
// The same for the date format, '/' when there is none.
char DateSeparator();

// yyyy or yy, m mm (month; minute right after an hour), mmm mmmm (month names), d dd, ddd dddd
// (weekday names), h hh, n nn, s ss, z zzz (milliseconds), ':' and '/' the locale's separators,
// text in double or single quotes as it is; letters are matched in either case, and every other
// character is copied.
std::string FormatDateTime(const std::string& pattern, TDateTime value);

// A date, a time, or a date followed by a time. A date is three numbers in the locale's order
// with its separator, '/' or '-' (or year first when it has four digits); a time is hour and
// minute, and optionally seconds and milliseconds after a '.', with the locale's time separator
// (or ':'), blanks allowed around each part. A time alone gives a fraction of a day. Anything
// else raises EConvertError.
TDateTime StrToDateTime(const std::string& text);
