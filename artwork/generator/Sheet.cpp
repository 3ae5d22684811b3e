#include <algorithm>
#include <cmath>
#include <memory>

#include "artwork/generator/Layout.h"
#include "artwork/generator/Style.h"

namespace {

constexpr int kMargin = 16, kGap = 14, kLabel = 18;
constexpr int kTall = 400;  // pictures taller than this stand in the left column
constexpr int kColumn = 190, kContent = 1640;

const Rgb kSheet = Rgb8(212, 214, 212);
const Rgb kInkDark = Rgb8(30, 30, 30);
const Rgb kButtonFace = Rgb8(240, 240, 240);

void Label(cairo_t* cr, const std::string& s, double x, double y, double px = 12, bool bold = false,
           Rgb colour = kInkDark) {
  Text t(cr, s, {px, bold});
  cairo_new_path(cr);
  t.PathOnBaseline(x, y + px);
  SetSource(cr, colour);
  cairo_fill(cr);
}

void Draw(Image& sheet, const Picture& p, int x, int y, int cells = 1) {
  int w = p.image.Width() / cells;
  if (cells > 1 || p.format == Format::Png24) sheet.DrawKeyed(p.image, 0, 0, w, p.image.Height(), x, y);
  else sheet.Draw(p.image, x, y);
}

void Placements(Image& sheet, const Catalog& catalog, const std::vector<Placed>& placed, int x, int y) {
  for (const auto& pl : placed) Draw(sheet, catalog.Find(pl.name), x + pl.x, y + pl.y, pl.cells);
}

// Shows one cell other than the first, to see a state in its place among the others.
void Cell(Image& sheet, const Catalog& catalog, const std::string& name, int cell, int x, int y) {
  const Picture& p = catalog.Find(name);
  int w = p.image.Width() / 4;
  int shift = cell == kPressed ? 1 : 0;
  sheet.DrawKeyed(p.image, cell * w, 0, w, p.image.Height(), x + shift, y + shift);
}

void Bevel(cairo_t* cr, double x, double y, double w, double h) {
  cairo_set_line_width(cr, 1);
  SetSource(cr, {1, 1, 1});
  cairo_move_to(cr, x + 0.5, y + h);
  cairo_line_to(cr, x + 0.5, y + 0.5);
  cairo_line_to(cr, x + w, y + 0.5);
  cairo_stroke(cr);
  SetSource(cr, Rgb8(160, 160, 160));
  cairo_move_to(cr, x + w - 0.5, y);
  cairo_line_to(cr, x + w - 0.5, y + h - 0.5);
  cairo_line_to(cr, x, y + h - 0.5);
  cairo_stroke(cr);
}

// The main window at 900 × 473, its bar with the clock in its right-anchored place.
void MainWindow(Image& sheet, const Catalog& c, int x0, int y0) {
  const int w = 900, h = 473, barTop = h - 57;
  {
    Ctx cr(sheet);
    cairo_rectangle(cr, x0, y0, w, h);
    SetSource(cr, kButtonFace);
    cairo_fill(cr);
    cairo_rectangle(cr, x0 + 10, y0 + 10, w - 20, barTop - 10);
    SetSource(cr, {1, 1, 1});
    cairo_fill(cr);
    Label(cr, "(the web page)", x0 + 30, y0 + 30, 14, false, Rgb8(150, 150, 150));
  }
  sheet.DrawKeyed(c.Find("frmMain.img2").image, 0, 0, w, 10, x0, y0);
  sheet.DrawKeyed(c.Find("frmMain.img3").image, 0, 0, 10, barTop - 10, x0, y0 + 10);
  sheet.DrawKeyed(c.Find("frmMain.img4").image, 0, 0, 10, barTop - 10, x0 + w - 10, y0 + 10);
  {
    Ctx cr(sheet);
    Bevel(cr, x0, y0 + barTop, w, 57);
  }
  sheet.DrawKeyed(c.Find("frmMain.img1").image, 0, 0, w - 2, 55, x0 + 1, y0 + barTop + 1);
  Placements(sheet, c, BarLayout(), x0, y0 + barTop);
  Cell(sheet, c, "frmMain.btnRefresh", kHover, x0 + 208, y0 + barTop + 4);
  Cell(sheet, c, "frmMain.btnKey", kPressed, x0 + 304, y0 + barTop + 4);
  Ctx cr(sheet);
  int shift = w - 862;
  Label(cr, "2024-05-17", x0 + 760 + shift, y0 + barTop + 5, 13);
  Label(cr, "14:05:09", x0 + 792 + shift, y0 + barTop + 22, 13);
  Label(cr, "星期五", x0 + 793 + shift, y0 + barTop + 39, 13);
  Label(cr, "Tovira: bar with the refresh button hovered and the keyboard button pressed", x0,
        y0 + h + 4);
}

void Keyboard(Image& sheet, const Catalog& c, int x0, int y0) {
  Image window(715, 238);
  Placements(window, c, KeyboardLayout(), 0, 0);
  sheet.Draw(window, x0, y0);
  // Caps Lock on, one key hovered and one pressed.
  Cell(sheet, c, "frmKey.btn35", kHover, x0 + 188, y0 + 96);
  Cell(sheet, c, "frmKey.btn36", kPressed, x0 + 236, y0 + 96);
  Cell(sheet, c, "frmKey.btn57", kHover, x0 + 561, y0 + 192);
  sheet.DrawKeyed(c.Find("frmKey.imgShift").image, 0, 0, 14, 14, x0 + 3, y0 + 163);
  Ctx cr(sheet);
  Label(cr, "Kelpad: Shift on, D hovered, F pressed, down arrow hovered", x0, y0 + 242);
}

void ExitDialog(Image& sheet, const Catalog& c, int x0, int y0) {
  Placements(sheet, c, ExitLayout(), x0, y0);
  Ctx cr(sheet);
  Label(cr, "请输入关闭浏览器密码：", x0 + 10, y0 + 10, 13);
  cairo_rectangle(cr, x0 + 155.5, y0 + 5.5, 185, 20);
  SetSource(cr, {1, 1, 1});
  cairo_fill_preserve(cr);
  SetSource(cr, Rgb8(120, 120, 120));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Label(cr, "****", x0 + 160, y0 + 8, 13);
  Label(cr, "Tovira exit dialog", x0, y0 + 98);
}

void SettingsWindow(Image& sheet, const Catalog& c, int x0, int y0) {
  const int w = 602, h = 444;
  Image win(w, h);
  {
    Ctx cr(win);
    SetSource(cr, Rgb8(207, 207, 207));
    cairo_paint(cr);
  }
  win.DrawKeyed(c.Find("NeoForm.GetFTopCenterImage").image, 0, 0, w - 81, 40, 81, 0);
  {
    Ctx cr(win);
    Text t(cr, "Quillo触摸浏览器助手", {12, false});
    cairo_new_path(cr);
    t.PathOnBaseline(82 + (427 - t.InkWidth()) / 2, 11 + 13);
    SetSource(cr, {1, 1, 1});
    cairo_fill(cr);
  }
  win.DrawKeyed(c.Find("NeoForm.GetFTopRightImage").image, 0, 0, 94, 40, w - 94, 0);
  win.DrawKeyed(c.Find("NeoForm.GetFTopLeftImage").image, 0, 0, 81, 40, 0, 0);
  win.Draw(c.Find("NeoForm.MinImage").image, w - 55, 4);
  win.Draw(c.Find("NeoForm.CloseImage").image, w - 21, 4);
  win.DrawKeyed(c.Find("NeoForm.LeftImage").image, 0, 0, 10, h - 52, 0, 40);
  win.DrawKeyed(c.Find("NeoForm.RightImage").image, 0, 0, 13, h - 52, w - 13, 40);
  win.DrawKeyed(c.Find("NeoForm.BottomLeftImage").image, 0, 0, 10, 12, 0, h - 12);
  win.DrawKeyed(c.Find("NeoForm.BottomCenterImage").image, 0, 0, w - 8, 12, 8, h - 12);
  win.DrawKeyed(c.Find("NeoForm.BottomRightImage").image, 0, 0, 12, 12, w - 12, h - 12);
  {
    Ctx cr(win);
    cairo_rectangle(cr, 10, 40, w - 23, h - 52);
    SetSource(cr, kButtonFace);
    cairo_fill(cr);
    Bevel(cr, 10, 40, w - 23, h - 52);
    const char* captions[] = {"保存(S)", "关闭"};
    for (int i = 0; i < 2; ++i) {
      double bx = 10 + 2 + (i ? 447 : 299), by = 40 + 2 + 347;
      cairo_rectangle(cr, bx, by, 81, 26);
      SetSource(cr, Rgb8(228, 228, 228));
      cairo_fill(cr);
      Bevel(cr, bx, by, 81, 26);
      Label(cr, captions[i], bx + 32, by + 5, 13);
    }
  }
  win.Draw(c.Find("Form1.cbSave").image, 10 + 2 + 299 + 8, 40 + 2 + 347 + 3);
  win.Draw(c.Find("Form1.cbClose").image, 10 + 2 + 447 + 8, 40 + 2 + 347 + 3);
  sheet.Draw(win, x0, y0);
  Ctx cr(sheet);
  Label(cr, "Setuva window frame with the save and close buttons", x0, y0 + h + 4);
}

}  // namespace

