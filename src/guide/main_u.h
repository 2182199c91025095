// The guide window: ten stages, one tab page each; every choice shows its advice
// article in the rich-text pane.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/QuarnData_u.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QToolButton;
class TGuideListBox;
class TGuideTreeView;
class TStageTabs;
class TRichPaneEdit;
class TRichPaneFindBar;
class TRPStyle;

using TJobType = int8_t;            // -1 none, 0..13
using TCompType = int8_t;           // -1 none, 0..2
using TChargeSpinType = int8_t;     // item index in ChargeSpinList
using TStructFeatureType = uint8_t; // item index in StructFeaturesList

// Stage counters move by 2; the last page, the summary, is stage 18.
inline constexpr int32_t LastStage = 18;

// A choice the user has made: the stage it was made at, its text, and the article it
// shows (0 for a choice without an article of its own).
struct TGuideChoice {
  int32_t Stage;
  QString Text;
  TEntry Entry;
};

class TForm2 : public QWidget {
  Q_OBJECT

public:
  // AppDir is the directory the articles are looked for in ("entries" below it);
  // by default ArticlesHome of the executable's directory.
  explicit TForm2(QWidget* Parent = nullptr, const QString& AppDir = QString());
  // Where a program in ProgramDir finds its articles: beside it ("entries" in a build), or,
  // installed, in ../share/compchem-guide.
  static QString ArticlesHome(const QString& ProgramDir);
  ~TForm2() override;

  // Controls, named and laid out as the window's design has them.
  QLabel* TabNameLabel;
  // The pages; their tabs are StageTabs, in several rows.
  QTabWidget* PageControl1;
  TStageTabs* StageTabs;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QWidget* TabSheet3;
  QWidget* TabSheet4;
  QWidget* TabSheet5;
  QWidget* TabSheet6;
  QWidget* TabSheet7;
  QWidget* TabSheet8;
  QWidget* TabSheet9;
  QWidget* TabSheet10;
  QLabel* Label11;
  TGuideTreeView* CompTypeTree;
  QLabel* Label2;
  TGuideTreeView* JobsTreeView;
  QLabel* Label3;
  TGuideTreeView* SystemTypeTreeView;
  QLabel* Label12;
  TGuideListBox* ChargeSpinList;
  QLabel* Label4;
  QLineEdit* BruttoEdit;
  QPushButton* Button1;
  QLabel* Label5;
  TGuideListBox* StructFeaturesList;
  QLabel* Label6;
  TGuideTreeView* TreeView3;
  QLabel* Label8;
  TGuideListBox* BasisSetList;
  QLabel* Label9;
  TGuideListBox* DiffListBox;
  QLabel* Label10;
  TGuideTreeView* TreeView5;
  QLabel* SummaryLabel;
  QListWidget* SummaryList;
  TRichPaneEdit* rpe;
  // Under the article: finding in it (Ctrl+F).
  TRichPaneFindBar* FindBar;
  std::unique_ptr<TRPStyle> rps;
  QLabel* Label1;
  QPushButton* PrevEntryButton;
  QPushButton* NextEntryButton;
  QPushButton* Button5;
  QLabel* Label13;
  QPushButton* PrevStageButton;
  QPushButton* NextStageButton;
  QToolButton* AddEntryButton;

  // Event handlers. Sender is the control that raised the event; none of them reads it.
  void FormCreate(QObject* Sender);
  void PrevStageButtonClick(QObject* Sender);
  void NextStageButtonClick(QObject* Sender);
  void Button1Click(QObject* Sender);
  void CompTypeTreeClick(QObject* Sender);
  void JobsTreeViewClick(QObject* Sender);
  void JobsTreeViewKeyUp(QObject* Sender, int Key, Qt::KeyboardModifiers Shift);
  void SystemTypeTreeViewClick(QObject* Sender);
  void SystemTypeTreeViewKeyUp(QObject* Sender, int Key, Qt::KeyboardModifiers Shift);
  void ChargeSpinListClick(QObject* Sender);
  void StructFeaturesListClick(QObject* Sender);
  void BasisSetListClick(QObject* Sender);
  void DiffListBoxClick(QObject* Sender);
  void TreeView3Click(QObject* Sender); // the method tree
  void TreeView5Click(QObject* Sender); // the package tree
  // A tab chosen: its page's stage becomes the current stage.
  void PageControl1Change(int PageIndex);
  void PrevEntryButtonClick(QObject* Sender);
  void NextEntryButtonClick(QObject* Sender);
  // "Back": the article shown before this one, where the user had scrolled to.
  void Button5Click(QObject* Sender);
  // The article Back left, where the user had scrolled to (Alt+Right).
  void GoForward();
  void SummaryListClick(QListWidgetItem* Item);

