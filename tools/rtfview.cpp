// rtfview: shows what the rich-text engine makes of an RTF article, without the guide
// window. Article authors use it to see the text a reader gets, the items and styles the
// builder creates, whether a whole folder of articles loads, and the article as the
// guide's pane paints it.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "guide/GuideArticles.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/layout/RPLayoutDump.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPLabelItem.h"
#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTypes.h"
#include "richtext/table/RPTable.h"
#include "richtext/table/RPTableLayoutDump.h"
#include "richtext/view/RPFixedPaneHost.h"
#include "richtext/view/RPRPFWriter.h"
#include "richtext/view/RPRTFWriter.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPane.h"

namespace fs = std::filesystem;

namespace {

constexpr int ExitOK = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// The tallest image render writes; the rest of a longer document is left out.
constexpr int32_t MaxRenderHeight = 30000;
constexpr int32_t MaxRenderWidth = 10000;

const char* const Usage = R"(Usage: rtfview COMMAND ARGUMENT
       rtfview render FILE --width N [--marks] -o OUT.png
       rtfview layout FILE --width N [--marks]
       rtfview convert FILE --to rtf|text|rpf [-o OUT]

Loads RTF the way the guide window does (styles are added to the style sheet as
needed) and shows the result.

Commands:
  text FILE   The text a reader sees, in UTF-8. Every paragraph starts a new line;
              a line break inside a paragraph starts a new line indented by two
              spaces. Tabs are printed as tab characters; a numbered or bulleted
              paragraph starts with its marker's text (number or bullet) and a
              space; a table prints a row a line, its cells separated by tabs (a
              cell's paragraphs joined by spaces), and a table inside a cell
              after its row, indented by two spaces; pictures and other non-text
              items are left out.
  dump FILE   Every item: index, kind (text, tab, marker, picture, label or other),
              StyleNo, ParaNo, flags (S same line as the previous item, B line
              break, P page break), checkpoint name, tag, for a picture what it
              was read from (png, jpeg, dib, ddb, wmf, emf, or mark for one that
              could not be read), its size and the size it is shown at, and
              quoted text (a marker's or a label's text); then the
              text, paragraph and list styles the read added to the style sheet
              (a list style a line per level: numbering, pattern, start, where
              the marker and the text go, marker font). Lengths are in the style
              sheet's units (pixels).
  check DIR   Loads every .rtf file below DIR (recursively, sorted by path) into a
              fresh document and style sheet; prints one line per file: path,
              result, item count, text, paragraph and list styles added, and what the
              read got over without failing, if anything (warnings=invalid-hex:
              a bad \' escape was dropped; stray-brace: a closing brace came
              before the end of the document; deep-groups: groups nested more
              than 1024 deep were read without their own formatting;
              trailing-bytes: bytes after the document's end were not read;
              invalid-picture: a picture's data could not be read).
  render FILE --width N [--marks] -o OUT.png
              Paints the whole document as the guide's pane does, with the pane's
              settings and margins, at a client width of N pixels (1 to 10000),
              into a PNG of N x the document's height; prints the PNG's absolute
              path. Heights over 30000 pixels are cut there (said on stderr), and
              so is a document wider than N (also said). What was read before a
              load error is still painted. Runs without a display. --marks shows
              the special characters: a dot on every space, a degree sign on
              every non-breaking space, an arrow on every tab, a not sign for
              every soft hyphen inside a line, a pilcrow at every paragraph's
              end and a return arrow at every line break.
  layout FILE --width N [--marks]
              Lays the document out as render does and prints its lines, one
              per line: number, top y, height, left and right x (pixels of the
              pane's client area), and the text between bars, so that a space
              at either end shows; a tab is "\u2192", a list marker its text, a
              rule "---", another object "[]". A space the line was wrapped at
              belongs to neither line. A table's line is followed by its rows,
              one per line: number, top y, height, and its cells side by side,
              each with its x range and its lines' text between bars.
  convert FILE --to rtf|text|rpf [-o OUT]
              Writes the whole document as a copy of all of it puts it on the
              clipboard, into OUT or to the standard output: RTF (code page,
              fonts, colours, lists, paragraphs, runs, tables, links, bookmarks,
              rules, pictures in the bytes they were read from), text in UTF-8
              (paragraphs and line breaks ended by CR LF, tabs, list markers'
              text, a table a row a line with tabs between its cells), or the
              engine's own format (styles and item records; without the length
              the clipboard puts before it). What was read before a load error
              is still written (and the exit code is 1).
  --help      This text.

The style sheet starts as the guide's: text style 0 "Times New Roman" 12 pt
Unicode, paragraph style 0 left aligned.

Exit codes:
  0  every file loaded with rtf_ec_OK
  1  a file did not load completely (text and dump still print what was read),
     or the PNG could not be written
  2  usage error (also no arguments), or FILE or DIR does not exist
)";

struct TLoadResult {
  TRPRTFErrorCode Code = rtf_ec_OK;
  TRPRTFWarnings Warnings;
  int TextStylesBefore = 0;
  int ParaStylesBefore = 0;
  int ListStylesBefore = 0;
};

TLoadResult Load(TGuideArticleDocument& Doc, TRPStyle& Sheet, const fs::path& File) {
  TLoadResult Result;
  Result.TextStylesBefore = Sheet.TextStyles.Count();
  Result.ParaStylesBefore = Sheet.ParaStyles.Count();
  Result.ListStylesBefore = Sheet.ListStyles.Count();
  try {
    Result.Code = Doc.LoadRTF(File.string());
    Result.Warnings = Doc.GetRTFProperties()->Warnings;
  } catch (const std::exception& E) {
    std::cerr << File.string() << ": " << E.what() << '\n';
    Result.Code = rtf_ec_Exception;
  }
  return Result;
}

// "invalid-hex,stray-brace", or empty.
std::string WarningNames(TRPRTFWarnings Warnings) {
  static const char* const Names[] = {"invalid-hex", "stray-brace", "deep-groups", "trailing-bytes",
                                      "invalid-picture"};
  std::string Text;
  for (size_t i = 0; i < std::size(Names); ++i)
    if (Warnings.Contains(static_cast<TRPRTFWarning>(i))) {
      if (!Text.empty())
        Text += ',';
      Text += Names[i];
    }
  return Text;
}

const char* ErrorCodeName(TRPRTFErrorCode Code) {
  static const char* const Names[] = {"rtf_ec_OK",
                                      "rtf_ec_StackUnderflow",
                                      "rtf_ec_StackOverflow",
                                      "rtf_ec_UnmatchedBrace",
                                      "rtf_ec_InvalidHex",
                                      "rtf_ec_BadTable",
                                      "rtf_ec_Assertion",
                                      "rtf_ec_EndOfFile",
                                      "rtf_ec_FileOpenError",
                                      "rtf_ec_Exception",
                                      "rtf_ec_InvalidPicture",
                                      "rtf_ec_Aborted"};
  return Code < std::size(Names) ? Names[Code] : "rtf_ec_?";
}

std::string Utf8(std::u16string_view Text) { return RP_UnicodeToAnsi(Text, CP_UTF8); }

// UTF-8 in, control characters and quotes escaped, so that every item stays on one line.
std::string Quoted(std::string_view Text) {
  std::string Out = "\"";
  for (const char C : Text) {
    const auto U = static_cast<unsigned char>(C);
    if (C == '"' || C == '\\') {
      Out += '\\';
      Out += C;
    } else if (C == '\t') {
      Out += "\\t";
    } else if (U < 0x20 || U == 0x7F) {
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "\\x%02X", U);
      Out += Buf;
    } else {
      Out += C;
    }
  }
  return Out + '"';
}

// ------------------------------------------------------------------ text

std::string TableText(const TRPTableItemInfo& Table, const std::string& Indent);

// The text of Doc, a paragraph a line (InCell: a paragraph joined to the one before by a
// space, and tables left out); a table a row a line. With a Sink, what is written goes to it as
// it grows and only the rest is returned.
std::string DocumentText(TCustomRPData& Doc, const std::string& Indent, bool InCell,
                         std::ostream* Sink) {
  std::string Out;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    // A large document goes out as it is written, not held whole.
    if (Sink && Out.size() >= (size_t{64} << 10)) {
      *Sink << Out;
      Out.clear();
    }
    const TCustomRPItemInfo& Item = *Doc.GetItem(i);
    const auto* Table = dynamic_cast<const TRPTableItemInfo*>(&Item);
    if (InCell && Table)
      continue;
    if (i > 0 && !Item.SameAsPrev())
      Out += InCell ? " " : Item.BR() ? "\n" + Indent + "  " : "\n" + Indent;
    if (Item.StyleNo == rpsTab)
      Out += InCell ? " " : "\t";
    else if (Item.IsTextItem())
      Out += Utf8(Doc.GetItemTextW(i));
    else if (Item.StyleNo == rpsListMarker)
      Out += Utf8(Item.AsText(0, Doc));
    else if (Table)
      Out += TableText(*Table, Indent);
  }
  return Out;
}

