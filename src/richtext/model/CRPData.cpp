#include "richtext/model/CRPData.h"

#include "richtext/model/RPItem.h"

void TCustomRPData::ModifyStyleNoByTemplate(TCustomRPItemInfo& Item, int NewStyleNo) {
  // Non-text items keep their kind in StyleNo; their text style is the associated one.
  if (Item.StyleNo < 0)
    Item.SetAssociatedTextStyleNo(NewStyleNo);
  else
    Item.StyleNo = NewStyleNo;
}
