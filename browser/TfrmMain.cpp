#include "browser/TfrmMain.h"

#include <climits>
#include <functional>

#include <glib.h>

#include "artwork/Artwork.h"
#include "browser/BrowserButtonStyle.h"
#include "platform/ini/TIniFile.h"
#include "platform/sys/DateUtils.h"
#include "platform/sys/Sys.h"
#include "platform/ui/TApplication.h"

namespace {

constexpr const char* kSection = "Common";

void Frame(TImage& image, const char* name, int left, int top, int width, int height, TAlign align) {
  image.SetName(name);
  image.SetBounds(left, top, width, height);
  image.SetAutoSize(true);
  image.SetPicture(Artwork::Get(std::string("frmMain.") + name));
  image.SetAlign(align);
}

void Bar(TPanel& panel, int left, int top, int width, int height) {
  panel.SetName("pnl1");
  panel.SetBounds(left, top, width, height);
  panel.SetBevelOuter(bvRaised);
  panel.SetBevelWidth(1);
  panel.SetTabOrder(0);
  panel.SetAlign(alBottom);
}

void Background(TImage& image, int left, int top, int width, int height) {
  image.SetName("img1");
  image.SetBounds(left, top, width, height);
  image.SetAutoSize(true);
  image.SetPicture(Artwork::Get("frmMain.img1"));
}

TDsFancyButton& BarButton(TDsFancyButton& button, const char* name, int left, int top, int width, int height,
                          TNotifyEvent onClick) {
  button.SetName(name);
  button.SetBounds(left, top, width, height);
  ApplyBrowserButtonStyle(button, std::string("frmMain.") + name);
  button.OnClick = std::move(onClick);
  return button;
}

// The clock labels keep their distance to the bar's right and bottom edges as the bar stretches.
// The date has a black font of its own; the others take the window's.
enum TLabelFont { WindowFont, BlackFont };

TLabel& ClockLabel(TLabel& label, const char* name, int left, int top, TAlignment alignment, TLabelFont font) {
  label.SetName(name);
  if (font == BlackFont) {
    label.SetParentFont(false);
    label.Font().SetName("宋体");
    label.Font().SetHeight(13);
    label.Font().SetColor(clBlack);
  }
  label.SetBounds(left, top, label.Width(), label.Height());
  label.SetAnchors(akRight | akBottom);
  label.SetAlignment(alignment);
  label.SetAutoSize(true);
  label.SetTransparent(true);
  label.SetCaption("");
  return label;
}

void VendorLabel(TLabel& label, const char* name, int left, int top, TNotifyEvent onClick) {
  label.SetName(name);
  label.SetBounds(left, top, label.Width(), label.Height());
  label.SetAnchors(akLeft | akTop);
  label.SetTransparent(true);
  label.SetParentFont(false);
  label.Font().SetName("宋体");
  label.Font().SetHeight(13);
  label.Font().SetColor(clWhite);
  label.SetCursor(crHandPoint);
  label.OnClick = std::move(onClick);
}

void Pane(TWebBrowser& pane, int left, int top, int width, int height) {
  pane.SetName("cpwbrwsr1");
  pane.SetBounds(left, top, width, height);
  pane.SetTabOrder(1);
  pane.SetAlign(alClient);
}

void Timer(TTimer& timer, const char* name, unsigned interval, TNotifyEvent onTimer) {
  timer.SetName(name);
  timer.SetInterval(interval);
  timer.SetEnabled(true);
  timer.OnTimer = std::move(onTimer);
}

// A file path as a file: address, with blanks and non-ASCII folder names escaped.
std::string FileUri(const std::string& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string result = uri ? uri : "";
  g_free(uri);
  return result;
}

struct TFlagSet {
  explicit TFlagSet(bool& flag) : value(flag) { value = true; }
  ~TFlagSet() { value = false; }
  bool& value;
};

} // namespace

