// Numbered sequence fields: labels whose text is a counter of a named sequence
// ("Figure 1", "Figure 2", ...). The counters are computed by the document from the
// fields in order; the field holds the numbering data and draws its current text
// as a label.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "richtext/model/RPLabelItem.h"

enum TRPSeqType : uint8_t {
  rpseqDecimal,
  rpseqLowerAlpha,
  rpseqUpperAlpha,
  rpseqLowerRoman,
  rpseqUpperRoman
};

// The sequence of fields made without a name.
inline constexpr const char* RP_DEFAULT_SEQNAME = "Sequence";

class TRPSeqItemInfo : public TRPLabelItemInfo {
public:
  explicit TRPSeqItemInfo(TCustomRPData* RPData);
  // An empty SeqName gives RP_DEFAULT_SEQNAME.
  TRPSeqItemInfo(TCustomRPData* RPData, const std::string& ASeqName, TRPSeqType ANumberType,
                 int ATextStyleNo, const std::string& AFormatString);
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  virtual TRPSeqType GetNumberType() const { return FNumberType; }
  virtual void SetNumberType(TRPSeqType Value) { FNumberType = Value; }

  void Assign(const TCustomRPItemInfo& Source) override;

  std::string SeqName = RP_DEFAULT_SEQNAME;
  int32_t StartFrom = 1;
  // The counter restarts at StartFrom here.
  bool Reset = false;
  int32_t Counter = 1;
  // A pattern with one argument, the counter's text (UTF-8); empty: the text alone.
  std::string FormatString;

private:
  TRPSeqType FNumberType = rpseqDecimal;
};
