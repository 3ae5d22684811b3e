#pragma once
#include <cstdint>

// The fancy button's enumerations; the ordinal is the value a form stores.
enum TTextStyle : uint8_t { txNone = 0, txLowered = 1, txRaised = 2, txShadowed = 3 };
enum TBtnShape : uint8_t { btnCapsule = 0, btnOval = 1, btnRectangle = 2 };
enum TFrameStyle : uint8_t { fmNone = 0, fmGradient = 1 };
enum TBmpLayout : uint8_t { lyLeft = 0, lyTop = 1, lyRight = 2, lyBottom = 3, lyCenter = 4 };