TfrmMain::TfrmMain(TComponent* owner)
    : TForm(owner), img2(this), img3(this), img4(this), pnl1(this), img1(&pnl1), btnHome(&pnl1), btnReturn(&pnl1),
      btnRefresh(&pnl1), btnKey(&pnl1), btnDown(&pnl1), btnUp(&pnl1), btnExit(&pnl1), lblDate(&pnl1),
      lblTime(&pnl1), lblWeek(&pnl1), lblVendor(&pnl1), lblSoftSite(&pnl1), cpwbrwsr1(this), tmr1(this),
      tmr2(this) {
  BeginLoading();
  SetName("frmMain");
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetCaption(kCaption);
  SetColor(clBtnFace);
  Font().SetName("宋体");
  Font().SetHeight(13);
  SetClientWidth(862);
  SetClientHeight(473);

  Frame(img2, "img2", 0, 0, 862, 10, alTop);
  Frame(img3, "img3", 0, 10, 10, 406, alLeft);
  Frame(img4, "img4", 852, 10, 10, 406, alRight);
  Bar(pnl1, 0, 416, 862, 57);
  Background(img1, 1, 1, 1598, 55);
  BarButton(btnHome, "btnHome", 16, 4, 80, 50, std::bind_front(&TfrmMain::btnHomeClick, this));
  BarButton(btnReturn, "btnReturn", 112, 4, 80, 50, std::bind_front(&TfrmMain::btnReturnClick, this));
  BarButton(btnRefresh, "btnRefresh", 208, 4, 80, 50, std::bind_front(&TfrmMain::btnRefreshClick, this));
  BarButton(btnKey, "btnKey", 304, 4, 80, 50, std::bind_front(&TfrmMain::btnKeyClick, this));
  BarButton(btnDown, "btnDown", 440, 4, 80, 50, std::bind_front(&TfrmMain::btnDownClick, this));
  BarButton(btnUp, "btnUp", 536, 4, 81, 50, std::bind_front(&TfrmMain::btnUpClick, this));
  BarButton(btnExit, "btnExit", 664, 4, 80, 50, std::bind_front(&TfrmMain::btnExitClick, this)).Hide();
  ClockLabel(lblDate, "lblDate", 760, 5, taLeftJustify, BlackFont).OnDblClick =
      std::bind_front(&TfrmMain::lblDateDblClick, this);
  ClockLabel(lblTime, "lblTime", 792, 22, taCenter, WindowFont);
  ClockLabel(lblWeek, "lblWeek", 793, 39, taCenter, WindowFont);
  VendorLabel(lblVendor, "lblVendor", 785, 13, std::bind_front(&TfrmMain::lblVendorClick, this));
  VendorLabel(lblSoftSite, "lblSoftSite", 750, 33, std::bind_front(&TfrmMain::lblSoftSiteClick, this));
  Pane(cpwbrwsr1, 10, 10, 842, 406);
  Timer(tmr1, "tmr1", 1000, std::bind_front(&TfrmMain::tmr1Timer, this));
  Timer(tmr2, "tmr2", 60000, std::bind_front(&TfrmMain::tmr2Timer, this));

  cpwbrwsr1.OnNewWindow2 = std::bind_front(&TfrmMain::cpwbrwsr1NewWindow2, this);
  cpwbrwsr1.OnDocumentComplete = std::bind_front(&TfrmMain::cpwbrwsr1DocumentComplete, this);
  cpwbrwsr1.OnProcessCrashed = std::bind_front(&TfrmMain::cpwbrwsr1ProcessCrashed, this);
  OnCreate = std::bind_front(&TfrmMain::FormCreate, this);
  OnClose = std::bind_front(&TfrmMain::FormClose, this);
  EndLoading();

  // Maximised without a border: the window covers the whole screen, above every other one.
  SetWindowState(wsMaximized);
  DoCreate();
}

TfrmMain::~TfrmMain() {
  // The filter points at this window; no message may reach it once the window is gone.
  if (Application) Application->OnMessage = nullptr;
}

void TfrmMain::FormCreate(TObject*) {
  Application->OnMessage = std::bind_front(&TfrmMain::AppMessage, this);
  LoadSettings();
  lblVendor.SetCaption(VendorName);
  lblSoftSite.SetCaption(SoftSite);
  if (!ShowVendorSite) {
    lblVendor.Hide();
    lblSoftSite.Hide();
  }
  if (AutoStart)
    AddAutoStart();
  else
    RemoveAutoStart();
  btnExit.SetVisible(ShowExitButton);
  Application->BringToFront();
  NavigateHome();
}

void TfrmMain::FormClose(TObject*, TCloseAction&) {
  if (cpwbrwsr1.Busy()) cpwbrwsr1.Stop();
  KillProcessByName(kKeyboardProgram);
}

// Right clicks inside the page never reach the engine, so it shows no context menu there; the
// bar and the pane's own window are not filtered.
void TfrmMain::AppMessage(TMsg& Msg, bool& Handled) {
  Handled = false;
  if ((Msg.message == WM_RBUTTONDOWN || Msg.message == WM_RBUTTONUP) && cpwbrwsr1.IsDescendant(Msg.hwnd))
    Handled = true;
}

void TfrmMain::NavigateHome() { cpwbrwsr1.Navigate(Homepage); }

void TfrmMain::btnHomeClick(TObject*) { NavigateHome(); }

void TfrmMain::btnReturnClick(TObject*) { cpwbrwsr1.GoBack(); }

void TfrmMain::btnRefreshClick(TObject*) { cpwbrwsr1.Refresh(); }

void TfrmMain::btnKeyClick(TObject*) {}