// A row a line, its cells separated by tabs; tables inside a row's cells follow it,
// indented.
std::string TableText(const TRPTableItemInfo& Table, const std::string& Indent) {
  std::string Out;
  for (int r = 0; r < Table.RowCount(); ++r) {
    if (r > 0) {
      Out += '\n';
      Out += Indent;
    }
    const std::string Inner = Indent + "  ";
    std::string Nested;
    for (int c = 0, Cells = 0; c < Table.ColCount(); ++c)
      if (TRPTableCellData* Cell = Table.Cells(r, c)) {
        if (Cells++ > 0)
          Out += '\t';
        Out += DocumentText(*Cell, Indent, true, nullptr);
        for (int k = 0; k < Cell->GetItemCount(); ++k)
          if (const auto* Table2 = dynamic_cast<const TRPTableItemInfo*>(Cell->GetItem(k))) {
            Nested += '\n';
            Nested += Inner;
            Nested += TableText(*Table2, Inner);
          }
      }
    Out += Nested;
  }
  return Out;
}

void PrintText(TGuideArticleDocument& Doc) {
  std::string Out = DocumentText(Doc, "", false, &std::cout);
  if (Doc.GetItemCount() > 0)
    Out += '\n';
  std::cout << Out;
}

// ------------------------------------------------------------------ dump

