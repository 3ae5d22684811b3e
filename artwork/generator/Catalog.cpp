#include "artwork/generator/Catalog.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "artwork/generator/ImageIO.h"

namespace {

const char* Extension(Format f) { return f == Format::Jpeg ? ".jpg" : ".png"; }

}  // namespace

const Picture& Catalog::Add(const std::string& section, const std::string& name, Format format, Image image) {
  for (const auto& p : pictures_)
    if (p.name == name) throw std::logic_error("picture drawn twice: " + name);
  Picture p{name, section, format, std::move(image), {}};
  if (format == Format::Jpeg) {
    p.jpeg = EncodeJpeg(p.image, 90);
    p.image = DecodeJpeg(p.jpeg);
  }
  pictures_.push_back(std::move(p));
  return pictures_.back();
}

void Catalog::AddAlias(const std::string& alias, const std::string& name) {
  Find(name);
  aliases_.emplace_back(alias, name);
}

const Picture& Catalog::Find(const std::string& name) const {
  for (const auto& [alias, target] : aliases_)
    if (alias == name) return Find(target);
  for (const auto& p : pictures_)
    if (p.name == name) return p;
  throw std::out_of_range("no picture " + name);
}

void Catalog::WriteTo(const std::string& folder) const {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  std::set<std::string> written;
  for (const auto& p : pictures_) {
    std::string file = p.name + Extension(p.format);
    std::string path = folder + "/" + file;
    switch (p.format) {
      case Format::Png24: WritePng24(p.image, path); break;
      case Format::Png32: WritePng32(p.image, path); break;
      case Format::Jpeg: WriteFile(p.jpeg, path); break;
    }
    written.insert(file);
  }
  std::ofstream aliases(folder + "/aliases.txt");
  for (const auto& [alias, target] : aliases_) aliases << alias << ' ' << target << '\n';
  if (!aliases) throw std::runtime_error("cannot write " + folder + "/aliases.txt");
  for (const auto& entry : fs::directory_iterator(folder)) {
    auto ext = entry.path().extension();
    if ((ext == ".png" || ext == ".jpg") && !written.count(entry.path().filename().string()))
      fs::remove(entry.path());
  }
}

Image KeyOnto(const Image& art, const Image& under) {
  Image out(art.Width(), art.Height());
  for (int y = 0; y < art.Height(); ++y)
    for (int x = 0; x < art.Width(); ++x) {
      uint32_t a = art.Get(x, y);
      unsigned alpha = a >> 24;
      if (alpha == 0) {
        out.Set(x, y, kMagenta);
        continue;
      }
      uint32_t u = under.Get(x, y);
      uint32_t result = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        unsigned c = ((a >> shift) & 0xFF) + (((u >> shift) & 0xFF) * (255 - alpha) + 127) / 255;
        result |= std::min(c, 255u) << shift;
      }
      if (result == kMagenta) result ^= 0x000100;  // never let a drawn pixel turn transparent
      out.Set(x, y, result);
    }
  return out;
}

Image MakeStrip(int cw, int ch, const CellPainter& paint, const Image& background, int bx, int by) {
  Image strip(cw * 4, ch);
  for (int cell = 0; cell < 4; ++cell) {
    State state = cell == kDisabled ? kNormal : State(cell);
    Image art(cw, ch);
    {
      Ctx cr(art);
      paint(cr, state);
    }
    int shift = state == kPressed ? 1 : 0;
    Image keyed = KeyOnto(art, background.Crop(bx + shift, by + shift, cw, ch));
    strip.Draw(keyed, cell * cw, 0);
  }
  if (strip.Get(0, ch - 1) != kMagenta)
    throw std::logic_error("a strip's bottom-left pixel must be the key colour");
  return strip;
}
