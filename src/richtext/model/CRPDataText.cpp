// Adding multi-line text: the text is cut at its control characters into runs, and
// every run becomes a text item that continues the line, starts a new line or starts
// a new paragraph, as the characters before it ask.
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"

namespace {

const std::string NoTag;

constexpr char16_t BOM = 0xFEFF;
constexpr char16_t SwappedBOM = 0xFFFE;
constexpr char16_t LineSeparator = 0x2028;
constexpr char16_t ParagraphSeparator = 0x2029;

// Multi-line adding switches the adding mode run by run; whatever happens on the way,
// the caller gets its own mode back.
class TAddParagraphModeKeeper {
public:
  explicit TAddParagraphModeKeeper(TCustomRPData& RPData)
      : FRPData(RPData), FSaved(RPData.GetAddParagraphMode()) {}
  ~TAddParagraphModeKeeper() { FRPData.SetAddParagraphMode(FSaved); }
  TAddParagraphModeKeeper(const TAddParagraphModeKeeper&) = delete;
  TAddParagraphModeKeeper& operator=(const TAddParagraphModeKeeper&) = delete;

private:
  TCustomRPData& FRPData;
  bool FSaved;
};

// How the next item joins what the document already holds.
enum class TRunStart : uint8_t { rsContinue, rsLine, rsPara };

// What cuts text into runs, and what the cuts mean.
struct TSplitRules {
  // UTF-16LE units; VT and the Unicode separators count only in this form.
  bool Unicode = false;
  // CR and LF start lines rather than paragraphs.
  bool CRLFAsLine = false;
  // FF starts a line rather than a paragraph on a new page.
  bool FFAsLine = false;
  // TAB becomes a tab item instead of staying in the run.
  bool TabsAsItems = false;
};

// Appends the runs one after another. A control character first ends the current
// run, then says how the next one starts.
class TRunWriter {
public:
  TRunWriter(TCustomRPData& RPData, int StyleNo, int FirstParaNo, bool Unicode)
      : FRPData(RPData), FStyleNo(StyleNo), FUnicode(Unicode), FParaNo(FirstParaNo),
        FStart(FirstParaNo >= 0 ? TRunStart::rsPara : TRunStart::rsContinue) {}

  void NewPara(int ParaNo, bool PageBreak) {
    FStart = TRunStart::rsPara;
    FParaNo = ParaNo;
    FPageBreak = PageBreak;
  }
  void NewLine() { FStart = TRunStart::rsLine; }

  // An empty run is an item only where it starts a line or a paragraph: an empty
  // line must stay visible, an empty piece of a line is nothing.
  void EndRun(std::string_view Run) {
    if (Run.empty() && FStart == TRunStart::rsContinue)
      return;
    Add([&](int ParaNo) {
      if (FUnicode)
        FRPData.AddNLWTagRaw(Run, FStyleNo, ParaNo, NoTag);
      else
        FRPData.AddNLATag(Run, FStyleNo, ParaNo, NoTag);
    });
  }

  // A tab that is the first thing of a line or paragraph starts it itself, with no
  // empty item before it.
  void Tab(std::string_view Run) {
    if (!Run.empty())
      EndRun(Run);
    Add([&](int ParaNo) { FRPData.AddTab(FStyleNo < 0 ? rpsDefStyle : FStyleNo, ParaNo); });
  }

private:
  template <typename TAdd> void Add(TAdd&& AddItem) {
    TRunStart Start = FStart;
    const int Count = FRPData.GetItemCount();
    // A break is a paragraph of its own, so there is no line of it to go on with.
    if (Start == TRunStart::rsLine &&
        (Count == 0 || FRPData.GetItem(Count - 1)->GetBoolValue(rpbpFullWidth))) {
      Start = TRunStart::rsPara;
      FParaNo = 0;
    }
    int ParaNo = -1;
    switch (Start) {
    case TRunStart::rsContinue: FRPData.SetAddParagraphMode(true); break;
    case TRunStart::rsPara:
      FRPData.SetAddParagraphMode(true);
      ParaNo = FParaNo < 0 ? 0 : FParaNo;
      break;
    case TRunStart::rsLine:
      // A line inside a paragraph carries the paragraph's style.
      FRPData.SetAddParagraphMode(false);
      ParaNo = FRPData.GetItemPara(Count - 1);
      break;
    }
    AddItem(ParaNo);
    if (FPageBreak && Start == TRunStart::rsPara && FRPData.SupportsPageBreaks())
      FRPData.SetPageBreaksBeforeItems(FRPData.GetItemCount() - 1, true);
    FStart = TRunStart::rsContinue;
    FPageBreak = false;
  }

