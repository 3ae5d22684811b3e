#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TBitBtn.h"
#include "platform/ui/TCheckBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TImage.h"
#include "platform/ui/TLabel.h"
#include "platform/ui/TMaskEdit.h"
#include "platform/ui/TMemo.h"
#include "platform/ui/TPageControl.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TTabSheet.h"

namespace {

const TColor kFace = ColorToRGB(clBtnFace);
const TColor kHighlight = ColorToRGB(clBtnHighlight);
const TColor kShadow = ColorToRGB(clBtnShadow);

TBitmap Filled(int width, int height, TColor color) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, color);
  return b;
}

int Brightness(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// A borderless form on the headless backend, with helpers to read what it shows.
class ControlsTest : public ::testing::Test {
protected:
  ControlsTest() {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 400, 300);
  }

  void Show() {
    form.Show();
    app.ProcessMessages();
  }
  void Key(uint16_t vk, TShiftState shift = 0) {
    backend.Key(vk, shift);
    app.ProcessMessages();
  }
  void Type(const std::string& text) {
    backend.Type(text);
    app.ProcessMessages();
  }
  void Click(TControl& c, int x, int y) {
    backend.Click(c, x, y);
    app.ProcessMessages();
  }
  // Alt held around a character: the way an accelerator is typed.
  void AltChar(char c) {
    backend.KeyDown(VK_MENU);
    backend.Char(uint32_t(c));
    backend.KeyUp(VK_MENU);
    app.ProcessMessages();
  }

  TColor At(int x, int y) { return form.Snapshot().Pixel(x, y); }
  // The bounding box, in form coordinates, of the pixels in area that differ from background.
  TRect Ink(const TRect& area, TColor background) {
    const TBitmap& shot = form.Snapshot();
    TRect ink;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (shot.Pixel(x, y) != background) ink = ink.Union(Bounds(x, y, 1, 1));
    return ink;
  }
  // The darkest pixel of an area, as the sum of its channels.
  int Darkest(const TRect& area) {
    const TBitmap& shot = form.Snapshot();
    int darkest = 3 * 255;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) darkest = std::min(darkest, Brightness(shot.Pixel(x, y)));
    return darkest;
  }
  static TRect OnForm(const TControl& c) {
    TPoint p = c.ClientToForm({0, 0});
    return Bounds(p.X, p.Y, c.Width(), c.Height());
  }

  THeadlessBackend backend;
  TApplication app{backend};
  TForm form{nullptr};
};

// ---- TPanel ----

TEST_F(ControlsTest, PanelBevelLightsTheTopLeftForRaisedAndTheBottomRightForLowered) {
  TPanel panel(&form);
  panel.SetBounds(10, 10, 100, 40);
  Show();
  struct TCase {
    TBevelCut cut;
    TColor topLeft, bottomRight;
  } cases[] = {{bvRaised, kHighlight, kShadow}, {bvLowered, kShadow, kHighlight}, {bvNone, kFace, kFace}};
  for (const TCase& c : cases) {
    panel.SetBevelOuter(c.cut);
    SCOPED_TRACE(int(c.cut));
    EXPECT_EQ(At(10, 30), c.topLeft);    // left column
    EXPECT_EQ(At(50, 10), c.topLeft);    // top row
    EXPECT_EQ(At(109, 30), c.bottomRight); // right column
    EXPECT_EQ(At(50, 49), c.bottomRight);  // bottom row
    EXPECT_EQ(At(50, 30), kFace);
  }
}

