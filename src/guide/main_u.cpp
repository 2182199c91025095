#include "guide/main_u.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "catalogue/simplefuncs.h"
#include "guide/GuideArticles.h"
#include "guide/GuideControls.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RichPaneEdit.h"
#include "richtext/view/RichPaneFindBar.h"

namespace {

// Headings and page questions: larger than the desktop's font, as large as it scales.
QFont HeadingFont() {
  QFont Font = QApplication::font();
  Font.setPointSizeF(Font.pointSizeF() * 1.2);
  return Font;
}

QLabel* MakeLabel(QWidget* Parent, const char* Text) {
  auto* Label = new QLabel(QString::fromUtf8(Text), Parent);
  Label->setFont(HeadingFont());
  Label->setWordWrap(true);
  return Label;
}

QPushButton* MakeButton(QWidget* Parent, const char* Text) {
  return new QPushButton(QString::fromUtf8(Text), Parent);
}

TGuideTreeView* MakeTree(QWidget* Parent, std::span<const TNodeSpec> Nodes,
                         bool HideSelection = false) {
  auto* Tree = new TGuideTreeView(Parent, HideSelection);
  Tree->AddNodes(Nodes);
  return Tree;
}

// A page's controls one below the other; Stretch is the one that takes the page's
// height (nullptr: none does, and the controls keep to the top).
void StackPage(QWidget* Page, std::initializer_list<QWidget*> Controls, QWidget* Stretch) {
  auto* Column = new QVBoxLayout(Page);
  for (QWidget* Control : Controls)
    Column->addWidget(Control, Control == Stretch ? 1 : 0);
  if (!Stretch)
    Column->addStretch(1);
}

QHBoxLayout* Row(std::initializer_list<QWidget*> Controls) {
  auto* Line = new QHBoxLayout;
  for (QWidget* Control : Controls)
    Line->addWidget(Control);
  Line->addStretch(1);
  return Line;
}

// The pointing hand of the "add entry" indicator, with a greyed image for its disabled
// state, sharp at twice the size too.
QIcon PointingHandIcon() {
  QIcon Icon;
  for (int Size : {18, 36})
    for (QIcon::Mode Mode : {QIcon::Normal, QIcon::Disabled}) {
      QPixmap Glyph(Size, Size);
      Glyph.fill(Qt::transparent);
      QPainter Painter(&Glyph);
      QFont Font(QStringLiteral("DejaVu Sans"));
      Font.setPixelSize(Size - 1);
      Painter.setFont(Font);
      Painter.setPen(Mode == QIcon::Normal ? QColor(0x20, 0x20, 0x80) : QColor(0xA0, 0xA0, 0xA0));
      Painter.drawText(Glyph.rect(), Qt::AlignCenter, QString(QChar(0x261E)));
      Painter.end();
      Icon.addPixmap(Glyph, Mode);
    }
  return Icon;
}

// A paragraph of RTF saying Text, set apart from an article by its colour and weight.
std::string NoticeRTF(const QString& Text) {
  std::string Rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                    "{\\colortbl;\\red160\\green0\\blue0;}\\pard\\sb60\\sa180\\f0\\fs22\\cf1\\b ";
  for (const QChar Unit : Text) {
    const char16_t Code = Unit.unicode();
    if (Code == '\\' || Code == '{' || Code == '}') {
      Rtf += '\\';
      Rtf += static_cast<char>(Code);
    } else if (Code >= 0x20 && Code < 0x80) {
      Rtf += static_cast<char>(Code);
    } else {
      Rtf += "\\u";
      Rtf += std::to_string(static_cast<int16_t>(Code));
      Rtf += '?';
    }
  }
  Rtf += "\\par}";
  return Rtf;
}

QString FileNameOf(TEntry entry) { return QString::fromStdString(GetEntryFileName(entry)); }

} // namespace

TForm2::~TForm2() = default;

QString TForm2::ArticlesHome(const QString& ProgramDir) {
  // Installed, the program is in PREFIX/bin and its articles in PREFIX/share/compchem-guide.
  const QString Installed = QDir(ProgramDir).filePath(QStringLiteral("../share/compchem-guide"));
  if (!QFileInfo(QDir(ProgramDir).filePath(QStringLiteral("entries"))).isDir() &&
      QFileInfo(QDir(Installed).filePath(QStringLiteral("entries"))).isDir())
    return QDir::cleanPath(Installed);
  return ProgramDir;
}

