#include "platform/sys/fakes/TFakeKeyInput.h"

#include "platform/sys/VirtualKeys.h"

uint32_t TFakeKeyInput::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
  if (mapType == MAPVK_VK_TO_VSC) {
    const TVirtualKey* key = FindVirtualKey(code);
    return key ? key->PcScan : 0;
  }
  if (mapType == MAPVK_VSC_TO_VK || mapType == MAPVK_VSC_TO_VK_EX) {
    for (const TVirtualKey& key : VirtualKeys())
      if (key.PcScan == code) return key.Vk;
  }
  return 0;
}
