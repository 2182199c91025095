#include "richtext/gfx/RPCodePage.h"

#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <unordered_map>

namespace {

// glibc's name of a code page, or nullptr when it has none.
const char* IconvName(int CodePage) {
  switch (CodePage) {
  case 437: return "CP437";
  case 850: return "CP850";
  case 866: return "CP866";
  case 874: return "CP874";
  case 932: return "CP932";
  case 936: return "CP936";
  case 949: return "CP949";
  case 950: return "CP950";
  case 1250: return "CP1250";
  case 1251: return "CP1251";
  case 1252: return "CP1252";
  case 1253: return "CP1253";
  case 1254: return "CP1254";
  case 1255: return "CP1255";
  case 1256: return "CP1256";
  case 1257: return "CP1257";
  case 1258: return "CP1258";
  case 1361: return "JOHAB";
  case 10000: return "MACINTOSH";
  case 10007: return "MAC-CYRILLIC";
  case 10029: return "MAC-CENTRALEUROPE";
  case 20127: return "ASCII";
  case 20866: return "KOI8-R";
  case 21866: return "KOI8-U";
  case 28591: return "ISO-8859-1";
  case 28592: return "ISO-8859-2";
  case 28593: return "ISO-8859-3";
  case 28594: return "ISO-8859-4";
  case 28595: return "ISO-8859-5";
  case 28596: return "ISO-8859-6";
  case 28597: return "ISO-8859-7";
  case 28598: return "ISO-8859-8";
  case 28599: return "ISO-8859-9";
  case 28603: return "ISO-8859-13";
  case 28605: return "ISO-8859-15";
  case CP_UTF8: return "UTF-8";
  default: return nullptr;
  }
}

class TIconv {
public:
  TIconv(const char* To, const char* From) : FHandle(iconv_open(To, From)) {}
  ~TIconv() {
    if (Valid())
      iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }
  // Converts one complete piece; false when it cannot be converted as a whole.
  bool Convert(const char* In, size_t InSize, std::string& Out) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    Out.assign(InSize * 4 + 8, '\0');
    char* Src = const_cast<char*>(In);
    char* Dst = Out.data();
    size_t DstLeft = Out.size();
    if (iconv(FHandle, &Src, &InSize, &Dst, &DstLeft) == static_cast<size_t>(-1) ||
        iconv(FHandle, nullptr, nullptr, &Dst, &DstLeft) == static_cast<size_t>(-1))
      return false;
    Out.resize(Out.size() - DstLeft);
    return true;
  }
  // Converts what it can; each byte that starts no valid character becomes Bad.
  void ConvertLenient(std::string_view In, std::u16string& Out, char16_t Bad) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    char* Src = const_cast<char*>(In.data());
    size_t SrcLeft = In.size();
    std::string Buffer(In.size() * 4 + 8, '\0');
    while (SrcLeft > 0) {
      char* Dst = Buffer.data();
      size_t DstLeft = Buffer.size();
      const bool Failed = iconv(FHandle, &Src, &SrcLeft, &Dst, &DstLeft) == static_cast<size_t>(-1);
      Out += RP_FromUtf16LE(std::string_view(Buffer.data(), Buffer.size() - DstLeft));
      if (Failed && SrcLeft > 0) {
        Out.push_back(Bad);
        ++Src;
        --SrcLeft;
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

private:
  iconv_t FHandle;
};

// Single-byte code pages convert through a table made once per code page.
struct TSingleByteTable {
  std::array<char16_t, 256> ToUnicode{};
  std::unordered_map<char16_t, uint8_t> FromUnicode;
  // FromUnicode for the first 256 code points, which most text is written in; -1 for none.
  std::array<int16_t, 256> FromLowUnicode{};
};

const TSingleByteTable& SingleByteTable(int CodePage) {
  static std::map<int, std::unique_ptr<TSingleByteTable>> Tables;
  std::unique_ptr<TSingleByteTable>& Table = Tables[CodePage];
  if (Table)
    return *Table;
  Table = std::make_unique<TSingleByteTable>();
  TIconv Conv("UTF-16LE", IconvName(CodePage));
  for (int b = 0; b < 256; ++b) {
    const char Byte = static_cast<char>(b);
    std::string Out;
    char16_t Unit = static_cast<char16_t>(b); // the gaps of the code page
    if (Conv.Valid() && Conv.Convert(&Byte, 1, Out) && Out.size() == 2)
      Unit = RP_Utf16LEUnit(Out.data());
    Table->ToUnicode[static_cast<size_t>(b)] = Unit;
    Table->FromUnicode.emplace(Unit, static_cast<uint8_t>(b));
  }
  for (size_t u = 0; u < Table->FromLowUnicode.size(); ++u) {
    const auto It = Table->FromUnicode.find(static_cast<char16_t>(u));
    Table->FromLowUnicode[u] = It == Table->FromUnicode.end() ? int16_t{-1} : It->second;
  }
  return *Table;
}

} // namespace

int RP_ActualCodePage(int CodePage) {
  switch (CodePage) {
  case CP_ACP: return RP_SystemAnsiCodePage;
  case CP_OEMCP: return RP_SystemOEMCodePage;
  case CP_MACCP: return RP_SystemMacCodePage;
  default: return CodePage;
  }
}

bool RP_IsDBCSCodePage(int CodePage) {
  switch (RP_ActualCodePage(CodePage)) {
  case 932:
  case 936:
  case 949:
  case 950:
  case 1361: return true;
  default: return false;
  }
}

bool RP_IsDBCSLeadByte(int CodePage, uint8_t Byte) {
  switch (RP_ActualCodePage(CodePage)) {
  case 932: return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
  case 936:
  case 949:
  case 950: return Byte >= 0x81 && Byte <= 0xFE;
  case 1361:
    return (Byte >= 0x84 && Byte <= 0xD3) || (Byte >= 0xD8 && Byte <= 0xDE) ||
           (Byte >= 0xE0 && Byte <= 0xF9);
  default: return false;
  }
}

bool RP_IsDBCSTrailByte(int CodePage, uint8_t Byte) {
  switch (RP_ActualCodePage(CodePage)) {
  case 932: return (Byte >= 0x40 && Byte <= 0x7E) || (Byte >= 0x80 && Byte <= 0xFC);
  case 936: return Byte >= 0x40 && Byte <= 0xFE && Byte != 0x7F;
  case 949:
    return (Byte >= 0x41 && Byte <= 0x5A) || (Byte >= 0x61 && Byte <= 0x7A) ||
           (Byte >= 0x81 && Byte <= 0xFE);
  case 950: return (Byte >= 0x40 && Byte <= 0x7E) || (Byte >= 0xA1 && Byte <= 0xFE);
  case 1361: return (Byte >= 0x31 && Byte <= 0x7E) || (Byte >= 0x91 && Byte <= 0xFE);
  default: return false;
  }
}

bool RP_IsKnownCodePage(int CodePage) {
  // Asked for every run of text, mostly of one code page.
  thread_local int LastCodePage = INT_MIN;
  thread_local bool LastKnown = false;
  if (CodePage != LastCodePage) {
    LastKnown = IconvName(RP_ActualCodePage(CodePage)) != nullptr;
    LastCodePage = CodePage;
  }
  return LastKnown;
}

namespace {

// UTF-8 is converted here rather than through iconv: it is what every name the engine keeps
// is stored in, and converting it a code unit at a time through iconv dominated loading.
// A byte that starts no valid sequence becomes U+FFFD and decoding goes on after it.
void DecodeUtf8(std::string_view Text, std::u16string& Result) {
  const auto Byte = [&Text](size_t i) { return static_cast<uint8_t>(Text[i]); };
  const auto Continuation = [&](size_t i) { return i < Text.size() && (Byte(i) & 0xC0) == 0x80; };
  for (size_t i = 0; i < Text.size();) {
    const uint8_t B = Byte(i);
    uint32_t Code = 0;
    size_t Length = 0;
    uint32_t Min = 0;
    if (B < 0x80) {
      Code = B;
      Length = 1;
    } else if (B >= 0xC2 && B <= 0xDF) {
      Code = B & 0x1F;
      Length = 2;
      Min = 0x80;
    } else if (B >= 0xE0 && B <= 0xEF) {
      Code = B & 0x0F;
      Length = 3;
      Min = 0x800;
    } else if (B >= 0xF0 && B <= 0xF4) {
      Code = B & 0x07;
      Length = 4;
      Min = 0x10000;
    }
    bool Valid = Length > 0;
    for (size_t k = 1; Valid && k < Length; ++k) {
      Valid = Continuation(i + k);
      if (Valid)
        Code = (Code << 6) | (Byte(i + k) & 0x3F);
    }
    if (Valid && Length > 1 &&
        (Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)))
      Valid = false;
    if (!Valid) {
      Result.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (Code >= 0x10000) {
      Result.push_back(static_cast<char16_t>(0xD800 + ((Code - 0x10000) >> 10)));
      Result.push_back(static_cast<char16_t>(0xDC00 + ((Code - 0x10000) & 0x3FF)));
    } else {
      Result.push_back(static_cast<char16_t>(Code));
    }
    i += Length;
  }
}

// A lone surrogate has no UTF-8 form: it becomes "?", as any character a code page lacks.
void EncodeUtf8(std::u16string_view Text, std::string& Result) {
  for (size_t i = 0; i < Text.size(); ++i) {
    uint32_t Code = Text[i];
    if (RP_IsHighSurrogate(Text[i]) && i + 1 < Text.size() && RP_IsLowSurrogate(Text[i + 1])) {
      Code = 0x10000 + ((Code - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
      ++i;
    } else if (Code >= 0xD800 && Code <= 0xDFFF) {
      Result.push_back('?');
      continue;
    }
    if (Code < 0x80) {
      Result.push_back(static_cast<char>(Code));
    } else if (Code < 0x800) {
      Result.push_back(static_cast<char>(0xC0 | (Code >> 6)));
      Result.push_back(static_cast<char>(0x80 | (Code & 0x3F)));
    } else if (Code < 0x10000) {
      Result.push_back(static_cast<char>(0xE0 | (Code >> 12)));
      Result.push_back(static_cast<char>(0x80 | ((Code >> 6) & 0x3F)));
      Result.push_back(static_cast<char>(0x80 | (Code & 0x3F)));
    } else {
      Result.push_back(static_cast<char>(0xF0 | (Code >> 18)));
      Result.push_back(static_cast<char>(0x80 | ((Code >> 12) & 0x3F)));
      Result.push_back(static_cast<char>(0x80 | ((Code >> 6) & 0x3F)));
      Result.push_back(static_cast<char>(0x80 | (Code & 0x3F)));
    }
  }
}

} // namespace

namespace {

// How text in a code page converts: the code page that is used (an unknown one converts as
// the system's) and its table when it is a single-byte one. Text comes in long stretches
// of one code page, so the last answer is kept.
struct TConversion {
  int Actual;
  const TSingleByteTable* Table;
};

TConversion ConversionOf(int CodePage) {
  thread_local int LastCodePage = INT_MIN;
  thread_local TConversion Last{};
  if (CodePage == LastCodePage)
    return Last;
  int Actual = RP_ActualCodePage(CodePage);
  if (!RP_IsKnownCodePage(Actual))
    Actual = RP_SystemAnsiCodePage;
  Last = {Actual,
          Actual == CP_UTF8 || RP_IsDBCSCodePage(Actual) ? nullptr : &SingleByteTable(Actual)};
  LastCodePage = CodePage;
  return Last;
}

} // namespace

std::u16string RP_AnsiToUnicode(std::string_view Text, int CodePage) {
  std::u16string Result;
  RP_AnsiToUnicode(Text, CodePage, Result);
  return Result;
}

void RP_AnsiToUnicode(std::string_view Text, int CodePage, std::u16string& Result) {
  const TConversion Conversion = ConversionOf(CodePage);
  const int Actual = Conversion.Actual;
  Result.clear();
  Result.reserve(Text.size());
  if (Actual == CP_UTF8) {
    DecodeUtf8(Text, Result);
    return;
  }
  if (RP_IsDBCSCodePage(Actual)) {
    // Whole runs at a time; an invalid byte is replaced and the rest goes on.
    static std::map<int, std::unique_ptr<TIconv>> Converters;
    std::unique_ptr<TIconv>& Conv = Converters[Actual];
    if (!Conv)
      Conv = std::make_unique<TIconv>("UTF-16LE", IconvName(Actual));
    Conv->ConvertLenient(Text, Result, u'\uFFFD');
    return;
  }
  const TSingleByteTable& Table = *Conversion.Table;
  Result.resize(Text.size());
  for (size_t i = 0; i < Text.size(); ++i)
    Result[i] = Table.ToUnicode[static_cast<uint8_t>(Text[i])];
}

std::string RP_UnicodeToAnsi(std::u16string_view Text, int CodePage) {
  const TConversion Conversion = ConversionOf(CodePage);
  const int Actual = Conversion.Actual;
  std::string Result;
  Result.reserve(Text.size());
  if (Actual == CP_UTF8) {
    EncodeUtf8(Text, Result);
    return Result;
  }
  if (RP_IsDBCSCodePage(Actual)) {
    static std::map<int, std::unique_ptr<TIconv>> Converters;
    std::unique_ptr<TIconv>& Conv = Converters[Actual];
    if (!Conv)
      Conv = std::make_unique<TIconv>(IconvName(Actual), "UTF-16LE");
    for (size_t i = 0; i < Text.size();) {
      const size_t Units =
          RP_IsHighSurrogate(Text[i]) && i + 1 < Text.size() && RP_IsLowSurrogate(Text[i + 1]) ? 2
                                                                                               : 1;
      const std::string In = RP_ToUtf16LE(Text.substr(i, Units));
      std::string Out;
      if (Conv->Valid() && Conv->Convert(In.data(), In.size(), Out))
        Result += Out;
      else
        Result.push_back('?');
      i += Units;
    }
    return Result;
  }
  const TSingleByteTable& Table = *Conversion.Table;
  Result.resize(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    const char16_t Unit = Text[i];
    int Byte;
    if (Unit < Table.FromLowUnicode.size()) {
      Byte = Table.FromLowUnicode[Unit];
    } else {
      const auto It = Table.FromUnicode.find(Unit);
      Byte = It == Table.FromUnicode.end() ? -1 : It->second;
    }
    Result[i] = Byte < 0 ? '?' : static_cast<char>(Byte);
  }
  return Result;
}

int RPU_Charset2CodePage(uint8_t Charset) {
  switch (Charset) {
  case 0:
  case 254: return 1252;
  case 2: return RP_IsDBCSCodePage(CP_ACP) ? 1252 : 0;
  case 77: return CP_MACCP;
  case 128: return 932;
  case 129: return 949;
  case 130: return 1361;
  case 134: return 936;
  case 136: return 950;
  case 161: return 1253;
  case 162: return 1254;
  case 163: return 1258;
  case 177: return 1255;
  case 178: return 1256;
  case 186: return 1257;
  case 204: return 1251;
  case 222: return 874;
  case 238: return 1250;
  case 255: return CP_OEMCP;
  default: return CP_ACP;
  }
}

std::u16string RPU_SymbolCharsetToUnicode(std::string_view Text) {
  std::u16string Result;
  Result.reserve(Text.size());
  for (char Byte : Text)
    Result.push_back(static_cast<char16_t>(0xF000 + static_cast<uint8_t>(Byte)));
  return Result;
}

std::string RP_SymbolCharsetToAnsiCharset(std::u16string_view Text) {
  std::string Result;
  Result.reserve(Text.size());
  for (char16_t Unit : Text) {
    if (Unit < 0xF000)
      Result += RP_UnicodeToAnsi(std::u16string_view(&Unit, 1), CP_ACP);
    else if (Unit <= 0xF0FF)
      Result.push_back(static_cast<char>(Unit - 0xF000));
  }
  return Result;
}

void RP_WriteUtf16LE(std::u16string_view Text, char* Out) {
  if constexpr (std::endian::native == std::endian::little) {
    if (!Text.empty())
      std::memcpy(Out, Text.data(), Text.size() * 2);
  } else {
    for (size_t i = 0; i < Text.size(); ++i) {
      Out[2 * i] = static_cast<char>(Text[i] & 0xFF);
      Out[2 * i + 1] = static_cast<char>(Text[i] >> 8);
    }
  }
}

std::string RP_ToUtf16LE(std::u16string_view Text) {
  std::string Bytes(Text.size() * 2, '\0');
  RP_WriteUtf16LE(Text, Bytes.data());
  return Bytes;
}

std::u16string RP_FromUtf16LE(std::string_view Bytes) {
  std::u16string Text(Bytes.size() / 2, u'\0');
  if constexpr (std::endian::native == std::endian::little) {
    if (!Text.empty())
      std::memcpy(Text.data(), Bytes.data(), Text.size() * 2);
  } else {
    for (size_t i = 0; i < Text.size(); ++i)
      Text[i] = RP_Utf16LEUnit(Bytes.data() + 2 * i);
  }
  return Text;
}
