// What a screen reader learns of a rich-text pane: a read-only document whose text is the
// article's in reading order (paragraphs by line ends, a table a row a line), with the
// selection as a range of that text, the boxes of its characters, and its headings and links
// as children (a link with its target, which it follows when pressed).
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <memory>

#include "richtext/view/RPReadingText.h"

class TRichPaneEdit;

class TRichPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
  explicit TRichPaneAccessible(TRichPaneEdit* Pane);
  ~TRichPaneAccessible() override;

  // Made for every TRichPaneEdit; installed with QAccessible::installFactory.
  static QAccessibleInterface* Factory(const QString& ClassName, QObject* Object);

  void* interface_cast(QAccessible::InterfaceType Type) override;
  QString text(QAccessible::Text Kind) const override;
  QAccessible::State state() const override;
  // The headings and links, in reading order.
  int childCount() const override;
  QAccessibleInterface* child(int Index) const override;
  int indexOfChild(const QAccessibleInterface* Child) const override;
  QAccessibleInterface* childAt(int X, int Y) const override;

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

  TRichPaneEdit& Pane() const;
  // The article as read now: read again when the pane holds another.
  const TRPReadingText& Reading() const;
  // The screen rectangle of document box Box.
  QRect ScreenRect(const TRect& Box) const;

private:
  void ForgetChildren() const;

  mutable std::unique_ptr<TRPReadingText> FReading;
  mutable int FReadingRevision = -1;
  // The children made so far, by index, as registered with QAccessible.
  mutable QHash<int, QAccessible::Id> FChildren;
};
