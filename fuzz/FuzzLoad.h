// Loading fuzz input the way the guide window loads an article, shared by the targets that
// go past the reader: a pane set up as the guide's (its style sheet, options and reader
// settings come from guide_articles, the Qt-free part of the guide), the builder's switches
// taken from the input, the program's load (the document's LoadRTFFromStream: read, build,
// merge neighbouring items), and the document's invariants checked after every load.
//
// The switches live in the input's first two bytes, taken XOR "{\", and stay part of the
// RTF: a real document (the seeds) reads exactly as the program reads it, and a mutated
// byte only puts a little stray text before or at the start of the outer group, which the
// reader copes with.
//
//   first byte ^ '{'           second byte ^ '\'
//   0x03 Unicode mode          0x03 highlight: colour table, fixed colours, ignored,
//        (only Unicode, mixed,      colour table with hypertext styles
//        none, only Unicode    0x04 load the input a second time into the same document
//        with the charset for  0x08 format before the second load (the format target)
//        Unicode)
//   0x04 text styles: closest (else added when missing)
//   0x08 paragraph styles: closest (else added when missing)
//   0x10 hidden text is read
//   0x20 line breaks become paragraphs
//   0x40 bookmarks are ignored
//   0x80 tabs are 4 spaces (else tab items)
//
// A breach is reported and the process aborts, so that the fuzzer keeps the input like
// one that crashed.
#pragma once

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "guide/GuideArticles.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFReaderProperties.h"
#include "richtext/view/RichPane.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePaneHost.h"

namespace FuzzLoad {

[[noreturn]] inline void Fail(const char* Format, ...) {
  std::va_list Args;
  va_start(Args, Format);
  std::fputs("invariant broken: ", stderr);
  std::vfprintf(stderr, Format, Args);
  std::fputc('\n', stderr);
  va_end(Args);
  std::abort();
}

struct TLoadOptions {
  TRPReaderUnicode UnicodeMode = rpruOnlyUnicode;
  bool UseCharsetForUnicode = false;
  TRPReaderStyleMode TextStyleMode = rprsAddIfNeeded;
  TRPReaderStyleMode ParaStyleMode = rprsAddIfNeeded;
  bool SkipHiddenText = true;
  bool LineBreaksAsParagraphs = false;
  bool IgnoreBookmarks = false;
  int32_t SpacesInTab = 0;
  TRPRTFHighlight ConvertHighlight = rtfhlColorTable;
  bool UseHypertextStyles = false;
  bool LoadTwice = false;
  bool FormatBetweenLoads = false;
};

inline TLoadOptions ReadOptions(const uint8_t* Data, size_t Size) {
  TLoadOptions Options;
  const auto Builder = static_cast<uint8_t>(Size > 0 ? Data[0] ^ '{' : 0);
  const auto Document = static_cast<uint8_t>(Size > 1 ? Data[1] ^ '\\' : 0);

  switch (Builder & 0x03) {
  case 0: break;
  case 1: Options.UnicodeMode = rpruMixed; break;
  case 2: Options.UnicodeMode = rpruNoUnicode; break;
  case 3: Options.UseCharsetForUnicode = true; break;
  }
  if (Builder & 0x04)
    Options.TextStyleMode = rprsUseClosest;
  if (Builder & 0x08)
    Options.ParaStyleMode = rprsUseClosest;
  Options.SkipHiddenText = (Builder & 0x10) == 0;
  Options.LineBreaksAsParagraphs = (Builder & 0x20) != 0;
  Options.IgnoreBookmarks = (Builder & 0x40) != 0;
  Options.SpacesInTab = (Builder & 0x80) ? 4 : 0;

  switch (Document & 0x03) {
  case 0: break;
  case 1: Options.ConvertHighlight = rtfhlFixedColors; break;
  case 2: Options.ConvertHighlight = rtfhlIgnore; break;
  case 3: Options.UseHypertextStyles = true; break;
  }
  Options.LoadTwice = (Document & 0x04) != 0;
  Options.FormatBetweenLoads = (Document & 0x08) != 0;
  return Options;
}

// The window of the guide's pane, measuring with the fake metrics. A scroll bar takes its
// width from the client area as the widget's does, but a client area never gets narrower
// than nothing.
class TFuzzPaneHost : public TFakePaneHost {
public:
  int32_t ClientWidth() const override { return std::max(TFakePaneHost::ClientWidth(), 0); }
  int32_t ClientHeight() const override { return std::max(TFakePaneHost::ClientHeight(), 0); }
};

// Owns everything a load needs; members in the order they must be made in.
struct TFuzzPane {
  explicit TFuzzPane(const TLoadOptions& Options, TRPGraphicInterface* GraphicInterface = nullptr)
      : Options(Options), Pane(Host) {
    // The pane's client area in the guide window.
    Host.Width = 813;
    Host.Height = 575;
    InitGuideStyleSheet(Sheet);
    Sheet.GraphicInterface = GraphicInterface ? GraphicInterface : &GI;
    Sheet.SpacesInTab = Options.SpacesInTab;
    Pane.Style = &Sheet;
    ConfigureGuidePane(Pane);
    TRPRTFReaderProperties& Reader = Pane.GetRTFReadProperties();
    Reader.UnicodeMode = Options.UnicodeMode;
    Reader.UseCharsetForUnicode = Options.UseCharsetForUnicode;
    Reader.TextStyleMode = Options.TextStyleMode;
    Reader.ParaStyleMode = Options.ParaStyleMode;
    Reader.SkipHiddenText = Options.SkipHiddenText;
    Reader.LineBreaksAsParagraphs = Options.LineBreaksAsParagraphs;
    Reader.IgnoreBookmarks = Options.IgnoreBookmarks;
    Reader.ConvertHighlight = Options.ConvertHighlight;
    Reader.UseHypertextStyles = Options.UseHypertextStyles;
    // Within the fuzzer's memory limit, also when every picture is as large as it may be.
    Reader.PicturePixelBudget = int64_t{16} << 20;
  }

