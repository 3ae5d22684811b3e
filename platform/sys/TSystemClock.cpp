#include "platform/sys/TSystemClock.h"

#include <ctime>

#include "platform/sys/DateUtils.h"

TDateTime TSystemClock::Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, int(ts.tv_nsec / 1000000));
}