std::string ItemKind(const TCustomRPItemInfo& Item) {
  if (Item.IsTextItem())
    return "text";
  if (Item.StyleNo == rpsTab)
    return "tab";
  if (Item.StyleNo == rpsListMarker)
    return "marker";
  if (dynamic_cast<const TRPGraphicItemInfo*>(&Item))
    return "picture";
  if (dynamic_cast<const TRPLabelItemInfo*>(&Item))
    return "label";
  return "other";
}

// " png 200x100 shown 100x50": what the picture was read from (a picture that could not be
// read shows the mark for one), its size, and the size it is shown at, in pixels.
std::string PictureText(const TRPGraphicItemInfo& Item, const TRPStyle& Sheet) {
  static const char* const Formats[] = {"png", "jpeg", "dib", "ddb", "wmf", "emf"};
  const TRPPicture& Image = *Item.Image();
  const TRPPictureSource* Source = Image.Source();
  return std::string(" ") + (Source ? Formats[Source->Format] : "mark") + " " +
         std::to_string(Image.Width()) + "x" + std::to_string(Image.Height()) + " shown " +
         std::to_string(Item.GetImageWidth(Sheet)) + "x" +
         std::to_string(Item.GetImageHeight(Sheet));
}

std::string ItemFlags(const TCustomRPItemInfo& Item) {
  std::string Flags;
  Flags += Item.SameAsPrev() ? 'S' : '-';
  Flags += Item.BR() ? 'B' : '-';
  Flags += Item.PageBreakBefore() ? 'P' : '-';
  return Flags;
}