Image MakeSheet(const Catalog& catalog) {
  // First pass lays out the sections to learn the height; the second draws.
  Image scratch(1, 1);
  Ctx measure(scratch);
  auto layout = [&](Image* sheet) {
    std::unique_ptr<Ctx> cr;
    if (sheet) cr = std::make_unique<Ctx>(*sheet);
    int left = kMargin + kColumn, x = left, y = kMargin, row = 0;
    auto heading = [&](const std::string& s) {
      y += row + (row ? kGap : 0);
      x = left;
      row = 0;
      if (sheet) Label(*cr, s, x, y, 16, true);
      y += 28;
    };
    heading("Assembled (first cell of every strip, key colour left out)");
    if (sheet) {
      cr.reset();
      MainWindow(*sheet, catalog, x, y);
      Keyboard(*sheet, catalog, x + 900 + 24, y);
      ExitDialog(*sheet, catalog, x + 900 + 24, y + 280);
      SettingsWindow(*sheet, catalog, x, y + 473 + 30);
      cr = std::make_unique<Ctx>(*sheet);
    }
    y += 473 + 30 + 444;
    row = 24;
    int tallX = kMargin, tallTop = y + 40, tallY = tallTop;
    std::string section;
    for (const auto& p : catalog.All()) {
      int w = p.image.Width(), h = p.image.Height();
      std::string name = p.name;
      for (const auto& [alias, target] : catalog.Aliases())
        if (target == p.name) name += " = " + alias;
      std::string caption = name + "  " + std::to_string(w) + "×" + std::to_string(h);
      if (h > kTall) {  // tall strips: side by side in the left column, caption turned
        if (sheet) {
          Draw(*sheet, p, tallX, tallY);
          cairo_save(*cr);
          cairo_translate(*cr, tallX + w + 4, tallY);
          cairo_rotate(*cr, M_PI / 2);
          Label(*cr, caption, 0, -16);
          cairo_restore(*cr);
        }
        tallX += w + 28;
        if (tallX > kMargin + kColumn - 40) tallX = kMargin, tallY += 1600 + 20;
        continue;
      }
      if (p.section != section) heading(section = p.section);
      Text t(measure, caption, {12, false});
      int boxW = std::max(w, int(t.InkWidth()) + 4);
      if (x > left && x + boxW > left + kContent) {
        y += row + kGap;
        x = left;
        row = 0;
      }
      if (sheet) {
        cairo_rectangle(*cr, x - 0.5, y - 0.5, w + 1, h + 1);
        SetSource(*cr, Rgb8(150, 150, 150));
        cairo_set_line_width(*cr, 1);
        cairo_stroke(*cr);
        sheet->Draw(p.image, x, y);
        Label(*cr, caption, x, y + h + 3);
      }
      x += boxW + kGap * 2;
      row = std::max(row, h + kLabel + 4);
    }
    return std::max(y + row + kMargin, tallY + 1600 + kMargin);
  };
  int height = layout(nullptr);
  Image sheet(kMargin * 2 + kColumn + kContent, height);
  {
    Ctx cr(sheet);
    SetSource(cr, kSheet);
    cairo_paint(cr);
  }
  layout(&sheet);
  return sheet;
}
