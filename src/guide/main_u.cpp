#include "guide/main_u.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "catalogue/simplefuncs.h"
#include "guide/GuideArticles.h"
#include "guide/GuideControls.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RichPaneEdit.h"

namespace {

QFont TahomaFont(int PixelHeight) {
  QFont Font(QStringLiteral("Tahoma"));
  Font.setPixelSize(PixelHeight);
  return Font;
}

QLabel* MakeLabel(QWidget* Parent, QRect Geometry, const char* Text) {
  auto* Label = new QLabel(QString::fromUtf8(Text), Parent);
  Label->setFont(TahomaFont(16));
  Label->setGeometry(Geometry);
  Label->adjustSize(); // labels size themselves to their text
  return Label;
}

QPushButton* MakeButton(QWidget* Parent, QRect Geometry, const char* Text) {
  auto* Button = new QPushButton(QString::fromUtf8(Text), Parent);
  Button->setGeometry(Geometry);
  return Button;
}

TGuideTreeView* MakeTree(QWidget* Parent, QRect Geometry, std::span<const TNodeSpec> Nodes,
                         bool HideSelection = false) {
  auto* Tree = new TGuideTreeView(Parent, HideSelection);
  Tree->setGeometry(Geometry);
  Tree->AddNodes(Nodes);
  return Tree;
}

// The pointing hand of the "add entry" indicator, with a greyed image for its disabled state.
QIcon PointingHandIcon() {
  QIcon Icon;
  for (QIcon::Mode Mode : {QIcon::Normal, QIcon::Disabled}) {
    QPixmap Glyph(18, 18);
    Glyph.fill(Qt::transparent);
    QPainter Painter(&Glyph);
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(17);
    Painter.setFont(Font);
    Painter.setPen(Mode == QIcon::Normal ? QColor(0x20, 0x20, 0x80) : QColor(0xA0, 0xA0, 0xA0));
    Painter.drawText(Glyph.rect(), Qt::AlignCenter, QString(QChar(0x261E)));
    Painter.end();
    Icon.addPixmap(Glyph, Mode);
  }
  return Icon;
}

} // namespace

TForm2::~TForm2() = default;

TForm2::TForm2(QWidget* Parent, const QString& AppDir)
    : QWidget(Parent), FAppDir(AppDir.isEmpty() ? QCoreApplication::applicationDirPath() : AppDir) {
  CreateControls();
  ConnectEvents();
  FormCreate(this);
}