  const TLoadOptions Options;
  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFuzzPaneHost Host;
  TCustomRichPane Pane;
  // Loads done into this document.
  int Loads = 0;
};

namespace Detail {

inline bool IsKnownNonTextStyle(int32_t StyleNo) {
  switch (StyleNo) {
  case rpsBreak:
  case rpsCheckpoint:
  case rpsPicture:
  case rpsHotspot:
  case rpsComponent:
  case rpsBullet:
  case rpsBack:
  case rpsVersionInfo:
  case rpsDocProperty:
  case rpsHotPicture:
  case rpsListMarker:
  case rpsTab:
  case rpsTable:
  case rpsLabel:
  case rpsSequence:
  case rpsFootnote:
  case rpsEndnote:
  case rpsNoteReference:
  case rpsSidenote:
  case rpsTextBox:
  case rpsPageNumber:
  case rpsPageCount: return true;
  default: return false;
  }
}

inline bool IsTextStyleRef(const TRPStyle& Sheet, int32_t StyleNo) {
  return StyleNo == rpsDefStyle || (StyleNo >= 0 && StyleNo < Sheet.TextStyles.Count());
}

// A reference from one style to another: none (-1) or one that exists.
inline bool IsOptionalRef(int32_t No, int Count) { return No == -1 || (No >= 0 && No < Count); }

inline void CheckStyleSheet(const TRPStyle& Sheet) {
  const int TextCount = Sheet.TextStyles.Count();
  const int ParaCount = Sheet.ParaStyles.Count();
  if (TextCount < 1 || ParaCount < 1)
    Fail("the style sheet lost its first text or paragraph style");
  for (int i = 0; i < TextCount; ++i) {
    const TFontInfo& Style = Sheet.TextStyles[i];
    if (!IsOptionalRef(Style.BaseStyleNo, TextCount) ||
        !IsOptionalRef(Style.NextStyleNo, TextCount))
      Fail("text style %d refers to a text style that does not exist", i);
  }
  for (int i = 0; i < ParaCount; ++i) {
    const TParaInfo& Style = Sheet.ParaStyles[i];
    if (!IsOptionalRef(Style.BaseStyleNo, ParaCount) || !IsOptionalRef(Style.NextParaNo, ParaCount))
      Fail("paragraph style %d refers to a paragraph style that does not exist", i);
    if (!IsOptionalRef(Style.DefStyleNo, TextCount))
      Fail("paragraph style %d has a default text style that does not exist", i);
  }
}

// The item's own invariants and its references into the style sheet.
inline void CheckItem(TCustomRPData& Doc, const TRPStyle& Sheet, int i) {
  const TCustomRPItemInfo& Item = *Doc.GetItem(i);
  const int32_t StyleNo = Item.StyleNo;
  if (StyleNo >= 0) {
    if (!IsTextStyleRef(Sheet, StyleNo))
      Fail("item %d has text style %d of %d", i, StyleNo, Sheet.TextStyles.Count());
  } else {
    if (!IsKnownNonTextStyle(StyleNo))
      Fail("item %d has style number %d, which is no kind of item", i, StyleNo);
    const int Associated = Item.GetAssociatedTextStyleNo();
    if (Associated != -1 && !IsTextStyleRef(Sheet, Associated))
      Fail("item %d is shown in text style %d of %d", i, Associated, Sheet.TextStyles.Count());
  }
  if (Item.ParaNo < 0 || Item.ParaNo >= Sheet.ParaStyles.Count())
    Fail("item %d has paragraph style %d of %d", i, Item.ParaNo, Sheet.ParaStyles.Count());

  const TRPItemOptions Options = Item.ItemOptions();
  if ((Options - TRPItemOptions::Range(rpioSameAsPrev, rpioGroupWithNext)).Bits() != 0)
    Fail("item %d has options outside the enumeration", i);
  const int Joins = int{Item.SameAsPrev()} + int{Item.BR()} + int{Item.PageBreakBefore()};
  if (Joins > 1)
    Fail("item %d continues a line, breaks one or breaks a page at once", i);
  if (Item.SameAsPrev() && (Item.ClearLeft() || Item.ClearRight()))
    Fail("item %d continues a line but clears floating objects", i);
  if (Item.BR() && Item.GetBoolValue(rpbpFullWidth))
    Fail("the full-width item %d breaks a line inside a paragraph", i);
  if (Item.Unicode() && Item.ItemText().size() % 2 != 0)
    Fail("item %d has half a UTF-16 unit", i);
  if (Item.Checkpoint() && Item.Checkpoint()->ItemInfo != &Item)
    Fail("the checkpoint of item %d names another item", i);

  if (StyleNo == rpsListMarker) {
    const auto* Marker = dynamic_cast<const TRPMarkerItemInfo*>(&Item);
    if (!Marker)
      Fail("item %d has the style of a list marker but is none", i);
    if (Marker->ListNo < 0 || Marker->ListNo >= Sheet.ListStyles.Count())
      Fail("the marker at %d is of list style %d of %d", i, Marker->ListNo,
           Sheet.ListStyles.Count());
    if (Marker->Level < 0)
      Fail("the marker at %d has level %d", i, Marker->Level);
  }
  if (StyleNo == rpsSequence && !dynamic_cast<const TRPSeqItemInfo*>(&Item))
    Fail("item %d has the style of a sequence field but is none", i);
}

// The paragraph structure the adding operations keep (the numbered list in CRPData.h).
inline void CheckParagraphs(TCustomRPData& Doc) {
  const int Count = Doc.GetItemCount();
  int ParaNo = -1;
  for (int i = 0; i < Count; ++i) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(i);
    const bool ParaStart = !Item.SameAsPrev() && !Item.BR();
    if (i == 0 && !ParaStart)
      Fail("the first item does not start a paragraph");
    if (i > 0 && Doc.GetItem(i - 1)->GetBoolValue(rpbpFullWidth) && !ParaStart)
      Fail("item %d goes on after a full-width item", i);
    if (ParaStart)
      ParaNo = Item.ParaNo;
    else if (Item.ParaNo != ParaNo)
      Fail("item %d has paragraph style %d in a paragraph of %d", i, Item.ParaNo, ParaNo);
    if (Item.StyleNo == rpsListMarker && i + 1 < Count && !Doc.GetItem(i + 1)->SameAsPrev())
      Fail("the marker at %d is a paragraph alone", i);
  }
}

inline void CheckCheckpoints(const TCustomRPData& Doc) {
  const int Count = Doc.GetItemCount();
  int OnItems = 0;
  for (int i = 0; i < Count; ++i)
    OnItems += Doc.GetItem(i)->Checkpoint() ? 1 : 0;
  int Walked = 0;
  int LastItemNo = -1;
  const TRPCPInfo* Prev = nullptr;
  for (const TRPCPInfo* CP = Doc.FirstCP; CP; Prev = CP, CP = CP->Next) {
    if (CP->Prev != Prev)
      Fail("broken back link in the checkpoint chain");
    const int ItemNo = CP->ItemInfo ? Doc.GetItemNo(CP->ItemInfo) : -1;
    if (ItemNo <= LastItemNo || Doc.GetItem(ItemNo)->Checkpoint() != CP)
      Fail("checkpoint %d of the chain is out of place", Walked);
    LastItemNo = ItemNo;
    if (++Walked > Count)
      Fail("the checkpoint chain runs in a circle");
  }
  if (Doc.LastCP != Prev)
    Fail("LastCP is not the end of the checkpoint chain");
  if (Walked != OnItems)
    Fail("%d checkpoints in the chain, %d on items", Walked, OnItems);
}

// Markers and sequence fields are registered with the root, in document order.
template <typename TItem, typename TList>
void CheckRegister(TCustomRPData& Doc, int32_t StyleNo, const std::shared_ptr<TList>& List,
                   const char* What) {
  int LastIndex = -1;
  int Seen = 0;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    const TCustomRPItemInfo* Item = Doc.GetItem(i);
    if (Item->StyleNo != StyleNo)
      continue;
    ++Seen;
    const int Index = List ? List->IndexOf(static_cast<const TItem&>(*Item)) : -1;
    if (Index < 0)
      Fail("the %s at %d is not registered with the document", What, i);
    if (Index <= LastIndex)
      Fail("the %s at %d is registered out of document order", What, i);
    LastIndex = Index;
  }
  if (List && List->Count() < Seen)
    Fail("%d %ss registered for %d in the document", List->Count(), What, Seen);
}

} // namespace Detail

