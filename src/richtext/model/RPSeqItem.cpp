#include "richtext/model/RPSeqItem.h"

#include "richtext/gfx/RPCodePage.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "richtext/model/RPNumbering.h"

namespace {

std::string NameKey(const std::string& Name) {
  std::string Key = Name;
  for (char& Ch : Key)
    if (Ch >= 'A' && Ch <= 'Z')
      Ch = static_cast<char>(Ch - 'A' + 'a');
  return Key;
}

} // namespace

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

TRPSeqItemInfo::~TRPSeqItemInfo() {
  if (const std::shared_ptr<TRPSeqList> List = FListLink.List.lock())
    List->Remove(*this);
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

void TRPSeqItemInfo::UpdateText() {
  std::u16string Number = RP_NumberToText(Counter, GetNumberType());
  if (FormatString.empty()) {
    SetText(Number);
    return;
  }
  const std::u16string Args[] = {std::move(Number)};
  SetText(RP_FormatPattern(RP_AnsiToUnicode(FormatString, CP_UTF8), Args));
}

std::shared_ptr<TRPSeqList> TRPSeqItemInfo::SeqList() const { return TRPSeqList::ListOf(*this); }

// ---------------------------------------------------------------- the list

void TRPSeqList::RecalcCounters(int Index) {
  if (Index < 0 || Index >= Count())
    return;
  // The last counter of every sequence met so far; a sequence not met yet is looked
  // up once before Index, so that many sequences do not make this quadratic.
  std::map<std::string, int32_t> Last;
  for (int i = Index; i < Count(); ++i) {
    TRPSeqItemInfo& Seq = *FItems[static_cast<size_t>(i)];
    const std::string Key = NameKey(Seq.SeqName);
    auto Found = Last.find(Key);
    if (Found == Last.end()) {
      std::optional<int32_t> Before;
      for (int j = Index - 1; j >= 0 && !Before; --j)
        if (NameKey(FItems[static_cast<size_t>(j)]->SeqName) == Key)
          Before = FItems[static_cast<size_t>(j)]->Counter;
      if (Before)
        Found = Last.emplace(Key, *Before).first;
    }
    if (Seq.Reset)
      Seq.Counter = Seq.StartFrom;
    else
      Seq.Counter = Found != Last.end() ? RP_NextNumber(Found->second) : 1;
    Last[Key] = Seq.Counter;
    Seq.UpdateText();
  }
}
