#pragma once
#include <cstdint>

#include "platform/ui/Messages.h"

typedef struct _GdkEventKey GdkEventKey;

// How GDK input reads as the messages of the form library.

// The virtual key of a GDK key value, as a US keyboard names it: letters and digits are their
// upper-case ASCII codes, punctuation the OEM keys. 0 for keys the forms have no name for.
uint16_t VirtualKeyFromKeyval(unsigned keyval);
// The virtual key of a key event: that of the key's unshifted meaning, so Shift+1 is still '1'.
uint16_t VirtualKeyOfEvent(const GdkEventKey* event);
// The key message's lParam: repeat count 1, scan code, the Alt bit, previous state, transition.
intptr_t KeyLParam(const GdkEventKey* event, bool repeat);

// WM_LBUTTONDOWN and the others for GDK buttons 1 to 3; 0 for any other button.
uint32_t ButtonMessage(bool press, unsigned button);
// The MK_ flags of a GDK modifier state.
uintptr_t MouseKeyFlags(unsigned state);
// The MK_ flags a button message carries: GDK's state is that before the event, the message's
// that after it (the pressed button is held in a down message, released in an up message).
uintptr_t ButtonMessageFlags(unsigned state, unsigned button, bool press);
