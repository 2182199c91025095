#include "richtext/view/RichPaneEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <utility>

#include "platform/qt/QtCanvas.h"
#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPTypes.h"
#include "richtext/view/RPRPFWriter.h"
#include "richtext/view/RPRTFWriter.h"
#include "richtext/view/RPTextWriter.h"

TRichPaneEdit::TRichPaneEdit(QWidget* Parent)
    : QAbstractScrollArea(Parent),
      OpenUrl([](const QUrl& Url) { return QDesktopServices::openUrl(Url); }),
      Clock([Timer = std::make_shared<QElapsedTimer>()] {
        if (!Timer->isValid())
          Timer->start();
        return Timer->elapsed();
      }),
      FCore(*this),
      FMeasuringCanvas(std::make_unique<TRPQtCanvas>(1, 1, RichPaneSwitches.ScreenPixelsPerInch,
                                                     RichPaneSwitches.ScreenPixelsPerInch)) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  viewport()->setCursor(Qt::IBeamCursor);
  // The pointer shows a link when it passes over one, without a button held.
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  for (TRPScrollBarKind Kind : {rpsbVertical, rpsbHorizontal}) {
    QScrollBar* ScrollBar = Bar(Kind);
    ScrollBar->setRange(0, 0);
    // The bar's own wheel handling would scroll by its own measure.
    ScrollBar->installEventFilter(this);
    connect(ScrollBar, &QAbstractSlider::actionTriggered, this,
            [this, Kind](int Action) { BarAction(Kind, Action); });
    connect(ScrollBar, &QAbstractSlider::sliderReleased, this,
            [this, Kind] { ScrollBarReleased(Kind); });
  }
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Without a caret to move, the keys scroll the view.
  FCore.KeyboardScroll = true;
  FCore.OnSelect = [this] {
    AnnounceSelection();
    emit selectionChanged();
  };
  FAutoScrollTimer.setTimerType(Qt::CoarseTimer);
  connect(&FAutoScrollTimer, &QTimer::timeout, this, [this] { FCore.AutoScrollTick(); });
}

TRichPaneEdit::~TRichPaneEdit() = default;

// ---------------------------------------------------------------- the guide's operations

template <typename TAction> bool TRichPaneEdit::Guarded(const char* What, TAction&& Action) {
  try {
    Action();
    return true;
  } catch (const std::exception& Error) {
    qWarning("The pane cannot %s: %s", What, Error.what());
  } catch (...) {
    qWarning("The pane cannot %s", What);
  }
  InvalidateClient();
  return false;
}

void TRichPaneEdit::Clear() {
  FLoadedFileName.clear();
  Guarded("clear the article", [this] { FCore.Clear(); });
}

bool TRichPaneEdit::LoadRTF(const std::string& FileName) {
  FLoadedFileName = FileName;
  bool Complete = false;
  return Guarded("read the article", [&] { Complete = FCore.LoadRTF(FileName); }) && Complete;
}

void TRichPaneEdit::Format() {
  ++FFormatCount;
  Guarded("lay out the article", [this] { FCore.Format(); });
  // A screen reader reads the new headings and links.
  if (QAccessible::isActive()) {
    QAccessibleEvent Event(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&Event);
  }
}

// ---------------------------------------------------------------- what the core asks

int32_t TRichPaneEdit::ClientWidth() const { return viewport()->width(); }
int32_t TRichPaneEdit::ClientHeight() const { return viewport()->height(); }

QScrollBar* TRichPaneEdit::Bar(TRPScrollBarKind Kind) const {
  return Kind == rpsbVertical ? verticalScrollBar() : horizontalScrollBar();
}