TForm2::TForm2(QWidget* Parent, const QString& AppDir)
    : QWidget(Parent),
      FAppDir(AppDir.isEmpty() ? ArticlesHome(QCoreApplication::applicationDirPath()) : AppDir) {
  CreateControls();
  ConnectEvents();
  FormCreate(this);
  RestoreSettings();
}

// The zoom and the window's place and size, as the last run left them.
void TForm2::RestoreSettings() {
  const QSettings Settings;
  rpe->SetZoom(Settings.value(QStringLiteral("zoom"), 100).toInt());
  const QByteArray Geometry = Settings.value(QStringLiteral("geometry")).toByteArray();
  if (!Geometry.isEmpty())
    restoreGeometry(Geometry);
}

void TForm2::closeEvent(QCloseEvent* Event) {
  QSettings().setValue(QStringLiteral("geometry"), saveGeometry());
  QWidget::closeEvent(Event);
}

void TForm2::CreateControls() {
  setWindowTitle(QStringLiteral("CompChem Guide"));
  auto* Columns = new QHBoxLayout(this);
  Columns->addWidget(CreateStageColumn(), 0);
  Columns->addWidget(CreateArticleColumn(), 1);
  // The design's size, as far as the screen has room for it.
  QSize Size = StartSize;
  if (const QScreen* Screen = screen())
    Size = Size.boundedTo(Screen->availableGeometry().size());
  resize(Size);

  // With the keys alone: the stage tabs, the page's choices, the stage and entry buttons
  // (in the design's order), then the article.
  QWidget* Previous = StageTabs->Tab(StageTabs->TabCount() - 1);
  for (QWidget* Next : std::initializer_list<QWidget*>{
           PageControl1, PrevStageButton, NextStageButton, PrevEntryButton, NextEntryButton,
           Button5, AddEntryButton, rpe}) {
    QWidget::setTabOrder(Previous, Next);
    Previous = Next;
  }
  NameControls();
}

// What a screen reader says of each control: the question its page asks, or what it does.
void TForm2::NameControls() {
  const std::pair<QWidget*, QLabel*> Asked[] = {
      {CompTypeTree, Label11},   {JobsTreeView, Label2},     {SystemTypeTreeView, Label3},
      {ChargeSpinList, Label12}, {BruttoEdit, Label4},       {StructFeaturesList, Label5},
      {TreeView3, Label6},       {BasisSetList, Label8},     {DiffListBox, Label9},
      {TreeView5, Label10},      {SummaryList, SummaryLabel}};
  for (const auto& [Control, Label] : Asked) {
    Label->setBuddy(Control);
    Control->setAccessibleName(Label->text());
  }
  StageTabs->setAccessibleName(QStringLiteral("Stages"));
  PageControl1->setAccessibleName(QStringLiteral("Choices of the stage"));
  rpe->setAccessibleName(QStringLiteral("Article"));
  AddEntryButton->setAccessibleName(QStringLiteral("Add the article of this choice"));
  Label1->setAccessibleName(QStringLiteral("Article number among your choices"));
  Label13->setAccessibleName(QStringLiteral("Stage"));
}