// Aligned children keep clear of the bevels and the border; placed children count from the
// panel's outer corner, as the forms give them.
TEST_F(ControlsTest, PanelAlignsInsideItsFrameAndPlacesFromItsOuterCorner) {
  TPanel panel(&form);
  panel.SetBounds(10, 10, 200, 100);
  TPanel filler(&panel);
  filler.SetAlign(alClient);
  panel.SetBevelWidth(2);
  panel.SetBorderWidth(3);
  panel.SetBevelInner(bvLowered);
  EXPECT_EQ(filler.BoundsRect(), (TRect{7, 7, 193, 93}));

  filler.Hide();
  TImage picture(&panel);
  picture.SetBounds(1, 1, 20, 20);
  picture.SetPicture(Filled(20, 20, clRed));
  Show();
  EXPECT_EQ(At(11, 11), clRed);
}

// ---- TImage ----

TEST_F(ControlsTest, ImageDrawsAtItsOwnSizeFromTheTopLeftAndIsCutOffAtItsBounds) {
  form.SetColor(clWhite);
  TImage image(&form);
  image.SetBounds(50, 50, 10, 10);
  TBitmap picture = Filled(20, 30, clRed);
  picture.SetPixel(0, 0, clBlue);
  image.SetPicture(picture);
  Show();
  EXPECT_EQ(At(50, 50), clBlue);
  EXPECT_EQ(At(59, 59), clRed);
  EXPECT_EQ(At(60, 55), clWhite);
  EXPECT_EQ(At(55, 60), clWhite);

  // A smaller picture leaves the rest of the control to the parent.
  image.SetPicture(Filled(4, 4, clRed));
  EXPECT_EQ(At(53, 53), clRed);
  EXPECT_EQ(At(55, 55), clWhite);
}

// With AutoSize the control takes the picture's size, except along the side an alignment sets.
TEST_F(ControlsTest, ImageAutoSizeTakesThePictureSizeUnlessAligned) {
  struct TCase {
    TAlign align;
    int pictureWidth, pictureHeight;
    int width, height;
  } cases[] = {
      {alNone, 30, 15, 30, 15},
      {alTop, 1600, 10, 400, 10},  // a frame strip across the top
      {alRight, 13, 800, 13, 300}, // an edge strip down the right side
  };
  for (const TCase& c : cases) {
    TImage image(&form);
    image.SetBounds(5, 5, 50, 50);
    image.SetAlign(c.align);
    image.SetAutoSize(true);
    image.SetPicture(Filled(c.pictureWidth, c.pictureHeight, clRed));
    EXPECT_EQ(image.Width(), c.width) << c.align;
    EXPECT_EQ(image.Height(), c.height) << c.align;
  }
}

TEST_F(ControlsTest, TransparentImageLeavesOutTheBottomLeftPixelsColour) {
  form.SetColor(clWhite);
  TImage image(&form);
  image.SetBounds(20, 20, 10, 10);
  TBitmap picture = Filled(10, 10, clLime);
  for (int y = 3; y < 7; ++y)
    for (int x = 3; x < 7; ++x) picture.SetPixel(x, y, clRed);
  image.SetPicture(picture);
  image.SetTransparent(true);
  Show();
  EXPECT_EQ(At(25, 25), clRed);
  EXPECT_EQ(At(21, 21), clWhite);
  EXPECT_EQ(At(20, 29), clWhite);

  image.SetTransparent(false);
  EXPECT_EQ(At(21, 21), clLime);
}

// ---- TLabel ----

TEST_F(ControlsTest, AutoSizeLabelTakesItsTextExtentWithoutTheAcceleratorMark) {
  TLabel label(&form);
  TBitmap none;
  TCanvas measure(none);
  measure.Font = label.Font();
  struct TCase {
    const char* caption;
    const char* shown;
  } cases[] = {{"Hello", "Hello"}, {"保存(&S)", "保存(S)"}, {"a && b", "a & b"}};
  for (const TCase& c : cases) {
    label.SetCaption(c.caption);
    TSize extent = measure.TextExtent(c.shown);
    EXPECT_EQ(label.Width(), extent.cx) << c.caption;
    EXPECT_EQ(label.Height(), extent.cy) << c.caption;
  }
  // An empty label keeps the height of a line, so a clock filled in later does not jump.
  label.SetCaption("");
  EXPECT_EQ(label.Height(), measure.TextExtent("Hello").cy);
}

