// What breaking an article into lines costs: about 1 MB of generated article text
// formatted at a text width of 800 pixels by the engine on its Qt graphic interface, and
// the same text, runs and fonts laid out by QTextDocument at the same line width, so the
// two can be read side by side. Both measure with the same Qt fonts; the fonts' glyph
// and advance caches are warm after the first pass in either case, as they are in the
// guide when a window is resized. Then documents shaped to be slow to lay out.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "QtBenchMain.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "guide/GuideArticles.h"
#include "platform/qt/QtCanvas.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPStyle.h"

namespace {

constexpr int32_t ArticleTextWidth = 800;
constexpr int32_t Margin = 5; // the engine's default margins, and QTextDocument's here
constexpr int32_t ScreenPpi = 96;
constexpr size_t TargetChars = 1000000;

// Text styles of the generated article: the guide's own normal style first.
enum TArticleStyle : int { asNormal, asBold, asItalic, asLink, asHeading, asStyleCount };
// Paragraph styles: the guide's "Left" first.
enum TArticlePara : int { apBody, apHeading };
constexpr int32_t HeadingSpaceBefore = 12;
constexpr int32_t HeadingSpaceAfter = 6;

struct TRun {
  std::u16string Text;
  int Style = asNormal;
};

struct TParagraph {
  int Para = apBody;
  std::vector<TRun> Runs;
};

struct TArticle {
  std::vector<TParagraph> Paragraphs;
  size_t Chars = 0;
};

std::u16string MakeWord(TRandom& R) {
  std::u16string Word(2 + R.Below(11), u'a');
  for (char16_t& Ch : Word)
    Ch = static_cast<char16_t>(u'a' + R.Below(26));
  return Word;
}

// Runs of 1-40 words in one style each. A run usually ends after the space that
// follows its last word; now and then it ends inside a word, whose rest starts the next
// run, so that lines must also be broken across items glued together.
TParagraph MakeBodyParagraph(TRandom& R) {
  static constexpr int BodyStyles[] = {asNormal, asNormal, asNormal, asNormal,
                                       asNormal, asBold,   asItalic, asLink};
  TParagraph P;
  P.Para = apBody;
  const size_t Target = 300 + R.Below(1201);
  size_t Length = 0;
  std::u16string Carry;
  while (Length < Target) {
    TRun Run;
    Run.Style = BodyStyles[R.Below(std::size(BodyStyles))];
    Run.Text = std::move(Carry);
    Carry.clear();
    const uint32_t Words = 1 + R.Below(40);
    for (uint32_t w = 0; w < Words && Length + Run.Text.size() < Target; ++w) {
      const std::u16string Word = MakeWord(R);
      const bool LastOfRun = w + 1 == Words;
      if (LastOfRun && R.Below(5) == 0 && Word.size() >= 4) {
        const size_t Cut = 1 + R.Below(static_cast<uint32_t>(Word.size() - 2));
        Run.Text += Word.substr(0, Cut);
        Carry = Word.substr(Cut);
        break;
      }
      Run.Text += Word;
      const uint32_t Punctuation = R.Below(40);
      Run.Text += Punctuation < 3 ? u", " : Punctuation < 5 ? u". " : u" ";
    }
    Length += Run.Text.size();
    P.Runs.push_back(std::move(Run));
  }
  if (!Carry.empty()) {
    Length += Carry.size();
    P.Runs.push_back({std::move(Carry), asNormal});
  }
  // No paragraph ends in a space.
  std::u16string& Last = P.Runs.back().Text;
  while (Last.size() > 1 && Last.back() == u' ')
    Last.pop_back();
  return P;
}

TParagraph MakeHeading(TRandom& R) {
  TParagraph P;
  P.Para = apHeading;
  TRun Run;
  Run.Style = asHeading;
  const uint32_t Words = 2 + R.Below(7);
  for (uint32_t w = 0; w < Words; ++w) {
    if (w > 0)
      Run.Text += u' ';
    Run.Text += MakeWord(R);
  }
  P.Runs.push_back(std::move(Run));
  return P;
}

const TArticle& Article() {
  static const TArticle A = [] {
    TRandom R(0xC0FFEE1234567ull);
    TArticle Result;
    uint32_t SinceHeading = 0;
    while (Result.Chars < TargetChars) {
      const bool Heading = SinceHeading >= 15 + R.Below(11);
      Result.Paragraphs.push_back(Heading ? MakeHeading(R) : MakeBodyParagraph(R));
      SinceHeading = Heading ? 0 : SinceHeading + 1;
      for (const TRun& Run : Result.Paragraphs.back().Runs)
        Result.Chars += Run.Text.size();
    }
    return Result;
  }();
  return A;
}

// The guide's style sheet with the styles the article uses added after its own.
void InitArticleStyleSheet(TRPStyle& Sheet) {
  InitGuideStyleSheet(Sheet);
  for (int s = asBold; s < asStyleCount; ++s) {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.Assign(Sheet.TextStyles[asNormal]);
    switch (s) {
    case asBold:
      Style.StyleName = "Bold";
      Style.Style.Include(fsBold);
      break;
    case asItalic:
      Style.StyleName = "Italic";
      Style.Style.Include(fsItalic);
      break;
    case asLink:
      Style.StyleName = "Link";
      Style.Style.Include(fsUnderline);
      Style.Color = clBlue;
      Style.Jump = true;
      break;
    default:
      Style.StyleName = "Heading";
      Style.Style.Include(fsBold);
      Style.SizeDouble = 32;
      break;
    }
  }
  TParaInfo& Heading = Sheet.ParaStyles.Add();
  Heading.StyleName = "Heading";
  Heading.SetSpaceBefore(HeadingSpaceBefore);
  Heading.SetSpaceAfter(HeadingSpaceAfter);
}

// The root document of a pane that is ArticleTextWidth wide inside its margins.
class TArticleDocument : public TCustomRPFormattedData {
public:
  TArticleDocument(TRPStyle& Style, TRPCanvas& Canvas) : FStyle(Style), FCanvas(Canvas) {
    FFlags.Include(rpflTrim);
    FFlags.Include(rpflRoot);
  }
  TRPStyle* GetRPStyle() const override { return &FStyle; }
  TRPDataFlags GetFlags() const override { return FFlags; }
  void SetFlags(TRPDataFlags Flags) override { FFlags = Flags; }
  int32_t GetWidth() const override {
    return ArticleTextWidth + GetLeftMargin() + GetRightMargin();
  }
  TRPCanvas* GetCanvas() const override { return &FCanvas; }

private:
  TRPStyle& FStyle;
  TRPCanvas& FCanvas;
  TRPDataFlags FFlags;
};

void AddArticle(TCustomRPData& Doc, const TArticle& A) {
  for (const TParagraph& P : A.Paragraphs) {
    int ParaNo = P.Para;
    for (const TRun& Run : P.Runs) {
      Doc.AddNL(Run.Text, Run.Style, ParaNo);
      ParaNo = -1;
    }
  }
}

int LineCount(const TCustomRPFormattedData& Doc) {
  int Lines = 0;
  for (int i = 0; i < Doc.DrawItems.Count(); ++i)
    if (Doc.DrawItems[i].FromNewLine)
      ++Lines;
  return Lines;
}

// From the leftmost draw item's left edge to the rightmost one's right edge.
int32_t WidestLine(const TCustomRPFormattedData& Doc) {
  int32_t Left = INT32_MAX;
  int32_t Right = INT32_MIN;
  for (int i = 0; i < Doc.DrawItems.Count(); ++i) {
    const TRPDrawLineInfo& D = Doc.DrawItems[i];
    Left = std::min(Left, D.Left);
    Right = std::max(Right, D.Left + D.Width);
  }
  return Right > Left ? Right - Left : 0;
}

void BM_FormatArticleText(benchmark::State& State) {
  const TArticle& A = Article();
  TRPStyle Sheet;
  InitArticleStyleSheet(Sheet);
  TRPQtCanvas Canvas(16, 16, ScreenPpi, ScreenPpi);
  TArticleDocument Doc(Sheet, Canvas);
  AddArticle(Doc, A);
  // As QTextDocument below, the fonts have measured the article once before timing.
  Doc.Format();
  for (auto _ : State) {
    Doc.Format();
    benchmark::DoNotOptimize(Doc.DocumentHeight);
  }
  if (Doc.DrawItems.Count() == 0 || Doc.TextWidth != ArticleTextWidth)
    State.SkipWithError("the article was not formatted at the expected width");
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(A.Chars));
  State.counters["chars"] = static_cast<double>(A.Chars);
  State.counters["items"] = Doc.GetItemCount();
  State.counters["draw_items"] = Doc.DrawItems.Count();
  State.counters["lines"] = LineCount(Doc);
  State.counters["height"] = Doc.DocumentHeight;
  State.counters["widest_line"] = WidestLine(Doc);
}
BENCHMARK(BM_FormatArticleText)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Documents shaped to be slow to lay out, each formatted from scratch: one word of N
// one-letter items alternating plain and bold (a formula of one-character subscript runs
// is the same case: no place to break between items), and one paragraph of N lines, each
// ended by a line break. Both take time in proportion to N.
void FormatShaped(benchmark::State& State, const std::function<void(TCustomRPData&, int)>& Add) {
  TRPStyle Sheet;
  InitArticleStyleSheet(Sheet);
  TRPQtCanvas Canvas(16, 16, ScreenPpi, ScreenPpi);
  TArticleDocument Doc(Sheet, Canvas);
  const int Count = static_cast<int>(State.range(0));
  for (int i = 0; i < Count; ++i)
    Add(Doc, i);
  for (auto _ : State) {
    Doc.Format();
    benchmark::DoNotOptimize(Doc.DocumentHeight);
  }
  State.counters["items"] = Doc.GetItemCount();
  State.counters["lines"] = LineCount(Doc);
  State.counters["widest_line"] = WidestLine(Doc);
}

