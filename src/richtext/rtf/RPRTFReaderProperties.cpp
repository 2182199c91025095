#include "richtext/rtf/RPRTFReaderProperties.h"

#include <stdexcept>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFCodePages.h"
#include "richtext/rtf/RPRTFHyperlink.h"

namespace {

// Thrown from a text handler when the document refuses the first item; the reader turns
// it into rtf_ec_Aborted.
struct TRPRTFProtectedAbort : std::runtime_error {
  TRPRTFProtectedAbort() : std::runtime_error("protected content") {}
};

} // namespace

// ---------------------------------------------------------------------------------------
// One read: the working state that lives while the reader runs.

class TRPRTFReaderProperties::TRead {
public:
  TRead(TRPRTFReaderProperties& Owner, TCustomRPData& RPData);
  TRPRTFErrorCode Run(IRPByteSource& Source);

private:
  void InitReader();
  void NewText(const std::string& Text, TRPRTFPosition Position);
  void NewUnicodeText(const std::u16string& Text, TRPRTFPosition Position);
  // A run as bytes (Wide false) or UTF-16 (Wide true) becomes a text or tab item.
  void AddRun(const std::string* Bytes, const std::u16string* Wide, bool Unicode,
              TRPRTFPosition Position);

  int ReturnStyleNo(bool Unicode, bool SwitchProtect);
  int ReturnParaNo(TRPRTFPosition Position);
  bool AllowUseStyle(int StyleNo, bool TextStyle);
  void InsertItem(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item,
                  TRPRTFPosition Position);
  bool IsFullWidthBefore(int Index) const;

  TRPRTFReaderProperties& FOwner;
  TCustomRPData& RPData;
  TRPStyle& RPStyle;
  TRPRTFReader Reader;
  int InsertPoint;
  bool FirstTime = true;
  bool PageBreak = false;
  std::string FBookmarkName;
  bool FHaveBookmark = false;
  TRPRTFStyleIndex FTextIndex;
  TRPRTFStyleIndex FParaIndex;
};

TRPRTFReaderProperties::TRead::TRead(TRPRTFReaderProperties& Owner, TCustomRPData& Data)
    : FOwner(Owner), RPData(Data), RPStyle(*Data.GetRPStyle()), InsertPoint(Data.GetItemCount()) {
  InitReader();
}

void TRPRTFReaderProperties::TRead::InitReader() {
  Reader.SkipHiddenText = FOwner.SkipHiddenText;
  Reader.FConvertHighlight = static_cast<TRPRTFHighlightMode>(FOwner.ConvertHighlight);
  Reader.BasePath = FOwner.BasePath;
  Reader.DefCodePage = static_cast<uint32_t>(RPData.GetDefaultCodePage());
  Reader.TabAsSeparateChar = RPStyle.SpacesInTab == 0;
  Reader.OnNewText = [this](TRPRTFReader&, const std::string& Text, TRPRTFPosition Position) {
    NewText(Text, Position);
  };
  if (FOwner.UnicodeMode != rpruNoUnicode)
    Reader.OnNewUnicodeText = [this](TRPRTFReader&, const std::u16string& Text,
                                     TRPRTFPosition Position) { NewUnicodeText(Text, Position); };
  Reader.OnRequiredPageBreak = [this](TRPRTFReader&) { PageBreak = true; };
  if (!FOwner.IgnoreBookmarks)
    Reader.OnBookmarkStart = [this](TRPRTFReader&, const std::u16string& Name) {
      FBookmarkName = RP_UnicodeToAnsi(Name, CP_UTF8);
      FHaveBookmark = true;
    };
}

TRPRTFErrorCode TRPRTFReaderProperties::TRead::Run(IRPByteSource& Source) {
  return Reader.ReadFromStream(Source);
}

// ---------------------------------------------------------------------------------------
// Runs

void TRPRTFReaderProperties::TRead::NewText(const std::string& Text, TRPRTFPosition Position) {
  AddRun(&Text, nullptr, FOwner.UnicodeMode == rpruOnlyUnicode, Position);
}

