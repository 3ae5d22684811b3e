#pragma once
#include <cstdint>

#include "platform/gfx/TTypes.h"

// The probe's window, shared by the probe and the tests that touch it: a bar across the top and
// the web pane filling the rest.
namespace WebPaneLayout {

inline constexpr const char* kCaption = "webpane-probe";
inline constexpr TRect kWindow{0, 0, 800, 600}; // screen bounds
inline constexpr int kBarHeight = 40;
inline constexpr uint32_t kBarRgb = 0xC83C28;   // 0xRRGGBB
inline constexpr uint32_t kPageRgb = 0x0AC81E;  // the test pages' background

// A point of the page (page coordinates) on the screen.
inline constexpr TPoint OnScreen(int pageX, int pageY) { return {kWindow.Left + pageX, kWindow.Top + kBarHeight + pageY}; }

} // namespace WebPaneLayout
