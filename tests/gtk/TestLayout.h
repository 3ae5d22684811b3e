#pragma once
#include <cstdint>

#include "platform/gfx/TTypes.h"

// Where the test form's parts are (client coordinates) and their colours (0xRRGGBB), shared by
// the program that shows the form and the tests that touch and look at it.
namespace TestLayout {

struct TPart {
  const char* name;
  TRect rect;
  uint32_t rgb;
};

inline constexpr const char* kMainCaption = "gtk-test-form";
inline constexpr const char* kDialogCaption = "gtk-test-dialog";
inline constexpr uint32_t kFace = 0x285AA0;
inline constexpr TRect kNormalBounds{100, 80, 500, 380}; // a normal window's screen bounds

inline constexpr TPart kBtnA{"btnA", {20, 20, 120, 80}, 0xDC2828};
inline constexpr TPart kBtnB{"btnB", {140, 20, 240, 80}, 0x28C83C};
inline constexpr TPart kBtnDialog{"btnDialog", {260, 20, 360, 80}, 0xE6D228};
// Dragging it moves the window, as a skinned window's caption does.
inline constexpr TPart kCaption{"caption", {20, 100, 240, 160}, 0xF08C1E};
// A native GTK child in the form's native container; the program adds it with --native.
inline constexpr TPart kNative{"native", {260, 100, 360, 160}, 0x3C3C3C};
inline constexpr TPart kBtnQuit{"btnQuit", {20, 200, 120, 260}, 0x963CB4};
inline constexpr TPart kBtnMin{"btnMin", {140, 200, 240, 260}, 0x28C8C8};
// A focusable control that reports the keys it gets.
inline constexpr TPart kKeys{"keys", {260, 200, 360, 260}, 0xF0F0F0};

inline constexpr uint32_t kDialogFace = 0xB4B4B4;
inline constexpr int kDialogWidth = 240, kDialogHeight = 120;
inline constexpr TPart kDlgOk{"dlgOk", {70, 30, 170, 90}, 0xFA78C8};

} // namespace TestLayout