void PrintItem(TGuideArticleDocument& Doc, int i) {
  const TCustomRPItemInfo& Item = *Doc.GetItem(i);
  std::cout << i << ' ' << ItemKind(Item) << " style=" << Item.StyleNo << " para=" << Item.ParaNo
            << ' ' << ItemFlags(Item);
  if (Item.Checkpoint())
    std::cout << " cp=" << Quoted(Item.Checkpoint()->Name);
  if (!Item.Tag().empty())
    std::cout << " tag=" << Quoted(Item.Tag());
  if (const auto* Picture = dynamic_cast<const TRPGraphicItemInfo*>(&Item);
      Picture && Picture->Image())
    std::cout << PictureText(*Picture, *Doc.GetRPStyle());
  const std::u16string Text =
      Item.StyleNo == rpsListMarker || dynamic_cast<const TRPLabelItemInfo*>(&Item)
          ? Item.AsText(0, Doc)
          : Doc.GetItemTextW(i);
  std::cout << ' ' << Quoted(Utf8(Text)) << '\n';
}

// System colours keep their raw value: they are resolved only when drawn.
std::string ColorText(TRPColor Color) {
  char Buf[16];
  if (Color == clNone)
    return "none";
  if (RP_IsSystemColor(Color))
    std::snprintf(Buf, sizeof Buf, "sys:%08X", Color);
  else
    std::snprintf(Buf, sizeof Buf, "#%02X%02X%02X", RP_GetRValue(Color), RP_GetGValue(Color),
                  RP_GetBValue(Color));
  return Buf;
}

void PrintTextStyle(const TFontInfo& Style, int Index) {
  std::cout << "T" << Index << " \"" << Style.FontName << "\" " << Style.SizeDouble / 2
            << (Style.SizeDouble % 2 ? ".5" : "") << "pt";
  if (Style.Style.Contains(fsBold))
    std::cout << " bold";
  if (Style.Style.Contains(fsItalic))
    std::cout << " italic";
  if (Style.Style.Contains(fsUnderline))
    std::cout << " underline";
  if (Style.Style.Contains(fsStrikeOut))
    std::cout << " strike";
  if (Style.StyleEx.Contains(rpfsSmallCaps))
    std::cout << " smallcaps";
  if (Style.StyleEx.Contains(rpfsAllCaps))
    std::cout << " caps";
  // Otherwise sub- and superscript styles look like duplicates of the body text.
  if (Style.SubSuperScriptType == rpsssSubscript)
    std::cout << " sub";
  else if (Style.SubSuperScriptType == rpsssSuperScript)
    std::cout << " super";
  if (Style.CharSpacing != 0)
    std::cout << " charspacing=" << Style.CharSpacing;
  std::cout << " color=" << ColorText(Style.Color);
  if (Style.Unicode)
    std::cout << " unicode";
  if (Style.Jump)
    std::cout << " jump";
  std::cout << '\n';
}

const char* AlignmentName(TRPAlignment Alignment) {
  static const char* const Names[] = {"left", "right", "center", "justify", "distribute"};
  return Alignment < std::size(Names) ? Names[Alignment] : "?";
}

const char* LineSpacingName(TRPLineSpacingType Type) {
  static const char* const Names[] = {"percent", "between", "atleast", "exact"};
  return Type < std::size(Names) ? Names[Type] : "?";
}

const char* BorderStyleName(TRPBorderStyle Style) {
  static const char* const Names[] = {"none",   "single",       "double",
                                      "triple", "thick-inside", "thick-outside"};
  return Style < std::size(Names) ? Names[Style] : "?";
}

void PrintParaStyle(const TParaInfo& Style, int Index) {
  std::cout << "P" << Index << ' ' << AlignmentName(Style.Alignment)
            << " first=" << Style.FirstIndent << " left=" << Style.LeftIndent
            << " right=" << Style.RightIndent << " before=" << Style.SpaceBefore()
            << " after=" << Style.SpaceAfter()
            << " spacing=" << LineSpacingName(Style.LineSpacingType) << ':' << Style.LineSpacing
            << " border=" << BorderStyleName(Style.Border.Style) << " tabs=" << Style.Tabs.Count()
            << '\n';
}

