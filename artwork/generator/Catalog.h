#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <deque>
#include <vector>

#include "artwork/generator/Canvas.h"

enum class Format {
  Png24,  // opaque, lossless: strips and other keyed pictures
  Png32,  // with alpha: icons
  Jpeg,   // the pictures the forms hold as JPEG
};

struct Picture {
  std::string name;     // lookup name; the file is name plus the format's extension
  std::string section;  // heading on the contact sheet
  Format format;
  Image image;                // for JPEG: the decoded file, exactly what a program will see
  std::vector<uint8_t> jpeg;  // the encoded file, for JPEG
};

// Every picture the generator makes, in the order the contact sheet shows them.
class Catalog {
public:
  const Picture& Add(const std::string& section, const std::string& name, Format format, Image image);
  // Another name for a picture that two controls share.
  void AddAlias(const std::string& alias, const std::string& name);
  // A picture by its name or an alias.
  const Picture& Find(const std::string& name) const;
  const std::deque<Picture>& All() const { return pictures_; }
  const std::vector<std::pair<std::string, std::string>>& Aliases() const { return aliases_; }
  // Writes every picture into folder, and the aliases into aliases.txt there ("alias name" per
  // line), removing pictures there that it no longer makes.
  void WriteTo(const std::string& folder) const;

private:
  std::deque<Picture> pictures_;
  std::vector<std::pair<std::string, std::string>> aliases_;  // a deque, so references handed out stay valid
};

// Button states, in the order of a strip's cells.
enum State { kNormal = 0, kDisabled = 1, kPressed = 2, kHover = 3 };

// Paints one cell of a strip on a transparent surface of the cell's size.
using CellPainter = std::function<void(cairo_t* cr, State state)>;

// Turns art drawn on transparency into a keyed picture: pixels the art does not touch become
// exact magenta, and pixels it touches are composed over `under`, the picture that will lie
// beneath at that place on screen. The edge stays smooth on screen and no pixel is a tint of
// magenta, which a transparent blit would otherwise show as a pink fringe.
Image KeyOnto(const Image& art, const Image& under);

// A strip of four cells of cw × ch. `background` is the picture beneath the control on its
// form and (bx, by) the control's place on it; the pressed cell is shown one pixel down and
// right, so its edge is composed over the background there. The disabled cell is the normal one.
Image MakeStrip(int cw, int ch, const CellPainter& paint, const Image& background, int bx, int by);
