#include "artwork/Artwork.h"

#include <algorithm>
#include <stdexcept>

#include "artwork/ArtworkData.h"

namespace Artwork {

namespace {

const ArtworkData::Entry* Find(std::string_view name) {
  const auto* begin = ArtworkData::kEntries;
  const auto* end = begin + ArtworkData::kEntryCount;
  const auto* it = std::lower_bound(begin, end, name,
                                    [](const ArtworkData::Entry& e, std::string_view n) { return std::string_view(e.name) < n; });
  return it != end && std::string_view(it->name) == name ? it : nullptr;
}

}  // namespace

TBitmap Get(std::string_view name) {
  const ArtworkData::Entry* entry = Find(name);
  if (!entry) throw std::out_of_range("no picture named \"" + std::string(name) + "\" in the artwork");
  TBitmap bitmap;
  if (!bitmap.LoadFromMemory(entry->data, entry->size))
    throw std::runtime_error("the picture \"" + std::string(name) + "\" cannot be decoded");
  return bitmap;
}

bool Has(std::string_view name) { return Find(name) != nullptr; }

std::vector<std::string> Names() {
  std::vector<std::string> names;
  names.reserve(ArtworkData::kEntryCount);
  for (size_t i = 0; i < ArtworkData::kEntryCount; ++i) names.emplace_back(ArtworkData::kEntries[i].name);
  return names;
}

}  // namespace Artwork
