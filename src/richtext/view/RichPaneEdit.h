// The rich-text pane of the guide window.
//
// For now the pane keeps what it was asked to show and draws nothing; the reader,
// layout and painting fill its inside without changing these operations.
#pragma once

#include <QAbstractScrollArea>
#include <string>

class TRichPaneEdit : public QAbstractScrollArea {
  Q_OBJECT

public:
  explicit TRichPaneEdit(QWidget* Parent = nullptr);

  // Empties the document. Does not repaint.
  void Clear();
  // Reads the RTF file into the document; false when the file cannot be opened.
  bool LoadRTF(const std::string& FileName);
  // Lays the document out and repaints.
  void Format();

  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // The file the document was last loaded from; empty after Clear.
  const std::string& LoadedFileName() const { return FLoadedFileName; }
  // How many times the document was formatted (each formatting repaints).
  int FormatCount() const { return FFormatCount; }

private:
  std::string FLoadedFileName;
  bool FModified = false;
  int FFormatCount = 0;
};
