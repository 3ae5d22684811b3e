#pragma once
#include <string>
#include <vector>

#include "artwork/generator/Catalog.h"

// Where the pictures go on their forms: the generator composes each button's edge over the
// background at its place, and the contact sheet assembles the forms from the same data.
struct Placed {
  std::string name;  // picture name
  int x, y;          // position on the form (or on the panel holding it)
  int cells;         // 4 for a strip, shown by its first cell; 1 for a single picture
};

void BuildBrowser(Catalog& catalog);
void BuildKeyboard(Catalog& catalog);
void BuildFrame(Catalog& catalog);
void BuildIcons(Catalog& catalog);

// The contact sheet: assembled forms first, then every picture at 1:1 with its name.
Image MakeSheet(const Catalog& catalog);

// Placements, in painting order, for the assembled views on the sheet.
const std::vector<Placed>& BarLayout();         // on the bar picture frmMain.img1
const std::vector<Placed>& ExitLayout();        // on the dialog's client area
const std::vector<Placed>& KeyboardLayout();    // on the keyboard window, without the dots
