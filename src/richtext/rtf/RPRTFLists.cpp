#include "richtext/rtf/RPRTFLists.h"

int32_t TRPRTFListTable97::FindList(int32_t Id) const {
  return FIndex.Find(Id, static_cast<int32_t>(FItems.size()),
                     [this](int32_t i) { return FItems[static_cast<size_t>(i)]->FId; });
}

int32_t TRPRTFListOverrideTable97::FindListOverride(int32_t Number) const {
  return FIndex.Find(Number, static_cast<int32_t>(FItems.size()),
                     [this](int32_t i) { return FItems[static_cast<size_t>(i)]->FNumber; });
}
