#include "richtext/view/RichPaneAccessible.h"

#include <QRect>
#include <QWidget>

#include "richtext/view/RichPaneEdit.h"

namespace {

// A heading or a link of the article, a child of the pane's document.
class TRichPaneSpanAccessible : public QAccessibleInterface,
                                public QAccessibleHyperlinkInterface,
                                public QAccessibleActionInterface {
public:
  TRichPaneSpanAccessible(TRichPaneAccessible& Pane, TRPReadingText::TSpan Span, QString Text)
      : FPane(Pane), FSpan(std::move(Span)), FText(std::move(Text)) {}

  bool isValid() const override { return FPane.isValid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FPane.window(); }
  QAccessibleInterface* parent() const override { return &FPane; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

  QAccessible::Role role() const override {
    return IsLink() ? QAccessible::Link : QAccessible::Heading;
  }
  QString text(QAccessible::Text Kind) const override {
    if (Kind == QAccessible::Name)
      return FText;
    if (Kind == QAccessible::Description)
      return IsLink() ? anchorTarget() : QStringLiteral("Level %1").arg(FSpan.Level);
    return {};
  }
  // The box around its characters, on screen.
  QRect rect() const override {
    TRect Box{};
    const TRPReadingText& Reading = FPane.Reading();
    for (int i = FSpan.Start; i < FSpan.End; ++i) {
      const TRect Char = Reading.CharBox(i);
      if (Char.Bottom <= Char.Top)
        continue;
      Box = Box.Bottom > Box.Top
                ? TRect{std::min(Box.Left, Char.Left), std::min(Box.Top, Char.Top),
                        std::max(Box.Right, Char.Right), std::max(Box.Bottom, Char.Bottom)}
                : Char;
    }
    return FPane.ScreenRect(Box);
  }
  QAccessible::State state() const override {
    QAccessible::State State;
    State.readOnly = true;
    State.linked = IsLink();
    State.offscreen = !rect().intersects(FPane.rect());
    return State;
  }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (IsLink() && Type == QAccessible::HyperlinkInterface)
      return static_cast<QAccessibleHyperlinkInterface*>(this);
    if (IsLink() && Type == QAccessible::ActionInterface)
      return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  // QAccessibleHyperlinkInterface
  QString anchor() const override { return FText; }
  QString anchorTarget() const override { return QString::fromStdString(FSpan.Target); }
  int startIndex() const override { return FSpan.Start; }
  int endIndex() const override { return FSpan.End; }

  // QAccessibleActionInterface: a link is followed as a click follows it.
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& Name) override {
    if (Name == pressAction())
      FPane.Pane().FollowLink({FSpan.Target, {}});
  }

private:
  bool IsLink() const { return !FSpan.Target.empty(); }

  TRichPaneAccessible& FPane;
  const TRPReadingText::TSpan FSpan;
  const QString FText;
};

} // namespace

TRichPaneAccessible::TRichPaneAccessible(TRichPaneEdit* Pane)
    : QAccessibleWidget(Pane, QAccessible::Document) {}

TRichPaneAccessible::~TRichPaneAccessible() { ForgetChildren(); }

QAccessibleInterface* TRichPaneAccessible::Factory(const QString& ClassName, QObject* Object) {
  if (ClassName == QLatin1String("TRichPaneEdit"))
    if (auto* Pane = qobject_cast<TRichPaneEdit*>(Object))
      return new TRichPaneAccessible(Pane);
  return nullptr;
}

TRichPaneEdit& TRichPaneAccessible::Pane() const { return *static_cast<TRichPaneEdit*>(widget()); }

const TRPReadingText& TRichPaneAccessible::Reading() const {
  TCustomRichPane& Core = Pane().Core();
  if (!FReading || FReadingRevision != Core.ContentRevision()) {
    ForgetChildren();
    FReading = std::make_unique<TRPReadingText>(Core.RPData());
    FReadingRevision = Core.ContentRevision();
  }
  return *FReading;
}

QRect TRichPaneAccessible::ScreenRect(const TRect& Box) const {
  if (Box.Bottom <= Box.Top)
    return {};
  const TCustomRichPane& Core = Pane().Core();
  const QPoint TopLeft = Pane().viewport()->mapToGlobal(
      QPoint(Box.Left - Core.HPos(), Box.Top - static_cast<int>(Core.VOffs())));
  return {TopLeft, QSize(Box.Right - Box.Left, Box.Bottom - Box.Top)};
}

void TRichPaneAccessible::ForgetChildren() const {
  for (const QAccessible::Id Id : std::as_const(FChildren))
    QAccessible::deleteAccessibleInterface(Id);
  FChildren.clear();
}

