// What a screen reader learns of a rich-text pane: a read-only document whose text is the
// article's in reading order (paragraphs by line ends, a table a row a line), with the
// selection as a range of that text.
#pragma once

#include <QAccessibleWidget>

class TRichPaneEdit;

class TRichPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
  explicit TRichPaneAccessible(TRichPaneEdit* Pane);

  // Made for every TRichPaneEdit; installed with QAccessible::installFactory.
  static QAccessibleInterface* Factory(const QString& ClassName, QObject* Object);

  void* interface_cast(QAccessible::InterfaceType Type) override;
  QString text(QAccessible::Text Kind) const override;
  QAccessible::State state() const override;

  // QAccessibleTextInterface
  void selection(int SelectionIndex, int* StartOffset, int* EndOffset) const override;
  int selectionCount() const override;
  void addSelection(int StartOffset, int EndOffset) override;
  void removeSelection(int SelectionIndex) override;
  void setSelection(int SelectionIndex, int StartOffset, int EndOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int Position) override;
  QString text(int StartOffset, int EndOffset) const override;
  int characterCount() const override;
  QRect characterRect(int Offset) const override;
  int offsetAtPoint(const QPoint& Point) const override;
  void scrollToSubstring(int StartIndex, int EndIndex) override;
  QString attributes(int Offset, int* StartOffset, int* EndOffset) const override;

private:
  TRichPaneEdit& Pane() const;
  QString DocumentText() const;
};
