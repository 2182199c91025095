// Numbered sequence fields: labels whose text is a counter of a named sequence
// ("Figure 1", "Figure 2", ...). The document keeps every field of its tree in one
// list in document order (TRPSeqList) and computes the counters on it; the field
// holds the numbering data and draws its current text as a label.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/RPItemRegister.h"
#include "richtext/model/RPLabelItem.h"

class TRPSeqList;

// The sequence of fields made without a name.
inline constexpr const char* RP_DEFAULT_SEQNAME = "Sequence";

class TRPSeqItemInfo : public TRPLabelItemInfo {
public:
  explicit TRPSeqItemInfo(TCustomRPData* RPData);
  // An empty SeqName gives RP_DEFAULT_SEQNAME.
  TRPSeqItemInfo(TCustomRPData* RPData, const std::string& ASeqName, TRPSeqType ANumberType,
                 int ATextStyleNo, const std::string& AFormatString);
  // Leaves the sequence list it is still in.
  ~TRPSeqItemInfo() override;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override;

  virtual TRPSeqType GetNumberType() const { return FNumberType; }
  virtual void SetNumberType(TRPSeqType Value) { FNumberType = Value; }

  void Assign(const TCustomRPItemInfo& Source) override;

  // The label's text from Counter: the number in NumberType, put into FormatString
  // (its only argument) when there is one. Never fails, whatever the pattern.
  void UpdateText();
  // The sequence list the field is in now, or nullptr.
  std::shared_ptr<TRPSeqList> SeqList() const;

  std::string SeqName = RP_DEFAULT_SEQNAME;
  int32_t StartFrom = 1;
  // The counter restarts at StartFrom here.
  bool Reset = false;
  int32_t Counter = 1;
  // A pattern with one argument, the counter's text (UTF-8); empty: the text alone.
  std::string FormatString;

private:
  friend class TRPItemRegister<TRPSeqList, TRPSeqItemInfo>;
  TRPSeqType FNumberType = rpseqDecimal;
  TRPRegisterLink<TRPSeqList> FListLink;
};

// The sequence fields of one document tree in document order; it does not own
// them. The absolute root document keeps it, made on demand.
class TRPSeqList : public TRPItemRegister<TRPSeqList, TRPSeqItemInfo> {
public:
  // Counters and texts of every field from Index on. Names are compared without
  // regard to ASCII case: a Reset field starts at its StartFrom, any other counts on
  // from the nearest earlier field of its sequence, or starts at 1.
  void RecalcCounters(int Index);
};
