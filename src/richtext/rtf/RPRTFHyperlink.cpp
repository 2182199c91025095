#include "richtext/rtf/RPRTFHyperlink.h"

#include "richtext/gfx/RPCodePage.h"

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

int HexValue(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'a' && C <= 'f')
    return C - 'a' + 10;
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

std::string PercentDecoded(const std::string& Text) {
  std::string Result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '%' && i + 2 < Text.size()) {
      const int High = HexValue(Text[i + 1]);
      const int Low = HexValue(Text[i + 2]);
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

} // namespace

TRPRTFHyperlink RPRTFParseHyperlink(std::u16string_view Instruction, std::string_view BasePath) {
  SkipBlanks(Instruction);
  if (!Instruction.empty() && Instruction.front() == u'\\')
    Instruction.remove_prefix(1);
  constexpr std::u16string_view Word = u"HYPERLINK";
  if (Instruction.starts_with(Word))
    Instruction.remove_prefix(Word.size());
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
