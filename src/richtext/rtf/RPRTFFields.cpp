#include "richtext/rtf/RPRTFFields.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/rtf/RPRTFProps.h"

namespace {

bool IsBlank(char16_t C) { return C <= u' '; }

void SkipBlanks(std::u16string_view& Text) {
  while (!Text.empty() && IsBlank(Text.front()))
    Text.remove_prefix(1);
}

// One argument: quoted (with \\ and \" escapes) or up to the next blank.
std::u16string TakeArgument(std::u16string_view& Text) {
  SkipBlanks(Text);
  std::u16string Result;
  if (!Text.empty() && Text.front() == u'"') {
    Text.remove_prefix(1);
    while (!Text.empty() && Text.front() != u'"') {
      if (Text.front() == u'\\' && Text.size() > 1 && (Text[1] == u'\\' || Text[1] == u'"'))
        Text.remove_prefix(1);
      Result += Text.front();
      Text.remove_prefix(1);
    }
    if (!Text.empty())
      Text.remove_prefix(1);
    return Result;
  }
  while (!Text.empty() && !IsBlank(Text.front())) {
    Result += Text.front();
    Text.remove_prefix(1);
  }
  return Result;
}

std::string PercentDecoded(const std::string& Text) {
  std::string Result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '%' && i + 2 < Text.size()) {
      const int High = RPRTFHexValue(Text[i + 1]);
      const int Low = RPRTFHexValue(Text[i + 2]);
      if (High >= 0 && Low >= 0) {
        Result += static_cast<char>(High * 16 + Low);
        i += 2;
        continue;
      }
    }
    Result += Text[i];
  }
  return Result;
}

bool IsAbsolute(std::string_view Target) {
  return Target.empty() || Target.front() == '#' || Target.front() == '/' ||
         Target.find(':') != std::string_view::npos;
}

std::string Utf8(std::u16string_view Text) { return RP_UnicodeToAnsi(Text, CP_UTF8); }

bool SameWord(std::u16string_view Word, std::u16string_view Upper) {
  if (Word.size() != Upper.size())
    return false;
  for (size_t i = 0; i < Word.size(); ++i) {
    const char16_t C = Word[i] >= u'a' && Word[i] <= u'z' ? Word[i] - (u'a' - u'A') : Word[i];
    if (C != Upper[i])
      return false;
  }
  return true;
}

// A decimal or "0x" hexadecimal number; nothing when there is none.
std::optional<uint32_t> ParseCode(std::u16string_view Text) {
  int Base = 10;
  if (Text.size() > 2 && Text[0] == u'0' && (Text[1] == u'x' || Text[1] == u'X')) {
    Base = 16;
    Text.remove_prefix(2);
  }
  std::string Ascii;
  for (const char16_t C : Text) {
    if (C > 0x7F)
      return std::nullopt;
    Ascii += static_cast<char>(C);
  }
  uint32_t Code = 0;
  const auto [End, Error] = std::from_chars(Ascii.data(), Ascii.data() + Ascii.size(), Code, Base);
  if (Error != std::errc() || End != Ascii.data() + Ascii.size() || Ascii.empty())
    return std::nullopt;
  return Code;
}

std::u16string CodePoint(uint32_t Code) {
  if (Code < 0x10000)
    return std::u16string(1, static_cast<char16_t>(Code));
  if (Code > 0x10FFFF)
    return {};
  Code -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (Code >> 10)),
          static_cast<char16_t>(0xDC00 + (Code & 0x3FF))};
}

