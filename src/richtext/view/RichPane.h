// The viewer control without its window: the document it owns, its settings, and the
// operations a window calls (clear, load, format, paint, resize), on top of the scrolling.
//
// The document never sees the control: TRichPaneRPData answers the layout's and the
// painter's questions from its pane, and the pane asks its window (TRPPaneHost) for what
// only the platform knows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/rtf/RPRTFReaderProperties.h"
#include "richtext/view/RPScroller.h"

class TRPCanvas;
class TRPPicture;
class TRPStyle;
struct TRPFoundText;
class TCustomRichPane;

// What the pane asks of its window besides scrolling.
class TRPPaneHost : public TRPScrollHost {
public:
  // The canvas text is measured on.
  virtual TRPCanvas* MeasuringCanvas() = 0;
  virtual bool HasFocus() const = 0;
  virtual bool IsEnabled() const = 0;
};

// The pane's document: the root of what it shows.
class TRichPaneRPData : public TCustomRPFormattedData {
public:
  explicit TRichPaneRPData(TCustomRichPane& Pane) : FPane(Pane) {}

  TRPStyle* GetRPStyle() const override;
  TRPDataFlags GetFlags() const override;
  void SetFlags(TRPDataFlags Flags) override;
  TCustomRPRTFReaderProperties* GetRTFProperties() const override;
  std::u16string GetDelimiters() const override;
  int32_t GetWidth() const override;
  int32_t GetLeftMargin() const override;
  int32_t GetRightMargin() const override;
  int32_t GetTopMargin() const override;
  int32_t GetBottomMargin() const override;
  int32_t GetMinTextWidth() const override;
  int32_t GetMaxTextWidth() const override;
  bool GetWordWrap() const override;
  TRPOptions GetOptions() const override;
  TRPCanvas* GetCanvas() const override;
  int32_t GetVOffs() const override;
  int32_t GetHOffs() const override;
  int32_t GetClientHeight() const override;
  void InvalidateSelection() override;
  void DoSelect() override;
  void ScrollTo(int32_t Y) override;
  void AdjustVScrollUnits() override;
  bool SetDocumentAreaSize(int32_t Width, int32_t Height) override;
  TRPColor GetColor() const override;
  bool IsFocused() const override;
  bool IsEnabled() const override;

private:
  TCustomRichPane& FPane;
};

// A link in the document: where it leads (a URL, or "#name" for a place in the document)
// and the hint its writer gave it.
struct TRPLinkInfo {
  std::string Target;
  std::string Hint;
};

// The draw item at the document point (X, Y) of Doc, in the cell of a table there (Doc that
// cell, X and Y the point in its coordinates); Doc nullptr where no draw item is, between a
// table's cells too.
struct TRPDrawItemAt {
  const TCustomRPFormattedData* Doc = nullptr;
  int DrawItemNo = -1;
  int32_t X = 0;
  int32_t Y = 0;
};
TRPDrawItemAt RP_DrawItemAt(const TCustomRPFormattedData& Doc, int32_t X, int32_t Y);

// What following a link does: open a URL in the desktop's browser, go to a place in the
// document, or nothing (a target of any other kind is never opened).
struct TRPLinkAction {
  enum TKind : uint8_t { rplaNone, rplaOpenUrl, rplaGoTo } Kind = rplaNone;
  // The URL to open (a "doi:" target as its resolver's https address), or the place's name.
  std::string Where;
};
TRPLinkAction RP_LinkAction(std::string_view Target);

// The pointer's shape over a place of the pane.
enum TRPPointerKind : uint8_t { rppkText, rppkLink, rppkLineSelect };

class TCustomRichPane : public TRPScroller {
public:
  explicit TCustomRichPane(TRPPaneHost& Host);

  // Empties the document; neither repaints nor scrolls.
  void Clear();
  // Appends an RTF file's contents; true when it was read completely. What was read
  // before a failure stays. Neither formats nor repaints.
  bool LoadRTF(const std::string& FileName);
  bool LoadRTFFromStream(std::string_view Data);
  // Changes whenever the document is emptied or read into.
  int ContentRevision() const { return FContentRevision; }
  // Lays the whole document out for the client size, keeping the scroll position as far
  // as it fits, and repaints (with rpoFormatInvalidate).
  void Format();
  // The window changed size: the layout is redone when the text width changed, keeping
  // the item at the top of the view there.
  void Resized();
  // Paints the invalid rectangle R of the client area on Canvas (the window's).
  void Paint(TRPCanvas& Canvas, const TRect& R);
  // The link under the client point (X, Y), if any.
  std::optional<TRPLinkInfo> LinkAt(int32_t X, int32_t Y) const;
  // Scrolls the place named Name (a bookmark) to the top of the window; false when the
  // document has no such place.
  bool ScrollToCheckpoint(std::string_view Name);
  // The text at Percent of its size (clamped to 50..300; the sheet's text styles and list
  // markers at a resolution of their own), laid out again with the first item in view kept
  // in place. Pictures, indents and spacing keep their size. Needs rpflCanUseCustomPPI.
  void SetZoom(int32_t Percent);
  int32_t Zoom() const { return FZoom; }
  // Selects a match of a search and scrolls it into view (a third down the pane when it was
  // not wholly in view).
  void ShowFound(const TRPFoundText& Found);

  // ---- the mouse (client points): selecting, and automatic scrolling while the left
  // button is held
  void MouseDown(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y);
  void MouseMove(TRPShiftState Shift, int32_t X, int32_t Y);
  void MouseUp(TRPMouseButton Button, TRPShiftState Shift, int32_t X, int32_t Y);
  void DblClick(int32_t X, int32_t Y);
  void TripleClick();
  void SelectAll();
  // Removes the selection.
  void Deselect();
  bool SelectionExists() const { return FRPData->SelectionExists(); }
  // The picture when the selection is exactly one picture, else nullptr.
  const TRPPicture* SelectedPicture() const;
  // What the pointer shows at the client point (X, Y).
  TRPPointerKind PointerAt(int32_t X, int32_t Y) const;
  // Called when the user made or changed the selection.
  std::function<void()> OnSelect;

  TRichPaneRPData& RPData() { return *FRPData; }
  TRPRTFReaderProperties& GetRTFReadProperties();
  TRPPaneHost& PaneHost() const { return FHost; }

  // Settings.
  TRPStyle* Style = nullptr;
  // The control's name, for the message shown without a style sheet.
  std::string Name = "RichPane";
  TRPOptions Options;
  TRPDataFlags Flags;
  static constexpr int32_t MinZoom = 50;
  static constexpr int32_t MaxZoom = 300;
  int32_t LeftMargin = 5;
  int32_t RightMargin = 5;
  int32_t TopMargin = 5;
  int32_t BottomMargin = 5;
  int32_t MinTextWidth = 0;
  int32_t MaxTextWidth = 0;
  bool WordWrap = true;
  // clNone: the style sheet's.
  TRPColor Color = clNone;
  // Word boundaries for word selection.
  std::u16string Delimiters;
  bool Modified = false;

private:
  int32_t FZoom = 100;
  int FContentRevision = 0;
  TRPPaneHost& FHost;
  std::unique_ptr<TRichPaneRPData> FRPData;
  std::unique_ptr<TRPRTFReaderProperties> FRTFReadProperties;
};

// The options a pane starts with.
TRPOptions RP_DefaultPaneOptions();

// The zoom a step in (Direction 1) or out (-1) from Percent goes to, in the steps browsers
// use: 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300.
int32_t RP_NextZoom(int32_t Percent, int Direction);