void BM_FormatWordOfRuns(benchmark::State& State) {
  FormatShaped(State, [](TCustomRPData& Doc, int i) {
    Doc.AddNL(u"x", i % 2 == 0 ? asNormal : asBold, i == 0 ? apBody : -1);
  });
}
BENCHMARK(BM_FormatWordOfRuns)->Arg(6000)->Arg(12000)->Arg(25000)->Unit(benchmark::kMillisecond);

void BM_FormatLineBreaks(benchmark::State& State) {
  FormatShaped(State, [](TCustomRPData& Doc, int i) {
    // Adding without new paragraphs makes every item after the first a line break.
    Doc.SetAddParagraphMode(i == 0);
    Doc.AddNL(u"x", asNormal, apBody);
  });
}
BENCHMARK(BM_FormatLineBreaks)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The engine's Qt font for a text style: its face, pixel size and rendering options.
QFont QtFontOf(const TFontInfo& Style) {
  QFont Font(QString::fromStdString(Style.FontName));
  Font.setPixelSize(Style.SizeDouble * ScreenPpi / 144);
  Font.setBold(Style.Style.Contains(fsBold));
  Font.setItalic(Style.Style.Contains(fsItalic));
  Font.setUnderline(Style.Style.Contains(fsUnderline));
  Font.setKerning(false);
  Font.setHintingPreference(QFont::PreferFullHinting);
  return Font;
}