// The heading, the stage tabs and the pages with the choices.
QWidget* TForm2::CreateStageColumn() {
  auto* Column = new QWidget(this);
  TabNameLabel = MakeLabel(Column, "TabNameLabel");
  QFont Bold = TabNameLabel->font();
  Bold.setBold(true);
  TabNameLabel->setFont(Bold);

  PageControl1 = new QTabWidget(Column);
  PageControl1->tabBar()->hide();
  // The stage tabs stand for the hidden tab bar: Tab goes from them into the page.
  PageControl1->setFocusPolicy(Qt::NoFocus);
  PageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
  QWidget** Sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5,
                        &TabSheet6, &TabSheet7, &TabSheet8, &TabSheet9, &TabSheet10};
  const char* Captions[] = {
      "Computation type",    "Required properties", "System type", "Charge, spin", "Gross formula",
      "Structural features", "Computation method",  "Basis set",   "QC package",   "Summary"};
  QStringList TabCaptions;
  for (int i = 0; i < 10; ++i) {
    *Sheets[i] = new QWidget;
    (*Sheets[i])->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    PageControl1->addTab(*Sheets[i], QString::fromUtf8(Captions[i]));
    TabCaptions << QString::fromUtf8(Captions[i]);
  }
  StageTabs = new TStageTabs(Column, TabCaptions);

  Label11 = MakeLabel(TabSheet1, "What type of computation do you plan?");
  CompTypeTree = MakeTree(TabSheet1, CompTypeNodes);
  StackPage(TabSheet1, {Label11, CompTypeTree}, CompTypeTree);

  Label2 = MakeLabel(TabSheet2, "What propetries do you need to compute?");
  JobsTreeView = MakeTree(TabSheet2, JobNodes);
  StackPage(TabSheet2, {Label2, JobsTreeView}, JobsTreeView);

  Label3 = MakeLabel(TabSheet3, "What type of system do you deal with:");
  SystemTypeTreeView = MakeTree(TabSheet3, SystemTypeNodes, true);
  StackPage(TabSheet3, {Label3, SystemTypeTreeView}, SystemTypeTreeView);

  Label12 = MakeLabel(TabSheet4, "What charge and multiplicity do you have:");
  ChargeSpinList = new TGuideListBox(TabSheet4, ChargeSpinItems);
  ChargeSpinList->FitToItems();
  StackPage(TabSheet4, {Label12, ChargeSpinList}, nullptr);

  Label4 = MakeLabel(TabSheet5, "Gross formula of your molecule:");
  BruttoEdit = new QLineEdit(TabSheet5);
  BruttoEdit->setFont(HeadingFont());
  Button1 = MakeButton(TabSheet5, "Skip");
  StackPage(TabSheet5, {Label4, BruttoEdit, Button1}, nullptr);
  TabSheet5->layout()->setAlignment(Button1, Qt::AlignHCenter);

  Label5 = MakeLabel(TabSheet6, "Elements and features of your molecule:");
  StructFeaturesList = new TGuideListBox(TabSheet6, StructFeatureItems, true);
  StackPage(TabSheet6, {Label5, StructFeaturesList}, StructFeaturesList);

  Label6 = MakeLabel(TabSheet7, "Computation method:");
  TreeView3 = MakeTree(TabSheet7, MethodNodes);
  StackPage(TabSheet7, {Label6, TreeView3}, TreeView3);

  Label8 = MakeLabel(TabSheet8, "Choose your basis set:");
  BasisSetList = new TGuideListBox(TabSheet8, BasisSetItems);
  BasisSetList->FitToItems();
  Label9 = MakeLabel(TabSheet8, "Diffuse functions:");
  DiffListBox = new TGuideListBox(TabSheet8, DiffuseItems);
  DiffListBox->FitToItems();
  StackPage(TabSheet8, {Label8, BasisSetList, Label9, DiffListBox}, nullptr);

  Label10 = MakeLabel(TabSheet9, "What QC program do you use?");
  TreeView5 = MakeTree(TabSheet9, PackageNodes);
  StackPage(TabSheet9, {Label10, TreeView5}, TreeView5);

  SummaryLabel = MakeLabel(TabSheet10, "Your choices, stage by stage:");
  SummaryList = new QListWidget(TabSheet10);
  SummaryList->setWordWrap(true);
  SummaryList->setSpacing(2);
  StackPage(TabSheet10, {SummaryLabel, SummaryList}, SummaryList);

  auto* Layout = new QVBoxLayout(Column);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(TabNameLabel);
  Layout->addWidget(StageTabs);
  Layout->addWidget(PageControl1, 1);
  return Column;
}

