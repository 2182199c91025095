#include "richtext/view/RichPane.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"
#include "richtext/view/RPFind.h"
#include "richtext/view/RPTextWriter.h"

namespace {

// Word boundaries of word selection: space . ; , : ( ) { } " / \ < > ! ? [ ] ‘ ’ “ ” - + * =
// no-break space „ « » …
constexpr char16_t PaneDelimiters[] =
    u" .;,:(){}\"/\\<>!?[]\u2018\u2019\u201C\u201D-+*=\u00A0\u201E\u00AB\u00BB\u2026";

bool StartsWithNoCase(std::string_view Text, std::string_view Lower) {
  if (Text.size() < Lower.size())
    return false;
  for (size_t i = 0; i < Lower.size(); ++i)
    if (static_cast<char>(std::tolower(static_cast<unsigned char>(Text[i]))) != Lower[i])
      return false;
  return true;
}

} // namespace

TRPLinkAction RP_LinkAction(std::string_view Target) {
  while (!Target.empty() && static_cast<unsigned char>(Target.front()) <= ' ')
    Target.remove_prefix(1);
  if (Target.starts_with('#'))
    return Target.size() > 1 ? TRPLinkAction{TRPLinkAction::rplaGoTo, std::string(Target.substr(1))}
                             : TRPLinkAction{};
  // Only what a browser or mail program opens safely: never a file, a program or a script.
  for (const std::string_view Scheme : {"http://", "https://", "mailto:"})
    if (StartsWithNoCase(Target, Scheme) && Target.size() > Scheme.size())
      return {TRPLinkAction::rplaOpenUrl, std::string(Target)};
  if (StartsWithNoCase(Target, "doi:")) {
    std::string_view Doi = Target.substr(4);
    while (!Doi.empty() && (Doi.front() == '/' || Doi.front() == ' '))
      Doi.remove_prefix(1);
    if (!Doi.empty())
      return {TRPLinkAction::rplaOpenUrl, "https://doi.org/" + std::string(Doi)};
  }
  return {};
}

TRPOptions RP_DefaultPaneOptions() {
  TRPOptions Options;
  for (TRPOption Option :
       {rpoAllowSelection, rpoScrollToEnd, rpoShowPageBreaks, rpoAutoCopyUnicodeText,
        rpoAutoCopyRPF, rpoAutoCopyImage, rpoAutoCopyRTF, rpoFormatInvalidate,
        rpoDblClickSelectsWord, rpoRClickDeselects, rpoShowGridLines, rpoFastFormatting})
    Options.Include(Option);
  return Options;
}

// ---------------------------------------------------------------- the document's answers

TRPStyle* TRichPaneRPData::GetRPStyle() const { return FPane.Style; }
TRPDataFlags TRichPaneRPData::GetFlags() const { return FPane.Flags; }
void TRichPaneRPData::SetFlags(TRPDataFlags Flags) { FPane.Flags = Flags; }
TCustomRPRTFReaderProperties* TRichPaneRPData::GetRTFProperties() const {
  return &FPane.GetRTFReadProperties();
}
std::u16string TRichPaneRPData::GetDelimiters() const { return FPane.Delimiters; }
int32_t TRichPaneRPData::GetWidth() const { return FPane.PaneHost().ClientWidth(); }
int32_t TRichPaneRPData::GetLeftMargin() const { return FPane.LeftMargin; }
int32_t TRichPaneRPData::GetRightMargin() const { return FPane.RightMargin; }
int32_t TRichPaneRPData::GetTopMargin() const { return FPane.TopMargin; }
int32_t TRichPaneRPData::GetBottomMargin() const { return FPane.BottomMargin; }
int32_t TRichPaneRPData::GetMinTextWidth() const { return FPane.MinTextWidth; }
int32_t TRichPaneRPData::GetMaxTextWidth() const { return FPane.MaxTextWidth; }
bool TRichPaneRPData::GetWordWrap() const { return FPane.WordWrap; }
TRPOptions TRichPaneRPData::GetOptions() const { return FPane.Options; }
TRPCanvas* TRichPaneRPData::GetCanvas() const { return FPane.PaneHost().MeasuringCanvas(); }
int32_t TRichPaneRPData::GetVOffs() const { return FPane.VOffs(); }
int32_t TRichPaneRPData::GetHOffs() const { return FPane.HPos(); }
void TRichPaneRPData::ScrollTo(int32_t Y) { FPane.ScrollTo(Y); }
int32_t TRichPaneRPData::GetClientHeight() const { return FPane.PaneHost().ClientHeight(); }
void TRichPaneRPData::InvalidateSelection() { FPane.PaneHost().InvalidateClient(); }
void TRichPaneRPData::DoSelect() {
  if (FPane.OnSelect)
    FPane.OnSelect();
}
void TRichPaneRPData::AdjustVScrollUnits() { FPane.AdjustVScrollUnits(DocumentHeight); }
TRPColor TRichPaneRPData::GetColor() const {
  return FPane.Color != clNone || !FPane.Style ? FPane.Color : FPane.Style->Color;
}
bool TRichPaneRPData::IsFocused() const { return FPane.PaneHost().HasFocus(); }
bool TRichPaneRPData::IsEnabled() const { return FPane.PaneHost().IsEnabled(); }

