#include "platform/backend/gtk/GtkInput.h"

#include <gdk/gdk.h>

#include "platform/ui/Messages.h"

namespace {

struct TKeyPair {
  unsigned keyval;
  uint16_t vk;
};

constexpr TKeyPair kKeys[] = {
    {GDK_KEY_BackSpace, VK_BACK}, {GDK_KEY_Tab, VK_TAB}, {GDK_KEY_ISO_Left_Tab, VK_TAB},
    {GDK_KEY_Return, VK_RETURN}, {GDK_KEY_KP_Enter, VK_RETURN}, {GDK_KEY_Escape, VK_ESCAPE},
    {GDK_KEY_space, VK_SPACE}, {GDK_KEY_KP_Space, VK_SPACE},
    {GDK_KEY_Shift_L, VK_SHIFT}, {GDK_KEY_Shift_R, VK_SHIFT},
    {GDK_KEY_Control_L, VK_CONTROL}, {GDK_KEY_Control_R, VK_CONTROL},
    {GDK_KEY_Alt_L, VK_MENU}, {GDK_KEY_Alt_R, VK_MENU}, {GDK_KEY_ISO_Level3_Shift, VK_MENU},
    {GDK_KEY_Caps_Lock, VK_CAPITAL}, {GDK_KEY_Menu, VK_APPS},
    {GDK_KEY_Page_Up, VK_PRIOR}, {GDK_KEY_KP_Page_Up, VK_PRIOR},
    {GDK_KEY_Page_Down, VK_NEXT}, {GDK_KEY_KP_Page_Down, VK_NEXT},
    {GDK_KEY_End, VK_END}, {GDK_KEY_KP_End, VK_END}, {GDK_KEY_Home, VK_HOME}, {GDK_KEY_KP_Home, VK_HOME},
    {GDK_KEY_Left, VK_LEFT}, {GDK_KEY_KP_Left, VK_LEFT}, {GDK_KEY_Up, VK_UP}, {GDK_KEY_KP_Up, VK_UP},
    {GDK_KEY_Right, VK_RIGHT}, {GDK_KEY_KP_Right, VK_RIGHT}, {GDK_KEY_Down, VK_DOWN},
    {GDK_KEY_KP_Down, VK_DOWN}, {GDK_KEY_Insert, VK_INSERT}, {GDK_KEY_KP_Insert, VK_INSERT},
    {GDK_KEY_Delete, VK_DELETE}, {GDK_KEY_KP_Delete, VK_DELETE},
    {GDK_KEY_Print, 0x2C}, {GDK_KEY_Pause, 0x13}, {GDK_KEY_Num_Lock, 0x90}, {GDK_KEY_Scroll_Lock, 0x91},
    {GDK_KEY_Super_L, 0x5B}, {GDK_KEY_Super_R, 0x5C},
    {GDK_KEY_KP_Multiply, 0x6A}, {GDK_KEY_KP_Add, 0x6B}, {GDK_KEY_KP_Subtract, 0x6D},
    {GDK_KEY_KP_Decimal, 0x6E}, {GDK_KEY_KP_Divide, 0x6F},
    {GDK_KEY_semicolon, 0xBA}, {GDK_KEY_equal, 0xBB}, {GDK_KEY_comma, 0xBC}, {GDK_KEY_minus, 0xBD},
    {GDK_KEY_period, 0xBE}, {GDK_KEY_slash, 0xBF}, {GDK_KEY_grave, 0xC0},
    {GDK_KEY_bracketleft, 0xDB}, {GDK_KEY_backslash, 0xDC}, {GDK_KEY_bracketright, 0xDD},
    {GDK_KEY_apostrophe, 0xDE},
};

} // namespace

uint16_t VirtualKeyFromKeyval(unsigned keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return uint16_t('A' + (keyval - GDK_KEY_a));
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return uint16_t(keyval);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return uint16_t(keyval);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return uint16_t(0x60 + (keyval - GDK_KEY_KP_0));
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return uint16_t(VK_F1 + (keyval - GDK_KEY_F1));
  for (const TKeyPair& k : kKeys)
    if (k.keyval == keyval) return k.vk;
  return 0;
}

uint16_t VirtualKeyOfEvent(const GdkEventKey* event) {
  // The keypad's meaning depends on Num Lock, which the unshifted translation would drop.
  if (event->keyval >= GDK_KEY_KP_Space && event->keyval <= GDK_KEY_KP_9) return VirtualKeyFromKeyval(event->keyval);
  guint base = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  if (gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, GdkModifierType(0), event->group,
                                          &base, nullptr, nullptr, nullptr)) {
    if (uint16_t vk = VirtualKeyFromKeyval(base)) return vk;
  }
  return VirtualKeyFromKeyval(event->keyval);
}

intptr_t KeyLParam(const GdkEventKey* event, bool repeat) {
  // X key codes are the kernel's key numbers plus 8, and those are the PC scan codes for the
  // main block of keys.
  uint32_t scan = event->hardware_keycode >= 8 ? uint32_t(event->hardware_keycode - 8) & 0xFF : 0;
  uint32_t l = 1 | (scan << 16);
  if (event->state & GDK_MOD1_MASK) l |= 1u << 29;
  if (event->type == GDK_KEY_RELEASE) l |= (1u << 30) | (1u << 31);
  else if (repeat) l |= 1u << 30;
  return intptr_t(l);
}

uint32_t ButtonMessage(bool press, unsigned button) {
  switch (button) {
  case 1: return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  case 2: return press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  case 3: return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  default: return 0;
  }
}

uintptr_t MouseKeyFlags(unsigned state) {
  uintptr_t f = 0;
  if (state & GDK_BUTTON1_MASK) f |= MK_LBUTTON;
  if (state & GDK_BUTTON2_MASK) f |= MK_MBUTTON;
  if (state & GDK_BUTTON3_MASK) f |= MK_RBUTTON;
  if (state & GDK_SHIFT_MASK) f |= MK_SHIFT;
  if (state & GDK_CONTROL_MASK) f |= MK_CONTROL;
  return f;
}

uintptr_t ButtonMessageFlags(unsigned state, unsigned button, bool press) {
  uintptr_t f = MouseKeyFlags(state);
  uintptr_t b = button == 1 ? uintptr_t(MK_LBUTTON) : button == 2 ? uintptr_t(MK_MBUTTON) : button == 3 ? uintptr_t(MK_RBUTTON) : 0;
  return press ? (f | b) : (f & ~b);
}