int32_t TRichPaneEdit::SetScrollBar(TRPScrollBarKind Kind, int32_t Max, int32_t Page, int32_t Pos,
                                    bool Visible) {
  QScrollBar* ScrollBar = Bar(Kind);
  const QSignalBlocker Blocker(ScrollBar);
  // The bar's maximum is the last position at which a page still fits.
  ScrollBar->setRange(0, std::max(Max - Page + 1, 0));
  ScrollBar->setPageStep(std::max(Page, 1));
  ScrollBar->setSingleStep(1);
  ScrollBar->setTracking(FCore.Tracking);
  ScrollBar->setValue(Pos);
  const Qt::ScrollBarPolicy Policy = Visible ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  if (Kind == rpsbVertical)
    setVerticalScrollBarPolicy(Policy);
  else
    setHorizontalScrollBarPolicy(Policy);
  // A bar shown or hidden changes the viewport only when the layout runs: run it now, so
  // that formatting sees the new client size.
  QEvent LayoutRequest(QEvent::LayoutRequest);
  QApplication::sendEvent(this, &LayoutRequest);
  return ScrollBar->value();
}

int32_t TRichPaneEdit::SetScrollPos(TRPScrollBarKind Kind, int32_t Pos) {
  QScrollBar* ScrollBar = Bar(Kind);
  const QSignalBlocker Blocker(ScrollBar);
  ScrollBar->setValue(Pos);
  ScrollBar->setSliderPosition(ScrollBar->value());
  return ScrollBar->value();
}

void TRichPaneEdit::ScrollClient(int32_t DX, int32_t DY) { viewport()->scroll(DX, DY); }
void TRichPaneEdit::InvalidateClient() { viewport()->update(); }
void TRichPaneEdit::StartTimer(int32_t Milliseconds) { FAutoScrollTimer.start(Milliseconds); }
void TRichPaneEdit::StopTimer() { FAutoScrollTimer.stop(); }

std::optional<int> TRichPaneEdit::WheelScrollLines() const {
  return QApplication::wheelScrollLines();
}

// Auto-scrolling moved the text under a pointer that stayed where it was (perhaps
// outside, below or above the pane): the selection follows.
void TRichPaneEdit::SimulateMouseMove() {
  Guarded("select", [this] { FCore.MouseMove(FLastShift, FLastPointer.x(), FLastPointer.y()); });
  if (viewport()->rect().contains(FLastPointer))
    UpdateHover(FLastPointer);
}

TRPCanvas* TRichPaneEdit::MeasuringCanvas() { return FMeasuringCanvas.get(); }
bool TRichPaneEdit::HasFocus() const { return hasFocus(); }
bool TRichPaneEdit::IsEnabled() const { return isEnabled(); }

// ---------------------------------------------------------------- Qt events

void TRichPaneEdit::paintEvent(QPaintEvent* Event) {
  const QRect R = Event->rect();
  TRPQtCanvas Canvas(*viewport(), RichPaneSwitches.ScreenPixelsPerInch,
                     RichPaneSwitches.ScreenPixelsPerInch);
  try {
    FCore.Paint(Canvas, TRect{R.left(), R.top(), R.right() + 1, R.bottom() + 1});
  } catch (...) {
    // Painting reports its own failures on the pane; nothing may leave a paint event.
  }
}

void TRichPaneEdit::resizeEvent(QResizeEvent* Event) {
  QAbstractScrollArea::resizeEvent(Event);
  Guarded("lay out the article", [this] { FCore.Resized(); });
}

// Runs only when something else than the pane moved a bar (the pane's own changes are
// made with the bars' signals blocked, and it moves the pixels itself): the pane follows.
void TRichPaneEdit::scrollContentsBy(int, int) {
  if (verticalScrollBar()->value() != FCore.VPos())
    FCore.VScroll(rpsrThumbPosition, verticalScrollBar()->value());
  if (horizontalScrollBar()->value() != FCore.HPos())
    FCore.HScroll(rpsrThumbPosition, horizontalScrollBar()->value());
}

