#include "richtext/view/RichPaneFindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPaneEdit.h"

TRichPaneFindBar::TRichPaneFindBar(QWidget* Parent, TRichPaneEdit& Pane)
    : QWidget(Parent), FPane(Pane) {
  Edit = new QLineEdit(this);
  Edit->setPlaceholderText(tr("Find in the article"));
  Edit->setAccessibleName(tr("Find"));
  Edit->setClearButtonEnabled(true);
  PreviousButton = new QToolButton(this);
  PreviousButton->setText(tr("Previous"));
  PreviousButton->setToolTip(tr("Previous match (Shift+F3)"));
  NextButton = new QToolButton(this);
  NextButton->setText(tr("Next"));
  NextButton->setToolTip(tr("Next match (F3)"));
  MatchCase = new QCheckBox(tr("Match &case"), this);
  IgnoreAccents = new QCheckBox(tr("Ignore &accents"), this);
  Status = new QLabel(this);
  Status->setMinimumWidth(Status->fontMetrics().horizontalAdvance(QStringLiteral("000 of 000")));
  CloseButton = new QToolButton(this);
  CloseButton->setText(QStringLiteral("\u2715"));
  CloseButton->setToolTip(tr("Close the find bar (Escape)"));
  CloseButton->setAccessibleName(tr("Close the find bar"));
  CloseButton->setAutoRaise(true);

  auto* Row = new QHBoxLayout(this);
  Row->setContentsMargins(0, 2, 0, 2);
  for (QWidget* Part : std::initializer_list<QWidget*>{Edit, PreviousButton, NextButton, MatchCase,
                                                       IgnoreAccents, Status})
    Row->addWidget(Part, Part == Edit ? 1 : 0);
  Row->addStretch();
  Row->addWidget(CloseButton);

  connect(Edit, &QLineEdit::textChanged, this, [this] { Search(false); });
  // Enter, F3 and Escape in the text field are the bar's.
  Edit->installEventFilter(this);
  for (QCheckBox* Option : {MatchCase, IgnoreAccents})
    connect(Option, &QCheckBox::toggled, this, [this] { Search(false); });
  connect(NextButton, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(PreviousButton, &QToolButton::clicked, this, [this] { FindPrevious(); });
  connect(CloseButton, &QToolButton::clicked, this, [this] { Close(); });
  hide();
}

void TRichPaneFindBar::Open() {
  // A short selection on one line is what the reader wants to find.
  const std::u16string Selected = RP_SelectionText(FPane.Core().RPData());
  if (!Selected.empty() && Selected.size() <= 100 && Selected.find(u'\n') == std::u16string::npos)
    Edit->setText(QString::fromStdU16String(Selected));
  show();
  Edit->setFocus(Qt::ShortcutFocusReason);
  Edit->selectAll();
}

void TRichPaneFindBar::Close() {
  hide();
  RP_MarkFound(FPane.Core().RPData(), {});
  FPane.viewport()->update();
  FPane.setFocus(Qt::OtherFocusReason);
}

void TRichPaneFindBar::FindNext() { Go(1); }

void TRichPaneFindBar::FindPrevious() { Go(-1); }

bool TRichPaneFindBar::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress && HandleKey(*static_cast<QKeyEvent*>(Event)))
    return true;
  return QWidget::eventFilter(Watched, Event);
}

void TRichPaneFindBar::keyPressEvent(QKeyEvent* Event) {
  if (!HandleKey(*Event))
    QWidget::keyPressEvent(Event);
}

bool TRichPaneFindBar::HandleKey(QKeyEvent& Event) {
  const bool Shift = Event.modifiers().testFlag(Qt::ShiftModifier);
  switch (Event.key()) {
  case Qt::Key_Escape: Close(); break;
  case Qt::Key_F3:
  case Qt::Key_Return:
  case Qt::Key_Enter: Go(Shift ? -1 : 1); break;
  default: return false;
  }
  Event.accept();
  return true;
}

void TRichPaneFindBar::Search(bool Again) {
  if (Again && FSearchedRevision == FPane.Core().ContentRevision())
    return;
  TRPFindOptions Options;
  Options.MatchCase = MatchCase->isChecked();
  Options.IgnoreAccents = IgnoreAccents->isChecked();
  FFound = RP_FindAll(FPane.Core().RPData(), Edit->text().toStdU16String(), Options);
  FSearchedRevision = FPane.Core().ContentRevision();
  // Every match is marked; the current one is the selection.
  RP_MarkFound(FPane.Core().RPData(), FFound);
  FPane.viewport()->update();
  FCurrent = -1;
  // As the reader types, the first match is shown.
  if (!Again && !FFound.empty())
    Go(1);
  ShowStatus();
}

void TRichPaneFindBar::Go(int Step) {
  Search(true);
  if (FFound.empty()) {
    ShowStatus();
    return;
  }
  const int Count = static_cast<int>(FFound.size());
  FCurrent = FCurrent < 0 ? (Step > 0 ? 0 : Count - 1) : (FCurrent + Step + Count) % Count;
  FPane.Core().ShowFound(FFound[static_cast<size_t>(FCurrent)]);
  ShowStatus();
}

void TRichPaneFindBar::ShowStatus() {
  if (Edit->text().isEmpty())
    Status->clear();
  else if (FFound.empty())
    Status->setText(tr("Not found"));
  else if (FCurrent < 0)
    Status->setText(FFound.size() == 1 ? tr("1 match") : tr("%1 matches").arg(FFound.size()));
  else
    Status->setText(tr("%1 of %2").arg(FCurrent + 1).arg(FFound.size()));
}
