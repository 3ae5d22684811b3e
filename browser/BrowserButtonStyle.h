#pragma once
#include <string_view>

#include "widgets/TDsFancyButton.h"

// Gives a picture button of the browser (the bar, the exit dialog) its look: the named strip of
// four state pictures, centred, on the green face with the red hover, no drawn frame or caption,
// and the hand cursor. Every legend is in the pictures.
void ApplyBrowserButtonStyle(TDsFancyButton& button, std::string_view pictureName);
