// Draw items: the pieces formatting cuts the document's items into, one per item and
// line, each placed at a position of the formatted document, and the owning list that
// keeps them in document order.
//
// All coordinates are device pixels of the formatting canvas in document coordinates.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCustomRPData;
class TCustomRPItemInfo;
class TParaInfo;

enum TRPDrawItemFloatType : uint8_t { rpdifLeft, rpdifRight };

class TRPDrawLineInfo {
public:
  TRPDrawLineInfo() = default;
  TRPDrawLineInfo(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight, int32_t AItemNo,
                  bool AFromNewLine);
  virtual ~TRPDrawLineInfo() = default;
  TRPDrawLineInfo(const TRPDrawLineInfo&) = delete;
  TRPDrawLineInfo& operator=(const TRPDrawLineInfo&) = delete;

  // Values a class does not store read as their defaults, and setting them does nothing.
  virtual int32_t GetSpaceAtLeft() const { return 0; }
  virtual void SetSpaceAtLeft(int32_t) {}
  virtual int32_t GetExtraSpaceAbove() const { return 0; }
  virtual void SetExtraSpaceAbove(int32_t) {}
  virtual int32_t GetExtraSpaceBelow() const { return 0; }
  virtual void SetExtraSpaceBelow(int32_t) {}
  virtual int32_t GetObjectHeight() const { return Height; }
  virtual int32_t GetObjectLeft() const { return Left; }
  virtual int32_t GetObjectTop() const { return Top; }
  virtual int32_t GetObjectWidth() const { return Width; }
  virtual int32_t GetTextWidth() const { return Width; }
  virtual void SetTextWidth(int32_t) {}
  virtual int32_t GetSpaceCount() const { return 0; }
  virtual void SetSpaceCount(int32_t) {}
  virtual int32_t GetLeftNoExpandIndex() const { return 0; }
  virtual void SetLeftNoExpandIndex(int32_t) {}
  virtual int32_t GetRightNoExpandIndex() const { return 0; }
  virtual void SetRightNoExpandIndex(int32_t) {}
  // The class's number in a saved formatting.
  virtual int32_t GetStreamingId() const { return 0; }
  void SetData(int32_t ALeft, int32_t ATop, int32_t AItemNo, bool AFromNewLine);
  void SetSize(int32_t AWidth, int32_t AHeight);

  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t ItemNo = 0;
  // 1-based first character of a text piece (1 for an empty text item), 0 for others.
  int32_t Offs = 0;
  int32_t Length = 0;
  bool FromNewLine = false;
  bool FromNewPara = false;
  bool FloatingAboveUsed = false;
};

// Pieces of justified lines and list markers: the width before justification and how
// the surplus is spread.
class TRPJustifyDrawLineInfo : public TRPDrawLineInfo {
public:
  using TRPDrawLineInfo::TRPDrawLineInfo;
  int32_t GetTextWidth() const override { return FTextWidth; }
  void SetTextWidth(int32_t Value) override { FTextWidth = Value; }
  int32_t GetSpaceCount() const override { return FSpaceCount; }
  void SetSpaceCount(int32_t Value) override { FSpaceCount = Value; }
  int32_t GetLeftNoExpandIndex() const override { return FLeftNoExpandIndex; }
  void SetLeftNoExpandIndex(int32_t Value) override { FLeftNoExpandIndex = Value; }
  int32_t GetRightNoExpandIndex() const override { return FRightNoExpandIndex; }
  void SetRightNoExpandIndex(int32_t Value) override { FRightNoExpandIndex = Value; }
  int32_t GetStreamingId() const override { return 1; }
  // A list marker's draw item keeps its offset where a text piece keeps its width.
  int32_t MarkerOffset() const { return FTextWidth; }
  void SetMarkerOffset(int32_t Value) { FTextWidth = Value; }

private:
  int32_t FTextWidth = 0;
  int32_t FSpaceCount = 0;
  int32_t FLeftNoExpandIndex = 0;
  int32_t FRightNoExpandIndex = 0;
};

