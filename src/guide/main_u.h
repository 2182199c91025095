// The guide window: ten stages, one tab page each; every choice shows its advice
// article in the rich-text pane.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/QuarnData_u.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TGuideListBox;
class TGuideTreeView;
class TRichPaneEdit;
class TRPStyle;

using TJobType = int8_t;            // -1 none, 0..13
using TCompType = int8_t;           // -1 none, 0..2
using TChargeSpinType = int8_t;     // item index in ChargeSpinList
using TStructFeatureType = uint8_t; // item index in StructFeaturesList

// Stage counters move by 2; the last page is stage 18.
inline constexpr int32_t LastStage = 18;

class TForm2 : public QWidget {
  Q_OBJECT

public:
  // AppDir is the directory the articles are looked for in ("entries" below it);
  // by default the executable's own directory.
  explicit TForm2(QWidget* Parent = nullptr, const QString& AppDir = QString());
  ~TForm2() override;

  // Controls, named and laid out as the window's design has them.
  QLabel* TabNameLabel;
  QTabWidget* PageControl1;
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
  TRichPaneEdit* rpe;
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

  TJobType GetCurJobType() const;
  void SetCurJobType(TJobType jobtype);
  void UpdateCurJobType();
  void UpdateCurCompType();
  // stage selects the table: 0 computation type, 1 job, 2 system.
  void ShowCurEntry(TGuideTreeView* treeview, int stage);
  void ShowEntry(TEntry entry);
  int FindEntry(const std::string& entryname) const;
  void ShowCurMode();
  void UpdateComps();
  void UpdateCompsVisibility();
  void WatchAddEntryButtonEnabled();

  // State, read by the tests as it is.
  const std::vector<std::string>& Entries() const { return FEntries; }
  int32_t CurStage() const { return FCurStage; }
  TJobType CurJobType() const { return FCurJobType; }
  TCompType CurCompType() const { return FCurCompType; }
  TChargeSpinType CurChargeSpin() const { return FCurChargeSpin; }
  int32_t CurBasisSet() const { return FCurBasisSet; }
  int32_t CurDiffFuncsSelected() const { return FCurDiffFuncsSelected; }
  TStructFeatureType CurStructFeatures() const { return FCurStructFeatures; }

private:
  void CreateControls();
  void ConnectEvents();

  QString FAppDir;
  std::vector<std::string> FEntries;
  int32_t FCurStage = 0;
  TJobType FCurJobType = 0;
  TCompType FCurCompType = 0;
  TChargeSpinType FCurChargeSpin = 0;
  int32_t FCurBasisSet = 0;
  int32_t FCurDiffFuncsSelected = 0;
  TStructFeatureType FCurStructFeatures = 0;
};