void TRPRTFReaderProperties::TRead::NewUnicodeText(const std::u16string& Text,
                                                   TRPRTFPosition Position) {
  if (FOwner.UnicodeMode == rpruMixed) {
    // Text the run's font can show as single bytes is stored that way.
    const TRPRTFFontList& Fonts = Reader.FontTable();
    const int32_t Font = Reader.RTFState().Props.CharProps.FFontIndex;
    if (Fonts.IsValidIndex(Font)) {
      int CodePage = RPU_Charset2CodePage(Fonts.Get(Font).Charset);
      if (CodePage == CP_ACP)
        CodePage = static_cast<int>(Reader.CodePage);
      if (CodePage != CP_ACP) {
        const std::string Bytes = RP_UnicodeToAnsi(Text, CodePage);
        if (RP_AnsiToUnicode(Bytes, CodePage) == Text) {
          AddRun(&Bytes, nullptr, false, Position);
          return;
        }
      }
    }
  }
  AddRun(nullptr, &Text, true, Position);
}

void TRPRTFReaderProperties::TRead::AddRun(const std::string* Bytes, const std::u16string* Wide,
                                           bool Unicode, TRPRTFPosition Position) {
  const TRPRTFCharProperties& Chars = Reader.RTFState().Props.CharProps;
  if (FOwner.SkipHiddenText && Chars.FHidden)
    return;
  if (FOwner.LineBreaksAsParagraphs && Position == rtf_ts_NewLine)
    Position = rtf_ts_NewPara;
  const int ParaNo = ReturnParaNo(Position);
  int StyleNo = ReturnStyleNo(Unicode, false);

  if (RPStyle.SpacesInTab == 0 && Bytes && *Bytes == "\t") {
    auto Tab = std::make_unique<TRPTabItemInfo>(&RPData);
    Tab->SetAssociatedTextStyleNo(StyleNo);
    Tab->ParaNo = ParaNo;
    Tab->Hidden = Chars.FHidden;
    InsertItem({}, std::move(Tab), Position);
    return;
  }

  std::unique_ptr<TCustomRPItemInfo> Item = RichPaneTextItemClass(&RPData);
  // The text as UTF-16, converted once and only where it is needed.
  std::u16string Converted;
  const auto AsWide = [&]() -> const std::u16string& {
    if (Wide)
      return *Wide;
    if (Converted.empty())
      Converted = AnsiToUnicode(*Bytes, Reader.GetCurrentCodePage());
    return Converted;
  };
  const std::u16string_view Link = Reader.HyperlinkInstruction();
  if (!Link.empty()) {
    const TRPRTFHyperlink Parsed =
        RPRTFParseHyperlink(Link, FOwner.BasePathLinks ? FOwner.BasePath : std::string());
    std::u16string Name = AsWide();
    std::string Tag = Parsed.Target;
    int LinkStyle = StyleNo;
    RPData.ReadHyperlink(Parsed.Target, Parsed.Extras, Name, Tag, LinkStyle);
    if (LinkStyle >= 0 && LinkStyle < RPStyle.TextStyles.Count())
      StyleNo = LinkStyle;
    Item->Tag = Tag;
    Item->Hint = Parsed.Hint;
  }

  std::string Text;
  if (RPStyle.TextStyles[StyleNo].Unicode)
    Text = RP_ToUtf16LE(AsWide());
  else if (Bytes)
    Text = *Bytes;
  else
    Text = UnicodeToAnsi(*Wide, static_cast<int>(Reader.CodePage));
  Item->StyleNo = StyleNo;
  Item->ParaNo = ParaNo;
  Item->SetUnicode(RPStyle.TextStyles[StyleNo].Unicode);
  RPData.ReplaceTabs(Text, StyleNo, Item->Unicode());
  InsertItem(std::move(Text), std::move(Item), Position);
}

// ---------------------------------------------------------------------------------------
// Styles

