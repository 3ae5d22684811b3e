#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/TBitmap.h"

// Every picture the forms show, built into the executable. Names are "form.control", as in
// "frmMain.btnHome" or "frmKey.btn20"; see artwork/README.md for the list.
namespace Artwork {

// The picture, decoded; throws std::out_of_range for an unknown name.
TBitmap Get(std::string_view name);
bool Has(std::string_view name);
// Every name, sorted.
std::vector<std::string> Names();

}  // namespace Artwork