void TForm2::CreateControls() {
  setWindowTitle(QStringLiteral("Form2"));
  setFont(TahomaFont(11));
  resize(1192, 821);

  TabNameLabel = MakeLabel(this, {16, 8, 105, 19}, "TabNameLabel");

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(8, 41, 329, 641);
  QWidget** Sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5,
                        &TabSheet6, &TabSheet7, &TabSheet8, &TabSheet9, &TabSheet10};
  const char* Captions[] = {
      "Computation type",    "Required properties", "System type", "Charge, spin", "Gross formula",
      "Structural features", "Computation method",  "Basis set",   "QC package",   "TabSheet10"};
  for (int i = 0; i < 10; ++i) {
    *Sheets[i] = new QWidget;
    (*Sheets[i])->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    PageControl1->addTab(*Sheets[i], QString::fromUtf8(Captions[i]));
  }

  Label11 = MakeLabel(TabSheet1, {3, 3, 280, 19}, "What type of computation do you plan?");
  CompTypeTree = MakeTree(TabSheet1, {8, 35, 265, 537}, CompTypeNodes);

  Label2 = MakeLabel(TabSheet2, {7, 2, 298, 19}, "What propetries do you need to compute?");
  JobsTreeView = MakeTree(TabSheet2, {0, 27, 265, 537}, JobNodes);

  Label3 = MakeLabel(TabSheet3, {8, 7, 273, 19}, "What type of system do you deal with:");
  SystemTypeTreeView = MakeTree(TabSheet3, {16, 40, 265, 537}, SystemTypeNodes, true);

  Label12 = MakeLabel(TabSheet4, {3, 3, 299, 19}, "What charge and multiplicity do you have:");
  ChargeSpinList = new TGuideListBox(TabSheet4, ChargeSpinItems, 13);
  ChargeSpinList->setGeometry(11, 44, 281, 93);

  Label4 = MakeLabel(TabSheet5, {16, 16, 230, 19}, "Gross formula of your molecule:");
  BruttoEdit = new QLineEdit(TabSheet5);
  BruttoEdit->setFont(TahomaFont(16));
  BruttoEdit->setGeometry(16, 56, 257, 27);
  Button1 = MakeButton(TabSheet5, {96, 104, 75, 25}, "Skip");

  Label5 = MakeLabel(TabSheet6, {16, 24, 286, 19}, "Elements and features of your molecule:");
  StructFeaturesList = new TGuideListBox(TabSheet6, StructFeatureItems, 13, true);
  StructFeaturesList->setGeometry(16, 64, 286, 409);

  Label6 = MakeLabel(TabSheet7, {16, 15, 156, 19}, "Computation method:");
  TreeView3 = MakeTree(TabSheet7, {16, 40, 265, 537}, MethodNodes);

  Label8 = MakeLabel(TabSheet8, {16, 3, 160, 19}, "Choose your basis set:");
  BasisSetList = new TGuideListBox(TabSheet8, BasisSetItems, 13);
  BasisSetList->setGeometry(16, 28, 281, 101);
  Label9 = MakeLabel(TabSheet8, {16, 147, 124, 19}, "Diffuse functions:");
  DiffListBox = new TGuideListBox(TabSheet8, DiffuseItems, 13);
  DiffListBox->setGeometry(16, 172, 281, 37);

  Label10 = MakeLabel(TabSheet9, {16, 11, 220, 19}, "What QC program do you use?");
  TreeView5 = MakeTree(TabSheet9, {16, 37, 265, 537}, PackageNodes);

  rps = std::make_unique<TRPStyle>();
  InitGuideStyleSheet(*rps);
  rpe = new TRichPaneEdit(this);
  rpe->setGeometry(362, 24, 815, 577);
  rpe->SetStyle(rps.get());
  ConfigureGuidePane(rpe->Core());

  Label1 = MakeLabel(this, {354, 623, 42, 19}, "1 of 3");
  PrevEntryButton = MakeButton(this, {416, 620, 107, 25}, "Previous entry");
  NextEntryButton = MakeButton(this, {529, 620, 104, 25}, "Next entry");
  Button5 = MakeButton(this, {665, 620, 75, 25}, "Back");
  Button5->setEnabled(false);
  Label13 = MakeLabel(this, {362, 666, 95, 19}, "Stage 1 of 10");
  PrevStageButton = MakeButton(this, {532, 663, 109, 25}, "Previous stage");
  NextStageButton = MakeButton(this, {647, 663, 93, 25}, "Next stage");

  AddEntryButton = new QToolButton(this);
  AddEntryButton->setGeometry(746, 663, 25, 25);
  AddEntryButton->setCheckable(true);
  AddEntryButton->setChecked(true);
  AddEntryButton->setAutoRaise(true);
  AddEntryButton->setIcon(PointingHandIcon());

  QWidget::setTabOrder(PageControl1, PrevStageButton);
  QWidget::setTabOrder(PrevStageButton, NextStageButton);
  QWidget::setTabOrder(NextStageButton, PrevEntryButton);
  QWidget::setTabOrder(PrevEntryButton, NextEntryButton);
  QWidget::setTabOrder(NextEntryButton, Button5);
}

