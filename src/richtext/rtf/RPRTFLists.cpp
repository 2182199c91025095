#include "richtext/rtf/RPRTFLists.h"

int32_t TRPRTFListTable97::FindList(int32_t Id) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->FId == Id)
      return static_cast<int32_t>(i);
  return -1;
}

int32_t TRPRTFListOverrideTable97::FindListOverride(int32_t Number) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->FNumber == Number)
      return static_cast<int32_t>(i);
  return -1;
}