// The character of SYMBOL's code with its switches: \u Unicode, \j Shift-JIS, \f a font
// (whose glyph numbers a symbol font turns into real characters), else the surrounding code
// page for codes of one byte.
std::u16string SymbolCharacter(uint32_t Code, std::u16string_view Switches, int CodePage) {
  bool Unicode = false;
  bool ShiftJis = false;
  std::u16string Font;
  for (std::u16string_view Rest = Switches; !Rest.empty();) {
    SkipBlanks(Rest);
    if (Rest.size() >= 2 && Rest[0] == u'\\') {
      const char16_t Switch = Rest[1];
      Rest.remove_prefix(2);
      if (Switch == u'f')
        Font = TakeArgument(Rest);
      else if (Switch == u's')
        TakeArgument(Rest);
      Unicode = Unicode || Switch == u'u';
      ShiftJis = ShiftJis || Switch == u'j';
    } else {
      TakeArgument(Rest);
    }
  }
  if (Unicode)
    return CodePoint(Code);
  if (const TRPSymbolFont Symbol = RP_SymbolFontOf(Font); Symbol != rpsfNone) {
    const uint32_t Glyph = Code >= 0xF000 && Code <= 0xF0FF ? Code - 0xF000 : Code;
    if (Glyph > 0xFF)
      return CodePoint(Code);
    const char16_t Mapped = RP_SymbolFontChar(Symbol, static_cast<uint8_t>(Glyph));
    return std::u16string(1, Mapped != 0 ? Mapped : static_cast<char16_t>(0xF000 + Glyph));
  }
  if (ShiftJis || Code <= 0xFF) {
    std::string Bytes;
    if (Code > 0xFF)
      Bytes += static_cast<char>((Code >> 8) & 0xFF);
    Bytes += static_cast<char>(Code & 0xFF);
    return RP_AnsiToUnicode(Bytes, ShiftJis ? 932 : CodePage);
  }
  return CodePoint(Code);
}

// The instruction's first word (a leading backslash is no part of it), taken off the
// instruction. Words of interest are short: a longer one is cut, never matched.
std::u16string_view TakeWord(std::u16string_view& Instruction) {
  SkipBlanks(Instruction);
  if (!Instruction.empty() && Instruction.front() == u'\\')
    Instruction.remove_prefix(1);
  size_t Length = 0;
  while (Length < Instruction.size() && Length <= 16 && !IsBlank(Instruction[Length]))
    ++Length;
  const std::u16string_view Word = Instruction.substr(0, Length);
  Instruction.remove_prefix(Length);
  return Word;
}

bool StartsWithNoCase(std::string_view Text, std::string_view Lower) {
  if (Text.size() < Lower.size())
    return false;
  for (size_t i = 0; i < Lower.size(); ++i)
    if (static_cast<char>(Text[i] >= 'A' && Text[i] <= 'Z' ? Text[i] + ('a' - 'A') : Text[i]) !=
        Lower[i])
      return false;
  return true;
}

} // namespace

std::optional<TRPRTFSeq> RPRTFParseSeq(std::u16string_view Instruction) {
  if (!SameWord(TakeWord(Instruction), u"SEQ"))
    return std::nullopt;
  TRPRTFSeq Seq;
  SkipBlanks(Instruction);
  if (!Instruction.empty() && Instruction.front() != u'\\')
    Seq.Name = TakeArgument(Instruction);
  struct TFormat {
    std::u16string_view Name;
    TRPSeqType Type;
  };
  static constexpr TFormat Formats[] = {{u"alphabetic", rpseqLowerAlpha},
                                        {u"ALPHABETIC", rpseqUpperAlpha},
                                        {u"roman", rpseqLowerRoman},
                                        {u"ROMAN", rpseqUpperRoman}};
  bool Found = false;
  for (const std::u16string_view Prefix : {u"\\* ", u"\\*"})
    for (const TFormat& Format : Formats)
      if (!Found && Instruction.find(std::u16string(Prefix) + std::u16string(Format.Name)) !=
                        std::u16string_view::npos) {
        Seq.NumberType = Format.Type;
        Found = true;
      }
  if (const size_t At = Instruction.find(u"\\r "); At != std::u16string_view::npos) {
    std::u16string_view Rest = Instruction.substr(At + 3);
    SkipBlanks(Rest);
    int64_t Value = 0;
    size_t Digits = 0;
    for (; Digits < Rest.size() && Rest[Digits] >= u'0' && Rest[Digits] <= u'9'; ++Digits)
      Value = std::min<int64_t>(Value * 10 + (Rest[Digits] - u'0'), RP_RTF_MAX_SEQ_START);
    if (Digits > 0) {
      Seq.Reset = true;
      Seq.StartFrom = static_cast<int32_t>(Value);
    }
  }
  return Seq;
}