  TCustomRPData& FRPData;
  int FStyleNo;
  bool FUnicode;
  int FParaNo;
  TRunStart FStart;
  bool FPageBreak = false;
};

char16_t UnitAt(std::string_view Bytes, size_t Index, size_t UnitSize) {
  if (UnitSize == 1)
    return static_cast<unsigned char>(Bytes[Index]);
  return RP_Utf16LEUnit(Bytes.data() + 2 * Index);
}

void SplitAndAdd(TRunWriter& Writer, std::string_view s, const TSplitRules& Rules,
                 int OtherParaNo) {
  const size_t UnitSize = Rules.Unicode ? 2 : 1;
  const size_t Count = s.size() / UnitSize;
  size_t RunStart = 0;
  const auto RunUpTo = [&](size_t End) {
    return s.substr(RunStart * UnitSize, (End - RunStart) * UnitSize);
  };
  for (size_t i = 0; i < Count; ++i) {
    const char16_t Unit = UnitAt(s, i, UnitSize);
    if (Unit == u'\r' || Unit == u'\n') {
      Writer.EndRun(RunUpTo(i));
      const char16_t Partner = Unit == u'\r' ? u'\n' : u'\r';
      if (i + 1 < Count && UnitAt(s, i + 1, UnitSize) == Partner)
        ++i;
      if (Rules.CRLFAsLine)
        Writer.NewLine();
      else
        Writer.NewPara(OtherParaNo, false);
    } else if (Unit == u'\f') {
      Writer.EndRun(RunUpTo(i));
      if (Rules.FFAsLine)
        Writer.NewLine();
      else
        Writer.NewPara(OtherParaNo, true);
    } else if (Rules.Unicode && (Unit == u'\v' || Unit == LineSeparator)) {
      Writer.EndRun(RunUpTo(i));
      Writer.NewLine();
    } else if (Rules.Unicode && Unit == ParagraphSeparator) {
      Writer.EndRun(RunUpTo(i));
      Writer.NewPara(OtherParaNo, false);
    } else if (Rules.TabsAsItems && Unit == u'\t') {
      Writer.Tab(RunUpTo(i));
    } else {
      continue;
    }
    RunStart = i + 1;
  }
  Writer.EndRun(RunUpTo(Count));
}

// With spaces per tab the item's own tab replacement turns tabs into spaces; without
// them a tab is a tab stop, which only a tab item can be.
bool TabsAsItems(const TCustomRPData& RPData) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  return RPStyle && RPStyle->SpacesInTab < 1;
}

// Whether text of StyleNo added with ParaNo would be stored as UTF-16: the style is
// resolved as the added item's would be.
bool StyleIsUnicode(const TCustomRPData& RPData, int StyleNo, int ParaNo) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  if (!RPStyle)
    return false;
  const int Count = RPData.GetItemCount();
  TRPTextItemInfo Probe(nullptr);
  Probe.StyleNo = StyleNo < 0 ? rpsDefStyle : StyleNo;
  Probe.ParaNo = ParaNo >= 0 ? ParaNo : Count > 0 ? RPData.GetItemPara(Count - 1) : 0;
  return RPStyle->TextStyles[Probe.GetActualTextStyleNo(RPData)].Unicode;
}

} // namespace

void TCustomRPData::AddTextNLW(std::u16string_view s, int StyleNo, int FirstParaNo,
                               int OtherParaNo) {
  if constexpr (std::endian::native == std::endian::little) {
    // The string's own storage already is UTF-16LE; no need to copy a long text.
    AddTextNLWRaw(std::string_view(reinterpret_cast<const char*>(s.data()), s.size() * 2), StyleNo,
                  FirstParaNo, OtherParaNo, false);
  } else {
    AddTextNLWRaw(RP_ToUtf16LE(s), StyleNo, FirstParaNo, OtherParaNo, false);
  }
}

void TCustomRPData::AddTextNL(std::u16string_view s, int StyleNo, int FirstParaNo,
                              int OtherParaNo) {
  AddTextNLW(s, StyleNo, FirstParaNo, OtherParaNo);
}

void TCustomRPData::AddTextNLWRaw(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo,
                                  bool DefAsSingleParagraph) {
  if (s.size() % 2 != 0)
    throw ERichPaneError("Can't perform Unicode operation");
  const TAddParagraphModeKeeper Keeper(*this);
  std::string Swapped;
  if (!s.empty()) {
    const char16_t First = UnitAt(s, 0, 2);
    if (First == BOM) {
      s.remove_prefix(2);
    } else if (First == SwappedBOM) {
      // Written on a big-endian machine: every unit after the mark has its bytes turned.
      Swapped.assign(s.substr(2));
      for (size_t i = 0; i + 1 < Swapped.size(); i += 2)
        std::swap(Swapped[i], Swapped[i + 1]);
      s = Swapped;
    }
  }
  TRunWriter Writer(*this, StyleNo, FirstParaNo, true);
  TSplitRules Rules;
  Rules.Unicode = true;
  Rules.CRLFAsLine = DefAsSingleParagraph;
  Rules.TabsAsItems = TabsAsItems(*this);
  SplitAndAdd(Writer, s, Rules, OtherParaNo);
}

void TCustomRPData::AddTextNLR(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo) {
  // Raw text is in the item format of its style: UTF-16LE for a Unicode style.
  if (StyleIsUnicode(*this, StyleNo, FirstParaNo))
    AddTextNLWRaw(s, StyleNo, FirstParaNo, OtherParaNo, false);
  else
    AddTextNLA(s, StyleNo, FirstParaNo, OtherParaNo);
}

void TCustomRPData::AddTextNLA(std::string_view s, int StyleNo, int FirstParaNo, int OtherParaNo) {
  const TAddParagraphModeKeeper Keeper(*this);
  TRunWriter Writer(*this, StyleNo, FirstParaNo, false);
  TSplitRules Rules;
  Rules.TabsAsItems = TabsAsItems(*this);
  SplitAndAdd(Writer, s, Rules, OtherParaNo);
}

void TCustomRPData::AddTextBlockNLA(std::string_view s, int StyleNo, int ParaNo) {
  const TAddParagraphModeKeeper Keeper(*this);
  TRunWriter Writer(*this, StyleNo, ParaNo, false);
  TSplitRules Rules;
  Rules.CRLFAsLine = true;
  Rules.FFAsLine = true;
  Rules.TabsAsItems = TabsAsItems(*this);
  SplitAndAdd(Writer, s, Rules, ParaNo);
}