bool TRichPaneRPData::SetDocumentAreaSize(int32_t Width, int32_t Height) {
  const TRPPaneHost& Host = FPane.PaneHost();
  const int32_t OldWidth = Host.ClientWidth(), OldHeight = Host.ClientHeight();
  FPane.SetDocumentAreaSize(Width, Height, true);
  return Host.ClientWidth() != OldWidth || Host.ClientHeight() != OldHeight;
}

// ---------------------------------------------------------------- the pane

TCustomRichPane::TCustomRichPane(TRPPaneHost& Host)
    : TRPScroller(Host), Options(RP_DefaultPaneOptions()), Delimiters(PaneDelimiters), FHost(Host),
      FRPData(std::make_unique<TRichPaneRPData>(*this)),
      FRTFReadProperties(std::make_unique<TRPRTFReaderProperties>()) {
  Flags.Include(rpflRoot);
  Flags.Include(rpflTrim);
  WindowCreated();
}

TRPRTFReaderProperties& TCustomRichPane::GetRTFReadProperties() { return *FRTFReadProperties; }

void TCustomRichPane::Clear() {
  ++FContentRevision;
  FRPData->Clear();
}

bool TCustomRichPane::LoadRTF(const std::string& FileName) {
  ++FContentRevision;
  return FRPData->LoadRTF(FileName) == rtf_ec_OK;
}

bool TCustomRichPane::LoadRTFFromStream(std::string_view Data) {
  ++FContentRevision;
  return FRPData->LoadRTFFromStream(Data) == rtf_ec_OK;
}

void TCustomRichPane::Format() {
  if (SmallStep() > 0)
    FRPData->Format_(false, true, false, 0, FHost.MeasuringCanvas());
  if (Options.Contains(rpoFormatInvalidate))
    FHost.InvalidateClient();
}

void TCustomRichPane::Resized() {
  // Without a new layout the bars still follow the client size.
  if (!FRPData->Format_(true, false, false, 0, FHost.MeasuringCanvas()))
    UpdateScrollBars(XSize(), YSize(), true);
}

void TCustomRichPane::Paint(TRPCanvas& Canvas, const TRect& R) {
  if (Style) {
    FRPData->PaintBuffered(Canvas, R);
    return;
  }
  // Without a style sheet there is nothing to paint with but a plain one.
  const TRPStyle Plain;
  TRPGraphicInterface& GI = Plain.GetGraphicInterface();
  GI.FillColorRect(Canvas, R, clWindow);
  Canvas.Font = TRPFont();
  Canvas.Font.Color = clWindowText;
  Canvas.Brush.Style = bsClear;
  const int32_t LineHeight = GI.TextHeight(Canvas, u"Wg");
  const std::u16string Second = u"Create a TRPStyle object and assign it to " +
                                std::u16string(Name.begin(), Name.end()) + u".Style";
  GI.TextOut(Canvas, 0, 0, u"Style is not defined", false);
  GI.TextOut(Canvas, 0, LineHeight, std::u16string_view(Second), false);
}

