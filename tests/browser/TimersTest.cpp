// The two timers: the clock labels each second; the scheduled shutdown and the idle return each
// minute.
#include "MainWindowFixture.h"

#include "platform/sys/DateUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TMessageForm.h"

namespace {

const char* const kHome = "http://127.0.0.1/home.html";

TDateTime At(int hour, int minute, int second) { return EncodeDate(2009, 6, 20) + EncodeTime(hour, minute, second, 0); }

} // namespace

TEST_F(MainWindowTest, TheClockShowsDateTimeAndWeekdayFromTheFirstSecondAndTurnsOverAtMidnight) {
  fakes.Clock->Set(At(23, 59, 59));
  Start();
  backend.Advance(999);
  EXPECT_EQ(form->lblDate.Caption() + form->lblTime.Caption() + form->lblWeek.Caption(), "");
  backend.Advance(1);
  EXPECT_EQ(form->lblDate.Caption(), "2009年06月20日");
  EXPECT_EQ(form->lblTime.Caption(), "23:59");
  EXPECT_EQ(form->lblWeek.Caption(), "Sat");

  fakes.Clock->AdvanceSeconds(1);
  backend.Advance(1000);
  EXPECT_EQ(form->lblDate.Caption(), "2009年06月21日");
  EXPECT_EQ(form->lblTime.Caption(), "00:00");
  EXPECT_EQ(form->lblWeek.Caption(), "Sun");
}

struct TIdleCase {
  const char* name;
  const char* settings;
  TPoint cursor;
  // Per minute tick: 'H' the pane went home, '.' it did not. The cursor moves after the first
  // seven ticks.
  const char* before;
  const char* after;
};

inline void PrintTo(const TIdleCase& c, std::ostream* os) { *os << c.name; }

class IdleReturnTest : public MainWindowTest, public ::testing::WithParamInterface<TIdleCase> {};

