#include "richtext/view/RichPaneEdit.h"

#include <fstream>

TRichPaneEdit::TRichPaneEdit(QWidget* Parent) : QAbstractScrollArea(Parent) {
  setFrameShape(QFrame::StyledPanel);
}

void TRichPaneEdit::Clear() { FLoadedFileName.clear(); }

bool TRichPaneEdit::LoadRTF(const std::string& FileName) {
  FLoadedFileName = FileName;
  return std::ifstream(FileName, std::ios::binary).is_open();
}

void TRichPaneEdit::Format() {
  ++FFormatCount;
  viewport()->update();
}