TRPDrawItemAt RP_DrawItemAt(const TCustomRPFormattedData& Doc, int32_t X, int32_t Y) {
  const int DrawItemNo = Doc.FindDrawItemAtPos(X, Y);
  if (DrawItemNo < 0)
    return {};
  const TRPDrawLineInfo& D = Doc.DrawItems[DrawItemNo];
  const auto* Table = dynamic_cast<const TRPTableItemInfo*>(Doc.GetItem(D.ItemNo));
  if (!Table)
    return {&Doc, DrawItemNo, X, Y};
  int32_t CellX = 0, CellY = 0;
  const TRPTableCellData* Cell = Table->CellAt(X - D.Left, Y - D.Top, CellX, CellY);
  return Cell ? RP_DrawItemAt(*Cell, CellX, CellY) : TRPDrawItemAt{};
}

namespace {

// The link at the point (X, Y) of a formatted document, in a table's cells too.
std::optional<TRPLinkInfo> LinkIn(const TCustomRPFormattedData& Doc, int32_t X, int32_t Y) {
  const TRPDrawItemAt At = RP_DrawItemAt(Doc, X, Y);
  if (!At.Doc)
    return std::nullopt;
  // Only links carry a target.
  const TCustomRPItemInfo& Item = *At.Doc->GetItem(At.Doc->DrawItems[At.DrawItemNo].ItemNo);
  if (Item.Tag().empty())
    return std::nullopt;
  return TRPLinkInfo{std::string(Item.Tag()), Item.Hint()};
}

} // namespace

std::optional<TRPLinkInfo> TCustomRichPane::LinkAt(int32_t X, int32_t Y) const {
  return LinkIn(*FRPData, X + HPos(), Y + VOffs());
}

bool TCustomRichPane::ScrollToCheckpoint(std::string_view Name) {
  for (int i = 0; i < FRPData->GetItemCount(); ++i) {
    const TCustomRPItemInfo& Item = *FRPData->GetItem(i);
    if (!Item.Checkpoint() || Item.Checkpoint()->Name != Name)
      continue;
    const int DrawItemNo = FRPData->FindDrawItemByItem(i);
    if (DrawItemNo < 0)
      return false;
    const TRPDrawLineInfo& D = FRPData->DrawItems[DrawItemNo];
    ScrollTo(D.Top - D.GetExtraSpaceAbove());
    return true;
  }
  return false;
}

namespace {

// Tables keep their layout for a width; at another text size they must lay out again.
void ForgetTableLayouts(TCustomRPData& Doc) {
  RP_ForEachDocument(Doc, [](TCustomRPData& In) {
    for (int i = 0; i < In.GetItemCount(); ++i)
      if (auto* Table = dynamic_cast<TRPTableItemInfo*>(In.GetItem(i)))
        Table->Changed();
  });
}

} // namespace

void TCustomRichPane::SetZoom(int32_t Percent) {
  Percent = std::clamp(Percent, MinZoom, MaxZoom);
  if (Percent == FZoom || !Style)
    return;
  FZoom = Percent;
  Style->TextStyles.PixelsPerInch =
      Percent == 100 ? 0 : MulDiv(RichPaneSwitches.ScreenPixelsPerInch, Percent, 100);
  ForgetTableLayouts(*FRPData);
  if (SmallStep() > 0)
    FRPData->Format_(true, true, false, 0, FHost.MeasuringCanvas());
  FHost.InvalidateClient();
}

int32_t RP_NextZoom(int32_t Percent, int Direction) {
  static constexpr int32_t Steps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
  if (Direction > 0) {
    for (const int32_t Step : Steps)
      if (Step > Percent)
        return Step;
    return Steps[std::size(Steps) - 1];
  }
  for (auto Step = std::rbegin(Steps); Step != std::rend(Steps); ++Step)
    if (*Step < Percent)
      return *Step;
  return Steps[0];
}

