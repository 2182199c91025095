// The rich-text pane of the guide window: a scroll area whose viewport shows the pane's
// document. Everything but the window is the Qt-free core (TCustomRichPane); this class
// turns Qt events into calls on it and answers what it asks of the window.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "richtext/view/RichPane.h"

class TRPCanvas;

class TRichPaneEdit : public QAbstractScrollArea, private TRPPaneHost {
  Q_OBJECT

public:
  explicit TRichPaneEdit(QWidget* Parent = nullptr);
  ~TRichPaneEdit() override;

  // Empties the document; does not repaint.
  void Clear();
  // Appends the RTF file's contents; true when it was read completely.
  bool LoadRTF(const std::string& FileName);
  // Lays the document out and repaints.
  void Format();

  bool Modified() const { return FCore.Modified; }
  void SetModified(bool Value) { FCore.Modified = Value; }
  void SetStyle(TRPStyle* Style) { FCore.Style = Style; }
  TCustomRichPane& Core() { return FCore; }

  // The file the document was last loaded from; empty after Clear.
  const std::string& LoadedFileName() const { return FLoadedFileName; }
  // How many times the document was formatted.
  int FormatCount() const { return FFormatCount; }

  // Puts the selection on the clipboard in the formats the options ask for: the engine's
  // own (application/x-richpane-format, its length in four bytes before it), text (UTF-8),
  // or the picture when the selection is one picture, and RTF (text/rtf and
  // application/rtf). False, and the clipboard as it was, when nothing is selected, no
  // format is wanted or a format could not be made.
  bool CopyDef();
  // The article's text at Percent of its size (50 to 300), as Ctrl+plus, Ctrl+minus, Ctrl+0
  // and Ctrl+wheel set it.
  void SetZoom(int Percent);
  // Steps zoom steps in (positive) or out (negative) from the present zoom.
  void ZoomSteps(int Steps);

  // Follows a link as a click on it does: opens its URL, or scrolls to its place.
  void FollowLink(const TRPLinkInfo& Link);

  // Opens a link's URL; the desktop's browser or mail program unless replaced.
  std::function<bool(const QUrl& Url)> OpenUrl;
  // Milliseconds of a steady clock, which tells a triple click from two clicks.
  std::function<qint64()> Clock;

signals:
  // The pointer came onto a link (its target) or left it (empty), for a status line.
  void linkHovered(const QString& Target);
  // The user selected something, or changed or removed the selection.
  void selectionChanged();
  // The user asked to find text in the document (from the pane's menu).
  void findRequested();
  // The text's size changed, to Percent.
  void zoomChanged(int Percent);

protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void scrollContentsBy(int DX, int DY) override;
  void wheelEvent(QWheelEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  bool viewportEvent(QEvent* Event) override;

private:
  // TRPPaneHost
  int32_t ClientWidth() const override;
  int32_t ClientHeight() const override;
  int32_t SetScrollBar(TRPScrollBarKind Kind, int32_t Max, int32_t Page, int32_t Pos,
                       bool Visible) override;
  int32_t SetScrollPos(TRPScrollBarKind Kind, int32_t Pos) override;
  void ScrollClient(int32_t DX, int32_t DY) override;
  void InvalidateClient() override;
  void StartTimer(int32_t Milliseconds) override;
  void StopTimer() override;
  std::optional<int> WheelScrollLines() const override;
  void SimulateMouseMove() override;
  TRPCanvas* MeasuringCanvas() override;
  bool HasFocus() const override;
  bool IsEnabled() const override;

  QScrollBar* Bar(TRPScrollBarKind Kind) const;
  // A scroll bar's action, turned into the pane's request.
  void BarAction(TRPScrollBarKind Kind, int Action);
  void ScrollBarReleased(TRPScrollBarKind Kind);
  // The wheel turned by Delta eighths of a degree (accumulated into notches); false when
  // the pane does not handle the wheel.
  bool Wheel(int Delta);
  // The pointer is at Position (client coordinates), with the buttons and keys of Event.
  void PointerMoved(QPoint Position, const QMouseEvent& Event);
  // The pointer's shape and the hovered link follow what is under Position.
  void UpdateHover(QPoint Position);
  // The press that follows a double click at once is the third click of a triple click.
  bool IsThirdClick(const QMouseEvent& Event) const;
  // Tells a screen reader where the selection now is.
  void AnnounceSelection();
  // The finished selection's text as the desktop's primary selection, where there is one.
  void PublishSelection();
  // Runs a pane operation from an event handler, which nothing may leave: a failure is
  // reported and the pane shows what it has. False when it failed.
  template <typename TAction> bool Guarded(const char* What, TAction&& Action);

  TCustomRichPane FCore;
  std::unique_ptr<TRPCanvas> FMeasuringCanvas;
  QTimer FAutoScrollTimer;
  QPoint FLastPointer{-1, -1};
  // The keys and buttons of the last mouse event, for the moves auto-scrolling simulates.
  TRPShiftState FLastShift;
  // When and where the last double click was (Clock), -1 for long ago.
  qint64 FDoubleClickTime = -1;
  QPoint FDoubleClickPoint;
  // The link a left press began on: a release on the same link, without a drag, follows it.
  std::optional<TRPLinkInfo> FPressedLink;
  QPoint FPressPoint;
  std::string FHoveredLink;
  TRPPointerKind FPointer = rppkText;
  int FWheelRemainder = 0;
  std::string FLoadedFileName;
  int FFormatCount = 0;
};