// A growing right-justified label keeps its right edge; the others keep their left edge.
TEST_F(ControlsTest, AutoSizeLabelKeepsTheEdgeItsAlignmentNames) {
  struct TCase {
    TAlignment alignment;
    bool keepsRight;
  } cases[] = {{taLeftJustify, false}, {taCenter, false}, {taRightJustify, true}};
  for (const TCase& c : cases) {
    TLabel label(&form);
    label.SetAlignment(c.alignment);
    label.SetLeft(100);
    label.SetCaption("12");
    int left = label.Left(), right = label.Left() + label.Width();
    label.SetCaption("12:34:56");
    ASSERT_GT(label.Width(), right - left);
    if (c.keepsRight)
      EXPECT_EQ(label.Left() + label.Width(), right) << c.alignment;
    else
      EXPECT_EQ(label.Left(), left) << c.alignment;
  }
}

TEST_F(ControlsTest, LabelTextIsPlacedByItsAlignmentInsideAFixedSize) {
  form.SetColor(clWhite);
  TLabel label(&form);
  label.SetAutoSize(false);
  label.SetTransparent(true);
  label.SetBounds(20, 20, 200, 20);
  label.SetCaption("Hi");
  Show();
  struct TCase {
    TAlignment alignment;
    int expectedLeftGap; // -1: the same as the right gap
  } cases[] = {{taLeftJustify, 0}, {taCenter, -1}};
  for (const TCase& c : cases) {
    label.SetAlignment(c.alignment);
    TRect ink = Ink(OnForm(label), clWhite);
    ASSERT_FALSE(ink.IsEmpty());
    int leftGap = ink.Left - 20, rightGap = 220 - ink.Right;
    if (c.expectedLeftGap < 0)
      EXPECT_NEAR(leftGap, rightGap, 2);
    else
      EXPECT_LE(leftGap, 2);
  }
}

TEST_F(ControlsTest, LabelPaintsItsColourUnlessTransparentAndIsGreyedWhenDisabled) {
  form.SetColor(clRed);
  TLabel label(&form);
  label.SetColor(clWhite);
  label.SetLeft(10);
  label.SetTop(10);
  label.SetCaption("WWW");
  Show();
  TRect area = OnForm(label);
  EXPECT_EQ(At(area.Right - 1, area.Bottom - 1), clWhite);
  EXPECT_LT(Darkest(area), 60);

  label.SetEnabled(false);
  EXPECT_GE(Darkest(area), Brightness(kShadow) - 30);

  label.SetTransparent(true);
  EXPECT_EQ(At(area.Right - 1, area.Bottom - 1), clRed);
}