const char* ListTypeName(TRPListType Type) {
  static const char* const Names[] = {"bullet",      "picture",     "images",      "decimal",
                                      "lower-alpha", "upper-alpha", "lower-roman", "upper-roman",
                                      "image-count", "unicode"};
  return Type < std::size(Names) ? Names[Type] : "?";
}

// One line per level: its numbering, pattern, where the marker and the text go, and the
// marker's font.
void PrintListStyle(const TRPListInfo& Style, int Index) {
  std::cout << "L" << Index << " levels=" << Style.Levels.Count() << '\n';
  for (int i = 0; i < Style.Levels.Count(); ++i) {
    const TRPListLevel& Level = Style.Levels[i];
    const TRPMarkerFont& Font = Level.GetFont();
    std::cout << "  " << i << ' ' << ListTypeName(Level.ListType) << ' '
              << Quoted(Utf8(Level.FormatString)) << " start=" << Level.StartFrom
              << " marker=" << Level.MarkerIndent << " left=" << Level.LeftIndent
              << " first=" << Level.FirstIndent << " \"" << Font.Name << "\" " << Font.Size()
              << '\n';
  }
}

void PrintDump(TGuideArticleDocument& Doc, const TRPStyle& Sheet, const TLoadResult& Load) {
  std::cout << "items: " << Doc.GetItemCount() << '\n';
  for (int i = 0; i < Doc.GetItemCount(); ++i)
    PrintItem(Doc, i);
  std::cout << "text styles added: " << Sheet.TextStyles.Count() - Load.TextStylesBefore << '\n';
  for (int i = Load.TextStylesBefore; i < Sheet.TextStyles.Count(); ++i)
    PrintTextStyle(Sheet.TextStyles[i], i);
  std::cout << "paragraph styles added: " << Sheet.ParaStyles.Count() - Load.ParaStylesBefore
            << '\n';
  for (int i = Load.ParaStylesBefore; i < Sheet.ParaStyles.Count(); ++i)
    PrintParaStyle(Sheet.ParaStyles[i], i);
  std::cout << "list styles added: " << Sheet.ListStyles.Count() - Load.ListStylesBefore << '\n';
  for (int i = Load.ListStylesBefore; i < Sheet.ListStyles.Count(); ++i)
    PrintListStyle(Sheet.ListStyles[i], i);
}

// ------------------------------------------------------------------ commands

int UsageError(const std::string& Message);

// convert: the document through the copy's writer.
int ConvertFile(const std::vector<std::string>& Args) {
  std::string File, To, Out;
  for (size_t i = 1; i < Args.size(); ++i) {
    const bool Option = Args[i] == "--to" || Args[i] == "-o";
    if (Option && i + 1 < Args.size()) {
      std::string& Value = Args[i] == "--to" ? To : Out;
      Value = Args[++i];
    } else if (File.empty() && !Args[i].starts_with('-')) {
      File = Args[i];
    } else {
      return UsageError("unexpected '" + Args[i] + "'");
    }
  }
  if (File.empty() || (To != "text" && To != "rtf" && To != "rpf"))
    return UsageError("convert needs a FILE and --to rtf, --to text or --to rpf");
  std::error_code Error;
  if (!fs::is_regular_file(File, Error)) {
    std::cerr << "rtfview: " << File << ": no such file\n";
    return ExitUsage;
  }
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  const TLoadResult Result = Load(Doc, Sheet, File);
  const std::string Text = To == "rtf"   ? RP_DocumentRTF(Doc)
                           : To == "rpf" ? RP_DocumentRPF(Doc)
                                         : Utf8(RP_DocumentText(Doc));
  if (Out.empty()) {
    std::cout << Text;
  } else {
    std::ofstream Stream(Out, std::ios::binary);
    Stream << Text;
    if (!Stream) {
      std::cerr << "rtfview: cannot write " << Out << '\n';
      return ExitFailed;
    }
  }
  if (Result.Code != rtf_ec_OK) {
    std::cerr << "rtfview: " << File << ": " << ErrorCodeName(Result.Code) << '\n';
    return ExitFailed;
  }
  return ExitOK;
}