TEST_P(IdleReturnTest, GoesHomeOnTheIdleMinutesthUnmovedTickAndAtEveryTickAfter) {
  const TIdleCase& c = GetParam();
  Settings(std::string("Homepage=") + kHome + "\r\n" + c.settings);
  fakes.Windowing->Cursor = c.cursor;
  Start();
  auto watch = [&](int minutes) {
    std::string seen;
    for (int i = 0; i < minutes; ++i) {
      const int before = Navigations(kHome);
      WaitMinutes(1);
      seen += Navigations(kHome) > before ? 'H' : '.';
    }
    return seen;
  };
  EXPECT_EQ(watch(7), c.before);
  fakes.Windowing->Cursor.X += 1;
  EXPECT_EQ(watch(2), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, IdleReturnTest,
    ::testing::Values(
        // The first tick sees the cursor move from 0, 0; the fifth tick after it goes home.
        TIdleCase{"FiveMinutes", "IdleAutoHomepage=1\r\nIdleMinutes=5\r\n", {300, 200}, ".....HH", ".."},
        TIdleCase{"Zero", "IdleAutoHomepage=1\r\nIdleMinutes=0\r\n", {300, 200}, ".HHHHHH", ".H"},
        TIdleCase{"Negative", "IdleAutoHomepage=1\r\nIdleMinutes=-3\r\n", {300, 200}, ".HHHHHH", ".H"},
        TIdleCase{"CursorLeftAtTheOrigin", "IdleAutoHomepage=1\r\nIdleMinutes=1\r\n", {0, 0}, "HHHHHHH", ".H"},
        TIdleCase{"Off", "IdleAutoHomepage=0\r\nIdleMinutes=0\r\n", {300, 200}, ".......", ".."}),
    [](const auto& info) { return std::string(info.param.name); });

struct TShutdownCase {
  const char* name;
  int hour, minute, second; // the clock at the first minute tick
  bool shutsDown;
};

inline void PrintTo(const TShutdownCase& c, std::ostream* os) { *os << c.name; }

class ScheduledShutdownTest : public MainWindowTest, public ::testing::WithParamInterface<TShutdownCase> {};

TEST_P(ScheduledShutdownTest, ClosesTheWindowAndPowersOffAtTheFirstTickAtOrAfterTheTime) {
  const TShutdownCase& c = GetParam();
  Settings("ShutdownAuto=1\r\nShutdownTime=18:30\r\n");
  fakes.Clock->Set(At(c.hour, c.minute, c.second));
  Start();
  view->busy = true;
  view->calls.clear();
  backend.Advance(59999);
  EXPECT_EQ(fakes.Shutdown->PowerOffCount, 0);
  backend.Advance(1);
  EXPECT_EQ(fakes.Shutdown->PowerOffCount, c.shutsDown ? 1 : 0);
  EXPECT_EQ(form->Visible(), !c.shutsDown);
  EXPECT_EQ(app.Terminated(), c.shutsDown);
  EXPECT_EQ(view->calls, c.shutsDown ? std::vector<std::string>{"Stop"} : std::vector<std::string>{})
      << "closing the window stops the page";
}

INSTANTIATE_TEST_SUITE_P(Times, ScheduledShutdownTest,
                         ::testing::Values(TShutdownCase{"ASecondBefore", 18, 29, 59, false},
                                           TShutdownCase{"OnTheDot", 18, 30, 0, true},
                                           TShutdownCase{"StartedLaterThatEvening", 19, 0, 0, true},
                                           TShutdownCase{"JustBeforeMidnight", 23, 59, 59, true},
                                           TShutdownCase{"AfterMidnight", 0, 10, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ABadShutdownTimeIsReportedAtEveryTickAndThatTicksIdleReturnDoesNotRun) {
  // The time the settings tool leaves when none was typed: blanks around the colon.
  Settings(std::string("Homepage=") + kHome + "\r\nShutdownAuto=1\r\nShutdownTime=  :  \r\n"
           "IdleAutoHomepage=1\r\nIdleMinutes=0\r\n");
  Start();
  std::vector<std::string> boxes;
  auto readAndClose = [&] {
    auto* box = dynamic_cast<TMessageForm*>(app.ModalForm());
    ASSERT_NE(box, nullptr) << "no message box is open";
    boxes.push_back(box->Caption() + (box->Flags() & MB_ICONERROR ? " error" : " other") +
                    (box->Text().empty() ? " (no text)" : ""));
    backend.Click(*box->ButtonFor(mrOk), 5, 5);
  };
  for (int minute = 0; minute < 3; ++minute) {
    backend.OnIdle(readAndClose);
    WaitMinutes(1);
  }
  EXPECT_EQ(boxes, std::vector<std::string>(3, "Quillo触摸浏览器 error"));
  EXPECT_EQ(Navigations(kHome), 1) << "only the start-up opened the home page";
  EXPECT_EQ(fakes.Shutdown->PowerOffCount, 0);
  EXPECT_TRUE(form->Visible());
}

TEST_F(MainWindowTest, ABoxAboutABadShutdownTimeLeftOpenIsNotStackedOver) {
  Settings("ShutdownAuto=1\r\nShutdownTime=6 pm\r\n");
  Start();
  int boxesWhileOpen = -1;
  backend.OnIdle([&] {
    // Three more minute ticks while nobody answers the box.
    backend.Advance(3 * 60000);
    boxesWhileOpen = 0;
    for (TForm* f : app.Forms()) boxesWhileOpen += dynamic_cast<TMessageForm*>(f) != nullptr;
    app.ModalForm()->SetModalResult(mrOk);
  });
  WaitMinutes(1);
  EXPECT_EQ(boxesWhileOpen, 1);
  // Once it is answered, the next tick reports the time again.
  bool shownAgain = false;
  backend.OnIdle([&] {
    shownAgain = dynamic_cast<TMessageForm*>(app.ModalForm()) != nullptr;
    if (app.ModalForm()) app.ModalForm()->SetModalResult(mrOk);
  });
  WaitMinutes(1);
  EXPECT_TRUE(shownAgain);
}

TEST_F(MainWindowTest, WithTheScheduleOffTheShutdownTimeIsNotLookedAt) {
  Settings(std::string("Homepage=") + kHome + "\r\nShutdownAuto=0\r\nShutdownTime=  :  \r\n"
           "IdleAutoHomepage=1\r\nIdleMinutes=0\r\n");
  Start();
  // A box would wait for an answer that never comes, and the virtual loop would fail the test.
  WaitMinutes(2);
  EXPECT_EQ(app.ModalForm(), nullptr);
  EXPECT_EQ(Navigations(kHome), 3) << "the start, then the idle return at both ticks";
}