// The article as a QTextDocument with the same paragraphs, runs and fonts.
void BuildTextDocument(QTextDocument& Doc, const TArticle& A, const TRPStyle& Sheet) {
  std::vector<QTextCharFormat> Formats;
  for (int s = 0; s < asStyleCount; ++s) {
    QTextCharFormat Format;
    Format.setFont(QtFontOf(Sheet.TextStyles[s]), QTextCharFormat::FontPropertiesAll);
    if (s == asLink) {
      Format.setAnchor(true);
      Format.setAnchorHref(QStringLiteral("https://example.org/"));
      Format.setForeground(QColor(Qt::blue));
    }
    Formats.push_back(Format);
  }
  QTextBlockFormat Body;
  QTextBlockFormat Heading;
  Heading.setTopMargin(HeadingSpaceBefore);
  Heading.setBottomMargin(HeadingSpaceAfter);

  Doc.setUndoRedoEnabled(false);
  Doc.setDefaultFont(QtFontOf(Sheet.TextStyles[asNormal]));
  Doc.setDocumentMargin(Margin);
  QTextCursor Cursor(&Doc);
  bool First = true;
  for (const TParagraph& P : A.Paragraphs) {
    const QTextBlockFormat& Block = P.Para == apHeading ? Heading : Body;
    if (First)
      Cursor.setBlockFormat(Block);
    else
      Cursor.insertBlock(Block);
    First = false;
    for (const TRun& Run : P.Runs)
      Cursor.insertText(
          QString::fromUtf16(Run.Text.data(), static_cast<qsizetype>(Run.Text.size())),
          Formats[static_cast<size_t>(Run.Style)]);
  }
}