// text and dump: one file, whose result only decides the exit code.
int ShowFile(const fs::path& File, bool Dump) {
  std::error_code Error;
  if (!fs::is_regular_file(File, Error)) {
    std::cerr << "rtfview: " << File.string() << ": no such file\n";
    return ExitUsage;
  }
  TRPStyle Sheet;
  InitGuideStyleSheet(Sheet);
  TGuideArticleDocument Doc(Sheet);
  const TLoadResult Result = Load(Doc, Sheet, File);
  if (Dump)
    PrintDump(Doc, Sheet, Result);
  else
    PrintText(Doc);
  if (!Result.Warnings.Empty())
    std::cerr << "rtfview: " << File.string()
              << ": read with warnings: " << WarningNames(Result.Warnings) << '\n';
  if (Result.Code != rtf_ec_OK) {
    std::cerr << "rtfview: " << File.string() << ": " << ErrorCodeName(Result.Code) << '\n';
    return ExitFailed;
  }
  return ExitOK;
}

std::vector<fs::path> FindRtfFiles(const fs::path& Dir) {
  std::vector<fs::path> Files;
  for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Dir)) {
    std::string Extension = Entry.path().extension().string();
    std::transform(Extension.begin(), Extension.end(), Extension.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    if (Entry.is_regular_file() && Extension == ".rtf")
      Files.push_back(Entry.path());
  }
  std::sort(Files.begin(), Files.end());
  return Files;
}

int CheckDir(const fs::path& Dir) {
  std::error_code Error;
  if (!fs::is_directory(Dir, Error)) {
    std::cerr << "rtfview: " << Dir.string() << ": no such directory\n";
    return ExitUsage;
  }
  int Failed = 0;
  const std::vector<fs::path> Files = FindRtfFiles(Dir);
  for (const fs::path& File : Files) {
    TRPStyle Sheet;
    InitGuideStyleSheet(Sheet);
    TGuideArticleDocument Doc(Sheet);
    const TLoadResult Result = Load(Doc, Sheet, File);
    if (Result.Code != rtf_ec_OK)
      ++Failed;
    std::cout << File.string() << ' ' << ErrorCodeName(Result.Code)
              << " items=" << Doc.GetItemCount() << " text-styles=+"
              << Sheet.TextStyles.Count() - Result.TextStylesBefore << " para-styles=+"
              << Sheet.ParaStyles.Count() - Result.ParaStylesBefore << " list-styles=+"
              << Sheet.ListStyles.Count() - Result.ListStylesBefore;
    if (!Result.Warnings.Empty())
      std::cout << " warnings=" << WarningNames(Result.Warnings);
    std::cout << '\n';
  }
  std::cout << Files.size() << " files, " << Failed << " failed\n";
  return Failed ? ExitFailed : ExitOK;
}

// ------------------------------------------------------------------ render

struct TRenderArgs {
  fs::path File;
  int32_t Width = 0;
  fs::path Out;
  bool Marks = false;
};

// FILE, --width N, --marks and (for render) -o OUT in any order after the command; an empty
// message when they are complete.
std::string ParseRenderArgs(const std::vector<std::string>& Args, TRenderArgs& Render,
                            bool NeedsOut) {
  const std::string Command = Args[0];
  bool HaveFile = false;
  for (size_t i = 1; i < Args.size(); ++i) {
    const std::string& Arg = Args[i];
    if (Arg == "--marks") {
      Render.Marks = true;
    } else if (Arg == "--width" || Arg == "-o") {
      if (i + 1 == Args.size())
        return Arg + " needs a value";
      const std::string& Value = Args[++i];
      if (Arg == "-o") {
        Render.Out = Value;
        continue;
      }
      const char* End = Value.data() + Value.size();
      const auto [Ptr, Error] = std::from_chars(Value.data(), End, Render.Width);
      if (Error != std::errc() || Ptr != End || Render.Width < 1 || Render.Width > MaxRenderWidth)
        return "--width must be a whole number of pixels from 1 to " +
               std::to_string(MaxRenderWidth) + ", not '" + Value + "'";
    } else if (!Arg.empty() && Arg[0] == '-' && Arg != "-") {
      return "unknown option '" + Arg + "'";
    } else if (HaveFile) {
      return Command + " takes one FILE";
    } else {
      Render.File = Arg;
      HaveFile = true;
    }
  }
  if (!HaveFile)
    return Command + " needs a FILE";
  if (Render.Width == 0)
    return Command + " needs --width N";
  if (NeedsOut && Render.Out.empty())
    return "render needs -o OUT.png";
  if (!NeedsOut && !Render.Out.empty())
    return "layout writes to standard output, not to -o";
  return {};
}

