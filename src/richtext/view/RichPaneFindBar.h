// The find bar under a rich-text pane: a text to find, the previous and next match, match
// case and ignore accents, and where the current match stands ("3 of 12", "Not found").
// Enter or F3 goes to the next match, Shift+Enter or Shift+F3 to the previous one, Escape
// closes the bar and gives the pane the focus back.
#pragma once

#include <QWidget>
#include <vector>

#include "richtext/view/RPFind.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;
class TRichPaneEdit;

class TRichPaneFindBar : public QWidget {
  Q_OBJECT

public:
  TRichPaneFindBar(QWidget* Parent, TRichPaneEdit& Pane);

  // Shows the bar with its text selected, the selection's text taken when it is short and
  // on one line.
  void Open();
  void Close();
  // The next or previous match, round the document's end.
  void FindNext();
  void FindPrevious();

  QLineEdit* Edit;
  QToolButton* PreviousButton;
  QToolButton* NextButton;
  QCheckBox* MatchCase;
  QCheckBox* IgnoreAccents;
  QLabel* Status;
  QToolButton* CloseButton;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  // Escape, F3 and Enter (with Shift: backwards); false for other keys.
  bool HandleKey(QKeyEvent& Event);
  // Searches again when the text, the options or the document changed since the last time.
  void Search(bool Again);
  void Go(int Step);
  void ShowStatus();

  TRichPaneEdit& FPane;
  std::vector<TRPFoundText> FFound;
  // The match shown, -1 for none yet.
  int FCurrent = -1;
  // The content of the pane the matches belong to (its content revision).
  int FSearchedRevision = -1;
};