// Everything a load must leave true of the document and the style sheet, whatever the
// input and whether or not the read ended with an error.
inline void CheckDocument(TCustomRPData& Doc, const TRPStyle& Sheet) {
  Detail::CheckStyleSheet(Sheet);
  for (int i = 0; i < Doc.GetItemCount(); ++i)
    Detail::CheckItem(Doc, Sheet, i);
  Detail::CheckParagraphs(Doc);
  Detail::CheckCheckpoints(Doc);
  Detail::CheckRegister<TRPMarkerItemInfo>(Doc, rpsListMarker, Doc.GetMarkers(false),
                                           "list marker");
  Detail::CheckRegister<TRPSeqItemInfo>(Doc, rpsSequence, Doc.GetSeqList(false), "sequence field");
}

// What the pane's LoadRTF does, with the reader's result kept, and everything checked that
// the load must leave true. Nothing may leave the load itself.
inline TRPRTFErrorCode Load(TFuzzPane& P, std::string_view Rtf) {
  const int TextStyles = P.Sheet.TextStyles.Count();
  const int ParaStyles = P.Sheet.ParaStyles.Count();
  const int ListStyles = P.Sheet.ListStyles.Count();
  const TRPRTFErrorCode Result = P.Pane.RPData().LoadRTFFromStream(Rtf);
  ++P.Loads;

  if (Result > rtf_ec_Aborted)
    Fail("result code %d outside the enumeration", static_cast<int>(Result));
  // The stream always opens and the document has its style sheet and reader; the builder
  // and the document must cope with whatever the reader hands them, so a receiver that
  // gave up (aborted) or an exception caught on the way out is a failure of ours.
  switch (Result) {
  case rtf_ec_Assertion:
  case rtf_ec_FileOpenError:
  case rtf_ec_Exception:
  case rtf_ec_Aborted:
    Fail("the load ended with result code %d, a failure of the builder or the document",
         static_cast<int>(Result));
  default: break;
  }

  if (P.Options.TextStyleMode == rprsUseClosest && P.Sheet.TextStyles.Count() != TextStyles)
    Fail("text styles were added although the closest ones were asked for");
  if (P.Options.ParaStyleMode == rprsUseClosest && P.Sheet.ParaStyles.Count() != ParaStyles)
    Fail("paragraph styles were added although the closest ones were asked for");
  // The guide keeps its style sheet from article to article: what a document needs is
  // added the first time only.
  if (P.Loads > 1 &&
      (P.Sheet.TextStyles.Count() != TextStyles || P.Sheet.ParaStyles.Count() != ParaStyles ||
       P.Sheet.ListStyles.Count() != ListStyles))
    Fail("loading the same input again added %d text, %d paragraph and %d list styles",
         P.Sheet.TextStyles.Count() - TextStyles, P.Sheet.ParaStyles.Count() - ParaStyles,
         P.Sheet.ListStyles.Count() - ListStyles);

  CheckDocument(P.Pane.RPData(), P.Sheet);
  return Result;
}

} // namespace FuzzLoad