// The article pane with the entry and stage buttons below it.
QWidget* TForm2::CreateArticleColumn() {
  auto* Column = new QWidget(this);
  rps = std::make_unique<TRPStyle>();
  InitGuideStyleSheet(*rps);
  rpe = new TRichPaneEdit(Column);
  rpe->SetStyle(rps.get());
  ConfigureGuidePane(rpe->Core());
  rpe->setMinimumSize(320, 200);

  Label1 = MakeLabel(Column, "");
  Label1->setWordWrap(false);
  Label1->setMinimumWidth(
      QFontMetrics(Label1->font()).horizontalAdvance(QStringLiteral("00 of 00")));
  PrevEntryButton = MakeButton(Column, "Previous entry");
  NextEntryButton = MakeButton(Column, "Next entry");
  Button5 = MakeButton(Column, "Back");
  Label13 = MakeLabel(Column, "Stage 1 of 10");
  Label13->setWordWrap(false);
  PrevStageButton = MakeButton(Column, "Previous stage");
  NextStageButton = MakeButton(Column, "Next stage");

  AddEntryButton = new QToolButton(Column);
  AddEntryButton->setCheckable(true);
  AddEntryButton->setChecked(true);
  AddEntryButton->setAutoRaise(true);
  AddEntryButton->setIcon(PointingHandIcon());

  auto* Layout = new QVBoxLayout(Column);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(rpe, 1);
  FindBar = new TRichPaneFindBar(Column, *rpe);
  Layout->addWidget(FindBar);
  Layout->addLayout(Row({Label1, PrevEntryButton, NextEntryButton, Button5}));
  Layout->addLayout(Row({Label13, PrevStageButton, NextStageButton, AddEntryButton}));
  return Column;
}

void TForm2::ConnectEvents() {
  connect(PrevStageButton, &QPushButton::clicked, this,
          [this] { PrevStageButtonClick(PrevStageButton); });
  connect(NextStageButton, &QPushButton::clicked, this,
          [this] { NextStageButtonClick(NextStageButton); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
  connect(PrevEntryButton, &QPushButton::clicked, this,
          [this] { PrevEntryButtonClick(PrevEntryButton); });
  connect(NextEntryButton, &QPushButton::clicked, this,
          [this] { NextEntryButtonClick(NextEntryButton); });
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(Button5); });
  // Back and forward through the articles as a browser goes (Alt+Left and Alt+Right, and
  // the desktop's own keys for them), and the guide's own help.
  const auto BrowserKeys = [this](Qt::Key Arrow, QKeySequence::StandardKey Standard) {
    auto* Shortcut = new QShortcut(this);
    QList<QKeySequence> Keys = QKeySequence::keyBindings(Standard);
    if (!Keys.contains(QKeySequence(Qt::ALT | Arrow)))
      Keys.prepend(QKeySequence(Qt::ALT | Arrow));
    Shortcut->setKeys(Keys);
    return Shortcut;
  };
  connect(BrowserKeys(Qt::Key_Left, QKeySequence::Back), &QShortcut::activated, this,
          [this] { Button5Click(Button5); });
  connect(BrowserKeys(Qt::Key_Right, QKeySequence::Forward), &QShortcut::activated, this,
          [this] { GoForward(); });
  // Finding in the article: Ctrl+F opens the bar (the pane's menu too), F3 and Shift+F3 go
  // on wherever the focus is.
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, FindBar,
          &TRichPaneFindBar::Open);
  connect(rpe, &TRichPaneEdit::findRequested, FindBar, &TRichPaneFindBar::Open);
  connect(rpe, &TRichPaneEdit::zoomChanged, this,
          [](int Percent) { QSettings().setValue(QStringLiteral("zoom"), Percent); });
  connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, FindBar,
          &TRichPaneFindBar::FindNext);
  connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, FindBar,
          &TRichPaneFindBar::FindPrevious);
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { ShowEntry(HelpEntry); });
  connect(StageTabs, &TStageTabs::Chosen, PageControl1, &QTabWidget::setCurrentIndex);
  connect(PageControl1, &QTabWidget::currentChanged, this,
          [this](int Index) { PageControl1Change(Index); });

  connect(CompTypeTree, &TGuideTreeView::Click, this, [this] { CompTypeTreeClick(CompTypeTree); });
  connect(JobsTreeView, &TGuideTreeView::Click, this, [this] { JobsTreeViewClick(JobsTreeView); });
  connect(SystemTypeTreeView, &TGuideTreeView::Click, this,
          [this] { SystemTypeTreeViewClick(SystemTypeTreeView); });
  connect(SystemTypeTreeView, &TGuideTreeView::KeyUp, this,
          [this](int Key, Qt::KeyboardModifiers Shift) {
            SystemTypeTreeViewKeyUp(SystemTypeTreeView, Key, Shift);
          });
  connect(TreeView3, &TGuideTreeView::Click, this, [this] { TreeView3Click(TreeView3); });
  connect(TreeView5, &TGuideTreeView::Click, this, [this] { TreeView5Click(TreeView5); });
  for (TGuideTreeView* Tree : {CompTypeTree, JobsTreeView, TreeView3, TreeView5})
    connect(Tree, &TGuideTreeView::KeyUp, this, [this, Tree](int Key, Qt::KeyboardModifiers Shift) {
      JobsTreeViewKeyUp(Tree, Key, Shift);
    });

  connect(ChargeSpinList, &TGuideListBox::Click, this,
          [this] { ChargeSpinListClick(ChargeSpinList); });
  connect(StructFeaturesList, &TGuideListBox::Click, this,
          [this] { StructFeaturesListClick(StructFeaturesList); });
  // A ticked or cleared box changes the choices, not the article.
  connect(StructFeaturesList, &QListWidget::itemChanged, this, [this] { UpdateComps(); });
  connect(BasisSetList, &TGuideListBox::Click, this, [this] { BasisSetListClick(BasisSetList); });
  connect(DiffListBox, &TGuideListBox::Click, this, [this] { DiffListBoxClick(DiffListBox); });
  // A row clicked, or chosen with the keys and Enter.
  for (auto Signal : {&QListWidget::itemClicked, &QListWidget::itemActivated})
    connect(SummaryList, Signal, this, [this](QListWidgetItem* Item) { SummaryListClick(Item); });
}