void TForm2::ConnectEvents() {
  connect(PrevStageButton, &QPushButton::clicked, this,
          [this] { PrevStageButtonClick(PrevStageButton); });
  connect(NextStageButton, &QPushButton::clicked, this,
          [this] { NextStageButtonClick(NextStageButton); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });

  connect(CompTypeTree, &TGuideTreeView::Click, this, [this] { CompTypeTreeClick(CompTypeTree); });
  connect(SystemTypeTreeView, &TGuideTreeView::Click, this,
          [this] { SystemTypeTreeViewClick(SystemTypeTreeView); });
  connect(SystemTypeTreeView, &TGuideTreeView::KeyUp, this,
          [this](int Key, Qt::KeyboardModifiers Shift) {
            SystemTypeTreeViewKeyUp(SystemTypeTreeView, Key, Shift);
          });
  for (TGuideTreeView* Tree : {JobsTreeView, TreeView3, TreeView5})
    connect(Tree, &TGuideTreeView::Click, this, [this, Tree] { JobsTreeViewClick(Tree); });
  for (TGuideTreeView* Tree : {CompTypeTree, JobsTreeView, TreeView3, TreeView5})
    connect(Tree, &TGuideTreeView::KeyUp, this, [this, Tree](int Key, Qt::KeyboardModifiers Shift) {
      JobsTreeViewKeyUp(Tree, Key, Shift);
    });

  connect(ChargeSpinList, &TGuideListBox::Click, this,
          [this] { ChargeSpinListClick(ChargeSpinList); });
  connect(StructFeaturesList, &TGuideListBox::Click, this,
          [this] { StructFeaturesListClick(StructFeaturesList); });
  connect(BasisSetList, &TGuideListBox::Click, this, [this] { BasisSetListClick(BasisSetList); });
  connect(DiffListBox, &TGuideListBox::Click, this, [this] { DiffListBoxClick(DiffListBox); });
}

void TForm2::FormCreate(QObject*) {
  for (TGuideTreeView* Tree : {CompTypeTree, JobsTreeView, SystemTypeTreeView})
    Tree->NumberNodes();
  FCurStage = 0;
  ShowCurMode();
  WatchAddEntryButtonEnabled();
  const std::string Dir = QDir(FAppDir).filePath(QStringLiteral("entries/")).toStdString();
  FEntries = GetFilesInDir(Dir, "*.rtf", true);
}

void TForm2::PrevStageButtonClick(QObject*) {
  if (FCurStage > 0) {
    FCurStage -= 2;
    ShowCurMode();
  }
}

void TForm2::NextStageButtonClick(QObject*) {
  // There is no page after the last one: the button stays where it is.
  if (FCurStage >= LastStage)
    return;
  if (FCurStage == 0)
    SetCurJobType(GetCurJobType());
  FCurStage += 2;
  ShowCurMode();
  if (FCurStage == 4) {
    SystemTypeTreeView->Select(SystemTypeTreeView->NodeAt(1)); // "Gas phase"
    SystemTypeTreeView->setFocus();
    ShowCurEntry(SystemTypeTreeView, 2);
  }
  WatchAddEntryButtonEnabled();
}

void TForm2::Button1Click(QObject*) { NextStageButtonClick(this); }

void TForm2::CompTypeTreeClick(QObject*) {
  ShowCurEntry(CompTypeTree, 0);
  UpdateCurCompType();
  NextStageButton->setEnabled(FCurJobType != -1);
}

void TForm2::JobsTreeViewClick(QObject*) {
  ShowCurEntry(JobsTreeView, 1);
  UpdateCurJobType();
  NextStageButton->setEnabled(FCurJobType != -1);
}

void TForm2::JobsTreeViewKeyUp(QObject*, int, Qt::KeyboardModifiers) { CompTypeTreeClick(nullptr); }

void TForm2::SystemTypeTreeViewClick(QObject*) { ShowCurEntry(SystemTypeTreeView, 2); }

void TForm2::SystemTypeTreeViewKeyUp(QObject*, int, Qt::KeyboardModifiers) {
  ShowCurEntry(SystemTypeTreeView, 2);
}