void TRichPaneEdit::BarAction(TRPScrollBarKind Kind, int Action) {
  QScrollBar* ScrollBar = Bar(Kind);
  TRPScrollRequest Request;
  switch (Action) {
  case QAbstractSlider::SliderSingleStepAdd: Request = rpsrLineDown; break;
  case QAbstractSlider::SliderSingleStepSub: Request = rpsrLineUp; break;
  case QAbstractSlider::SliderPageStepAdd: Request = rpsrPageDown; break;
  case QAbstractSlider::SliderPageStepSub: Request = rpsrPageUp; break;
  case QAbstractSlider::SliderToMinimum: Request = rpsrTop; break;
  case QAbstractSlider::SliderToMaximum: Request = rpsrBottom; break;
  case QAbstractSlider::SliderMove:
    // Without tracking the thumb moves alone until it is released.
    if (!FCore.Tracking)
      return;
    Request = rpsrThumbTrack;
    break;
  default: return;
  }
  const int32_t Thumb = ScrollBar->sliderPosition();
  if (Kind == rpsbVertical)
    FCore.VScroll(Request, Thumb);
  else
    FCore.HScroll(Request, Thumb);
  // The bar applies the position it is left with: the pane's.
  ScrollBar->setSliderPosition(Kind == rpsbVertical ? FCore.VPos() : FCore.HPos());
}

void TRichPaneEdit::ScrollBarReleased(TRPScrollBarKind Kind) {
  const int32_t Thumb = Bar(Kind)->sliderPosition();
  if (Kind == rpsbVertical)
    FCore.VScroll(rpsrThumbPosition, Thumb);
  else
    FCore.HScroll(rpsrThumbPosition, Thumb);
}

bool TRichPaneEdit::Wheel(int Delta) {
  FWheelRemainder += Delta;
  bool Handled = true;
  while (FWheelRemainder >= 120 || FWheelRemainder <= -120) {
    const bool Down = FWheelRemainder < 0;
    FWheelRemainder += Down ? 120 : -120;
    Handled = FCore.MouseWheel(Down);
  }
  return Handled;
}

void TRichPaneEdit::wheelEvent(QWheelEvent* Event) {
  // With Ctrl the wheel zooms, a step a notch.
  if (Event->modifiers().testFlag(Qt::ControlModifier)) {
    ZoomSteps(Event->angleDelta().y() / 120);
    Event->accept();
    return;
  }
  Event->setAccepted(Wheel(Event->angleDelta().y()));
}

void TRichPaneEdit::SetZoom(int Percent) {
  const int Before = FCore.Zoom();
  Guarded("zoom", [&] { FCore.SetZoom(Percent); });
  viewport()->update();
  if (FCore.Zoom() != Before)
    emit zoomChanged(FCore.Zoom());
}

void TRichPaneEdit::ZoomSteps(int Steps) {
  int Percent = FCore.Zoom();
  for (int i = 0; i < std::abs(Steps); ++i)
    Percent = RP_NextZoom(Percent, Steps > 0 ? 1 : -1);
  SetZoom(Percent);
}

bool TRichPaneEdit::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::Wheel &&
      (Watched == verticalScrollBar() || Watched == horizontalScrollBar())) {
    Wheel(static_cast<QWheelEvent*>(Event)->angleDelta().y());
    return true;
  }
  return QAbstractScrollArea::eventFilter(Watched, Event);
}