void TForm2::FormCreate(QObject*) {
  for (TGuideTreeView* Tree :
       {CompTypeTree, JobsTreeView, SystemTypeTreeView, TreeView3, TreeView5})
    Tree->NumberNodes();
  FCurStage = 0;
  ShowCurMode();
  WatchAddEntryButtonEnabled();
  FEntriesDir = QDir(FAppDir).filePath(QStringLiteral("entries/"));
  FEntriesDirFound = QFileInfo(FEntriesDir).isDir();
  FEntries = GetFilesInDir(FEntriesDir.toStdString(), "*.rtf", true);
  // Without its articles the guide can only say so.
  if (!FEntriesDirFound) {
    AddNotice(QStringLiteral("The folder of articles could not be found: ") + FEntriesDir);
    rpe->Format();
  }
}

void TForm2::PrevStageButtonClick(QObject*) {
  if (FCurStage > 0) {
    FCurStage -= 2;
    ShowCurMode();
  }
}

void TForm2::NextStageButtonClick(QObject*) {
  // There is no page after the summary: the button stays where it is.
  if (FCurStage >= LastStage)
    return;
  if (FCurStage == 0)
    SetCurJobType(GetCurJobType());
  FCurStage += 2;
  ShowCurMode();
  if (FCurStage == 4) {
    SystemTypeTreeView->Select(SystemTypeTreeView->NodeAt(1)); // "Gas phase"
    SystemTypeTreeView->setFocus();
    ShowCurEntry(SystemTypeTreeView, SystemNodesData);
  }
  WatchAddEntryButtonEnabled();
}

void TForm2::Button1Click(QObject*) { NextStageButtonClick(this); }

void TForm2::CompTypeTreeClick(QObject*) {
  ShowCurEntry(CompTypeTree, CompTypeNodesData);
  UpdateCurCompType();
  UpdateComps();
}

void TForm2::JobsTreeViewClick(QObject*) {
  ShowCurEntry(JobsTreeView, JobNodesData);
  UpdateCurJobType();
  UpdateComps();
}

// A released key may have moved the selection: the tree it was released in is read.
void TForm2::JobsTreeViewKeyUp(QObject* Sender, int, Qt::KeyboardModifiers) {
  if (Sender == JobsTreeView)
    JobsTreeViewClick(Sender);
  else if (Sender == TreeView3)
    TreeView3Click(Sender);
  else if (Sender == TreeView5)
    TreeView5Click(Sender);
  else
    CompTypeTreeClick(nullptr);
}

void TForm2::SystemTypeTreeViewClick(QObject*) {
  ShowCurEntry(SystemTypeTreeView, SystemNodesData);
  UpdateComps();
}

void TForm2::SystemTypeTreeViewKeyUp(QObject* Sender, int, Qt::KeyboardModifiers) {
  SystemTypeTreeViewClick(Sender);
}