bool TRPRTFReaderProperties::TRead::AllowUseStyle(int StyleNo, bool TextStyle) {
  bool Allow = true;
  if (FOwner.OnAllowUseStyle)
    FOwner.OnAllowUseStyle(FOwner, RPData, StyleNo, TextStyle, Allow);
  return Allow;
}

int TRPRTFReaderProperties::TRead::ReturnStyleNo(bool Unicode, bool SwitchProtect) {
  if (FOwner.TextStyleMode == rprsUseSpecified)
    return FOwner.TextStyleNo;
  const TRPRTFReaderState& State = Reader.RTFState();
  TRPRTFTextStyleSource Source;
  Source.Chars = &State.Props.CharProps;
  Source.Fonts = &Reader.FontTable();
  Source.Unicode = Unicode;
  Source.SwitchProtect = SwitchProtect;
  Source.Hypertext = !Reader.HyperlinkInstruction().empty();
  Source.UseDirection = RPData.GetBiDiMode() != rpbdUnspecified;
  Source.ParaBiDiMode = State.Props.ParaProps.FBiDiMode;
  Source.UseCharsetForUnicode = FOwner.UseCharsetForUnicode;
  Source.CharsetForUnicode = FOwner.CharsetForUnicode;
  TFontInfo Wanted(nullptr);
  RPRTFMakeTextStyle(Wanted, Source, RPStyle);

  TFontInfos& Styles = RPStyle.TextStyles;
  if (FOwner.TextStyleMode == rprsUseClosest) {
    int Best = 0;
    int32_t BestScore = 0;
    for (int i = 0; i < Styles.Count(); ++i) {
      const TFontInfo& Style = Styles[i];
      if (Style.Unicode != Unicode || !RPRTFJumpAllowed(Style, Wanted, FOwner.UseHypertextStyles) ||
          !AllowUseStyle(i, true))
        continue;
      const int32_t Score =
          RPRTFTextStyleCloseness(Style, Wanted, Source.UseDirection) +
          (FOwner.StyleComparer ? FOwner.StyleComparer->SimilarityValue(Style, *Source.Chars) : 0);
      if (Score > BestScore) {
        Best = i;
        BestScore = Score;
      }
    }
    return Best;
  }

  const int Found = FTextIndex.Find(
      RPRTFTextStyleHash(Wanted), Styles.Count(),
      [&Styles](int i) { return RPRTFTextStyleHash(Styles[i]); },
      [&](int i) {
        return RPRTFTextStyleMatches(Styles[i], Wanted, FOwner.UseHypertextStyles) &&
               (!FOwner.StyleComparer ||
                FOwner.StyleComparer->AreMatched(Styles[i], *Source.Chars));
      });
  if (Found >= 0)
    return Found;
  TFontInfo& Added = Styles.Add();
  Added.Assign(Wanted);
  if (FOwner.StyleComparer)
    FOwner.StyleComparer->AssignFromRTF(Added, *Source.Chars);
  const int StyleNo = Styles.Count() - 1;
  RPData.AfterAddStyle(StyleNo, true);
  return StyleNo;
}

