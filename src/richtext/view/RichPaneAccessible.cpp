#include "richtext/view/RichPaneAccessible.h"

#include <QRect>

#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPaneEdit.h"

namespace {

// The length of the document's text before the caret (ItemNo, Offs).
int TextOffset(TCustomRPData& Doc, int ItemNo, int Offs) {
  if (Doc.GetItemCount() == 0)
    return 0;
  return static_cast<int>(RP_RangeText(Doc, {0, Doc.GetOffsBeforeItem(0), ItemNo, Offs}).size());
}

} // namespace

TRichPaneAccessible::TRichPaneAccessible(TRichPaneEdit* Pane)
    : QAccessibleWidget(Pane, QAccessible::Document) {}

QAccessibleInterface* TRichPaneAccessible::Factory(const QString& ClassName, QObject* Object) {
  if (ClassName == QLatin1String("TRichPaneEdit"))
    if (auto* Pane = qobject_cast<TRichPaneEdit*>(Object))
      return new TRichPaneAccessible(Pane);
  return nullptr;
}

TRichPaneEdit& TRichPaneAccessible::Pane() const { return *static_cast<TRichPaneEdit*>(widget()); }

QString TRichPaneAccessible::DocumentText() const {
  return QString::fromStdU16String(RP_DocumentText(Pane().Core().RPData()));
}

void* TRichPaneAccessible::interface_cast(QAccessible::InterfaceType Type) {
  if (Type == QAccessible::TextInterface)
    return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

QString TRichPaneAccessible::text(QAccessible::Text Kind) const {
  if (Kind == QAccessible::Value)
    return DocumentText();
  return QAccessibleWidget::text(Kind);
}

QAccessible::State TRichPaneAccessible::state() const {
  QAccessible::State State = QAccessibleWidget::state();
  State.readOnly = true;
  State.selectableText = true;
  State.multiLine = true;
  return State;
}

// The selection of the document's own text; one inside a table is not told as a range.
void TRichPaneAccessible::selection(int SelectionIndex, int* StartOffset, int* EndOffset) const {
  *StartOffset = *EndOffset = 0;
  TCustomRPFormattedData& Doc = Pane().Core().RPData();
  const std::optional<TRPItemRange> Range = RP_SelectedItems(Doc);
  if (SelectionIndex != 0 || !Range || Doc.PartialSelectedItem())
    return;
  *StartOffset = TextOffset(Doc, Range->FirstItem, Range->FirstOffs);
  *EndOffset = TextOffset(Doc, Range->LastItem, Range->LastOffs);
}

int TRichPaneAccessible::selectionCount() const {
  TCustomRPFormattedData& Doc = Pane().Core().RPData();
  return Doc.SelectionExists(false) && !Doc.PartialSelectedItem() ? 1 : 0;
}

// The article is read, not edited: its selection is the mouse's.
void TRichPaneAccessible::addSelection(int, int) {}
void TRichPaneAccessible::removeSelection(int) {}
void TRichPaneAccessible::setSelection(int, int, int) {}
int TRichPaneAccessible::cursorPosition() const { return 0; }
void TRichPaneAccessible::setCursorPosition(int) {}

QString TRichPaneAccessible::text(int StartOffset, int EndOffset) const {
  const QString All = DocumentText();
  if (StartOffset < 0 || EndOffset > All.size() || StartOffset > EndOffset)
    return {};
  return All.mid(StartOffset, EndOffset - StartOffset);
}

int TRichPaneAccessible::characterCount() const { return static_cast<int>(DocumentText().size()); }

QRect TRichPaneAccessible::characterRect(int) const { return {}; }
int TRichPaneAccessible::offsetAtPoint(const QPoint&) const { return -1; }
void TRichPaneAccessible::scrollToSubstring(int, int) {}

QString TRichPaneAccessible::attributes(int Offset, int* StartOffset, int* EndOffset) const {
  *StartOffset = *EndOffset = Offset;
  return {};
}