void TForm2::ChargeSpinListClick(QObject*) {
  FCurChargeSpin = static_cast<TChargeSpinType>(ChargeSpinList->ItemIndex());
  // With nothing selected there is no row to read, and nothing is shown.
  if (FCurChargeSpin >= 0)
    ShowEntry(EntryAt(ChargeSpinNodesData, FCurChargeSpin));
  UpdateComps();
}

void TForm2::StructFeaturesListClick(QObject*) {
  const int Index = StructFeaturesList->ItemIndex();
  FCurStructFeatures = static_cast<TStructFeatureType>(Index);
  if (Index >= 0)
    ShowEntry(EntryAt(StructFeaturesNodesData, FCurStructFeatures));
  UpdateComps();
}

void TForm2::BasisSetListClick(QObject*) {
  FCurBasisSet = BasisSetList->ItemIndex();
  if (FCurBasisSet >= 0)
    ShowEntry(EntryAt(BasisSetNodesData, FCurBasisSet));
  UpdateComps();
}

void TForm2::DiffListBoxClick(QObject*) {
  FCurDiffFuncsSelected = DiffListBox->ItemIndex() == 1 ? 1 : 0;
  ShowEntry(FCurDiffFuncsSelected == 1 ? 6100 : 0);
  WatchAddEntryButtonEnabled();
}

void TForm2::TreeView3Click(QObject*) {
  ShowCurEntry(TreeView3, MethodNodesData);
  UpdateComps();
}

void TForm2::TreeView5Click(QObject*) {
  ShowCurEntry(TreeView5, PackageNodesData);
  UpdateComps();
}

void TForm2::PageControl1Change(int PageIndex) {
  StageTabs->SetCurrent(PageIndex);
  if (PageIndex < 0 || PageIndex * 2 == FCurStage)
    return;
  FCurStage = PageIndex * 2;
  ShowCurMode();
  WatchAddEntryButtonEnabled();
}

void TForm2::PrevEntryButtonClick(QObject*) {
  const std::vector<TEntry> Articles = ChoiceArticles();
  const auto Shown = std::find(Articles.begin(), Articles.end(), FShownEntry);
  if (Shown == Articles.end() && !Articles.empty())
    ShowEntry(Articles.back());
  else if (Shown != Articles.end() && Shown != Articles.begin())
    ShowEntry(*(Shown - 1));
}

void TForm2::NextEntryButtonClick(QObject*) {
  const std::vector<TEntry> Articles = ChoiceArticles();
  auto Shown = std::find(Articles.begin(), Articles.end(), FShownEntry);
  Shown = Shown == Articles.end() ? Articles.begin() : Shown + 1;
  if (Shown != Articles.end())
    ShowEntry(*Shown);
}

void TForm2::Button5Click(QObject*) { StepThroughHistory(FHistory, FForward); }

void TForm2::GoForward() { StepThroughHistory(FForward, FHistory); }

// The latest visit of From is shown again; the article shown now goes onto To.
void TForm2::StepThroughHistory(std::vector<TArticleVisit>& From, std::vector<TArticleVisit>& To) {
  if (From.empty())
    return;
  const TArticleVisit Visit = From.back();
  From.pop_back();
  To.push_back(HereVisit());
  LoadEntry(Visit);
}

TForm2::TArticleVisit TForm2::HereVisit() const {
  return {FShownEntry, rpe->Core().VPos(), rpe->Core().HPos()};
}