// Pieces of lines with proportional or added line spacing.
class TRPSimpleLineHeightDrawLineInfo : public TRPJustifyDrawLineInfo {
public:
  using TRPJustifyDrawLineInfo::TRPJustifyDrawLineInfo;
  int32_t GetExtraSpaceBelow() const override { return FExtraSpaceBelow; }
  void SetExtraSpaceBelow(int32_t Value) override { FExtraSpaceBelow = Value; }
  int32_t GetStreamingId() const override { return 2; }

private:
  int32_t FExtraSpaceBelow = 0;
};

// Pieces of lines with an at-least or exact height, which may need room above as well.
class TRPComplexLineHeightDrawLineInfo : public TRPSimpleLineHeightDrawLineInfo {
public:
  using TRPSimpleLineHeightDrawLineInfo::TRPSimpleLineHeightDrawLineInfo;
  int32_t GetExtraSpaceAbove() const override { return FExtraSpaceAbove; }
  void SetExtraSpaceAbove(int32_t Value) override { FExtraSpaceAbove = Value; }
  int32_t GetStreamingId() const override { return 3; }

private:
  int32_t FExtraSpaceAbove = 0;
};

// A floating object: a zero-width placeholder in its line, the object painted at the
// float rectangle.
class TRPFloatingDrawLineInfo : public TRPComplexLineHeightDrawLineInfo {
public:
  using TRPComplexLineHeightDrawLineInfo::TRPComplexLineHeightDrawLineInfo;
  int32_t GetObjectLeft() const override { return FloatLeft; }
  int32_t GetObjectTop() const override { return FloatTop; }
  int32_t GetObjectWidth() const override { return FloatWidth; }
  int32_t GetObjectHeight() const override { return FloatHeight; }
  int32_t GetStreamingId() const override { return 4; }
  int32_t FloatRight() const { return FloatLeft + FloatWidth; }
  int32_t FloatBottom() const { return FloatTop + FloatHeight; }

  int32_t FloatLeft = 0;
  int32_t FloatTop = 0;
  int32_t FloatWidth = 0;
  int32_t FloatHeight = 0;
  TRPDrawItemFloatType FloatType = rpdifLeft;
};

// A new draw item of the class an item needs in a paragraph of ParaStyle.
std::unique_ptr<TRPDrawLineInfo> RP_NewStandardDrawLineInfo(const TCustomRPItemInfo& Item,
                                                            const TParaInfo& ParaStyle);

// The draw items of a formatted document in document order. Reformatting a range frees
// the old pieces in place (MarkForDelete), inserts the new ones into the freed slots and
// removes the slots left over at once (DeleteMarked), so the list is not shifted once
// per new piece.
class TRPDrawLines {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TRPDrawLineInfo& operator[](int Index) const { return *FItems[static_cast<size_t>(Index)]; }
  TRPDrawLineInfo* Get(int Index) const { return FItems[static_cast<size_t>(Index)].get(); }
  void Put(int Index, std::unique_ptr<TRPDrawLineInfo> Item);
  void Add(std::unique_ptr<TRPDrawLineInfo> Item);
  // While a deletion is pending, only the first freed slot may be filled.
  void Insert(int Index, std::unique_ptr<TRPDrawLineInfo> Item);
  void MarkForDelete(int First, int Last);
  void DeleteMarked();
  void Delete(int Index);
  void Clear();
  bool DeletionPending() const { return FDeletedCount > 0; }

  // The characters of piece Index as its item stores them (two bytes a character for
  // Unicode items): all of them, from the Start-th (1-based) on, or Count from the
  // Start-th, cut to the piece's end.
  std::string GetString(int Index, const TCustomRPData& RPData) const;
  std::string GetRightString(int Index, const TCustomRPData& RPData, int32_t Start) const;
  std::string GetSubString(int Index, const TCustomRPData& RPData, int32_t Start,
                           int32_t Count) const;

private:
  void DeleteRange(int First, int Last);
  std::vector<std::unique_ptr<TRPDrawLineInfo>> FItems;
  int FStartDeletedIndex = -1;
  int FDeletedCount = 0;
};