  TJobType GetCurJobType() const;
  void SetCurJobType(TJobType jobtype);
  void UpdateCurJobType();
  void UpdateCurCompType();
  // Shows the article table names for the tree's selected node.
  void ShowCurEntry(TGuideTreeView* treeview, const TEntryTable& table);
  // Shows an article from its top; an article shown already keeps its place.
  void ShowEntry(TEntry entry);
  int FindEntry(const std::string& entryname) const;
  void ShowCurMode();
  void UpdateComps();
  void UpdateCompsVisibility();
  void WatchAddEntryButtonEnabled();

  // The choices made so far, stage by stage: a tree's or list's selection, the formula
  // typed, and the ticked structural features (the selected one when none is ticked).
  std::vector<TGuideChoice> ChoicesMade() const;
  // The articles of those choices in stage order, each once: what "Previous entry" and
  // "Next entry" step through.
  std::vector<TEntry> ChoiceArticles() const;

  // State, read by the tests as it is.
  const std::vector<std::string>& Entries() const { return FEntries; }
  int32_t CurStage() const { return FCurStage; }
  TJobType CurJobType() const { return FCurJobType; }
  TCompType CurCompType() const { return FCurCompType; }
  TChargeSpinType CurChargeSpin() const { return FCurChargeSpin; }
  int32_t CurBasisSet() const { return FCurBasisSet; }
  int32_t CurDiffFuncsSelected() const { return FCurDiffFuncsSelected; }
  TStructFeatureType CurStructFeatures() const { return FCurStructFeatures; }

  // The article F1 shows: how to use this guide.
  static constexpr TEntry HelpEntry = 60;

  // The window's size at start-up when the screen has room for it.
  static constexpr QSize StartSize{1192, 821};

protected:
  void closeEvent(QCloseEvent* Event) override;

private:
  // An article and where the reader was in it (scroll positions), for "Back".
  struct TArticleVisit {
    TEntry Entry;
    int32_t VPos;
    int32_t HPos;
  };

  void CreateControls();
  void NameControls();
  void RestoreSettings();
  TArticleVisit HereVisit() const;
  void StepThroughHistory(std::vector<TArticleVisit>& From, std::vector<TArticleVisit>& To);
  QWidget* CreateStageColumn();
  QWidget* CreateArticleColumn();
  void ConnectEvents();
  // The article the selected node of a tree shows by the table; 0 when nothing is selected.
  TEntry NodeEntry(const TGuideTreeView& Tree, const TEntryTable& Table) const;
  // Puts an article in the pane, scrolled as the visit says, with a notice when it cannot
  // be shown whole.
  void LoadEntry(const TArticleVisit& Visit);
  void AddNotice(const QString& Text);
  // The article's title (its first paragraph), or its file name when it has none.
  QString ArticleTitle(TEntry entry);
  void FillSummary();

  QString FAppDir;
  QString FEntriesDir;
  bool FEntriesDirFound = false;
  std::vector<std::string> FEntries;
  TEntry FShownEntry = 0;
  std::vector<TArticleVisit> FHistory;
  // What Back went back from, the latest last.
  std::vector<TArticleVisit> FForward;
  std::map<TEntry, QString> FTitles;
  int32_t FCurStage = 0;
  TJobType FCurJobType = 0;
  TCompType FCurCompType = 0;
  TChargeSpinType FCurChargeSpin = 0;
  int32_t FCurBasisSet = 0;
  int32_t FCurDiffFuncsSelected = 0;
  TStructFeatureType FCurStructFeatures = 0;
};
