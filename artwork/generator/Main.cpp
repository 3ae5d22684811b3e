// Draws every picture of the three programs into artwork/images and the contact sheet
// artwork/sheet.png. Run through the build target artwork_generate.
#include <cstdio>
#include <exception>
#include <string>

#include "artwork/generator/ImageIO.h"
#include "artwork/generator/Layout.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s ARTWORK-FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const std::string folder = argv[1];
    Catalog catalog;
    BuildBrowser(catalog);
    BuildKeyboard(catalog);
    BuildFrame(catalog);
    BuildIcons(catalog);
    catalog.WriteTo(folder + "/images");
    WritePng24(MakeSheet(catalog), folder + "/sheet.png");
    std::printf("%zu pictures written to %s/images\n", catalog.All().size(), folder.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artwork generator: %s\n", e.what());
    return 1;
  }
  return 0;
}