int TRPRTFReaderProperties::TRead::ReturnParaNo(TRPRTFPosition Position) {
  if (Position != rtf_ts_NewPara)
    return InsertPoint > 0 && InsertPoint <= RPData.GetItemCount()
               ? RPData.GetItem(InsertPoint - 1)->ParaNo
               : 0;
  if (FOwner.ParaStyleMode == rprsUseSpecified)
    return FOwner.ParaStyleNo;

  const TRPRTFParaProperties& Para = Reader.RTFState().Props.ParaProps;
  const bool UseDirection = RPData.GetBiDiMode() != rpbdUnspecified;
  TRPRTFParaStyleSource Source;
  Source.Para = &Para;
  Source.UseDirection = UseDirection;
  TParaInfo Wanted(nullptr);
  RPRTFMakeParaStyle(Wanted, Source, RPStyle);
  const bool TabsAsSpaces = RPStyle.SpacesInTab > 0;

  TParaInfos& Styles = RPStyle.ParaStyles;
  if (FOwner.ParaStyleMode == rprsUseClosest) {
    int Best = 0;
    int32_t BestScore = 0;
    for (int i = 0; i < Styles.Count(); ++i) {
      if (!AllowUseStyle(i, false))
        continue;
      const int32_t Score =
          RPRTFParaStyleCloseness(Styles[i], Wanted, Para, RPStyle, UseDirection, TabsAsSpaces);
      if (Score > BestScore) {
        Best = i;
        BestScore = Score;
      }
    }
    return Best;
  }

  const int Found = FParaIndex.Find(
      RPRTFParaStyleHash(Wanted), Styles.Count(),
      [&Styles](int i) { return RPRTFParaStyleHash(Styles[i]); },
      [&](int i) { return RPRTFParaStyleMatches(Styles[i], Wanted, TabsAsSpaces); });
  if (Found >= 0)
    return Found;
  Styles.Add().Assign(Wanted);
  const int ParaNo = Styles.Count() - 1;
  RPData.AfterAddStyle(ParaNo, false);
  return ParaNo;
}

// ---------------------------------------------------------------------------------------
// Placing items

bool TRPRTFReaderProperties::TRead::IsFullWidthBefore(int Index) const {
  return Index > 0 && RPData.GetItem(Index - 1)->GetBoolValue(rpbpFullWidth);
}

void TRPRTFReaderProperties::TRead::InsertItem(std::string Text,
                                               std::unique_ptr<TCustomRPItemInfo> Item,
                                               TRPRTFPosition Position) {
  Item->SetSameAsPrev(Position == rtf_ts_ContinuePara);
  Item->SetBR(Position == rtf_ts_NewLine);
  if (FHaveBookmark) {
    Item->Checkpoint = std::make_unique<TRPCPInfo>();
    Item->Checkpoint->Name = std::move(FBookmarkName);
    FBookmarkName.clear();
    FHaveBookmark = false;
  }
  if (PageBreak) {
    Item->SetPageBreakBefore(true);
    PageBreak = false;
  }
  // An item that opens the document or follows a full-width item always starts a
  // paragraph: neither continuing a line nor breaking one can be done there.
  if (InsertPoint == 0 || IsFullWidthBefore(InsertPoint)) {
    Item->SetSameAsPrev(false);
    Item->SetBR(false);
  }

  if (FirstTime) {
    int Index = InsertPoint;
    bool FullReformat = false;
    int NewListNo = -1;
    if (!RPData.InsertFirstRPFItem(Index, Text, Item, false, FullReformat, NewListNo))
      throw TRPRTFProtectedAbort();
    FirstTime = false;
    InsertPoint = Index + 1;
    return;
  }
  RPData.AddItemAsIsR(std::move(Text), std::move(Item));
  RPData.DoOnAddSpecialItem(RPData.GetItemCount() - 1);
  InsertPoint = RPData.GetItemCount();
}

// ---------------------------------------------------------------------------------------

TRPRTFReaderProperties::TRPRTFReaderProperties() = default;
TRPRTFReaderProperties::~TRPRTFReaderProperties() = default;

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromSource(IRPByteSource& Source,
                                                       TCustomRPData& RPData) {
  if (!RPData.GetRPStyle())
    return rtf_ec_Assertion;
  try {
    TRead Read(*this, RPData);
    return Read.Run(Source);
  } catch (...) {
    return rtf_ec_Exception;
  }
}

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromFile(const std::string& FileName,
                                                     TCustomRPData& RPData) {
  TRPFileByteSource File(FileName);
  if (!File.IsOpen())
    return rtf_ec_FileOpenError;
  return ReadFromSource(File, RPData);
}

TRPRTFErrorCode TRPRTFReaderProperties::ReadFromStream(std::string_view Data,
                                                       TCustomRPData& RPData) {
  TRPMemoryByteSource Source(Data);
  return ReadFromSource(Source, RPData);
}