namespace {

TRPShiftState ShiftOf(const QMouseEvent& Event) {
  TRPShiftState Shift;
  const Qt::KeyboardModifiers Keys = Event.modifiers();
  Shift.Set(rpshShift, Keys.testFlag(Qt::ShiftModifier));
  Shift.Set(rpshCtrl, Keys.testFlag(Qt::ControlModifier));
  Shift.Set(rpshAlt, Keys.testFlag(Qt::AltModifier));
  Shift.Set(rpshLeftButton, Event.buttons().testFlag(Qt::LeftButton));
  return Shift;
}

std::optional<TRPMouseButton> ButtonOf(const QMouseEvent& Event) {
  switch (Event.button()) {
  case Qt::LeftButton: return rpmbLeft;
  case Qt::RightButton: return rpmbRight;
  case Qt::MiddleButton: return rpmbMiddle;
  default: return std::nullopt;
  }
}

// The arrow mirrored, pointing up and to the right: a press here selects whole lines.
QCursor LineSelectCursor() {
  static const QCursor Cursor = [] {
    QPixmap Arrow(32, 32);
    Arrow.fill(Qt::transparent);
    QPainter Painter(&Arrow);
    Painter.setRenderHint(QPainter::Antialiasing);
    const QPointF Outline[] = {{31, 1}, {31, 18}, {27, 14}, {23, 22}, {20, 21}, {24, 13}, {18, 13}};
    Painter.setPen(QPen(Qt::white, 1.5));
    Painter.setBrush(Qt::black);
    Painter.drawPolygon(Outline, static_cast<int>(std::size(Outline)));
    Painter.end();
    return QCursor(Arrow, 31, 1);
  }();
  return Cursor;
}

} // namespace

void TRichPaneEdit::PointerMoved(QPoint Position, const QMouseEvent& Event) {
  FLastPointer = Position;
  FLastShift = ShiftOf(Event);
  FCore.UpdateAutoScrollDeltas(Position.x(), Position.y());
  UpdateHover(Position);
}

void TRichPaneEdit::UpdateHover(QPoint Position) {
  const TRPPointerKind Pointer = FCore.PointerAt(Position.x(), Position.y());
  if (Pointer != FPointer) {
    FPointer = Pointer;
    switch (Pointer) {
    case rppkText: viewport()->setCursor(Qt::IBeamCursor); break;
    case rppkLink: viewport()->setCursor(Qt::PointingHandCursor); break;
    case rppkLineSelect: viewport()->setCursor(LineSelectCursor()); break;
    }
  }
  const std::optional<TRPLinkInfo> Link = FCore.LinkAt(Position.x(), Position.y());
  const std::string Target = Link ? Link->Target : std::string();
  if (Target == FHoveredLink)
    return;
  FHoveredLink = Target;
  emit linkHovered(QString::fromStdString(Target));
}

void TRichPaneEdit::FollowLink(const TRPLinkInfo& Link) {
  const TRPLinkAction Action = RP_LinkAction(Link.Target);
  switch (Action.Kind) {
  case TRPLinkAction::rplaOpenUrl:
    if (OpenUrl)
      OpenUrl(QUrl(QString::fromStdString(Action.Where), QUrl::TolerantMode));
    break;
  case TRPLinkAction::rplaGoTo:
    Guarded("going to a place in the document", [&] { FCore.ScrollToCheckpoint(Action.Where); });
    break;
  case TRPLinkAction::rplaNone: break;
  }
}

bool TRichPaneEdit::IsThirdClick(const QMouseEvent& Event) const {
  return Event.button() == Qt::LeftButton && FDoubleClickTime >= 0 &&
         Clock() - FDoubleClickTime <= QApplication::doubleClickInterval() &&
         (Event.position().toPoint() - FDoubleClickPoint).manhattanLength() <=
             QApplication::startDragDistance();
}

void TRichPaneEdit::mousePressEvent(QMouseEvent* Event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint Position = Event->position().toPoint();
  PointerMoved(Position, *Event);
  Event->accept();
  if (IsThirdClick(*Event)) {
    FDoubleClickTime = -1;
    QMetaObject::invokeMethod(
        this,
        [this] {
          Guarded("select", [this] { FCore.TripleClick(); });
          PublishSelection();
        },
        Qt::QueuedConnection);
    return;
  }
  const std::optional<TRPMouseButton> Button = ButtonOf(*Event);
  if (!Button)
    return;
  if (*Button == rpmbLeft) {
    FPressPoint = Position;
    FPressedLink = FCore.LinkAt(Position.x(), Position.y());
  }
  Guarded("select", [&] { FCore.MouseDown(*Button, ShiftOf(*Event), Position.x(), Position.y()); });
}

