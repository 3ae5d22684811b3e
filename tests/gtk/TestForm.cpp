#include "tests/gtk/TestForm.h"

#include "platform/ui/TApplication.h"

namespace {

TColor ColorOf(uint32_t rgb) { return RGB(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)); }

void Place(TControl& c, const TestLayout::TPart& part) {
  c.SetName(part.name);
  c.SetBounds(part.rect.Left, part.rect.Top, part.rect.Width(), part.rect.Height());
  c.SetColor(ColorOf(part.rgb));
}

} // namespace

TTestBox::TTestBox(TWinControl* parent, const TestLayout::TPart& part) : TGraphicControl(parent) { Place(*this, part); }

void TTestBox::Paint() {
  Canvas()->Brush.Color = Color();
  Canvas()->FillRect(ClientRect());
}

TTestKeySink::TTestKeySink(TWinControl* parent, const TestLayout::TPart& part) : TWinControl(parent) {
  Place(*this, part);
  SetTabStop(true);
}

TTestDialog::TTestDialog(TComponent* owner, TReport report)
    : TForm(owner), dlgOk(this, TestLayout::kDlgOk), report_(std::move(report)) {
  SetBorderStyle(bsSingle);
  SetBorderIcons(0);
  SetPosition(poOwnerFormCenter);
  SetCaption(TestLayout::kDialogCaption);
  SetClientWidth(TestLayout::kDialogWidth);
  SetClientHeight(TestLayout::kDialogHeight);
  SetColor(ColorOf(TestLayout::kDialogFace));
  OnShow = [this](TObject*) { if (report_) report_("shown dialog"); };
  dlgOk.OnClick = [this](TObject*) {
    if (report_) report_("clicked dlgOk");
    SetModalResult(mrOk);
  };
  DoCreate();
}

TTestForm::TTestForm(TComponent* owner, TReport report)
    : TForm(owner), btnA(this, TestLayout::kBtnA), btnB(this, TestLayout::kBtnB),
      btnDialog(this, TestLayout::kBtnDialog), caption(this, TestLayout::kCaption), btnQuit(this, TestLayout::kBtnQuit),
      btnMin(this, TestLayout::kBtnMin), keys(this, TestLayout::kKeys), report_(std::move(report)) {
  const TRect b = TestLayout::kNormalBounds;
  SetBorderStyle(bsNone);
  SetCaption(TestLayout::kMainCaption);
  SetBounds(b.Left, b.Top, b.Width(), b.Height());
  SetColor(ColorOf(TestLayout::kFace));
  SetActiveControl(&keys);

  for (TTestBox* box : {&btnA, &btnB, &btnDialog, &caption, &btnQuit, &btnMin})
    box->OnClick = [this, box](TObject*) { Say("clicked " + box->Name()); };
  btnQuit.OnClick = [this](TObject*) {
    Say("clicked btnQuit");
    Close();
  };
  btnMin.OnClick = [this](TObject*) {
    Say("clicked btnMin");
    SetWindowState(wsMinimized);
  };
  btnDialog.OnClick = [this](TObject*) {
    Say("clicked btnDialog");
    TTestDialog dialog(this, report_);
    const int result = dialog.ShowModal();
    Say("dialog result " + std::to_string(result));
  };

  // The skinned window's move: the press point is kept, and each move puts the window so that
  // the point stays under the pointer.
  caption.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
    moving_ = true;
    move_offset_ = {x + caption.Left(), y + caption.Top()};
  };
  caption.OnMouseMove = [this](TObject*, TShiftState, int, int) {
    if (!moving_ || WindowState() == wsMaximized) return;
    const TPoint p = Application->Backend().CursorPos();
    SetTop(p.Y - move_offset_.Y);
    SetLeft(p.X - move_offset_.X);
  };
  caption.OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    if (!moving_) return;
    moving_ = false;
    Say("moved " + std::to_string(Left()) + " " + std::to_string(Top()));
  };

  keys.OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) { Say("key " + std::to_string(key)); };
  keys.OnKeyPress = [this](TObject*, uint32_t& ch) { Say("char " + std::to_string(ch)); };
  OnActivate = [this](TObject*) { Say("activate"); };
  OnClose = [this](TObject*, TCloseAction&) { Say("close"); };
  DoCreate();
}
