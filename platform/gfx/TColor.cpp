#include "platform/gfx/TColor.h"

namespace {
// One light scheme, the classic grey desktop, indexed as the system colour numbers are.
constexpr TColor kScheme[] = {
    RGB(200, 200, 200), RGB(58, 110, 165), RGB(10, 36, 106),   RGB(128, 128, 128), // 0-3
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),      RGB(0, 0, 0),       // 4-7
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200), // 8-11
    RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200), // 12-15
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),      RGB(212, 208, 200), // 16-19
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       // 20-23
    RGB(255, 255, 225),                                                             // 24
};
} // namespace

TColor ColorToRGB(TColor color) {
  if (color & clSystemColor) {
    unsigned index = color & 0xFF;
    return index < sizeof kScheme / sizeof kScheme[0] ? kScheme[index] : clBlack;
  }
  return color & 0x00FFFFFF;
}