void TRichPaneEdit::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint Position = Event->position().toPoint();
  PointerMoved(Position, *Event);
  Guarded("select", [&] { FCore.MouseMove(ShiftOf(*Event), Position.x(), Position.y()); });
  // A drag whose release went elsewhere has ended.
  if (!(Event->buttons() & Qt::LeftButton))
    FCore.StopAutoScroll();
  Event->accept();
}

void TRichPaneEdit::mouseReleaseEvent(QMouseEvent* Event) {
  const QPoint Position = Event->position().toPoint();
  PointerMoved(Position, *Event);
  Event->accept();
  const std::optional<TRPMouseButton> Button = ButtonOf(*Event);
  if (!Button)
    return;
  Guarded("select", [&] { FCore.MouseUp(*Button, ShiftOf(*Event), Position.x(), Position.y()); });
  UpdateHover(Position);
  if (*Button != rpmbLeft)
    return;
  // A click on a link, not a drag from it, follows it; what a shaky hand selected goes.
  const std::optional<TRPLinkInfo> Pressed = std::exchange(FPressedLink, std::nullopt);
  const std::optional<TRPLinkInfo> Released = FCore.LinkAt(Position.x(), Position.y());
  if (Pressed && Released && Pressed->Target == Released->Target &&
      (Position - FPressPoint).manhattanLength() < QApplication::startDragDistance()) {
    if (FCore.SelectionExists())
      Guarded("select", [this] { FCore.Deselect(); });
    FollowLink(*Released);
    return;
  }
  PublishSelection();
}

void TRichPaneEdit::AnnounceSelection() {
  if (!QAccessible::isActive())
    return;
  QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(this);
  QAccessibleTextInterface* Text = Interface ? Interface->textInterface() : nullptr;
  if (!Text)
    return;
  int Start = 0, End = 0;
  Text->selection(0, &Start, &End);
  QAccessibleTextSelectionEvent Event(this, Start, End);
  QAccessible::updateAccessibility(&Event);
}

// Where the desktop has a selection of its own (X11's primary selection, pasted with the
// middle button), a finished selection's text goes there; the clipboard stays as it was.
void TRichPaneEdit::PublishSelection() {
  QClipboard& Clipboard = *QGuiApplication::clipboard();
  if (!Clipboard.supportsSelection() || !FCore.SelectionExists())
    return;
  QString Text;
  if (Guarded("copy", [&] { Text = QString::fromStdU16String(RP_SelectionText(FCore.RPData())); }))
    Clipboard.setText(Text, QClipboard::Selection);
}

// The tooltip over a link: its hint, if its writer gave one, and where it leads.
bool TRichPaneEdit::viewportEvent(QEvent* Event) {
  if (Event->type() != QEvent::ToolTip)
    return QAbstractScrollArea::viewportEvent(Event);
  const auto* Help = static_cast<QHelpEvent*>(Event);
  const std::optional<TRPLinkInfo> Link = FCore.LinkAt(Help->pos().x(), Help->pos().y());
  if (!Link) {
    QToolTip::hideText();
    Event->ignore();
    return true;
  }
  QString Text = QString::fromStdString(Link->Target);
  if (!Link->Hint.empty())
    Text = QString::fromStdString(Link->Hint) + QLatin1Char('\n') + Text;
  // The document's words, never markup of its own.
  QToolTip::showText(Help->globalPos(), Qt::convertFromPlainText(Text), viewport());
  return true;
}

// Not a second press: the base handler would start another selection.
void TRichPaneEdit::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton)
    return;
  const QPoint Position = Event->position().toPoint();
  PointerMoved(Position, *Event);
  FDoubleClickTime = Clock();
  FDoubleClickPoint = Position;
  FPressedLink.reset();
  Guarded("select", [&] { FCore.DblClick(Position.x(), Position.y()); });
  PublishSelection();
}