std::optional<std::u16string> RPRTFIncludePictureArgument(std::u16string_view Instruction) {
  const std::u16string_view Word = TakeWord(Instruction);
  if (!SameWord(Word, u"INCLUDEPICTURE") && !SameWord(Word, u"IMPORT"))
    return std::nullopt;
  SkipBlanks(Instruction);
  if (Instruction.empty() || Instruction.front() == u'\\')
    return std::u16string();
  return TakeArgument(Instruction);
}

std::optional<std::string> RPRTFResolvePicturePath(std::u16string_view Argument,
                                                   std::string_view BasePath, bool Decoded) {
  if (BasePath.empty())
    return std::nullopt;
  std::string Path;
  for (const char C : Utf8(Argument))
    // A doubled backslash is one; either way it separates names.
    if (C != '\\' || Path.empty() || Path.back() != '/')
      Path += C == '\\' ? '/' : C;
  if (Decoded)
    Path = PercentDecoded(Path);
  if (StartsWithNoCase(Path, "file:"))
    Path.erase(0, 5);
  // Drive letters and other schemes name no place under the base path, nor do absolute and
  // network paths.
  if (Path.empty() || Path.front() == '/' || Path.find(':') != std::string::npos ||
      Path.find('\0') != std::string::npos)
    return std::nullopt;
  std::vector<std::string_view> Names;
  for (size_t Start = 0; Start <= Path.size();) {
    const size_t End = std::min(Path.find('/', Start), Path.size());
    const std::string_view Name = std::string_view(Path).substr(Start, End - Start);
    if (Name == "..") {
      if (Names.empty())
        return std::nullopt;
      Names.pop_back();
    } else if (!Name.empty() && Name != ".") {
      Names.push_back(Name);
    }
    Start = End + 1;
  }
  if (Names.empty())
    return std::nullopt;
  std::string Result(BasePath);
  if (Result.back() != '/')
    Result += '/';
  for (size_t i = 0; i < Names.size(); ++i) {
    if (i > 0)
      Result += '/';
    Result += Names[i];
  }
  return Result;
}

bool RPRTFIsHyperlink(std::u16string_view Instruction) {
  return SameWord(TakeWord(Instruction), u"HYPERLINK");
}

TRPRTFHyperlink RPRTFParseHyperlink(std::u16string_view Instruction, std::string_view BasePath) {
  TakeWord(Instruction);
  SkipBlanks(Instruction);

  std::u16string Target;
  // A switch cannot be the target; the target may be missing altogether.
  if (!Instruction.empty() && Instruction.front() != u'\\')
    Target = TakeArgument(Instruction);

  TRPRTFHyperlink Link;
  Link.Extras = Utf8(Instruction);
  std::u16string Location;
  for (std::u16string_view Rest = Instruction; !Rest.empty();) {
    SkipBlanks(Rest);
    if (Rest.size() >= 2 && Rest[0] == u'\\' && (Rest[1] == u'o' || Rest[1] == u'l')) {
      const char16_t Switch = Rest[1];
      Rest.remove_prefix(2);
      const std::u16string Value = TakeArgument(Rest);
      if (Switch == u'o')
        Link.Hint = Utf8(Value);
      else
        Location = Value;
    } else {
      TakeArgument(Rest);
    }
  }
  if (!Location.empty())
    Target += Location.front() == u'#' ? Location : u"#" + Location;

  Link.Target = PercentDecoded(Utf8(Target));
  if (!BasePath.empty() && !IsAbsolute(Link.Target))
    Link.Target = std::string(BasePath) + Link.Target;
  return Link;
}

std::u16string RPRTFFieldFallback(std::u16string_view Instruction, int CodePage) {
  // Instructions are asked about at every group inside them and may be long; the ones
  // answered here are short, so only their start is looked at.
  Instruction = Instruction.substr(0, 256);
  const std::u16string_view Word = TakeWord(Instruction);
  if (SameWord(Word, u"PAGE") || SameWord(Word, u"NUMPAGES") || SameWord(Word, u"SECTIONPAGES"))
    return u"1";
  if (!SameWord(Word, u"SYMBOL"))
    return {};
  const std::optional<uint32_t> Code = ParseCode(TakeArgument(Instruction));
  if (!Code)
    return {};
  std::u16string Character = SymbolCharacter(*Code, Instruction, CodePage);
  // A control character is no character to show.
  if (Character.size() == 1 && Character[0] < 0x20)
    return {};
  return Character;
}