void TCustomRichPane::ShowFound(const TRPFoundText& Found) {
  TRichPaneRPData& Doc = *FRPData;
  // The match's first line, in the document's coordinates.
  const auto FirstLine = [](const TCustomRPFormattedData& In, const TRPFoundText& At) {
    int DrawItemNo = -1, DrawItemOffs = 0;
    In.Item2DrawItem(At.FirstItem, At.FirstOffs, rpdpBetterBelow, DrawItemNo, DrawItemOffs);
    return DrawItemNo >= 0 ? &In.DrawItems[DrawItemNo] : nullptr;
  };
  int32_t Top = 0, Bottom = 0;
  if (Found.TableItem < 0) {
    Doc.SetSelectionBounds(Found.FirstItem, Found.FirstOffs, Found.LastItem, Found.LastOffs);
    if (const TRPDrawLineInfo* Line = FirstLine(Doc, Found)) {
      Top = Line->Top;
      Bottom = Line->Top + Line->Height;
    }
  } else {
    auto* Table = dynamic_cast<TRPTableItemInfo*>(Doc.GetItem(Found.TableItem));
    if (!Table)
      return;
    Doc.SelectInside(Found.TableItem, [&](TCustomRPItemInfo&) {
      return Table->SelectInCell(Found.Row, Found.Col, Found.FirstItem, Found.FirstOffs,
                                 Found.LastItem, Found.LastOffs);
    });
    const int TableDrawItem = Doc.FindDrawItemByItem(Found.TableItem);
    const TRPTableCellData* Cell = Table->Cells(Found.Row, Found.Col);
    const std::optional<TPoint> Origin = Cell ? Table->CellDocumentOrigin(*Cell) : std::nullopt;
    if (TableDrawItem >= 0 && Origin) {
      const TRPDrawLineInfo* Line = FirstLine(*Cell, Found);
      Top = Doc.DrawItems[TableDrawItem].Top + Origin->Y + (Line ? Line->Top : 0);
      Bottom = Top + (Line ? Line->Height : Cell->Height);
    }
  }
  const int32_t Height = FHost.ClientHeight();
  if (Top < VOffs() || Bottom > VOffs() + Height)
    ScrollTo(std::max(0, Top - Height / 3));
  Doc.DoSelect();
  FHost.InvalidateClient();
}

// ---------------------------------------------------------------- the mouse

void TCustomRichPane::MouseDown(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y) {
  FRPData->MouseDown(Button, Shift, X, Y);
  if (Button == rpmbLeft)
    StartAutoScroll();
}

void TCustomRichPane::MouseMove(TRPShiftState Shift, int32_t X, int32_t Y) {
  FRPData->MouseMove(Shift, X, Y);
}

void TCustomRichPane::MouseUp(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y) {
  FRPData->MouseUp(Button, Shift, X, Y);
  if (Button == rpmbLeft)
    StopAutoScroll();
}

void TCustomRichPane::DblClick(int32_t X, int32_t Y) { FRPData->DblClick(X, Y); }

void TCustomRichPane::TripleClick() { FRPData->TripleClick(); }

void TCustomRichPane::SelectAll() {
  FRPData->SelectAll();
  FRPData->DoSelect();
  FHost.InvalidateClient();
}

const TRPPicture* TCustomRichPane::SelectedPicture() const {
  const std::optional<TRPItemRange> Range = RP_SelectedItems(*FRPData);
  if (!Range || Range->FirstItem != Range->LastItem || Range->FirstOffs >= Range->LastOffs)
    return nullptr;
  const auto* Graphic = dynamic_cast<const TRPGraphicItemInfo*>(FRPData->GetItem(Range->FirstItem));
  return Graphic ? Graphic->Image() : nullptr;
}

void TCustomRichPane::Deselect() {
  FRPData->Deselect();
  FRPData->DoSelect();
  FHost.InvalidateClient();
}

TRPPointerKind TCustomRichPane::PointerAt(int32_t X, int32_t Y) const {
  if (FRPData->State.Contains(rpstMakingSelection))
    return FRPData->State.Contains(rpstLineSelection) ? rppkLineSelect : rppkText;
  if (FRPData->IsInLineSelectMargin(X))
    return rppkLineSelect;
  return LinkAt(X, Y) ? rppkLink : rppkText;
}