void TForm2::SummaryListClick(QListWidgetItem* Item) {
  const TEntry Entry = Item ? Item->data(Qt::UserRole).toInt() : 0;
  if (Entry != 0)
    ShowEntry(Entry);
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

TEntry TForm2::NodeEntry(const TGuideTreeView& Tree, const TEntryTable& Table) const {
  const QTreeWidgetItem* Node = Tree.Selected();
  if (!Node)
    return 0;
  const TEntry Entry = EntryAt(Table, TGuideTreeView::Data(Node));
  return Entry == 0 ? DefaultEntry : Entry;
}

void TForm2::ShowCurEntry(TGuideTreeView* treeview, const TEntryTable& table) {
  if (treeview && treeview->Selected())
    ShowEntry(NodeEntry(*treeview, table));
}

void TForm2::ShowEntry(TEntry entry) {
  if (entry == 0)
    entry = DefaultEntry;
  const TArticleVisit Here = HereVisit();
  if (entry == FShownEntry) {
    LoadEntry(Here);
    return;
  }
  if (FShownEntry != 0)
    FHistory.push_back(Here);
  // A new way on: what Back left behind is no longer ahead.
  FForward.clear();
  LoadEntry({entry, 0, 0});
}

void TForm2::LoadEntry(const TArticleVisit& Visit) {
  const TEntry entry = Visit.Entry;
  rpe->Clear();
  FShownEntry = entry;
  const QString Name = FileNameOf(entry);
  const int Index = Name.isEmpty() ? -1 : FindEntry(Name.toStdString());
  if (Index == -1) {
    AddNotice(QStringLiteral("This article could not be found: ") +
              (Name.isEmpty() ? QStringLiteral("entry %1").arg(entry) : Name));
    if (!FEntriesDirFound)
      AddNotice(QStringLiteral("The folder of articles could not be found: ") + FEntriesDir);
  } else {
    const std::string& Path = FEntries[static_cast<size_t>(Index)];
    rpe->SetModified(false);
    if (!rpe->LoadRTF(Path)) {
      // What could be read is shown, below a word on why it is not all.
      const bool Readable = QFileInfo(QString::fromStdString(Path)).isReadable();
      rpe->Clear();
      AddNotice(Readable ? QStringLiteral("This article is damaged; what could be read is shown")
                         : QStringLiteral("This article could not be read: ") + Name);
      if (Readable)
        rpe->LoadRTF(Path);
    }
  }
  // Laid out from the top left, then scrolled to where the reader was in it, if anywhere.
  TCustomRichPane& Pane = rpe->Core();
  Pane.SetVPos(0, false);
  Pane.SetHPos(0);
  rpe->Format();
  if (Visit.VPos > 0)
    Pane.SetVPos(Visit.VPos, true);
  if (Visit.HPos > 0)
    Pane.SetHPos(Visit.HPos);
  UpdateComps();
}

void TForm2::AddNotice(const QString& Text) { rpe->Core().LoadRTFFromStream(NoticeRTF(Text)); }

int TForm2::FindEntry(const std::string& entryname) const {
  return FindFileByName(FEntries, entryname);
}

void TForm2::ShowCurMode() {
  PageControl1->setCurrentIndex(FCurStage / 2);
  TabNameLabel->setText(PageControl1->tabText(PageControl1->currentIndex()));
  if (FCurStage == LastStage)
    FillSummary();
  UpdateComps();
}

void TForm2::UpdateComps() { UpdateCompsVisibility(); }

// Every button is enabled exactly when it can act, and the counters say where the user is.
void TForm2::UpdateCompsVisibility() {
  const std::vector<TEntry> Articles = ChoiceArticles();
  const auto Shown = std::find(Articles.begin(), Articles.end(), FShownEntry);
  const int Count = static_cast<int>(Articles.size());
  const int Position = Shown == Articles.end() ? 0 : static_cast<int>(Shown - Articles.begin()) + 1;
  if (Count == 0)
    Label1->clear();
  else if (Position == 0)
    Label1->setText(QStringLiteral("\u2013 of %1").arg(Count));
  else
    Label1->setText(QStringLiteral("%1 of %2").arg(Position).arg(Count));
  PrevEntryButton->setEnabled(Count > 0 && Position != 1);
  NextEntryButton->setEnabled(Count > 0 && Position != Count);
  Button5->setEnabled(!FHistory.empty());

  Label13->setText(QStringLiteral("Stage %1 of %2").arg(FCurStage / 2 + 1).arg(LastStage / 2 + 1));
  PrevStageButton->setEnabled(FCurStage > 0);
  // On the properties page a heading is no job: one of its properties is to be chosen.
  const bool HeadingChosen =
      FCurStage == 2 && JobsTreeView->Selected() != nullptr && GetCurJobType() == -1;
  NextStageButton->setEnabled(FCurStage < LastStage && !HeadingChosen);
}

void TForm2::WatchAddEntryButtonEnabled() {
  AddEntryButton->setEnabled(false);
  if (FCurStage == 14 && FCurChargeSpin == 1 && FCurDiffFuncsSelected == 1)
    AddEntryButton->setEnabled(true);
}

std::vector<TGuideChoice> TForm2::ChoicesMade() const {
  std::vector<TGuideChoice> Choices;
  const auto FromTree = [&Choices, this](int32_t Stage, const TGuideTreeView& Tree,
                                         const TEntryTable& Table) {
    if (const QTreeWidgetItem* Node = Tree.Selected())
      Choices.push_back({Stage, Node->text(0), NodeEntry(Tree, Table)});
  };
  const auto FromRow = [&Choices](int32_t Stage, const QListWidget& List, int Row, TEntry Entry) {
    Choices.push_back({Stage, List.item(Row)->text(), Entry == 0 ? DefaultEntry : Entry});
  };
  FromTree(0, *CompTypeTree, CompTypeNodesData);
  FromTree(2, *JobsTreeView, JobNodesData);
  FromTree(4, *SystemTypeTreeView, SystemNodesData);
  if (const int Row = ChargeSpinList->ItemIndex(); Row >= 0)
    FromRow(6, *ChargeSpinList, Row, EntryAt(ChargeSpinNodesData, Row));
  if (const QString Formula = BruttoEdit->text().trimmed(); !Formula.isEmpty())
    Choices.push_back({8, Formula, 0});
  // The ticked features; with none ticked, the one selected.
  std::vector<int> Features;
  for (int Row = 0; Row < StructFeaturesList->count(); ++Row)
    if (StructFeaturesList->item(Row)->checkState() == Qt::Checked)
      Features.push_back(Row);
  if (Features.empty() && StructFeaturesList->ItemIndex() >= 0)
    Features.push_back(StructFeaturesList->ItemIndex());
  for (int Row : Features)
    FromRow(10, *StructFeaturesList, Row, EntryAt(StructFeaturesNodesData, Row));
  FromTree(12, *TreeView3, MethodNodesData);
  if (const int Row = BasisSetList->ItemIndex(); Row >= 0)
    FromRow(14, *BasisSetList, Row, EntryAt(BasisSetNodesData, Row));
  if (const int Row = DiffListBox->ItemIndex(); Row >= 0)
    FromRow(14, *DiffListBox, Row, Row == 1 ? 6100 : DefaultEntry);
  FromTree(16, *TreeView5, PackageNodesData);
  return Choices;
}

std::vector<TEntry> TForm2::ChoiceArticles() const {
  std::vector<TEntry> Articles;
  for (const TGuideChoice& Choice : ChoicesMade())
    if (Choice.Entry != 0 &&
        std::find(Articles.begin(), Articles.end(), Choice.Entry) == Articles.end())
      Articles.push_back(Choice.Entry);
  return Articles;
}

QString TForm2::ArticleTitle(TEntry entry) {
  const auto Known = FTitles.find(entry);
  if (Known != FTitles.end())
    return Known->second;
  // The article's first paragraph, read as the pane reads it (on a sheet of its own).
  QString Title;
  if (const int Index = FindEntry(GetEntryFileName(entry)); Index >= 0) {
    TRPStyle Sheet;
    InitGuideStyleSheet(Sheet);
    TGuideArticleDocument Doc(Sheet);
    Doc.LoadRTF(FEntries[static_cast<size_t>(Index)]);
    std::u16string Text;
    for (int i = 0; i < Doc.GetItemCount() && (i == 0 || !Doc.IsParaStart(i)); ++i)
      Text += Doc.GetItemTextW(i);
    Title = QString::fromStdU16String(Text).simplified();
  }
  if (Title.isEmpty())
    Title = FileNameOf(entry);
  FTitles.emplace(entry, Title);
  return Title;
}

void TForm2::FillSummary() {
  SummaryList->clear();
  for (const TGuideChoice& Choice : ChoicesMade()) {
    const QString Article = Choice.Entry != 0
                                ? QStringLiteral("Article: ") + ArticleTitle(Choice.Entry)
                                : QStringLiteral("No article for this choice yet");
    auto* Item =
        new QListWidgetItem(PageControl1->tabText(Choice.Stage / 2) + QStringLiteral(": ") +
                                Choice.Text + QLatin1Char('\n') + Article,
                            SummaryList);
    Item->setData(Qt::UserRole, Choice.Entry);
    Item->setToolTip(Item->text());
  }
  if (SummaryList->count() == 0)
    new QListWidgetItem(QStringLiteral("No choice has been made yet."), SummaryList);
}