TEST_F(ControlsTest, LabelRaisesClickThenDoubleClick) {
  TLabel label(&form);
  label.SetCaption("2024-01-01");
  int clicks = 0, doubles = 0;
  label.OnClick = [&](TObject*) { ++clicks; };
  label.OnDblClick = [&](TObject*) { ++doubles; };
  Show();
  Click(label, 2, 2);
  Click(label, 2, 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
}

// ---- TEdit ----

TEST_F(ControlsTest, EditTypesAtTheCaretAndDeletesWholeCharacters) {
  TEdit edit(&form);
  int changes = 0;
  edit.OnChange = [&](TObject*) { ++changes; };
  Show();
  ASSERT_TRUE(edit.Focused());

  Type("abc");
  Key(VK_LEFT);
  Key(VK_BACK);
  EXPECT_EQ(edit.Text(), "ac");
  Type("中");
  EXPECT_EQ(edit.Text(), "a中c");
  Key(VK_END);
  Key(VK_LEFT);
  Key(VK_BACK);
  EXPECT_EQ(edit.Text(), "ac");
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(edit.Text(), "c");
  EXPECT_EQ(changes, 7);
  EXPECT_TRUE(edit.Modified());

  // Text set by the program is no edit of the user's.
  edit.SetText("http://example.com");
  EXPECT_FALSE(edit.Modified());
  EXPECT_EQ(changes, 8);
}

TEST_F(ControlsTest, EditFocusedByTabSelectsItsTextSoTypingReplacesIt) {
  TEdit first(&form), second(&form);
  second.SetTop(30);
  second.SetText("10");
  Show();
  ASSERT_TRUE(first.Focused());
  Key(VK_TAB);
  ASSERT_TRUE(second.Focused());
  Type("25");
  EXPECT_EQ(second.Text(), "25");
}

TEST_F(ControlsTest, EditKeepsToMaxLengthInBytesAndReadOnlyTakesNothing) {
  struct TCase {
    const char* what;
    int maxLength;
    bool readOnly;
    const char* typed;
    const char* text;
    int beeps;
  } cases[] = {
      {"a character that does not fit whole is refused", 4, false, "ab中c", "abc", 1},
      {"no limit", 0, false, "ab中c", "ab中c", 0},
      {"read only", 0, true, "xyz", "", 0},
  };
  for (const TCase& c : cases) {
    TEdit edit(&form);
    edit.SetMaxLength(c.maxLength);
    edit.SetReadOnly(c.readOnly);
    Show();
    edit.SetFocus();
    int beeps = backend.Beeps();
    Type(c.typed);
    EXPECT_EQ(edit.Text(), c.text) << c.what;
    EXPECT_EQ(backend.Beeps() - beeps, c.beeps) << c.what;
  }
}

// A password box shows one mark per character, multi-byte ones included, and keeps its text
// off the clipboard.
TEST_F(ControlsTest, PasswordEditShowsOneMarkPerCharacterAndDoesNotCopy) {
  TEdit password(&form), plain(&form);
  password.SetBounds(10, 10, 120, 21);
  plain.SetBounds(10, 40, 120, 21);
  password.SetPasswordChar('*');
  password.SetText("a中b");
  plain.SetText("***");
  TEdit other(&form);
  other.SetBounds(10, 80, 120, 21);
  Show();
  other.SetFocus();
  app.ProcessMessages();

  const TBitmap& shot = form.Snapshot();
  int differing = 0, ink = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 120; ++x) {
      differing += shot.Pixel(10 + x, 10 + y) != shot.Pixel(10 + x, 40 + y);
      ink += x >= 2 && y >= 2 && x < 118 && y < 19 && shot.Pixel(10 + x, 10 + y) != clWhite;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(ink, 0);

  backend.SetClipboardText("before");
  password.SetFocus();
  Key('A', ssCtrl);
  Key('C', ssCtrl);
  EXPECT_EQ(backend.ClipboardText(), "before");
  plain.SetFocus();
  Key('A', ssCtrl);
  Key('C', ssCtrl);
  other.SetFocus();
  Key('V', ssCtrl);
  EXPECT_EQ(other.Text(), "***");
}

// ---- TMaskEdit ----

class MaskEditTest : public ControlsTest {
protected:
  MaskEditTest() {
    time.SetEditMask("!90:00;1;_");
    next.SetTop(40);
  }
  TMaskEdit time{&form};
  TEdit next{&form};
};

TEST_F(MaskEditTest, TimeEntryKeepsTheColonAndBlanksWhatIsNotEntered) {
  EXPECT_EQ(time.Text(), "  :  ");
  EXPECT_EQ(time.EditText(), "__:__");
  Show();
  struct TCase {
    const char* what;
    std::function<void()> keys;
    const char* text;
    const char* editText;
    int beeps;
  } cases[] = {
      {"four digits", [&] { Type("1800"); }, "18:00", "18:00", 0},
      {"the colon typed along", [&] { Type("18:00"); }, "18:00", "18:00", 0},
      {"a space leaves the optional hour blank", [&] { Type(" 830"); }, " 8:30", "_8:30", 0},
      {"stepping over the first position", [&] { Key(VK_HOME); Key(VK_RIGHT); Type("830"); }, " 8:30", "_8:30", 0},
      {"a letter is refused", [&] { Type("1a8"); }, "18:  ", "18:__", 1},
      {"backspace steps over the colon", [&] { Type("183"); Key(VK_BACK); Key(VK_BACK); }, "1 :  ", "1_:__", 0},
      {"delete blanks in place", [&] { Type("1830"); Key(VK_HOME); Key(VK_DELETE); }, " 8:30", "_8:30", 0},
  };
  for (const TCase& c : cases) {
    time.SetText("");
    time.SetFocus();
    time.SelectAll();
    int beeps = backend.Beeps();
    c.keys();
    EXPECT_EQ(time.Text(), c.text) << c.what;
    EXPECT_EQ(time.EditText(), c.editText) << c.what;
    EXPECT_EQ(backend.Beeps() - beeps, c.beeps) << c.what;
    EXPECT_TRUE(time.Modified()) << c.what;
  }
}

TEST_F(MaskEditTest, TextSetByTheProgramIsSpreadOverThePositions) {
  struct TCase {
    const char* set;
    const char* editText;
    const char* text;
  } cases[] = {
      {"18:00", "18:00", "18:00"},
      {" 8:30", "_8:30", " 8:30"},
      {"8:30", "_8:30", " 8:30"}, // shorter text is right-aligned
      {"", "__:__", "  :  "},
      {"ab:cd", "__:__", "  :  "},
  };
  for (const TCase& c : cases) {
    time.SetText(c.set);
    EXPECT_EQ(time.EditText(), c.editText) << c.set;
    EXPECT_EQ(time.Text(), c.text) << c.set;
    EXPECT_FALSE(time.Modified()) << c.set;
  }
}

// Leaving after an incomplete entry is refused with the error shown and the focus kept;
// Escape brings back the text from before the entry.
TEST_F(MaskEditTest, IncompleteEntryKeepsTheFocusUntilEscapeRestoresTheText) {
  std::vector<std::string> errors;
  app.OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
  time.SetText("18:00");
  Show();
  ASSERT_TRUE(time.Focused());
  Type("1");
  int beeps = backend.Beeps();
  Key(VK_TAB);
  EXPECT_TRUE(time.Focused());
  EXPECT_EQ(errors, std::vector<std::string>{TMaskEdit::kInvalidInput});
  EXPECT_EQ(backend.Beeps() - beeps, 1);

  Key(VK_ESCAPE);
  EXPECT_EQ(time.Text(), "18:00");
  EXPECT_FALSE(time.Modified());
  Key(VK_TAB);
  EXPECT_TRUE(next.Focused());
  EXPECT_EQ(errors.size(), 1u);
}

// ---- TCheckBox ----

TEST_F(ControlsTest, CheckBoxTogglesByClickSpaceAndAcceleratorAndRaisesOnClick) {
  TCheckBox check(&form);
  check.SetCaption("自动启动(&A)");
  TEdit edit(&form);
  edit.SetTop(40);
  int clicks = 0;
  check.OnClick = [&](TObject*) { ++clicks; };
  Show();
  struct TCase {
    const char* what;
    std::function<void()> act;
  } cases[] = {
      {"click on the box", [&] { Click(check, 5, 8); }},
      {"click on the caption", [&] { Click(check, 40, 8); }},
      {"space", [&] { check.SetFocus(); Key(VK_SPACE); }},
      {"accelerator from an edit", [&] { edit.SetFocus(); AltChar('a'); }},
      {"set by the program", [&] { check.SetChecked(!check.Checked()); }},
  };
  for (const TCase& c : cases) {
    bool before = check.Checked();
    clicks = 0;
    c.act();
    EXPECT_NE(check.Checked(), before) << c.what;
    EXPECT_EQ(clicks, 1) << c.what;
  }
}

TEST_F(ControlsTest, CheckBoxShowsTheMarkOnlyWhenChecked) {
  TCheckBox check(&form);
  check.SetBounds(10, 10, 97, 17);
  Show();
  TRect box = check.BoxRect().Offset(10, 10);
  TRect inside{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2};
  EXPECT_EQ(Darkest(inside), Brightness(clWhite));
  check.SetChecked(true);
  EXPECT_EQ(Darkest(inside), 0);
}

// ---- TBitBtn ----

class ButtonTest : public ControlsTest {
protected:
  ButtonTest() {
    edit.SetBounds(10, 10, 100, 21);
    ok.SetBounds(10, 40, 81, 26);
    ok.SetCaption("保存(&S)");
    ok.SetModalResult(mrOk);
    ok.SetDefault(true);
    cancel.SetBounds(100, 40, 81, 26);
    cancel.SetCaption("关闭");
    cancel.SetModalResult(mrCancel);
    cancel.SetCancel(true);
    ok.OnClick = [this](TObject*) { clicked.push_back("ok"); };
    cancel.OnClick = [this](TObject*) { clicked.push_back("cancel"); };
  }
  TEdit edit{&form};
  TBitBtn ok{&form}, cancel{&form};
  std::vector<std::string> clicked;
};

TEST_F(ButtonTest, KeysClickTheDefaultCancelOrFocusedButtonAndSetTheModalResult) {
  Show();
  struct TCase {
    const char* what;
    std::function<void()> act;
    const char* button;
    int result;
  } cases[] = {
      {"Enter in an edit", [&] { edit.SetFocus(); Key(VK_RETURN); }, "ok", mrOk},
      {"Escape in an edit", [&] { edit.SetFocus(); Key(VK_ESCAPE); }, "cancel", mrCancel},
      {"Enter on a focused button", [&] { cancel.SetFocus(); Key(VK_RETURN); }, "cancel", mrCancel},
      {"Space on a focused button", [&] { ok.SetFocus(); Key(VK_SPACE); }, "ok", mrOk},
      {"accelerator", [&] { edit.SetFocus(); AltChar('s'); }, "ok", mrOk},
      {"click", [&] { Click(cancel, 10, 10); }, "cancel", mrCancel},
  };
  for (const TCase& c : cases) {
    form.SetModalResult(mrNone);
    clicked.clear();
    c.act();
    EXPECT_EQ(clicked, std::vector<std::string>{c.button}) << c.what;
    EXPECT_EQ(form.ModalResult(), c.result) << c.what;
  }
}

TEST_F(ButtonTest, EnterEndsAModalFormWithTheDefaultButtonsResult) {
  form.SetBounds(0, 0, 200, 80);
  backend.OnIdle([&] {
    backend.Type("abc");
    backend.Key(VK_RETURN);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(edit.Text(), "abc");
}

// The glyph leaves out its bottom-left colour, and a pushed button moves its face down-right.
TEST_F(ButtonTest, GlyphIsTransparentAndShiftsWhilePushed) {
  TBitmap glyph = Filled(20, 20, clFuchsia);
  for (int y = 6; y < 14; ++y)
    for (int x = 6; x < 14; ++x) glyph.SetPixel(x, y, clRed);
  ok.SetGlyph(glyph);
  Show();
  TRect area = OnForm(ok);
  const TBitmap& shot = form.Snapshot();
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) ASSERT_NE(shot.Pixel(x, y), clFuchsia) << x << "," << y;

  auto redInk = [&] {
    const TBitmap& s = form.Snapshot();
    TRect ink;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        if (s.Pixel(x, y) == clRed) ink = ink.Union(Bounds(x, y, 1, 1));
    return ink;
  };
  TRect up = redInk();
  ASSERT_EQ(up.Width(), 8);
  backend.MoveTo(ok, 5, 5);
  backend.Press();
  app.ProcessMessages();
  EXPECT_EQ(redInk(), up.Offset(1, 1));
  backend.Release();
  app.ProcessMessages();
  EXPECT_EQ(redInk(), up);
}

// ---- TPageControl ----

class PagesTest : public ControlsTest {
protected:
  PagesTest() {
    pages.SetBounds(0, 0, 300, 200);
    common.SetCaption("常规设置");
    custom.SetCaption("个性设置");
    homepage.SetBounds(10, 10, 100, 21);
    vendor.SetBounds(10, 10, 100, 21);
    pages.OnChange = [this](TObject*) { ++changes; };
  }
  TPageControl pages{&form};
  TTabSheet common{&pages}, custom{&pages};
  TEdit homepage{&common}, vendor{&custom};
  int changes = 0;

  void ClickTab(int index) {
    TRect tab = pages.TabRect(index);
    Click(pages, (tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2);
  }
};

TEST_F(PagesTest, ClickingATabShowsItsPageAndHidesTheOther) {
  Show();
  ASSERT_EQ(pages.ActivePage(), &common);
  EXPECT_TRUE(homepage.Showing());
  EXPECT_FALSE(vendor.Showing());
  homepage.SetFocus();

  ClickTab(1);
  EXPECT_EQ(pages.ActivePage(), &custom);
  EXPECT_EQ(pages.ActivePageIndex(), 1);
  EXPECT_FALSE(homepage.Showing());
  EXPECT_TRUE(vendor.Showing());
  EXPECT_EQ(changes, 1);
  // The focus left the hidden page, and the pointer finds the visible page's control.
  EXPECT_TRUE(pages.Focused());
  TPoint p = vendor.ClientToForm({5, 5});
  EXPECT_EQ(form.ControlAtPos(p), &vendor);

  // Tab now reaches only the visible page's field.
  Key(VK_TAB);
  EXPECT_TRUE(vendor.Focused());
  Key(VK_TAB);
  EXPECT_TRUE(pages.Focused());
}

TEST_F(PagesTest, ArrowKeysSwitchPagesAndOnChangingMayRefuse) {
  Show();
  pages.SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(pages.ActivePage(), &custom);
  Key(VK_RIGHT); // there is no third page
  EXPECT_EQ(pages.ActivePage(), &custom);
  EXPECT_EQ(changes, 1);

  pages.OnChanging = [](TObject*, bool& allow) { allow = false; };
  Key(VK_LEFT);
  ClickTab(0);
  EXPECT_EQ(pages.ActivePage(), &custom);
  EXPECT_EQ(changes, 1);

  // The program's own switch asks and tells nobody.
  pages.SetActivePageIndex(0);
  EXPECT_EQ(pages.ActivePage(), &common);
  EXPECT_TRUE(homepage.Showing());
  EXPECT_EQ(changes, 1);
}

// ---- TMemo ----

TEST_F(ControlsTest, MemoHoldsLinesAndTakesTypingUnlessReadOnly) {
  TMemo memo(&form);
  memo.SetLines({"操作提示信息!", "", "third"});
  EXPECT_EQ(memo.Text(), "操作提示信息!\n\nthird");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"操作提示信息!", "", "third"}));
  Show();
  memo.SetFocus();
  memo.SetReadOnly(true);
  Type("x");
  Key(VK_RETURN);
  EXPECT_EQ(memo.Text(), "操作提示信息!\n\nthird");
  EXPECT_FALSE(memo.Modified());

  memo.SetReadOnly(false);
  memo.SetText("");
  Type("ab");
  Key(VK_RETURN);
  Type("c");
  Key(VK_UP);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"b", "c"}));
  EXPECT_TRUE(memo.Modified());
}

} // namespace
