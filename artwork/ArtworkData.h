#pragma once
#include <cstddef>

// The pictures built into the executables, as the build step artwork_embed writes them:
// sorted by name, aliases included (an alias shares its picture's bytes).
namespace ArtworkData {

struct Entry {
  const char* name;
  const unsigned char* data;
  size_t size;
};

extern const Entry kEntries[];
extern const size_t kEntryCount;

}  // namespace ArtworkData