void TForm2::ChargeSpinListClick(QObject*) {
  FCurChargeSpin = static_cast<TChargeSpinType>(ChargeSpinList->ItemIndex());
  // With nothing selected there is no row to read, and nothing is shown.
  if (FCurChargeSpin >= 0)
    ShowEntry(EntryAt(ChargeSpinNodesData, FCurChargeSpin));
}

void TForm2::StructFeaturesListClick(QObject*) {
  const int Index = StructFeaturesList->ItemIndex();
  FCurStructFeatures = static_cast<TStructFeatureType>(Index);
  if (Index >= 0)
    ShowEntry(EntryAt(StructFeaturesNodesData, FCurStructFeatures));
}

void TForm2::BasisSetListClick(QObject*) { FCurBasisSet = BasisSetList->ItemIndex(); }

void TForm2::DiffListBoxClick(QObject*) {
  FCurDiffFuncsSelected = DiffListBox->ItemIndex() == 1 ? 1 : 0;
  ShowEntry(FCurDiffFuncsSelected == 1 ? 6100 : 0);
  WatchAddEntryButtonEnabled();
}

TJobType TForm2::GetCurJobType() const {
  const QTreeWidgetItem* Node = JobsTreeView->Selected();
  if (!Node)
    return -1;
  const uintptr_t n = static_cast<uintptr_t>(TGuideTreeView::Data(Node));
  if (n - 1 < 7)
    return static_cast<TJobType>(n - 1);
  if (n - 9 < 7)
    return static_cast<TJobType>(n - 2);
  return -1;
}

void TForm2::SetCurJobType(TJobType jobtype) { FCurJobType = jobtype; }

void TForm2::UpdateCurJobType() { FCurJobType = GetCurJobType(); }

void TForm2::UpdateCurCompType() {
  FCurCompType = -1;
  const QTreeWidgetItem* Node = CompTypeTree->Selected();
  if (!Node)
    return;
  const uintptr_t n = static_cast<uintptr_t>(TGuideTreeView::Data(Node));
  if (n - 1 < 2)
    FCurCompType = static_cast<TCompType>(n - 1);
  else if (n - 3 < 2)
    FCurCompType = static_cast<TCompType>(n - 2);
}

void TForm2::ShowCurEntry(TGuideTreeView* treeview, int stage) {
  const QTreeWidgetItem* Node = treeview ? treeview->Selected() : nullptr;
  if (!Node)
    return;
  const intptr_t n = TGuideTreeView::Data(Node);
  TEntry Entry = 0;
  switch (stage) {
  case 0: Entry = EntryAt(CompTypeNodesData, n); break;
  case 1: Entry = EntryAt(JobNodesData, n); break;
  case 2: Entry = EntryAt(SystemNodesData, n); break;
  default: break;
  }
  ShowEntry(Entry == 0 ? DefaultEntry : Entry);
}

void TForm2::ShowEntry(TEntry entry) {
  if (entry == 0)
    entry = DefaultEntry;
  rpe->Clear();
  const int Index = FindEntry(GetEntryFileName(entry));
  if (Index == -1) {
    rpe->Format();
    return;
  }
  rpe->SetModified(false);
  rpe->LoadRTF(FEntries[static_cast<size_t>(Index)]);
  rpe->Format();
}

int TForm2::FindEntry(const std::string& entryname) const {
  return FindFileByName(FEntries, entryname);
}

void TForm2::ShowCurMode() {
  PageControl1->setCurrentIndex(FCurStage / 2);
  TabNameLabel->setText(PageControl1->tabText(PageControl1->currentIndex()));
  TabNameLabel->adjustSize();
  UpdateComps();
}

void TForm2::UpdateComps() { UpdateCompsVisibility(); }

void TForm2::UpdateCompsVisibility() {
  PrevEntryButton->setEnabled(false);
  NextEntryButton->setEnabled(false);
}

void TForm2::WatchAddEntryButtonEnabled() {
  AddEntryButton->setEnabled(false);
  if (FCurStage == 14 && FCurChargeSpin == 1 && FCurDiffFuncsSelected == 1)
    AddEntryButton->setEnabled(true);
}