void* TRichPaneAccessible::interface_cast(QAccessible::InterfaceType Type) {
  if (Type == QAccessible::TextInterface)
    return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

QString TRichPaneAccessible::text(QAccessible::Text Kind) const {
  if (Kind == QAccessible::Value)
    return QString::fromStdU16String(Reading().Text());
  return QAccessibleWidget::text(Kind);
}

QAccessible::State TRichPaneAccessible::state() const {
  QAccessible::State State = QAccessibleWidget::state();
  State.readOnly = true;
  State.selectableText = true;
  State.multiLine = true;
  return State;
}

// The scroll bars are not told: the article's headings and links are the children.
int TRichPaneAccessible::childCount() const { return static_cast<int>(Reading().Spans().size()); }

QAccessibleInterface* TRichPaneAccessible::child(int Index) const {
  const TRPReadingText& Read = Reading();
  if (Index < 0 || Index >= static_cast<int>(Read.Spans().size()))
    return nullptr;
  if (const auto Known = FChildren.constFind(Index); Known != FChildren.constEnd())
    if (QAccessibleInterface* Child = QAccessible::accessibleInterface(*Known))
      return Child;
  const TRPReadingText::TSpan& Span = Read.Spans()[static_cast<size_t>(Index)];
  auto* Child = new TRichPaneSpanAccessible(
      const_cast<TRichPaneAccessible&>(*this), Span,
      QString::fromStdU16String(Read.Text().substr(static_cast<size_t>(Span.Start),
                                                   static_cast<size_t>(Span.End - Span.Start))));
  FChildren.insert(Index, QAccessible::registerAccessibleInterface(Child));
  return Child;
}

int TRichPaneAccessible::indexOfChild(const QAccessibleInterface* Child) const {
  const QAccessible::Id Id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(Child));
  for (auto Known = FChildren.constBegin(); Known != FChildren.constEnd(); ++Known)
    if (Known.value() == Id)
      return Known.key();
  return -1;
}

QAccessibleInterface* TRichPaneAccessible::childAt(int X, int Y) const {
  const int Count = childCount();
  for (int i = Count - 1; i >= 0; --i)
    if (QAccessibleInterface* Child = child(i); Child->rect().contains(X, Y))
      return Child;
  return nullptr;
}

void TRichPaneAccessible::selection(int SelectionIndex, int* StartOffset, int* EndOffset) const {
  *StartOffset = *EndOffset = 0;
  const std::optional<std::pair<int, int>> Selected = Reading().Selection();
  if (SelectionIndex == 0 && Selected)
    std::tie(*StartOffset, *EndOffset) = *Selected;
}

int TRichPaneAccessible::selectionCount() const { return Reading().Selection() ? 1 : 0; }

// The article is read, not edited: its selection is the mouse's.
void TRichPaneAccessible::addSelection(int, int) {}
void TRichPaneAccessible::removeSelection(int) {}
void TRichPaneAccessible::setSelection(int, int, int) {}
void TRichPaneAccessible::setCursorPosition(int) {}

// No caret: the end of the selection stands for it.
int TRichPaneAccessible::cursorPosition() const {
  const std::optional<std::pair<int, int>> Selected = Reading().Selection();
  return Selected ? Selected->second : 0;
}

QString TRichPaneAccessible::text(int StartOffset, int EndOffset) const {
  const std::u16string& All = Reading().Text();
  if (StartOffset < 0 || EndOffset > static_cast<int>(All.size()) || StartOffset > EndOffset)
    return {};
  return QString::fromStdU16String(
      All.substr(static_cast<size_t>(StartOffset), static_cast<size_t>(EndOffset - StartOffset)));
}

int TRichPaneAccessible::characterCount() const {
  return static_cast<int>(Reading().Text().size());
}

QRect TRichPaneAccessible::characterRect(int Offset) const {
  return ScreenRect(Reading().CharBox(Offset));
}

int TRichPaneAccessible::offsetAtPoint(const QPoint& Point) const {
  const TCustomRichPane& Core = Pane().Core();
  const QPoint Client = Pane().viewport()->mapFromGlobal(Point);
  return Reading()
      .OffsetAt(Client.x() + Core.HPos(), Client.y() + static_cast<int>(Core.VOffs()))
      .value_or(-1);
}

// Scrolls the substring's first line into view when it is not in view.
void TRichPaneAccessible::scrollToSubstring(int StartIndex, int) {
  const TRect Box = Reading().CharBox(StartIndex);
  TCustomRichPane& Core = Pane().Core();
  const int32_t Top = Core.VOffs();
  if (Box.Bottom > Box.Top && (Box.Top < Top || Box.Bottom > Top + Pane().viewport()->height()))
    Core.ScrollTo(Box.Top);
}

// The article's text has no attributes told: the whole of it is one run.
QString TRichPaneAccessible::attributes(int, int* StartOffset, int* EndOffset) const {
  *StartOffset = 0;
  *EndOffset = characterCount();
  return {};
}