// The application object the pane's Qt fonts need, with the fonts and the graphic
// interface set up; without a display it uses the off-screen platform.
class TQtPlatform {
public:
  explicit TQtPlatform(const char* Program)
      : FArgv{const_cast<char*>(Program), nullptr}, FApplication(ArgcFor(FArgc), FArgv.data()) {
    RegisterPlatformFonts();
    RP_UseQtGraphicInterface();
  }

private:
  static int& ArgcFor(int& Argc) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
      qputenv("QT_QPA_PLATFORM", "offscreen");
    return Argc;
  }
  int FArgc = 1;
  std::array<char*, 2> FArgv;
  QGuiApplication FApplication;
};

// A file loaded and formatted as the guide's pane does it, in a pane of a given client
// width, with special characters shown when asked.
class TLaidOutFile : private TQtPlatform {
public:
  TLaidOutFile(const TRenderArgs& Args, const char* Program)
      : TQtPlatform(Program), FMeasuring(1, 1, RichPaneSwitches.ScreenPixelsPerInch,
                                         RichPaneSwitches.ScreenPixelsPerInch),
        FHost(Args.Width, Args.Width, FMeasuring), FPane(FHost) {
    const fs::path& File = Args.File;
    InitGuideStyleSheet(FSheet);
    FPane.Style = &FSheet;
    ConfigureGuidePane(FPane);
    if (Args.Marks)
      FPane.Options.Include(rpoShowSpecialCharacters);
    FPane.Clear();
    try {
      // What the pane's LoadRTF does, with the reader's result kept for the message.
      Code = Doc().LoadRTF(File.string());
    } catch (const std::exception& E) {
      std::cerr << "rtfview: " << File.string() << ": " << E.what() << '\n';
      Code = rtf_ec_Exception;
    }
    // The client height only decides whether a vertical bar would be needed: first any,
    // then the document's, so that the whole document is in view at position 0.
    FPane.Format();
    FHost.Height = std::max(Doc().DocumentHeight, 1);
    FPane.Format();
    FPane.ScrollTo(0);
  }
  TCustomRPFormattedData& Doc() { return FPane.RPData(); }
  const TCustomRichPane& Pane() const { return FPane; }

  TRPRTFErrorCode Code = rtf_ec_OK;

private:
  TRPStyle FSheet;
  TRPQtCanvas FMeasuring;
  TRPFixedPaneHost FHost;
  TCustomRichPane FPane;
};

int ReportLoad(const fs::path& File, TRPRTFErrorCode Code) {
  if (Code == rtf_ec_OK)
    return ExitOK;
  std::cerr << "rtfview: " << File.string() << ": " << ErrorCodeName(Code) << '\n';
  return ExitFailed;
}

