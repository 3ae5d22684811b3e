#pragma once
#include <string>

#include "platform/gfx/TCanvas.h"

// Drawing shared by the standard controls: the classic grey 3D look, in whole pixels so that the
// edges come out exact at any position.

// One ring per step of width: top and left in topLeft, bottom and right (and the two far corners)
// in bottomRight. The rectangle shrinks by the rings drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width = 1);
inline void FrameRect(TCanvas& canvas, TRect& rect, TColor color) { Frame3D(canvas, rect, color, color, 1); }

// A push button's raised face edge, and the sunken edge of a text box or check box.
void DrawRaisedEdge(TCanvas& canvas, TRect& rect);
void DrawSunkenEdge(TCanvas& canvas, TRect& rect);

// The dotted focus rectangle: every other pixel of the outline, in the text colour.
void DrawFocusRect(TCanvas& canvas, const TRect& rect);

// Text in the given colour with no background, as DrawText lays it out.
void DrawPlainText(TCanvas& canvas, const std::string& text, TRect rect, unsigned flags, TColor color);
// The engraved look of a disabled caption: highlight one pixel down-right, shadow on top.
void DrawDisabledText(TCanvas& canvas, const std::string& text, TRect rect, unsigned flags);

// A canvas without pixels for measuring text in a font, for controls that size or place
// themselves outside painting.
TCanvas& MeasureCanvas(const TFont& font);