void TfrmMain::SendKeyStroke(uint8_t vk) {
  IKeyInput& keys = *Sys().KeyInput;
  const uint8_t scan = uint8_t(keys.MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  keys.keybd_event(vk, scan, 0, 0);
  keys.keybd_event(vk, scan, KEYEVENTF_KEYUP, 0);
}

void TfrmMain::btnDownClick(TObject*) { SendKeyStroke(VK_DOWN); }

void TfrmMain::btnUpClick(TObject*) { SendKeyStroke(VK_UP); }

void TfrmMain::btnExitClick(TObject*) {}

void TfrmMain::lblDateDblClick(TObject*) {}

void TfrmMain::lblVendorClick(TObject*) { Sys().Shell->ShellOpen(VendorURL); }

void TfrmMain::lblSoftSiteClick(TObject*) { Sys().Shell->ShellOpen(SoftSiteURL); }

// A page that asks for a new window gets the link it has the focus on opened in the pane; without
// one, the address it asked for. A request with neither leaves the page as it is rather than
// blanking it. No window opens in any case.
void TfrmMain::cpwbrwsr1NewWindow2(TObject*, const std::string& RequestUrl, bool& Cancel) {
  std::string href;
  if (!cpwbrwsr1.ActiveElementHref(href) || href.empty()) href = RequestUrl;
  if (!href.empty()) cpwbrwsr1.Navigate(href);
  Cancel = true;
}

void TfrmMain::cpwbrwsr1DocumentComplete(TObject*, const std::string&) { FocusDocument(); }

void TfrmMain::FocusDocument() {
  if (cpwbrwsr1.HasHtmlDocument()) cpwbrwsr1.FocusDocument();
}

// The engine's process for the page ended (it crashed or was killed): the pane would stay empty,
// so the kiosk starts over at its home page.
void TfrmMain::cpwbrwsr1ProcessCrashed(TObject*) { NavigateHome(); }

std::string TfrmMain::DefaultHomepage() { return FileUri(Sys().Processes->ExeFolder() + "welcome/index.html"); }

void TfrmMain::LoadSettings() {
  try {
    TIniFile ini(Sys().Processes->ExeFolder() + kSettingsFile);
    if (ini.ReadSection(kSection).empty()) return;
    Homepage = ini.ReadString(kSection, "Homepage", DefaultHomepage());
    ShutdownAuto = ini.ReadInteger(kSection, "ShutdownAuto", 0) != 0;
    ShutdownTime = ini.ReadString(kSection, "ShutdownTime", "");
    ExitPassword = ini.ReadString(kSection, "ExitPassword", "");
    AutoStart = ini.ReadInteger(kSection, "AutoStart", 0) != 0;
    IdleAutoHomepage = ini.ReadInteger(kSection, "IdleAutoHomepage", 0) != 0;
    IdleMinutes = ini.ReadInteger(kSection, "IdleMinutes", 0);
    ShowExitButton = ini.ReadInteger(kSection, "ShowExitButton", 0) != 0;
    ShowVendorSite = ini.ReadInteger(kSection, "ShowVendorSite", 0) != 0;
    VendorName = ini.ReadString(kSection, "VendorName", "");
    VendorURL = ini.ReadString(kSection, "VendorURL", "");
    SoftSite = ini.ReadString(kSection, "SoftSite", "");
    SoftSiteURL = ini.ReadString(kSection, "SoftSiteURL", "");
  } catch (...) {
    // A settings file that cannot be read leaves the settings read so far; start-up goes on.
  }
}

void TfrmMain::tmr1Timer(TObject*) {
  // One reading of the clock for all three labels, so they agree across midnight.
  const TDateTime now = Now();
  lblDate.SetCaption(FormatDateTime("yyyy", now) + "年" + FormatDateTime("mm", now) + "月" +
                     FormatDateTime("dd", now) + "日");
  lblTime.SetCaption(FormatDateTime("hh:nn", now));
  lblWeek.SetCaption(FormatDateTime("ddd", now));
}

void TfrmMain::tmr2Timer(TObject*) {
  if (ShutdownAuto) {
    // The box about a bad time is still open from an earlier tick: this tick ends as that one did.
    if (FReportingShutdownError) return;
    const TDateTime timeOfDay = Time();
    TDateTime at = 0;
    try {
      at = StrToDateTime(ShutdownTime + ":00");
    } catch (const EConvertError& e) {
      TFlagSet reporting(FReportingShutdownError);
      Application->HandleException(e);
      return;
    }
    if (timeOfDay >= at) {
      Close();
      Application->Terminate();
      ShutdownWindows();
      return;
    }
  }
  if (IdleAutoHomepage) {
    const TPoint cursor = Sys().Windowing->GetCursorPos();
    if (cursor.X != FLastCursorX || cursor.Y != FLastCursorY) {
      FLastCursorX = cursor.X;
      FLastCursorY = cursor.Y;
      FIdleCount = 0;
      return;
    }
    // Counting stops at the largest value rather than wrapping round to a negative count.
    if (FIdleCount < INT32_MAX) ++FIdleCount;
    if (FIdleCount >= IdleMinutes) NavigateHome();
  }
}

void TfrmMain::ShutdownWindows() { Sys().Shutdown->PowerOff(); }

void TfrmMain::KillProcessByName(const std::string&) {}

void TfrmMain::AddAutoStart() {}

void TfrmMain::RemoveAutoStart() {}