int RenderFile(const TRenderArgs& Render, const char* Program) {
  std::error_code Error;
  if (!fs::is_regular_file(Render.File, Error)) {
    std::cerr << "rtfview: " << Render.File.string() << ": no such file\n";
    return ExitUsage;
  }
  TLaidOutFile Laid(Render, Program);
  TCustomRPFormattedData& Doc = Laid.Doc();
  const int32_t Ppi = RichPaneSwitches.ScreenPixelsPerInch;
  const int32_t Width = Render.Width;
  int32_t Height = std::max(Doc.DocumentHeight, 1);
  if (Height > MaxRenderHeight) {
    std::cerr << "rtfview: " << Render.File.string() << ": the document is " << Height
              << " pixels high; the image stops at " << MaxRenderHeight << '\n';
    Height = MaxRenderHeight;
  }
  const int32_t Needed = Doc.DocumentWidth + Laid.Pane().LeftMargin + Laid.Pane().RightMargin;
  if (Needed > Width)
    std::cerr << "rtfview: " << Render.File.string() << ": the document needs " << Needed
              << " pixels of width; the image shows the first " << Width << '\n';

  QImage Image(Width, Height, QImage::Format_RGB32);
  if (Image.isNull()) {
    std::cerr << "rtfview: no memory for a " << Width << " x " << Height << " image\n";
    return ExitFailed;
  }
  const int DotsPerMeter = static_cast<int>(Ppi / 0.0254 + 0.5);
  Image.setDotsPerMeterX(DotsPerMeter);
  Image.setDotsPerMeterY(DotsPerMeter);
  {
    // The document straight onto the image, not through the pane's buffered paint,
    // which would need a second buffer of the image's size.
    TRPQtCanvas Canvas(Image, Ppi, Ppi);
    const TRect All{0, 0, Width, Height};
    Doc.DrawBackground(Canvas, All);
    Doc.PaintTo(Canvas, All, false, false, 0, 0, 0, -1);
  }

  const QString Out = QFileInfo(QString::fromStdString(Render.Out.string())).absoluteFilePath();
  if (!Image.save(Out, "PNG")) {
    std::cerr << "rtfview: cannot write " << Render.Out.string() << '\n';
    return ExitFailed;
  }
  std::cout << Out.toStdString() << '\n';
  return ReportLoad(Render.File, Laid.Code);
}

int LayoutFile(const TRenderArgs& Layout, const char* Program) {
  std::error_code Error;
  if (!fs::is_regular_file(Layout.File, Error)) {
    std::cerr << "rtfview: " << Layout.File.string() << ": no such file\n";
    return ExitUsage;
  }
  TLaidOutFile Laid(Layout, Program);
  std::string Out;
  for (const TRPLayoutLine& Line : RP_LayoutLines(Laid.Doc())) {
    Out += RP_LayoutLineText(Line) + '\n';
    if (auto* Table = dynamic_cast<TRPTableItemInfo*>(Laid.Doc().GetItem(Line.FirstItemNo)))
      for (const std::string& Row : RP_TableLayoutRows(*Table, Line.Left, Line.Top))
        Out += Row + '\n';
  }
  std::cout << Out;
  return ReportLoad(Layout.File, Laid.Code);
}

int UsageError(const std::string& Message) {
  std::cerr << "rtfview: " << Message << "\n\n" << Usage;
  return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> Args(argv + 1, argv + argc);
  if (Args.empty() || Args[0] == "--help" || Args[0] == "-h") {
    std::cout << Usage;
    return Args.empty() ? ExitUsage : ExitOK;
  }
  if (Args[0] == "render" || Args[0] == "layout") {
    const bool Render = Args[0] == "render";
    TRenderArgs Pane;
    const std::string Problem = ParseRenderArgs(Args, Pane, Render);
    if (!Problem.empty())
      return UsageError(Problem);
    try {
      return Render ? RenderFile(Pane, argv[0]) : LayoutFile(Pane, argv[0]);
    } catch (const std::exception& E) {
      std::cerr << "rtfview: " << E.what() << '\n';
      return ExitFailed;
    }
  }
  if (Args[0] == "convert") {
    try {
      return ConvertFile(Args);
    } catch (const std::exception& E) {
      std::cerr << "rtfview: " << E.what() << '\n';
      return ExitFailed;
    }
  }
  if (Args.size() != 2)
    return UsageError("expected a command and one argument");
  try {
    if (Args[0] == "text")
      return ShowFile(Args[1], false);
    if (Args[0] == "dump")
      return ShowFile(Args[1], true);
    if (Args[0] == "check")
      return CheckDir(Args[1]);
  } catch (const std::exception& E) {
    std::cerr << "rtfview: " << E.what() << '\n';
    return ExitFailed;
  }
  return UsageError("unknown command '" + Args[0] + "'");
}