bool TRichPaneEdit::CopyDef() {
  // One picture goes as that picture, any other selection as text; the engine's format and
  // RTF go with either. Which of them, the options say.
  const TRPOptions Options = FCore.Options;
  // A picture selected alone goes without text; as an image when it is a bitmap (a
  // metafile goes in the other formats only).
  const TRPPicture* Picture = FCore.SelectedPicture();
  const auto* Bitmap = dynamic_cast<const TRPBitmap*>(Picture);
  const bool WantText =
      !Picture && (Options.Contains(rpoAutoCopyText) || Options.Contains(rpoAutoCopyUnicodeText));
  const bool WantImage = Bitmap && !Bitmap->Pixels().empty() && Options.Contains(rpoAutoCopyImage);
  const bool WantRPF = Options.Contains(rpoAutoCopyRPF);
  const bool WantRTF = Options.Contains(rpoAutoCopyRTF);
  // Nothing selected, nothing wanted, or a format that could not be made: the clipboard
  // keeps what it had.
  if (!FCore.SelectionExists() || !(WantText || WantImage || WantRPF || WantRTF))
    return false;
  const auto Bytes = [](const std::string& Written) {
    return QByteArray(Written.data(), static_cast<qsizetype>(Written.size()));
  };
  QString Text;
  QByteArray Rpf, Rtf;
  if (!Guarded("copy", [&] {
        TRichPaneRPData& Doc = FCore.RPData();
        if (WantRPF) {
          // The engine's format goes with its length before it, four bytes, low byte first.
          const std::string Written = RP_SelectionRPF(Doc);
          const auto Size = static_cast<uint32_t>(Written.size());
          for (int Shift = 0; Shift < 32; Shift += 8)
            Rpf += static_cast<char>((Size >> Shift) & 0xFF);
          Rpf += Bytes(Written);
        }
        if (WantText)
          Text = QString::fromStdU16String(RP_SelectionText(Doc));
        if (WantRTF)
          Rtf = Bytes(RP_SelectionRTF(Doc));
      }))
    return false;
  auto* Data = new QMimeData;
  if (WantRPF)
    Data->setData(QStringLiteral("application/x-richpane-format"), Rpf);
  if (WantText) {
    Data->setData(QStringLiteral("text/plain;charset=utf-8"), Text.toUtf8());
    Data->setText(Text);
  }
  if (WantImage) {
    const QImage Image(reinterpret_cast<const uchar*>(Bitmap->Pixels().data()), Bitmap->Width(),
                       Bitmap->Height(), Bitmap->Width() * 4, QImage::Format_ARGB32);
    Data->setImageData(Image.copy());
  }
  if (WantRTF) {
    Data->setData(QStringLiteral("text/rtf"), Rtf);
    Data->setData(QStringLiteral("application/rtf"), Rtf);
  }
  QGuiApplication::clipboard()->setMimeData(Data);
  return true;
}

