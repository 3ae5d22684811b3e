#include "browser/BrowserButtonStyle.h"

#include "artwork/Artwork.h"

void ApplyBrowserButtonStyle(TDsFancyButton& button, std::string_view pictureName) {
  button.SetCursor(crHandPoint);
  button.SetCaption("");
  TDsEffect& effect = *button.FancyEffects();
  effect.SetFaceColor(clGreen);
  effect.SetFrameColor(clMoneyGreen);
  effect.SetFrameStyle(fmNone);
  effect.SetFrameWidth(4);
  effect.SetHoverColor(clRed);
  effect.SetShape(btnRectangle);
  effect.SetCornerRadius(3);
  effect.SetTextStyle(txLowered);
  TDsGlyph& glyphs = *button.Glyphs();
  glyphs.SetGlyph(Artwork::Get(pictureName));
  glyphs.SetLayout(lyCenter);
  glyphs.SetNumber(4);
  glyphs.SetDistance(0);
}
