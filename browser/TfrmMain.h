#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/Messages.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TImage.h"
#include "platform/ui/TLabel.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TTimer.h"
#include "platform/ui/TWebBrowser.h"
#include "widgets/TDsFancyButton.h"

// The kiosk's main window: the web pane between three frame strips, over the bar of picture
// buttons with the clock and the vendor labels. It reads the settings file once while it is
// created, goes home after the idle minutes and shuts the computer down at the set time.
class TfrmMain : public TForm {
public:
  static constexpr const char* kCaption = "Quillo触摸浏览器";
  static constexpr const char* kSettingsFile = "Tovira.dat";
  static constexpr const char* kKeyboardProgram = "Kelpad";

  explicit TfrmMain(TComponent* owner);
  ~TfrmMain() override;

  // The controls, in the order they are laid out.
  TImage img2;
  TImage img3;
  TImage img4;
  TPanel pnl1;
  TImage img1;
  TDsFancyButton btnHome;
  TDsFancyButton btnReturn;
  TDsFancyButton btnRefresh;
  TDsFancyButton btnKey;
  TDsFancyButton btnDown;
  TDsFancyButton btnUp;
  TDsFancyButton btnExit;
  TLabel lblDate;
  TLabel lblTime;
  TLabel lblWeek;
  TLabel lblVendor;
  TLabel lblSoftSite;
  TWebBrowser cpwbrwsr1;
  TTimer tmr1;
  TTimer tmr2;

  // The settings, one per key of the settings file; empty, 0 or off until LoadSettings.
  std::string Homepage;
  bool ShutdownAuto = false;
  std::string ShutdownTime;
  std::string ExitPassword;
  bool AutoStart = false;
  bool IdleAutoHomepage = false;
  int32_t IdleMinutes = 0;
  bool ShowExitButton = false;
  bool ShowVendorSite = false;
  std::string VendorName;
  std::string VendorURL;
  std::string SoftSite;
  std::string SoftSiteURL;

  // The idle return: minute ticks in a row that found the cursor where it was last seen.
  int32_t FIdleCount = 0;
  int32_t FLastCursorX = 0;
  int32_t FLastCursorY = 0;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void AppMessage(TMsg& Msg, bool& Handled);
  void btnHomeClick(TObject* Sender);
  void btnReturnClick(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void btnKeyClick(TObject* Sender);
  void btnDownClick(TObject* Sender);
  void btnUpClick(TObject* Sender);
  void btnExitClick(TObject* Sender);
  void lblDateDblClick(TObject* Sender);
  void lblVendorClick(TObject* Sender);
  void lblSoftSiteClick(TObject* Sender);
  void cpwbrwsr1NewWindow2(TObject* Sender, const std::string& RequestUrl, bool& Cancel);
  void cpwbrwsr1DocumentComplete(TObject* Sender, const std::string& URL);
  void cpwbrwsr1ProcessCrashed(TObject* Sender);
  void tmr1Timer(TObject* Sender);
  void tmr2Timer(TObject* Sender);

  void LoadSettings();
  void FocusDocument();
  void ShutdownWindows();
  void KillProcessByName(const std::string& name);
  void AddAutoStart();
  void RemoveAutoStart();

  // The home page when the settings file has a Common section but no Homepage key: the welcome
  // page installed beside the program.
  static std::string DefaultHomepage();

private:
  void NavigateHome();
  // One stroke of a key, down and up, as a keyboard would send it.
  static void SendKeyStroke(uint8_t vk);

  // Set while the error box about a bad shutdown time is open, so the minute ticks that come
  // during it do not stack another box on top of it each minute.
  bool FReportingShutdownError = false;
};