// Copy and Select all (and, on a link, Open link and Copy link address), where the right
// button was released (after it kept or removed the selection as a right click does).
void TRichPaneEdit::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  if (Event->reason() == QContextMenuEvent::Mouse)
    Guarded("select", [&] { FCore.MouseUp(rpmbRight, {}, Event->pos().x(), Event->pos().y()); });
  auto* Menu = new QMenu(this);
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* Copy = Menu->addAction(tr("&Copy"), this, [this] { CopyDef(); });
  Copy->setShortcut(QKeySequence::Copy);
  Copy->setEnabled(FCore.SelectionExists());
  QAction* All = Menu->addAction(tr("Select &all"), this, [this] {
    Guarded("select", [this] { FCore.SelectAll(); });
    PublishSelection();
  });
  All->setShortcut(QKeySequence::SelectAll);
  Menu->addAction(tr("&Find..."), this, [this] { emit findRequested(); })
      ->setShortcut(QKeySequence::Find);
  QAction* In = Menu->addAction(tr("Zoom &in"), this, [this] { ZoomSteps(1); });
  In->setShortcut(QKeySequence::ZoomIn);
  In->setEnabled(FCore.Zoom() < TCustomRichPane::MaxZoom);
  QAction* Out = Menu->addAction(tr("Zoom &out"), this, [this] { ZoomSteps(-1); });
  Out->setShortcut(QKeySequence::ZoomOut);
  Out->setEnabled(FCore.Zoom() > TCustomRichPane::MinZoom);
  // On a link: open it, or take its address.
  if (const std::optional<TRPLinkInfo> Link = FCore.LinkAt(Event->pos().x(), Event->pos().y())) {
    Menu->addSeparator();
    Menu->addAction(tr("&Open link"), this, [this, Target = *Link] { FollowLink(Target); });
    const TRPLinkAction Action = RP_LinkAction(Link->Target);
    if (Action.Kind == TRPLinkAction::rplaOpenUrl)
      Menu->addAction(tr("Copy link &address"), this, [Where = Action.Where] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(Where));
      });
  }
  Menu->popup(Event->globalPos());
}

void TRichPaneEdit::keyPressEvent(QKeyEvent* Event) {
  // Ctrl+C or Ctrl+Insert, with Shift or without, never with Alt.
  const Qt::KeyboardModifiers Keys = Event->modifiers();
  if ((Event->key() == Qt::Key_C || Event->key() == Qt::Key_Insert) &&
      Keys.testFlag(Qt::ControlModifier) && !Keys.testFlag(Qt::AltModifier)) {
    CopyDef();
    Event->accept();
    return;
  }
  // Ctrl+plus and Ctrl+minus zoom a step, Ctrl+0 back to 100 %.
  if (Event->matches(QKeySequence::ZoomIn) ||
      (Keys.testFlag(Qt::ControlModifier) &&
       (Event->key() == Qt::Key_Plus || Event->key() == Qt::Key_Equal))) {
    ZoomSteps(1);
    Event->accept();
    return;
  }
  if (Event->matches(QKeySequence::ZoomOut) ||
      (Keys.testFlag(Qt::ControlModifier) && Event->key() == Qt::Key_Minus)) {
    ZoomSteps(-1);
    Event->accept();
    return;
  }
  if (Keys.testFlag(Qt::ControlModifier) && Event->key() == Qt::Key_0) {
    SetZoom(100);
    Event->accept();
    return;
  }
  if (Event->matches(QKeySequence::SelectAll)) {
    Guarded("select", [this] { FCore.SelectAll(); });
    PublishSelection();
    Event->accept();
    return;
  }
  std::optional<TRPScrollKey> Key;
  switch (Event->key()) {
  case Qt::Key_PageUp: Key = rpskPageUp; break;
  case Qt::Key_PageDown: Key = rpskPageDown; break;
  case Qt::Key_Home: Key = rpskHome; break;
  case Qt::Key_End: Key = rpskEnd; break;
  case Qt::Key_Up: Key = rpskUp; break;
  case Qt::Key_Down: Key = rpskDown; break;
  case Qt::Key_Left: Key = rpskLeft; break;
  case Qt::Key_Right: Key = rpskRight; break;
  default: break;
  }
  if (Key && FCore.KeyDown(*Key))
    Event->accept();
  else
    QAbstractScrollArea::keyPressEvent(Event);
}

void TRichPaneEdit::focusOutEvent(QFocusEvent* Event) {
  FCore.StopAutoScroll();
  QAbstractScrollArea::focusOutEvent(Event);
}

void TRichPaneEdit::hideEvent(QHideEvent* Event) {
  FCore.StopAutoScroll();
  QAbstractScrollArea::hideEvent(Event);
}

void TRichPaneEdit::changeEvent(QEvent* Event) {
  if (Event->type() == QEvent::EnabledChange && !isEnabled())
    FCore.StopAutoScroll();
  QAbstractScrollArea::changeEvent(Event);
}
