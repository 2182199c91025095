// What layout, selection and the viewer ask of a document: word delimiters,
// directions, paragraph ranges, hidden items; and reading RTF into it.
#include <filesystem>
#include <string>
#include <string_view>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"

namespace {

// The reader's base path belongs to the viewer; a load may borrow it only while it
// reads, and gives it back however the read ends.
class TBasePathKeeper {
public:
  TBasePathKeeper(TCustomRPRTFReaderProperties& Properties, std::string BasePath)
      : FProperties(Properties), FSaved(std::move(Properties.BasePath)) {
    FProperties.BasePath = std::move(BasePath);
  }
  ~TBasePathKeeper() { FProperties.BasePath = std::move(FSaved); }
  TBasePathKeeper(const TBasePathKeeper&) = delete;
  TBasePathKeeper& operator=(const TBasePathKeeper&) = delete;

private:
  TCustomRPRTFReaderProperties& FProperties;
  std::string FSaved;
};

// The directory of FileName with its trailing separator ("" for a bare name), so
// that a relative name can be appended as it is or joined as a path.
std::string DirectoryOf(const std::string& FileName) {
  std::string Dir = std::filesystem::path(FileName).parent_path().string();
  if (!Dir.empty() && Dir.back() != '/')
    Dir += '/';
  return Dir;
}

} // namespace

// ---------------------------------------------------------------- characters

bool TCustomRPData::IsDelimiter(const std::string& s, int Pos, int CodePage,
                                TRPItemOptions ItemOptions) const {
  if (Pos < 1)
    return false;
  const size_t Index = static_cast<size_t>(Pos - 1);
  char16_t Char;
  if (ItemOptions.Contains(rpioUnicode)) {
    if (2 * Index + 1 >= s.size())
      return false;
    Char = RP_Utf16LEUnit(s.data() + 2 * Index);
  } else {
    if (Index >= s.size())
      return false;
    if (s[Index] == '\t')
      return true;
    const std::u16string Converted =
        RP_AnsiToUnicode(std::string_view(s).substr(Index, 1), CodePage);
    if (Converted.empty())
      return false;
    Char = Converted[0];
  }
  if (Char == u'\t')
    return true;
  return GetDelimiters().find(Char) != std::u16string::npos;
}

int TCustomRPData::NextCharStr(const std::string& /*s*/, int /*ItemNo*/, int Pos) const {
  // Characters are stepped over one code unit at a time: the engine-wide switch that
  // would ask the platform for the next character is off in this program.
  return Pos + 1;
}

// ---------------------------------------------------------------- directions

TRPBiDiMode TCustomRPData::GetParaBiDiMode(int ParaNo) const {
  const TRPStyle* RPStyle = GetRPStyle();
  const TRPBiDiMode Mode = RPStyle ? RPStyle->ParaStyles[ParaNo].BiDiMode : rpbdUnspecified;
  return Mode != rpbdUnspecified ? Mode : GetBiDiMode();
}

TRPBiDiMode TCustomRPData::GetItemBiDiMode(int ItemNo) {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (const TRPStyle* RPStyle = GetRPStyle()) {
    const int TextStyleNo =
        Item.IsTextItem() ? GetItemStyle(ItemNo) : Item.GetActualTextStyleNo(*this);
    if (TextStyleNo >= 0) {
      const TRPBiDiMode Mode = RPStyle->TextStyles[TextStyleNo].BiDiMode;
      if (Mode != rpbdUnspecified)
        return Mode;
    }
  }
  return GetParaBiDiMode(Item.ParaNo);
}

// ---------------------------------------------------------------- paragraphs

void TCustomRPData::AdjustInItemsRange(int& ItemNo) const {
  if (ItemNo < 0)
    ItemNo = 0;
  if (ItemNo >= GetItemCount())
    ItemNo = GetItemCount() - 1;
}

int TCustomRPData::GetFirstParaItem(int ItemNo) const {
  while (ItemNo > 0 && !IsParaStart(ItemNo))
    --ItemNo;
  return ItemNo;
}

void TCustomRPData::ExpandToPara(int ItemNo1, int ItemNo2, int& FirstItemNo,
                                 int& LastItemNo) const {
  AdjustInItemsRange(ItemNo1);
  AdjustInItemsRange(ItemNo2);
  FirstItemNo = ItemNo1 < 0 ? -1 : GetFirstParaItem(ItemNo1);
  LastItemNo = ItemNo2;
  if (LastItemNo < 0)
    return;
  while (LastItemNo + 1 < GetItemCount() && !IsParaStart(LastItemNo + 1))
    ++LastItemNo;
}

// ---------------------------------------------------------------- hidden items

bool TCustomRPData::IsHiddenItem(int ItemNo) {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (Item.IsTextItem()) {
    const TRPStyle* RPStyle = GetRPStyle();
    return RPStyle && RPStyle->TextStyles[GetItemStyle(ItemNo)].Options.Contains(rpteoHidden);
  }
  const auto* NonText = dynamic_cast<const TRPNonTextItemInfo*>(&Item);
  if (NonText && NonText->Hidden)
    return true;
  if (Item.StyleNo != rpsListMarker)
    return false;
  // A marker shows nothing to number when nothing visible follows it on its line.
  for (int i = ItemNo + 1; i < GetItemCount() && GetItem(i)->SameAsPrev(); ++i)
    if (!IsHiddenItem(i))
      return false;
  return true;
}

bool TCustomRPData::IsHiddenParaEnd(int ItemNo) {
  while (ItemNo + 1 < GetItemCount() && !IsParaStart(ItemNo + 1))
    ++ItemNo;
  return IsHiddenItem(ItemNo);
}

// ---------------------------------------------------------------- loading RTF

TRPRTFErrorCode TCustomRPData::LoadRTF(const std::string& FileName) {
  TCustomRPRTFReaderProperties* Properties = GetRTFProperties();
  if (!Properties)
    return rtf_ec_Assertion;
  const TBasePathKeeper Keeper(*Properties, DirectoryOf(FileName));
  const int FirstNew = GetItemCount();
  const TRPRTFErrorCode Result = Properties->ReadFromFile(FileName, *this);
  // What was read before a failure is shown too, so it is merged as well.
  MassSimpleConcate(FirstNew - 1, GetItemCount() - 1);
  return Result;
}

TRPRTFErrorCode TCustomRPData::LoadRTFFromStream(std::string_view Data) {
  TCustomRPRTFReaderProperties* Properties = GetRTFProperties();
  if (!Properties)
    return rtf_ec_Assertion;
  const int FirstNew = GetItemCount();
  const TRPRTFErrorCode Result = Properties->ReadFromStream(Data, *this);
  MassSimpleConcate(FirstNew - 1, GetItemCount() - 1);
  return Result;
}
