#include "richtext/model/RPSeqItem.h"

TRPSeqItemInfo::TRPSeqItemInfo(TCustomRPData* RPData) : TRPLabelItemInfo(RPData) {
  StyleNo = rpsSequence;
}

TRPSeqItemInfo::TRPSeqItemInfo(TCustomRPData* RPData, const std::string& ASeqName,
                               TRPSeqType ANumberType, int ATextStyleNo,
                               const std::string& AFormatString)
    : TRPSeqItemInfo(RPData) {
  if (!ASeqName.empty())
    SeqName = ASeqName;
  FNumberType = ANumberType;
  SetTextStyleNo(ATextStyleNo);
  FormatString = AFormatString;
}

std::unique_ptr<TCustomRPItemInfo> TRPSeqItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPSeqItemInfo>(RPData);
}

void TRPSeqItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPSeqItemInfo*>(&Source)) {
    SeqName = S->SeqName;
    FNumberType = S->FNumberType;
    StartFrom = S->StartFrom;
    Reset = S->Reset;
    Counter = S->Counter;
    FormatString = S->FormatString;
  }
  TRPLabelItemInfo::Assign(Source);
}
