// Tables of an RTF read: the reader's table events become table items whose cells are
// documents of their own. While a table is open, the items of the read go into the cell
// being read; at each row's end its cells are put on the table's columns, and when the
// table ends it is placed where it began.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "richtext/rtf/RPRTFReader.h"
#include "richtext/table/RPTable.h"

class TCustomRPData;
class TRPStyle;

class TRPRTFTableBuilder {
public:
  // What the read does for the builder: place a finished table (as a paragraph of its own,
  // in paragraph style ParaNo) where items go now, the paragraph style of a table's line,
  // and moving what an unfinished row held out as paragraphs.
  struct THost {
    std::function<void(std::unique_ptr<TRPTableItemInfo> Table)> PlaceTable;
    std::function<int(const TRPRTFParaProperties& Para)> ParaNoFor;
    std::function<void(TRPTableCellData& Cell)> MoveOut;
  };

  // The reader settings tables are finished with.
  struct TSettings {
    bool UseSingleCellPadding = false;
    bool AutoHideTableGridLines = false;
    bool ExplicitTableWidth = false;
  };

  TRPRTFTableBuilder(TRPRTFReader& Reader, TCustomRPData& RPData, TSettings Settings, THost Host);
  ~TRPRTFTableBuilder();

  // The reader's OnTable; false refuses an end the table is not ready for.
  bool Event(TRPRTFTableEventKind Kind);
  // The document items go into now: the cell being read, or nullptr outside tables.
  TCustomRPData* CurrentCell() const;

private:
  struct TTable;
  void Start();
  void EndCell();
  void EndRow();
  void End(bool Forced);
  // The cells of the row just read on the table's columns (AssignRowProperties).
  void AssignRowProperties(TTable& T, const TRPRTFRowProperties& Row);
  void AssignCellProperties(TTable& T, TRPTableCellData& Cell, const TRPRTFRowProperties& Row,
                            const TRPRTFCellProperties& Props, int32_t LeftTw, int32_t RightTw);
  // The column of the line at Tw, inserting a new line (and column) when there is none.
  int ColumnLine(TTable& T, int32_t Tw);
  void Finalize(TTable& T);
  TRPStyleLength Units(int64_t Twips) const;

  TRPRTFReader& Reader;
  TCustomRPData& RPData;
  TRPStyle& RPStyle;
  TSettings FSettings;
  THost FHost;
  std::vector<std::unique_ptr<TTable>> FTables;
};