int LineCount(const QTextDocument& Doc) {
  int Lines = 0;
  for (QTextBlock B = Doc.begin(); B.isValid(); B = B.next())
    Lines += B.layout()->lineCount();
  return Lines;
}

// Every pass throws the lines of every block away and lays the whole document out again:
// marking all of it dirty clears each block's layout, and asking for the size finishes
// the layout that QTextDocument would otherwise do lazily.
void BM_QTextDocumentLayout(benchmark::State& State) {
  const TArticle& A = Article();
  TRPStyle Sheet;
  InitArticleStyleSheet(Sheet);
  QTextDocument Doc;
  BuildTextDocument(Doc, A, Sheet);
  // The root frame's width includes the document margin on both sides.
  Doc.setTextWidth(ArticleTextWidth + 2 * Margin);
  const QSizeF FirstSize = Doc.size();

  // A relayout must lay every block out again: throw away the lines of the first and the
  // last block behind the layout's back, and see both restored, at the width and height
  // of the first layout.
  const QTextBlock FirstBlock = Doc.firstBlock();
  const QTextBlock LastBlock = Doc.lastBlock();
  FirstBlock.layout()->clearLayout();
  LastBlock.layout()->clearLayout();
  const bool Cleared =
      FirstBlock.layout()->lineCount() == 0 && LastBlock.layout()->lineCount() == 0;
  const QSizeF CachedSize = Doc.size();
  Doc.markContentsDirty(0, Doc.characterCount());
  const QSizeF SecondSize = Doc.size();
  if (!Cleared || CachedSize != FirstSize || SecondSize != FirstSize ||
      FirstBlock.layout()->lineCount() == 0 || LastBlock.layout()->lineCount() == 0 ||
      FirstBlock.layout()->lineAt(0).width() != ArticleTextWidth ||
      LastBlock.layout()->lineAt(0).width() != ArticleTextWidth)
    State.SkipWithError("a relayout of the document was not a full one");

  for (auto _ : State) {
    Doc.markContentsDirty(0, Doc.characterCount());
    benchmark::DoNotOptimize(Doc.size());
  }
  qreal Widest = 0;
  for (QTextBlock B = Doc.begin(); B.isValid(); B = B.next())
    for (int l = 0; l < B.layout()->lineCount(); ++l)
      Widest = std::max(Widest, B.layout()->lineAt(l).naturalTextWidth());
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(A.Chars));
  State.counters["chars"] = static_cast<double>(A.Chars);
  State.counters["blocks"] = Doc.blockCount();
  State.counters["lines"] = LineCount(Doc);
  State.counters["height"] = Doc.size().height();
  State.counters["widest_line"] = Widest;
  State.counters["last_block_bottom"] = Doc.documentLayout()->blockBoundingRect(LastBlock).bottom();
}
BENCHMARK(BM_QTextDocumentLayout)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
