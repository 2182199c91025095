// The document: an ordered list of items with their paragraph structure.
//
// This header holds what the items themselves ask of the document they belong to;
// the container's adding, reading and removing operations build on it.
#pragma once

#include <cstdint>
#include <string>

#include "richtext/gfx/EnumSet.h"
#include "richtext/model/RPTypes.h"

class TRPStyle;
class TRPCanvas;
class TCustomRPItemInfo;

// Transient flags of a document.
enum TRPDataFlag : uint8_t {
  rpflRoot,
  rpflRootEditor,
  rpflTrim,
  rpflShareContents,
  rpflUseJumps,
  rpflCanUseCustomPPI,
  rpflCanProcessGetText,
  rpflUseExternalLeading,
  rpflAllowCustomDrawItems,
  rpflPrinting
};
using TRPDataFlags = EnumSet<TRPDataFlag>;

// What happens to an item, as the document is told.
enum TRPItemAction : uint8_t { rpiaInserting, rpiaInserted, rpiaDestroying, rpiaMovingToUndoList };

class TCustomRPData {
public:
  virtual ~TCustomRPData() = default;

  // The style sheet the document's style numbers refer to.
  virtual TRPStyle* GetRPStyle() const = 0;
  virtual TRPDataFlags GetFlags() const = 0;
  virtual TRPBiDiMode GetBiDiMode() const { return rpbdUnspecified; }
  virtual bool UseVerticalFonts() const { return false; }
  // Style templates are not used by this program's documents; a text style number
  // passes through unchanged unless a document says otherwise.
  virtual bool UseStyleTemplates() const { return false; }
  virtual int GetStyleFromStyleTemplate(int StyleNo) const { return StyleNo; }
  // Stores a text style chosen for Item by the style-template mapping.
  virtual void ModifyStyleNoByTemplate(TCustomRPItemInfo& Item, int NewStyleNo);
  // Told when an item is inserted into, or leaves, the document.
  virtual void ItemAction(TRPItemAction, TCustomRPItemInfo&) {}

  // ---- answered by formatted documents
  // The high-resolution surface text is measured on, or nullptr.
  virtual TRPCanvas* GetFormatCanvas() const { return nullptr; }
  // Whether fields are highlighted as if current (the document is being shown active).
  virtual bool GetForceFieldHighlight() const { return false; }
  // Runs hypertext link number JumpNo.
  virtual void ExecuteJump(int) {}

  // Number of the first hypertext target of this document.
  int32_t FFirstJumpNo = 0;
};
