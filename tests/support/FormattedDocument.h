// A formatted document for tests, with the control's settings as fields, and a fixture
// that formats it with the fake metrics (every character 10 px wide at 12 pt, ascent 16,
// descent 4; margins 5) and checks the draw items after every pass.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "support/DrawItemChecks.h"
#include "support/FakeCanvas.h"
#include "support/FakeGraphicInterface.h"

class TFormatDocument : public TCustomRPFormattedData {
public:
  TFormatDocument(TRPStyle& Style, TRPCanvas& Canvas) : FStyle(Style), FCanvas(Canvas) {
    Flags.Include(rpflRoot);
    Flags.Include(rpflTrim);
  }
  TRPStyle* GetRPStyle() const override { return &FStyle; }
  TRPDataFlags GetFlags() const override { return Flags; }
  void SetFlags(TRPDataFlags AFlags) override { Flags = AFlags; }
  int32_t GetWidth() const override { return Width; }
  int32_t GetMaxLength() const override { return MaxLength; }
  bool GetWordWrap() const override { return WordWrap; }
  TRPOptions GetOptions() const override { return Options; }
  TRPCanvas* GetCanvas() const override { return &FCanvas; }
  int32_t GetVOffs() const override { return VOffs; }
  int32_t GetHOffs() const override { return HOffs; }
  TRPColor GetColor() const override { return Color; }
  bool IsFocused() const override { return Focused; }
  // Sel when a test sets it, else the document's own selection.
  void GetSelBounds(int& StartNo, int& StartOffs, int& EndNo, int& EndOffs) const override {
    if (!Sel)
      return TCustomRPFormattedData::GetSelBounds(StartNo, StartOffs, EndNo, EndOffs);
    StartNo = (*Sel)[0];
    StartOffs = (*Sel)[1];
    EndNo = (*Sel)[2];
    EndOffs = (*Sel)[3];
  }
  int32_t GetClientHeight() const override { return ClientHeight; }
  void ScrollTo(int32_t Y) override { ScrolledTo.push_back(Y); }
  bool SetDocumentAreaSize(int32_t AWidth, int32_t AHeight) override {
    AreaSizes.push_back({AWidth, AHeight});
    return OnAreaSize ? OnAreaSize(*this) : false;
  }

  TRPDataFlags Flags;
  int32_t Width = 110;
  int32_t MaxLength = 0;
  bool WordWrap = true;
  TRPOptions Options;
  int32_t VOffs = 0;
  int32_t HOffs = 0;
  TRPColor Color = clNone;
  bool Focused = true;
  int32_t ClientHeight = 300;
  // StartNo, StartOffs, EndNo, EndOffs in draw items.
  std::optional<std::array<int, 4>> Sel;
  std::vector<int32_t> ScrolledTo;
  std::vector<std::pair<int32_t, int32_t>> AreaSizes;
  // Answers SetDocumentAreaSize: true when the client area changed.
  std::function<bool(TFormatDocument&)> OnAreaSize;

private:
  TRPStyle& FStyle;
  TRPCanvas& FCanvas;
};

// A rectangle of a fixed size, glued to what is before it when asked.
class TBoxItem : public TRPSimpleRectItemInfo {
public:
  TBoxItem(TCustomRPData* RPData, int32_t AWidth, int32_t AHeight, bool AKeepWithPrior = false)
      : TRPSimpleRectItemInfo(RPData), FWidth(AWidth), FHeight(AHeight),
        FKeepWithPrior(AKeepWithPrior) {
    StyleNo = -100;
    ParaNo = -1;
  }
  bool GetBoolValue(TRPItemBoolProperty Prop) const override {
    return (Prop == rpbpKeepWithPrior && FKeepWithPrior) ||
           TRPSimpleRectItemInfo::GetBoolValue(Prop);
  }
  void OnDocWidthChange(int32_t, int32_t& Width, int32_t& Height, int32_t& Desc, int32_t& HShift,
                        bool, TRPCanvas&, TCustomRPData&, const TRPScreenAndDevice*,
                        bool) override {
    if (Throws)
      throw std::runtime_error("cannot measure");
    Width = FWidth;
    Height = FHeight;
    Desc = 0;
    HShift = 0;
  }
  bool Throws = false;

private:
  int32_t FWidth;
  int32_t FHeight;
  bool FKeepWithPrior;
};

// What the tests compare of a draw item.
struct TPiece {
  int32_t Left, Top, Width, Offs, Length;
  bool operator==(const TPiece&) const = default;
};
inline std::ostream& operator<<(std::ostream& Out, const TPiece& P) {
  return Out << "{" << P.Left << "," << P.Top << "," << P.Width << "," << P.Offs << "," << P.Length
             << "}";
}

class TFormattingTest : public ::testing::Test {
protected:
  TFormattingTest() : Doc(Sheet, Canvas) {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SizeDouble = 24; // the fake's base metrics
  }
  ~TFormattingTest() override { RichPaneSwitches.Reset(); }

  int AddTextStyle() {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.Assign(Sheet.TextStyles[0]);
    return Sheet.TextStyles.Count() - 1;
  }
  int AddParaStyle() {
    Sheet.ParaStyles.Add();
    return Sheet.ParaStyles.Count() - 1;
  }

  // Formats and checks what holds after every pass.
  void Format() {
    Doc.Format();
    CheckInvariants();
  }
  void CheckInvariants() { ExpectDrawItemInvariants(Doc); }
  // Left, Top, Width, Offs and Length of every draw item.
  std::vector<TPiece> Pieces() const {
    std::vector<TPiece> Result;
    for (int i = 0; i < Doc.DrawItems.Count(); ++i) {
      const TRPDrawLineInfo& D = Doc.DrawItems[i];
      Result.push_back({D.Left, D.Top, D.Width, D.Offs, D.Length});
    }
    return Result;
  }
  std::pair<int, int> ToDrawItem(int ItemNo, int ItemOffs) const {
    int DrawItemNo = -1, DrawItemOffs = -1;
    Doc.Item2DrawItem(ItemNo, ItemOffs, rpdpBetterBelow, DrawItemNo, DrawItemOffs);
    return {DrawItemNo, DrawItemOffs};
  }

  TFakeGraphicInterface GI;
  TRPStyle Sheet;
  TFakeCanvas Canvas;
  TFormatDocument Doc;
};
