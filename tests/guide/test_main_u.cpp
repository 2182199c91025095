#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "catalogue/QuarnData_u.h"
#include "guide/GuideControls.h"
#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RPFind.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPaneAccessible.h"
#include "richtext/view/RichPaneEdit.h"
#include "richtext/view/RichPaneFindBar.h"
#include "support/BundledEntries.h"
#include "support/DrawItemChecks.h"
#include "support/TempDir.h"

namespace {

// The file name of the article in the pane, "" when the pane is empty.
QString Shown(const TForm2& Form) {
  return QFileInfo(QString::fromStdString(Form.rpe->LoadedFileName())).fileName();
}

QString Article(int Entry) { return QString::fromStdString(GetEntryFileName(Entry)); }

// The text in the pane, its paragraphs on lines of their own.
QString PaneText(TForm2& Form) {
  TRichPaneRPData& Doc = Form.rpe->Core().RPData();
  std::u16string Text;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    if (i > 0 && Doc.IsParaStart(i))
      Text += u'\n';
    Text += Doc.GetItemTextW(i);
  }
  return QString::fromStdU16String(Text);
}

void Choose(TGuideTreeView* Tree, int AbsoluteIndex) { Tree->Select(Tree->NodeAt(AbsoluteIndex)); }

void ChooseItem(TGuideListBox* List, int Row) { List->setCurrentRow(Row); }

// A left click on a node as a user makes it: its branch opened and scrolled into view.
void ClickNode(TGuideTreeView* Tree, int AbsoluteIndex) {
  QTreeWidgetItem* Node = Tree->NodeAt(AbsoluteIndex);
  for (QTreeWidgetItem* Up = Node->parent(); Up; Up = Up->parent())
    Up->setExpanded(true);
  Tree->scrollToItem(Node);
  QApplication::processEvents();
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, {}, Tree->visualItemRect(Node).center());
}

void ClickRow(QListWidget* List, int Row) {
  QListWidgetItem* Item = List->item(Row);
  List->scrollToItem(Item);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualItemRect(Item).center());
}

// Scrolls the pane to the first draw item whose item Take chooses, and gives the client point
// DX pixels into it (half its width for -1), half way down; (-1, -1) when there is none.
template <typename TTake> QPoint ScrollToFirst(TCustomRichPane& Core, TTake Take, int DX) {
  const TCustomRPFormattedData& Doc = Core.RPData();
  for (int i = 0; i < Doc.DrawItems.Count(); ++i) {
    const TRPDrawLineInfo& D = Doc.DrawItems[i];
    if (!Take(*Doc.GetItem(D.ItemNo)))
      continue;
    Core.ScrollTo(D.Top);
    return {D.Left - Core.HPos() + (DX < 0 ? D.Width / 2 : DX),
            D.Top - Core.VOffs() + D.Height / 2};
  }
  return {-1, -1};
}

bool IsDoiLink(const TCustomRPItemInfo& Item) { return Item.Tag().starts_with("https://doi.org/"); }

// The window shown with the bundled article on geometries ("Molecular gometries"); false when
// the window did not come up.
bool ShowGeometryArticle(TForm2& Form) {
  Form.resize(TForm2::StartSize);
  Form.show();
  Choose(Form.JobsTreeView, 1);
  Form.JobsTreeViewClick(Form.JobsTreeView);
  return QTest::qWaitForWindowExposed(&Form);
}

} // namespace

class TestGuideWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<TTempDir> FAppDir;
  std::unique_ptr<TForm2> Form;

private slots:
  void initTestCase() {
    // The settings the guide keeps between runs go to a place of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    QAccessible::installFactory(TRichPaneAccessible::Factory);
    RegisterPlatformFonts();
    RP_UseQtGraphicInterface();
  }
  void init() {
    QSettings().clear();
    FAppDir = std::make_unique<TTempDir>();
    for (int Entry : BundledEntries())
      FAppDir->AddFile("entries/" + GetEntryFileName(Entry), "{\\rtf1 }");
    Form = std::make_unique<TForm2>(nullptr, QString::fromStdString(FAppDir->Str()));
  }
  void cleanup() {
    Form.reset();
    FAppDir.reset();
  }

  void startUpState() {
    QCOMPARE(Form->windowTitle(), QStringLiteral("CompChem Guide"));
    // The design's size, as far as the screen has room (the test screen is smaller).
    QCOMPARE(Form->size(), TForm2::StartSize.boundedTo(Form->screen()->availableGeometry().size()));
    QCOMPARE(Form->CurStage(), 0);
    QCOMPARE(Form->PageControl1->currentIndex(), 0);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Computation type"));
    QCOMPARE(Form->Label13->text(), QStringLiteral("Stage 1 of 10"));
    QCOMPARE(Form->Label1->text(), QString());
    QCOMPARE(Shown(*Form), QString());
    QCOMPARE(Form->rpe->FormatCount(), 0);
    QVERIFY(Form->NextStageButton->isEnabled());
    QVERIFY(!Form->PrevStageButton->isEnabled());
    QVERIFY(!Form->PrevEntryButton->isEnabled());
    QVERIFY(!Form->NextEntryButton->isEnabled());
    QVERIFY(!Form->Button5->isEnabled());
    QVERIFY(!Form->AddEntryButton->isEnabled());
    QVERIFY(Form->AddEntryButton->isChecked());
    QCOMPARE(Form->CurJobType(), TJobType(0)); // not -1 until a choice is read
    QCOMPARE(Form->Entries().size(), BundledEntries().size());
    QVERIFY(QString::fromStdString(Form->Entries().front())
                .startsWith(QString::fromStdString(FAppDir->Str() + "/entries/E")));
  }

  void controlsAsDesigned() {
    QCOMPARE(Form->PageControl1->count(), 10);
    const char* Captions[] = {"Computation type",   "Required properties",
                              "System type",        "Charge, spin",
                              "Gross formula",      "Structural features",
                              "Computation method", "Basis set",
                              "QC package",         "Summary"};
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(Form->PageControl1->tabText(i), QString::fromUtf8(Captions[i]));
      QCOMPARE(Form->StageTabs->Tab(i)->text(), QString::fromUtf8(Captions[i]));
    }
    QCOMPARE(Form->JobsTreeView->parentWidget(), Form->TabSheet2);
    QCOMPARE(Form->Label2->text(), QStringLiteral("What propetries do you need to compute?"));
    QCOMPARE(Form->Button1->text(), QStringLiteral("Skip"));
    QCOMPARE(Form->JobsTreeView->indentation(), 19);
    // Trees and lists are in the desktop's font; a cut item shows its whole text as a tip.
    QCOMPARE(Form->TreeView3->font(), QApplication::font());
    QCOMPARE(Form->StructFeaturesList->font(), QApplication::font());
    QTreeWidgetItem* Longest = Form->JobsTreeView->NodeAt(11);
    QCOMPARE(Longest->toolTip(0), Longest->text(0));
    QCOMPARE(Form->StructFeaturesList->item(15)->toolTip(),
             QStringLiteral("Stacking (interactions between conjugated systems)"));
    // Tab order: the page's choices, then the stage buttons, then the entry buttons, then
    // the article (the widgets Tab stops at).
    const auto Stop = [](QWidget* From, bool Forward) {
      do
        From = Forward ? From->nextInFocusChain() : From->previousInFocusChain();
      while (!(From->focusPolicy() & Qt::TabFocus));
      return From;
    };
    QVERIFY(Form->PageControl1->isAncestorOf(Stop(Form->PrevStageButton, false)));
    QWidget* Expected[] = {Form->PrevStageButton,
                           Form->NextStageButton,
                           Form->PrevEntryButton,
                           Form->NextEntryButton,
                           Form->Button5,
                           Form->AddEntryButton,
                           Form->rpe};
    for (size_t i = 1; i < std::size(Expected); ++i)
      QCOMPARE(Stop(Expected[i - 1], true), Expected[i]);
  }

  void guideStyleSheet() {
    const TRPStyle& Sheet = *Form->rps;
    QCOMPARE(Sheet.TextStyles.Count(), 1);
    const TFontInfo& Normal = Sheet.TextStyles[0];
    QCOMPARE(Normal.StyleName, std::string("Normal text"));
    QCOMPARE(Normal.FontName, std::string("Times New Roman"));
    QCOMPARE(Normal.SizeDouble, 24);
    QVERIFY(Normal.Unicode);
    QCOMPARE(Normal.Color, clWindowText);
    QCOMPARE(Sheet.ParaStyles.Count(), 1);
    QCOMPARE(Sheet.ParaStyles[0].StyleName, std::string("Left"));
    QCOMPARE(Sheet.ParaStyles[0].Tabs.Count(), 0);
    QCOMPARE(Sheet.ListStyles.Count(), 0);
    QCOMPARE(Sheet.GetInvalidPicture().Width(), 32);
    QCOMPARE(Sheet.GetInvalidPicture().Height(), 32);
    QCOMPARE(Sheet.Units, rpstuPixels);
    QCOMPARE(Sheet.Color, clWindow);
  }

  void vocabulariesAndNumbering() {
    QCOMPARE(Form->CompTypeTree->NodeCount(), 5);
    QCOMPARE(Form->JobsTreeView->NodeCount(), 16);
    QCOMPARE(Form->SystemTypeTreeView->NodeCount(), 15);
    QCOMPARE(Form->TreeView3->NodeCount(), 50);
    QCOMPARE(Form->TreeView5->NodeCount(), 24);
    QCOMPARE(Form->ChargeSpinList->count(), 6);
    QCOMPARE(Form->StructFeaturesList->count(), 16);
    QCOMPARE(Form->BasisSetList->count(), 6);
    QCOMPARE(Form->DiffListBox->count(), 2);

    QTreeWidgetItem* RateConstants = Form->JobsTreeView->NodeAt(15);
    QCOMPARE(RateConstants->text(0), QStringLiteral("Rate constants"));
    QCOMPARE(RateConstants->parent(), Form->JobsTreeView->NodeAt(8));
    QCOMPARE(TGuideTreeView::Data(RateConstants), intptr_t(15));
    QCOMPARE(Form->CompTypeTree->NodeAt(4)->text(0), QStringLiteral("Monte-Carlo"));
    QCOMPARE(TGuideTreeView::Data(Form->CompTypeTree->NodeAt(4)), intptr_t(4));
    QCOMPARE(Form->SystemTypeTreeView->NodeAt(4)->parent(), Form->SystemTypeTreeView->NodeAt(2));
    QCOMPARE(Form->SystemTypeTreeView->NodeAt(14)->text(0), QStringLiteral("Liquid+liquid phases"));
    for (TGuideTreeView* Tree : {Form->SystemTypeTreeView, Form->TreeView3, Form->TreeView5})
      for (int i = 0; i < Tree->NodeCount(); ++i)
        QCOMPARE(TGuideTreeView::Data(Tree->NodeAt(i)), intptr_t(i));

    // The deepest branches of the method tree, in pre-order.
    QCOMPARE(Form->TreeView3->NodeAt(21)->text(0), QStringLiteral("EOMIP-CC"));
    QCOMPARE(Form->TreeView3->NodeAt(21)->parent()->text(0), QStringLiteral("EOM-CC and FS-CC"));
    QCOMPARE(Form->TreeView3->NodeAt(32)->text(0), QStringLiteral("UCCSDT and beyond"));
    QCOMPARE(Form->TreeView3->NodeAt(32)->parent()->text(0), QStringLiteral("CC methods"));
    QCOMPARE(Form->TreeView3->NodeAt(49)->text(0), QStringLiteral("wB97XD"));
    QCOMPARE(Form->TreeView5->NodeAt(6)->text(0), QStringLiteral("Firefly (PCGamess)"));
    QCOMPARE(Form->TreeView5->topLevelItemCount(), 18);
    QCOMPARE(Form->StructFeaturesList->item(8)->text(),
             QStringLiteral("Significantly \"electronegative\" atoms"));
    QCOMPARE(Form->StructFeaturesList->item(8)->checkState(), Qt::Unchecked);
    QVERIFY(Form->JobsTreeView->selectedItems().isEmpty());
    QCOMPARE(Form->ChargeSpinList->ItemIndex(), -1);
  }

  void stageFlowBothWays() {
    Form->PrevStageButtonClick(Form->PrevStageButton);
    QCOMPARE(Form->CurStage(), 0);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Computation type"));

    const char* Captions[] = {"Required properties", "System type",         "Charge, spin",
                              "Gross formula",       "Structural features", "Computation method",
                              "Basis set",           "QC package",          "Summary"};
    for (int i = 0; i < 9; ++i) {
      QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
      QCOMPARE(Form->CurStage(), 2 * (i + 1));
      QCOMPARE(Form->PageControl1->currentIndex(), i + 1);
      QCOMPARE(Form->TabNameLabel->text(), QString::fromUtf8(Captions[i]));
      QCOMPARE(Form->Label13->text(), QStringLiteral("Stage %1 of 10").arg(i + 2));
      QVERIFY(Form->StageTabs->Tab(i + 1)->isChecked());
    }
    // There is no page after the summary.
    QVERIFY(!Form->NextStageButton->isEnabled());
    Form->NextStageButtonClick(Form->NextStageButton);
    QCOMPARE(Form->CurStage(), LastStage);
    QCOMPARE(Form->PageControl1->currentIndex(), 9);

    for (int Stage = 16; Stage >= 0; Stage -= 2) {
      QTest::mouseClick(Form->PrevStageButton, Qt::LeftButton);
      QCOMPARE(Form->CurStage(), Stage);
    }
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Computation type"));
    QVERIFY(!Form->PrevEntryButton->isEnabled());
  }

  // A tab chosen with the mouse makes its page's stage the current one.
  void choosingATabMakesItsStageCurrent() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    QTest::mouseClick(Form->StageTabs->Tab(5), Qt::LeftButton);
    QCOMPARE(Form->CurStage(), 10);
    QCOMPARE(Form->PageControl1->currentIndex(), 5);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Structural features"));
    QCOMPARE(Form->Label13->text(), QStringLiteral("Stage 6 of 10"));
    QVERIFY(Form->PrevStageButton->isEnabled());
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    QCOMPARE(Form->CurStage(), 12);
    QVERIFY(Form->StageTabs->Tab(6)->isChecked());
    // The basis-set tab looks at the indicator as the stage buttons do.
    ChooseItem(Form->ChargeSpinList, 1);
    Form->ChargeSpinListClick(Form->ChargeSpinList);
    ChooseItem(Form->DiffListBox, 1);
    QTest::mouseClick(Form->StageTabs->Tab(7), Qt::LeftButton);
    Form->DiffListBoxClick(Form->DiffListBox);
    QVERIFY(Form->AddEntryButton->isEnabled());
    QTest::mouseClick(Form->StageTabs->Tab(0), Qt::LeftButton);
    QCOMPARE(Form->CurStage(), 0);
    QVERIFY(!Form->AddEntryButton->isEnabled());
    QVERIFY(!Form->PrevStageButton->isEnabled());
  }

  void nextStageButtonIsNeverStuck() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    // Leaving the first page with no job chosen sets the job type to -1 ...
    ClickNode(Form->CompTypeTree, 0); // "Molecular mechanics"
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    QCOMPARE(Form->CurJobType(), TJobType(-1));
    QTest::mouseClick(Form->PrevStageButton, Qt::LeftButton);
    // ... and a computation type chosen then still leaves the way forward open.
    ClickNode(Form->CompTypeTree, 1); // "Quantum chemistry"
    QCOMPARE(Shown(*Form), Article(420));
    QVERIFY(Form->NextStageButton->isEnabled());
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    QCOMPARE(Form->CurStage(), 2);

    // On the properties page a heading is not a property: one of its children is.
    ClickNode(Form->JobsTreeView, 0); // "1 molecule"
    QCOMPARE(Shown(*Form), Article(60));
    QVERIFY(!Form->NextStageButton->isEnabled());
    ClickNode(Form->JobsTreeView, 1); // "Molecular gometries"
    QCOMPARE(Shown(*Form), Article(120));
    QCOMPARE(Form->CurJobType(), TJobType(0));
    QVERIFY(Form->NextStageButton->isEnabled());
    // Elsewhere a heading chosen on that page holds nothing up.
    ClickNode(Form->JobsTreeView, 8);
    QVERIFY(!Form->NextStageButton->isEnabled());
    QTest::mouseClick(Form->PrevStageButton, Qt::LeftButton);
    QVERIFY(Form->NextStageButton->isEnabled());
  }

  void jobTypeMapping() {
    const int Expected[16] = {-1, 0, 1, 2, 3, 4, 5, 6, -1, 7, 8, 9, 10, 11, 12, 13};
    // Every property shows its own article; the heading "1 molecule" the general one.
    const int Articles[16] = {60,  120, 130, 140, 100, 110, 150, 160,
                              200, 210, 230, 220, 250, 240, 260, 270};
    Form->NextStageButtonClick(Form->NextStageButton); // the properties page
    for (int i = 0; i < 16; ++i) {
      Choose(Form->JobsTreeView, i);
      QCOMPARE(Form->GetCurJobType(), TJobType(Expected[i]));
      Form->JobsTreeViewClick(Form->JobsTreeView);
      QCOMPARE(Form->CurJobType(), TJobType(Expected[i]));
      QCOMPARE(Shown(*Form), Article(Articles[i]));
      QCOMPARE(Form->NextStageButton->isEnabled(), Expected[i] != -1);
    }
    // The mapping reads the stored Data, not the node's position.
    TGuideTreeView::SetData(Form->JobsTreeView->NodeAt(3), -5);
    Choose(Form->JobsTreeView, 3);
    QCOMPARE(Form->GetCurJobType(), TJobType(-1));
    TGuideTreeView::SetData(Form->JobsTreeView->NodeAt(3), 12);
    QCOMPARE(Form->GetCurJobType(), TJobType(10));
    Form->JobsTreeView->clearSelection();
    QCOMPARE(Form->GetCurJobType(), TJobType(-1));
  }

  void computationTypeMapping() {
    const int Expected[5] = {-1, 0, 1, 1, 2};
    const int Articles[5] = {410, 420, 400, 430, 440};
    for (int i = 0; i < 5; ++i) {
      Choose(Form->CompTypeTree, i);
      Form->CompTypeTreeClick(Form->CompTypeTree);
      QCOMPARE(Form->CurCompType(), TCompType(Expected[i]));
      QCOMPARE(Shown(*Form), Article(Articles[i]));
    }
  }

  void systemTypeTree() {
    Choose(Form->SystemTypeTreeView, 5); // "Liquid phase"
    Form->SystemTypeTreeViewClick(Form->SystemTypeTreeView);
    QCOMPARE(Shown(*Form), Article(1300));
    Choose(Form->SystemTypeTreeView, 1);
    Form->SystemTypeTreeViewKeyUp(Form->SystemTypeTreeView, Qt::Key_Down, Qt::NoModifier);
    QCOMPARE(Shown(*Form), Article(1100));
  }

  void gasPhaseOnlyOnTheWayForward() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    Form->NextStageButtonClick(Form->NextStageButton);
    Form->NextStageButtonClick(Form->NextStageButton);
    QCOMPARE(Form->CurStage(), 4);
    QCOMPARE(Form->SystemTypeTreeView->Selected(), Form->SystemTypeTreeView->NodeAt(1));
    QCOMPARE(Form->focusWidget(), Form->SystemTypeTreeView);
    QCOMPARE(Shown(*Form), Article(1100));

    Choose(Form->SystemTypeTreeView, 9);
    Form->rpe->Clear();
    Form->NextStageButton->setFocus();
    Form->NextStageButtonClick(Form->NextStageButton);
    Form->PrevStageButtonClick(Form->PrevStageButton);
    QCOMPARE(Form->CurStage(), 4);
    QCOMPARE(Form->SystemTypeTreeView->Selected(), Form->SystemTypeTreeView->NodeAt(9));
    QCOMPARE(Shown(*Form), QString());
    QVERIFY(Form->focusWidget() != Form->SystemTypeTreeView);
  }

  // A released key reads the tree it was released in; the method and package trees have
  // no articles, and leave the pane as it is.
  void keysAndClicksReadTheirOwnTree() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    Choose(Form->CompTypeTree, 3);
    Form->CompTypeTree->setFocus();
    QTest::keyClick(Form->CompTypeTree, Qt::Key_Down);
    QCOMPARE(Shown(*Form), Article(440)); // "Monte-Carlo"
    QCOMPARE(Form->CurCompType(), TCompType(2));

    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    Choose(Form->JobsTreeView, 4);
    Form->JobsTreeView->setFocus();
    QTest::keyClick(Form->JobsTreeView, Qt::Key_Down);
    QCOMPARE(Form->JobsTreeView->Selected(), Form->JobsTreeView->NodeAt(5));
    QCOMPARE(Shown(*Form), Article(110)); // "Absorption electronic spectrum"
    QCOMPARE(Form->CurJobType(), TJobType(4));

    // The method and package trees by mouse and keys: B3LYP, then B3LYP-D3 below it; G09A,
    // then G09D, which shares its article.
    const struct {
      TGuideTreeView* Tree;
      int Node;
      TEntry Clicked, Below;
    } Trees[] = {{Form->TreeView3, 47, 5841, 5842}, {Form->TreeView5, 3, 7013, 7013}};
    for (const auto& [Tree, Node, Clicked, Below] : Trees) {
      Form->PageControl1->setCurrentWidget(Tree->parentWidget());
      ClickNode(Tree, Node);
      QCOMPARE(Tree->Selected(), Tree->NodeAt(Node));
      QCOMPARE(Shown(*Form), Article(Clicked));
      Tree->setFocus();
      QTest::keyClick(Tree, Qt::Key_Down);
      QCOMPARE(Tree->Selected(), Tree->NodeAt(Node + 1));
      QCOMPARE(Shown(*Form), Article(Below));
    }

    // A key that moves nothing reads nothing: the Tab that brings the focus back, a Shift.
    QTest::mouseClick(Form->StageTabs->Tab(1), Qt::LeftButton);
    Form->JobsTreeView->setFocus();
    const int Formatted = Form->rpe->FormatCount();
    QTest::keyRelease(Form->JobsTreeView, Qt::Key_Tab);
    QTest::keyClick(Form->JobsTreeView, Qt::Key_Shift);
    QCOMPARE(Form->rpe->FormatCount(), Formatted);
  }

  void mouseClicksReachTheHandlers() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    QTreeWidgetItem* Node = Form->CompTypeTree->NodeAt(1);
    QTest::mouseClick(Form->CompTypeTree->viewport(), Qt::LeftButton, {},
                      Form->CompTypeTree->visualItemRect(Node).center());
    QCOMPARE(Form->CompTypeTree->Selected(), Node);
    QCOMPARE(Shown(*Form), Article(420));

    Form->PageControl1->setCurrentIndex(3);
    QListWidgetItem* Anion = Form->ChargeSpinList->item(1);
    QTest::mouseClick(Form->ChargeSpinList->viewport(), Qt::LeftButton, {},
                      Form->ChargeSpinList->visualItemRect(Anion).center());
    QCOMPARE(Form->CurChargeSpin(), TChargeSpinType(1));
    QCOMPARE(Shown(*Form), Article(3110));
    Form->ChargeSpinList->setFocus();
    QTest::keyClick(Form->ChargeSpinList, Qt::Key_Up);
    QCOMPARE(Form->CurChargeSpin(), TChargeSpinType(0));
    QCOMPARE(Shown(*Form), Article(3100));
  }

  void chargeAndFeatureLists() {
    const int Charge[6] = {3100, 3110, 3120, 3130, 3140, 3150};
    for (int i = 0; i < 6; ++i) {
      ChooseItem(Form->ChargeSpinList, i);
      Form->ChargeSpinListClick(Form->ChargeSpinList);
      QCOMPARE(Form->CurChargeSpin(), TChargeSpinType(i));
      QCOMPARE(Shown(*Form), Article(Charge[i]));
    }
    for (int i = 0; i < 16; ++i) {
      ChooseItem(Form->StructFeaturesList, i);
      Form->StructFeaturesListClick(Form->StructFeaturesList);
      QCOMPARE(Form->CurStructFeatures(), TStructFeatureType(i));
      QCOMPARE(Shown(*Form), Article(EntryAt(StructFeaturesNodesData, i)));
    }
    // Ticking a box plays no part.
    Form->StructFeaturesList->item(9)->setCheckState(Qt::Checked);
    ChooseItem(Form->StructFeaturesList, 3);
    Form->StructFeaturesListClick(Form->StructFeaturesList);
    QCOMPARE(Shown(*Form), Article(15210));

    // A click with nothing selected shows nothing.
    Form->rpe->Clear();
    Form->ChargeSpinList->clearSelection();
    Form->ChargeSpinListClick(Form->ChargeSpinList);
    QCOMPARE(Form->CurChargeSpin(), TChargeSpinType(-1));
    QCOMPARE(Shown(*Form), QString());
  }

  void basisSetPageAndTheAddEntryIndicator() {
    ChooseItem(Form->ChargeSpinList, 1); // "Anion"
    Form->ChargeSpinListClick(Form->ChargeSpinList);
    while (Form->CurStage() < 14)
      Form->NextStageButtonClick(Form->NextStageButton);
    QVERIFY(!Form->AddEntryButton->isEnabled());

    ChooseItem(Form->BasisSetList, 4);
    Form->BasisSetListClick(Form->BasisSetList);
    QCOMPARE(Form->CurBasisSet(), 4);
    QCOMPARE(Shown(*Form), Article(6050)); // cc-pVTZ
    // With no row selected nothing is read.
    Form->BasisSetList->clearSelection();
    Form->BasisSetListClick(Form->BasisSetList);
    QCOMPARE(Form->CurBasisSet(), -1);
    QCOMPARE(Shown(*Form), Article(6050));

    ChooseItem(Form->DiffListBox, 1);
    Form->DiffListBoxClick(Form->DiffListBox);
    QCOMPARE(Form->CurDiffFuncsSelected(), 1);
    QCOMPARE(Shown(*Form), Article(6100));
    QVERIFY(Form->AddEntryButton->isEnabled());

    ChooseItem(Form->DiffListBox, 0);
    Form->DiffListBoxClick(Form->DiffListBox);
    QCOMPARE(Form->CurDiffFuncsSelected(), 0);
    QCOMPARE(Shown(*Form), Article(60));
    QVERIFY(!Form->AddEntryButton->isEnabled());

    ChooseItem(Form->DiffListBox, 1);
    Form->DiffListBoxClick(Form->DiffListBox);
    QVERIFY(Form->AddEntryButton->isEnabled());
    Form->NextStageButtonClick(Form->NextStageButton);
    QVERIFY(!Form->AddEntryButton->isEnabled());
    // Going back does not look at the indicator again.
    Form->PrevStageButtonClick(Form->PrevStageButton);
    QCOMPARE(Form->CurStage(), 14);
    QVERIFY(!Form->AddEntryButton->isEnabled());
    Form->DiffListBoxClick(Form->DiffListBox);
    QVERIFY(Form->AddEntryButton->isEnabled());

    // A neutral molecule never needs the indicator.
    ChooseItem(Form->ChargeSpinList, 0);
    Form->ChargeSpinListClick(Form->ChargeSpinList);
    Form->DiffListBoxClick(Form->DiffListBox);
    QVERIFY(!Form->AddEntryButton->isEnabled());
  }

  void skipIsNextStage() {
    while (Form->CurStage() < 8)
      Form->NextStageButtonClick(Form->NextStageButton);
    Form->BruttoEdit->setText(QStringLiteral("C6H6"));
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    QCOMPARE(Form->CurStage(), 10);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Structural features"));
  }

  void showEntryPathAndPaneCalls() {
    Form->rpe->SetModified(true);
    const int Before = Form->rpe->FormatCount();
    Form->ShowEntry(0);
    QCOMPARE(Shown(*Form), Article(60));
    QVERIFY(!Form->rpe->Modified());
    QCOMPARE(Form->rpe->FormatCount(), Before + 1);
    QCOMPARE(Form->FindEntry("e000060.RTF"), Form->FindEntry("E000060.rtf"));
    QVERIFY(Form->FindEntry("E000060.rtf") >= 0);
    QCOMPARE(Form->FindEntry("E000061.rtf"), -1);
  }

  // What cannot be shown whole is said in the pane, above whatever could be read.
  void failuresAreSaid() {
    Form->ShowEntry(1234567);
    QCOMPARE(Shown(*Form), QString());
    QCOMPARE(PaneText(*Form), QStringLiteral("This article could not be found: E1234567.rtf"));

    FAppDir->AddFile("entries/" + GetEntryFileName(130), "{\\rtf1 Half {\\b an article");
    TForm2 Damaged(nullptr, QString::fromStdString(FAppDir->Str()));
    Damaged.ShowEntry(130);
    QCOMPARE(
        PaneText(Damaged),
        QStringLiteral("This article is damaged; what could be read is shown\nHalf an article"));

    TTempDir Empty;
    TForm2 Bare(nullptr, QString::fromStdString(Empty.Str()));
    QVERIFY(Bare.Entries().empty());
    const QString Folder = QString::fromStdString(Empty.Str() + "/entries/");
    QCOMPARE(PaneText(Bare),
             QStringLiteral("The folder of articles could not be found: ") + Folder);
    Choose(Bare.JobsTreeView, 1);
    Bare.JobsTreeViewClick(Bare.JobsTreeView);
    QCOMPARE(PaneText(Bare), QStringLiteral("This article could not be found: E000120.rtf\n"
                                            "The folder of articles could not be found: ") +
                                 Folder);
    QVERIFY(Bare.NextStageButton->isEnabled());
  }

  // "k of n" counts the articles of the choices made, in stage order; the entry buttons
  // step through them, and "Back" goes through the articles shown.
  void entryButtonsAndBack() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    ClickNode(Form->CompTypeTree, 1); // 420
    QCOMPARE(Form->Label1->text(), QStringLiteral("1 of 1"));
    QVERIFY(!Form->PrevEntryButton->isEnabled());
    QVERIFY(!Form->NextEntryButton->isEnabled());
    QVERIFY(!Form->Button5->isEnabled());
    QTest::mouseClick(Form->StageTabs->Tab(3), Qt::LeftButton);
    ClickRow(Form->ChargeSpinList, 1); // 3110
    QTest::mouseClick(Form->StageTabs->Tab(1), Qt::LeftButton);
    ClickNode(Form->JobsTreeView, 7); // 160
    QCOMPARE(Form->Label1->text(), QStringLiteral("2 of 3"));
    QVERIFY(Form->Button5->isEnabled());

    QTest::mouseClick(Form->NextEntryButton, Qt::LeftButton);
    QCOMPARE(Shown(*Form), Article(3110));
    QCOMPARE(Form->Label1->text(), QStringLiteral("3 of 3"));
    QVERIFY(!Form->NextEntryButton->isEnabled());
    QTest::mouseClick(Form->PrevEntryButton, Qt::LeftButton);
    QTest::mouseClick(Form->PrevEntryButton, Qt::LeftButton);
    QCOMPARE(Shown(*Form), Article(420));
    QVERIFY(!Form->PrevEntryButton->isEnabled());

    // Back: 160, 3110, 160, 3110, 160, 420 were shown before this.
    const int Before[] = {160, 3110, 160, 3110, 420};
    for (int Entry : Before) {
      QTest::mouseClick(Form->Button5, Qt::LeftButton);
      QCOMPARE(Shown(*Form), Article(Entry));
    }
    QVERIFY(!Form->Button5->isEnabled());
    // An article that is no choice's is outside the count; the buttons lead back in.
    for (QPushButton* Button : {Form->NextEntryButton, Form->PrevEntryButton}) {
      QTest::mouseClick(Form->StageTabs->Tab(7), Qt::LeftButton);
      ClickRow(Form->DiffListBox, 1);
      QCOMPARE(Shown(*Form), Article(6100));
      ClickRow(Form->DiffListBox, 0); // the diffuse choice now shows the general article
      QTest::mouseClick(Form->Button5, Qt::LeftButton);
      QCOMPARE(Shown(*Form), Article(6100));
      QCOMPARE(Form->Label1->text(), QStringLiteral("\u2013 of 4"));
      QVERIFY(Button->isEnabled());
      QTest::mouseClick(Button, Qt::LeftButton);
      QCOMPARE(Shown(*Form), Article(Button == Form->NextEntryButton ? 420 : 60));
    }
  }

  // Ticking a box with the mouse reads the row that was clicked.
  void tickingABoxReadsItsRow() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    Form->PageControl1->setCurrentIndex(5);
    TGuideListBox& List = *Form->StructFeaturesList;
    const auto ClickBox = [&List](int Row) {
      const QRect Item = List.visualItemRect(List.item(Row));
      QStyleOptionViewItem Option;
      Option.initFrom(&List);
      Option.rect = Item;
      Option.features |= QStyleOptionViewItem::HasCheckIndicator;
      const QRect Box =
          List.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &Option, &List);
      QTest::mouseClick(List.viewport(), Qt::LeftButton, {}, Box.center());
    };
    QTest::mouseClick(List.viewport(), Qt::LeftButton, {},
                      List.visualItemRect(List.item(2)).center());
    QCOMPARE(Shown(*Form), Article(15110));
    ClickBox(9);
    QCOMPARE(List.item(9)->checkState(), Qt::Checked);
    QCOMPARE(Form->CurStructFeatures(), TStructFeatureType(9));
    QCOMPARE(Shown(*Form), Article(15150));
    ClickBox(4);
    QCOMPARE(List.item(4)->checkState(), Qt::Checked);
    QCOMPARE(Shown(*Form), Article(15160));
    // The ticked rows are the choices; a box cleared again is no choice.
    QCOMPARE(Form->ChoiceArticles(), (std::vector<TEntry>{15160, 15150}));
    ClickBox(9);
    QCOMPARE(List.item(9)->checkState(), Qt::Unchecked);
    QCOMPARE(Form->ChoiceArticles(), (std::vector<TEntry>{15160}));
    QCOMPARE(Form->Label1->text(), QStringLiteral("\u2013 of 1"));
  }

  // A different article opens at its top; the same one, resized or chosen again, and an
  // article gone back to, keep their place.
  void articlesOpenAtTheirTop() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TCustomRichPane& Core = Real.rpe->Core();
    Real.rpe->verticalScrollBar()->setValue(120);
    QCOMPARE(Core.VPos(), 120);
    const int Width = Real.rpe->width();
    Real.resize(Real.width() + 40, Real.height());
    QTRY_COMPARE(Real.rpe->width(), Width + 40);
    QVERIFY(Core.VPos() > 100);
    const int32_t Kept = Core.VPos();
    Real.PageControl1->setCurrentIndex(1);
    ClickNode(Real.JobsTreeView, 1);
    QCOMPARE(Core.VPos(), Kept);

    ClickNode(Real.JobsTreeView, 2);
    QCOMPARE(Shown(Real), Article(130));
    QCOMPARE(Core.VPos(), 0);
    QTest::mouseClick(Real.Button5, Qt::LeftButton);
    QCOMPARE(Shown(Real), Article(120));
    QCOMPARE(Core.VPos(), Kept);

    // Sideways too: in a narrow window the article's table is wider than the pane.
    Real.resize(800, 600);
    QTRY_VERIFY(Real.rpe->horizontalScrollBar()->maximum() > 100);
    Real.rpe->horizontalScrollBar()->setValue(100);
    QCOMPARE(Core.HPos(), 100);
    ClickNode(Real.JobsTreeView, 3);
    QCOMPARE(Core.HPos(), 0);
    QTest::mouseClick(Real.Button5, Qt::LeftButton);
    QCOMPARE(Core.HPos(), 100);
  }

  // The summary gives the titles of the articles; Enter on a row shows that article too.
  void summaryTitlesAndKeys() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    Real.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Real));
    ClickNode(Real.CompTypeTree, 1);
    QTest::mouseClick(Real.StageTabs->Tab(5), Qt::LeftButton);
    Real.StructFeaturesList->setFocus();
    QTest::keyClick(Real.StructFeaturesList, Qt::Key_Down);  // "Weak H-bonds", shown
    QTest::keyClick(Real.StructFeaturesList, Qt::Key_End);   // "Stacking ...", shown
    QTest::keyClick(Real.StructFeaturesList, Qt::Key_Space); // ticked
    QTest::mouseClick(Real.StageTabs->Tab(9), Qt::LeftButton);
    QCOMPARE(Real.SummaryList->count(), 2);
    QCOMPARE(Real.SummaryList->item(0)->text(),
             QStringLiteral("Computation type: Quantum chemistry\nArticle: Quantum chemistry"));
    QCOMPARE(Real.SummaryList->item(1)->text(),
             QStringLiteral("Structural features: Stacking (interactions between conjugated "
                            "systems)\nArticle: Stacking (\u03C0\u2013\u03C0 interactions between "
                            "conjugated systems)"));
    Real.SummaryList->setFocus();
    Real.SummaryList->setCurrentRow(0);
    QTest::keyClick(Real.SummaryList, Qt::Key_Return);
    QCOMPARE(Shown(Real), Article(420));
  }

  // The last page lists every choice with its article; a click shows that article again.
  void summaryAfterAWalkThroughAllStages() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    ClickNode(Form->CompTypeTree, 1);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    ClickNode(Form->JobsTreeView, 1);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton); // "Gas phase" comes chosen
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    ClickRow(Form->ChargeSpinList, 1);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    QTest::keyClicks(Form->BruttoEdit, QStringLiteral("C6H5O-"));
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    ClickRow(Form->StructFeaturesList, 9);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    ClickNode(Form->TreeView3, 47);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    ClickRow(Form->BasisSetList, 1);
    ClickRow(Form->DiffListBox, 1);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
    ClickNode(Form->TreeView5, 3);
    QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);

    QCOMPARE(Form->CurStage(), LastStage);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Summary"));
    QVERIFY(!Form->NextStageButton->isEnabled());
    QStringList Rows;
    for (int i = 0; i < Form->SummaryList->count(); ++i)
      Rows << Form->SummaryList->item(i)->text().replace(QLatin1Char('\n'), QStringLiteral(" | "));
    // The articles here are empty: their titles are their file names.
    const QStringList Expected = {
        "Computation type: Quantum chemistry | Article: E000420.rtf",
        "Required properties: Molecular gometries | Article: E000120.rtf",
        "System type: Gas phase | Article: E001100.rtf",
        "Charge, spin: Anion | Article: E003110.rtf",
        "Gross formula: C6H5O- | No article for this choice yet",
        "Structural features: Transition metal atoms (d-elements) | Article: E015150.rtf",
        "Computation method: B3LYP | Article: E005841.rtf",
        "Basis set: 6-31G | Article: E006020.rtf",
        "Basis set: With diffuse functions | Article: E006100.rtf",
        "QC package: G09A | Article: E007013.rtf"};
    QCOMPARE(Rows, Expected);
    QCOMPARE(Form->Label1->text(), QStringLiteral("9 of 9"));
    ClickRow(Form->SummaryList, 1);
    QCOMPARE(Shown(*Form), Article(120));
    QCOMPARE(Form->Label1->text(), QStringLiteral("2 of 9"));
    QCOMPARE(Form->CurStage(), LastStage);
  }

  // The window grows and shrinks: the pane takes the room, every control stays inside.
  void theWindowResizes() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    QVERIFY(Form->minimumSizeHint().width() <= 800);
    QVERIFY(Form->minimumSizeHint().height() <= 600);
    for (QSize Size : {QSize(800, 600), QSize(1600, 1000)}) {
      Form->resize(Size);
      QTRY_COMPARE(Form->size(), Size);
      for (int Page = 0; Page < Form->PageControl1->count(); ++Page) {
        Form->PageControl1->setCurrentIndex(Page);
        QApplication::processEvents();
        for (QWidget* Control : Form->findChildren<QWidget*>()) {
          if (!Control->isVisible() || Control->isWindow())
            continue;
          const QRect InWindow(Control->mapTo(Form.get(), QPoint(0, 0)), Control->size());
          QVERIFY2(Form->rect().contains(InWindow),
                   qPrintable(Control->metaObject()->className() + QStringLiteral(" ") +
                              Control->objectName() +
                              QStringLiteral(" at %1x%2").arg(Size.width()).arg(Size.height())));
        }
      }
      // Every tab's caption is whole.
      for (int i = 0; i < 10; ++i)
        QVERIFY(Form->StageTabs->Tab(i)->width() >= Form->StageTabs->Tab(i)->sizeHint().width());
    }
    // With a larger desktop font every caption is still whole, the window only wider.
    const QFont Desktop = QApplication::font();
    QFont Large = Desktop;
    Large.setPointSizeF(Desktop.pointSizeF() * 1.5);
    QApplication::setFont(Large);
    {
      TForm2 Big(nullptr, QString::fromStdString(FAppDir->Str()));
      Big.resize(800, 600);
      Big.show();
      QVERIFY(QTest::qWaitForWindowExposed(&Big));
      for (int i = 0; i < 10; ++i)
        QVERIFY(Big.StageTabs->Tab(i)->width() >= Big.StageTabs->Tab(i)->sizeHint().width());
    }
    QApplication::setFont(Desktop);

    // The pane takes what the window gains.
    Form->resize(800, 600);
    QTRY_COMPARE(Form->width(), 800);
    const QSize Small = Form->rpe->size();
    Form->resize(1000, 700);
    QTRY_COMPARE(Form->width(), 1000);
    QCOMPARE(Form->rpe->size(), Small + QSize(200, 100));
  }

  // The bundled articles, shown in the pane.
  void aChoiceShowsItsArticle() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    QCOMPARE(Shown(Real), QStringLiteral("E000120.rtf"));
    TCustomRichPane& Pane = Real.rpe->Core();
    const TCustomRPFormattedData& Doc = Pane.RPData();
    QVERIFY(Doc.DrawItems.Count() > 100);
    const TRPDrawLineInfo& First = Doc.DrawItems[0];
    QCOMPARE(Doc.GetItem(First.ItemNo)->TextView().Mid(First.Offs - 1, First.Length).ToUnits(),
             std::u16string(u"Molecular geometries"));
    // Laid out for the pane's width less the scroll bar the long article needs.
    QVERIFY(Real.rpe->verticalScrollBar()->isVisible());
    QCOMPARE(Doc.TextWidth, Real.rpe->viewport()->width() - 10);
    QVERIFY(Real.rpe->verticalScrollBar()->maximum() > 100);
  }

  void thePaneScrolls() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TRichPaneEdit& Pane = *Real.rpe;
    TCustomRichPane& Core = Pane.Core();
    // The wheel over the scroll bar scrolls as over the text: two units a notch.
    QWheelEvent Notch(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Pane.verticalScrollBar(), &Notch);
    QCOMPARE(Core.VPos(), 2);
    QCOMPARE(Pane.verticalScrollBar()->value(), 2);
    // A line click on the bar moves 10 pixels.
    Pane.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Core.VOffs(), 30);
    // A bar moved by anyone else moves the pane too.
    Pane.verticalScrollBar()->setValue(50);
    QCOMPARE(Core.VPos(), 50);
    Pane.verticalScrollBar()->setValue(3);
    QCOMPARE(Core.VOffs(), 30);
    // Dragging below the pane scrolls until the drag ends, also when the focus goes.
    QWidget* Viewport = Pane.viewport();
    QTest::mousePress(Viewport, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(Core.AutoScrolling());
    QMouseEvent Below(QEvent::MouseMove, QPointF(50, Viewport->height() + 30), QPointF(),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &Below);
    QTRY_VERIFY_WITH_TIMEOUT(Core.VOffs() >= 130, 2000);
    // The drag selects as it scrolls: down to the line at the pane's bottom.
    const TCustomRPFormattedData& Doc = Core.RPData();
    QTRY_VERIFY(SelectedText(Doc).size() > 200);
    TRPDrawItemPos Start, End;
    Doc.GetSelectionBounds(Start, End, true);
    QVERIFY(Doc.DrawItems[End.No].Top > Core.VOffs() + Viewport->height() - 60);
    QFocusEvent FocusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&Pane, &FocusOut);
    QVERIFY(!Core.AutoScrolling());
    const int32_t Stopped = Core.VOffs();
    QTest::qWait(250);
    QCOMPARE(Core.VOffs(), Stopped);
  }

  // A click on a reference's DOI opens the browser; the pointer shows it is a link.
  void clickingALinkOpensIt() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TRichPaneEdit& Pane = *Real.rpe;
    TCustomRichPane& Core = Pane.Core();
    const QPoint At = ScrollToFirst(Core, IsDoiLink, 3);
    QVERIFY(At.x() >= 0);
    QStringList Opened;
    Pane.OpenUrl = [&Opened](const QUrl& Url) {
      Opened << Url.toString();
      return true;
    };
    const auto MoveTo = [&Pane](QPoint Where) {
      QMouseEvent Move(QEvent::MouseMove, Where, Pane.viewport()->mapToGlobal(Where), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(Pane.viewport(), &Move);
    };
    MoveTo(At);
    QCOMPARE(Pane.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(Pane.viewport(), Qt::LeftButton, {}, At);
    QCOMPARE(Opened, QStringList{QString::fromStdString(Core.LinkAt(At.x(), At.y())->Target)});
    // Off the link the pointer is the text's again, and a click opens nothing.
    const QPoint Off(Pane.viewport()->width() - 3, At.y());
    MoveTo(Off);
    QCOMPARE(Pane.viewport()->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseClick(Pane.viewport(), Qt::LeftButton, {}, Off);
    QCOMPARE(Opened.size(), 1);

    // The menu on a link opens it or copies its address.
    QContextMenuEvent OnLink(QContextMenuEvent::Mouse, At, Pane.viewport()->mapToGlobal(At));
    QApplication::sendEvent(Pane.viewport(), &OnLink);
    auto* Menu = Pane.findChild<QMenu*>();
    QVERIFY(Menu);
    QStringList Texts;
    for (const QAction* Action : Menu->actions())
      Texts << Action->text();
    QCOMPARE(Texts,
             (QStringList{QStringLiteral("&Copy"), QStringLiteral("Select &all"),
                          QStringLiteral("&Find..."), QStringLiteral("Zoom &in"),
                          QStringLiteral("Zoom &out"), QString(), QStringLiteral("&Open link"),
                          QStringLiteral("Copy link &address")}));
    Menu->actions()[6]->trigger();
    QCOMPARE(Opened.size(), 2);
    Menu->actions()[7]->trigger();
    Menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), Opened.first());
  }

  // Dragging selects, a double click takes a word and a third click its paragraph; Ctrl+A
  // everything; a drag that starts on a link selects and opens nothing.
  void selectingWithTheMouse() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TRichPaneEdit& Pane = *Real.rpe;
    TCustomRichPane& Core = Pane.Core();
    const TCustomRPFormattedData& Doc = Core.RPData();
    QWidget* View = Pane.viewport();
    qint64 Now = 1000;
    Pane.Clock = [&Now] { return Now; };
    QStringList Opened;
    Pane.OpenUrl = [&Opened](const QUrl& Url) {
      Opened << Url.toString();
      return true;
    };
    int Selections = 0;
    connect(&Pane, &TRichPaneEdit::selectionChanged, [&Selections] { ++Selections; });
    const auto Selected = [&Doc] { return QString::fromStdU16String(SelectedText(Doc)); };
    // A point of the heading, "Molecular geometries", at a fraction of its width.
    const TRPDrawLineInfo& Title = Doc.DrawItems[0];
    const auto InTitle = [&](double Fraction) {
      return QPoint(Title.Left + static_cast<int>(Title.Width * Fraction),
                    Title.Top + Title.Height / 2);
    };

    QTest::mousePress(View, Qt::LeftButton, {}, InTitle(0.02));
    QMouseEvent Move(QEvent::MouseMove, InTitle(0.99), View->mapToGlobal(InTitle(0.99)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View, &Move);
    QTest::mouseRelease(View, Qt::LeftButton, {}, InTitle(0.99));
    QCOMPARE(Selected(), QStringLiteral("Molecular geometries"));
    QCOMPARE(Selections, 1);

    QTest::mouseDClick(View, Qt::LeftButton, {}, InTitle(0.8));
    QCOMPARE(Selected(), QStringLiteral("geometries"));
    // The third click soon after: the paragraph.
    QTest::mouseClick(View, Qt::LeftButton, {}, InTitle(0.8));
    QTRY_COMPARE(Selected(), QStringLiteral("Molecular geometries"));
    // Too late for a triple click: a click, which selects nothing.
    QTest::mouseDClick(View, Qt::LeftButton, {}, InTitle(0.8));
    Now += QApplication::doubleClickInterval() + 1;
    QTest::mouseClick(View, Qt::LeftButton, {}, InTitle(0.8));
    QApplication::processEvents();
    QCOMPARE(Selected(), QString());

    QTest::keyClick(&Pane, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(Selected().startsWith(QStringLiteral("Molecular geometries|In short|")));
    QVERIFY(Selected().size() > 5000);

    // Left of the text the pointer selects lines.
    QMouseEvent Margin(QEvent::MouseMove, QPoint(2, InTitle(0.5).y()),
                       View->mapToGlobal(QPoint(2, 0)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(View, &Margin);
    QCOMPARE(View->cursor().shape(), Qt::BitmapCursor);

    // From a link, a drag selects and follows nothing.
    const QPoint From = ScrollToFirst(Core, IsDoiLink, 3);
    QVERIFY(From.x() >= 0);
    const QPoint To = From + QPoint(60, 0);
    QTest::mousePress(View, Qt::LeftButton, {}, From);
    QMouseEvent Drag(QEvent::MouseMove, To, View->mapToGlobal(To), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(View, &Drag);
    QTest::mouseRelease(View, Qt::LeftButton, {}, To);
    QVERIFY(!Selected().isEmpty());
    QVERIFY(Opened.isEmpty());
    // A click on it selects nothing and opens it.
    QTest::mouseClick(View, Qt::LeftButton, {}, From);
    QCOMPARE(Selected(), QString());
    QCOMPARE(Opened.size(), 1);
    // So does a click that shakes a little.
    QTest::mousePress(View, Qt::LeftButton, {}, From);
    QMouseEvent Shake(QEvent::MouseMove, From + QPoint(4, 0),
                      View->mapToGlobal(From + QPoint(4, 0)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(View, &Shake);
    QTest::mouseRelease(View, Qt::LeftButton, {}, From + QPoint(4, 0));
    QCOMPARE(Selected(), QString());
    QCOMPARE(Opened.size(), 2);
  }

  // Ctrl+C (Shift allowed, Alt not) and Ctrl+Insert put the selection's text on the
  // clipboard; with nothing selected the clipboard keeps what it had. The context menu copies
  // and selects all.
  void copyingPutsTheSelectionOnTheClipboard() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TRichPaneEdit& Pane = *Real.rpe;
    QWidget* View = Pane.viewport();
    const TCustomRPFormattedData& Doc = Pane.Core().RPData();
    const TRPDrawLineInfo& Title = Doc.DrawItems[0];
    const QPoint Word(Title.Left + Title.Width * 8 / 10, Title.Top + Title.Height / 2);
    QClipboard& Clipboard = *QGuiApplication::clipboard();
    Clipboard.setText(QStringLiteral("before"));
    Pane.setFocus();
    QTest::keyClick(&Pane, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard.text(), QStringLiteral("before"));
    QTest::mouseDClick(View, Qt::LeftButton, {}, Word);
    // Selecting alone leaves the clipboard; where the desktop has a primary selection, the
    // word is there.
    QCOMPARE(Clipboard.text(), QStringLiteral("before"));
    if (Clipboard.supportsSelection())
      QCOMPARE(Clipboard.text(QClipboard::Selection), QStringLiteral("geometries"));
    QTest::keyClick(&Pane, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(Clipboard.text(), QStringLiteral("before"));
    QTest::keyClick(&Pane, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Clipboard.text(), QStringLiteral("geometries"));
    QCOMPARE(Clipboard.mimeData()->data(QStringLiteral("text/plain;charset=utf-8")),
             QByteArray("geometries"));
    Pane.Core().TripleClick();
    QTest::keyClick(&Pane, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(Clipboard.text(), QStringLiteral("Molecular geometries"));
    // As RTF too, under both names, with the heading's font and size.
    const QByteArray Rtf = Clipboard.mimeData()->data(QStringLiteral("text/rtf"));
    QVERIFY(Rtf.startsWith("{\\rtf1\\fbidis\\ansi\\ansicpg1252"));
    QVERIFY(Rtf.contains("Molecular geometries"));
    QCOMPARE(Clipboard.mimeData()->data(QStringLiteral("application/rtf")), Rtf);
    // And in the engine's own format, its length in four bytes before it.
    const QByteArray Rpf =
        Clipboard.mimeData()->data(QStringLiteral("application/x-richpane-format"));
    QVERIFY(Rpf.size() > 4);
    const auto Byte = [&Rpf](int i) { return static_cast<uint32_t>(static_cast<uint8_t>(Rpf[i])); };
    QCOMPARE(Byte(0) | Byte(1) << 8 | Byte(2) << 16 | Byte(3) << 24,
             static_cast<uint32_t>(Rpf.size() - 4));
    QVERIFY(Rpf.mid(4).startsWith("-8 1 3 1\r\n"));
    QVERIFY(Rpf.contains("\r\nPMolecular geometries\r\n"));
    // Only the formats the options ask for; none asked for, no copy.
    Pane.Core().Options.Exclude(rpoAutoCopyRTF);
    Pane.Core().Options.Exclude(rpoAutoCopyRPF);
    QVERIFY(Pane.CopyDef());
    QVERIFY(!Clipboard.mimeData()->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(!Clipboard.mimeData()->hasFormat(QStringLiteral("application/x-richpane-format")));
    QCOMPARE(Clipboard.text(), QStringLiteral("Molecular geometries"));
    const TRPOptions Options = Pane.Core().Options;
    Pane.Core().Options.Exclude(rpoAutoCopyText);
    Pane.Core().Options.Exclude(rpoAutoCopyUnicodeText);
    QVERIFY(!Pane.CopyDef());
    Pane.Core().Options = Options + TRPOptions{rpoAutoCopyRTF, rpoAutoCopyRPF};

    // The menu where the right button goes: outside the selection, nothing to copy.
    const QPoint Outside(View->width() - 5, View->height() - 5);
    QContextMenuEvent AtOutside(QContextMenuEvent::Mouse, Outside, View->mapToGlobal(Outside));
    QApplication::sendEvent(View, &AtOutside);
    auto* Menu = Pane.findChild<QMenu*>();
    QVERIFY(Menu);
    const QList<QAction*> Actions = Menu->actions();
    QCOMPARE(Actions.size(), 5);
    QVERIFY(!Actions[0]->isEnabled());
    Actions[1]->trigger(); // Select all
    Menu->close();
    QVERIFY(Pane.CopyDef());
    QVERIFY(Clipboard.text().startsWith(QStringLiteral("Molecular geometries\r\nIn short\r\n")));
  }

  // The guide with the keys alone: Tab reaches a page's choices, the arrow keys choose (and
  // show the choice's article), Tab and Space go to the next stage, through to the summary,
  // whose rows open their articles with Enter; Alt+Left and Alt+Right go back and forward
  // through the articles shown; F1 shows how to use the guide.
  void keyboardAlone() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    Real.resize(TForm2::StartSize);
    Real.show();
    QApplication::setActiveWindow(&Real);
    QVERIFY(QTest::qWaitForWindowActive(&Real));
    const auto Press = [](int Key, Qt::KeyboardModifiers Modifiers = {}) {
      QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(Key), Modifiers);
    };
    const auto TabTo = [&](QWidget* Target) {
      for (int i = 0; i < 40 && QApplication::focusWidget() != Target; ++i) {
        Press(Qt::Key_Tab);
      }
      return QApplication::focusWidget() == Target;
    };
    const auto Title = [&Real] {
      const std::u16string Text = RP_DocumentText(Real.rpe->Core().RPData());
      return QString::fromStdU16String(Text.substr(0, Text.find(u'\r')));
    };
    Real.StageTabs->Tab(0)->setFocus();
    QVERIFY(TabTo(Real.CompTypeTree));
    // The arrow keys move through the choices, each showing its article.
    for (int i = 0; i < 3 && Title() != QStringLiteral("Quantum chemistry"); ++i)
      Press(Qt::Key_Down);
    QCOMPARE(Title(), QStringLiteral("Quantum chemistry"));
    for (int Stage = 1; Stage <= 9; ++Stage) {
      QVERIFY(TabTo(Real.NextStageButton));
      Press(Qt::Key_Space);
      QCOMPARE(Real.CurStage(), 2 * Stage);
      if (Stage == 1) {
        // A property, not a heading, lets the guide go on.
        QVERIFY(TabTo(Real.JobsTreeView));
        while (!Real.NextStageButton->isEnabled())
          Press(Qt::Key_Down);
      }
    }
    QVERIFY(TabTo(Real.SummaryList));
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    const QString Chosen = Title();
    QVERIFY(!Chosen.isEmpty());
    QVERIFY(Chosen != QStringLiteral("Quantum chemistry"));

    Press(Qt::Key_F1);
    QCOMPARE(Title(), QStringLiteral("How to use this guide"));
    Press(Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(Title(), Chosen);
    Press(Qt::Key_Left, Qt::AltModifier);
    Press(Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(Title(), Chosen);
    Press(Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(Title(), QStringLiteral("How to use this guide"));
    // Nothing ahead any more.
    Press(Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(Title(), QStringLiteral("How to use this guide"));
  }

  // Every control a user can reach says what it is to a screen reader.
  void everyControlHasAnAccessibleName() {
    for (QWidget* Control : Form->findChildren<QWidget*>()) {
      if (!(Control->focusPolicy() & Qt::TabFocus) || !Control->isEnabledTo(Form.get()))
        continue;
      QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(Control);
      QVERIFY(Interface);
      QVERIFY2(!Interface->text(QAccessible::Name).isEmpty(),
               qPrintable(Control->metaObject()->className() + QStringLiteral(" ") +
                          Control->objectName()));
    }
  }

  // Ctrl+F opens the find bar with the selection's word; typing marks every match and shows
  // the first, Enter
  // and F3 the next, Shift+Enter the previous, round the article; the bar says where the
  // match stands or that there is none; Escape closes it and the article has the keys.
  void findingInTheArticle() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    QApplication::setActiveWindow(&Real);
    QVERIFY(QTest::qWaitForWindowActive(&Real));
    TRichPaneFindBar& Bar = *Real.FindBar;
    TCustomRichPane& Core = Real.rpe->Core();
    QVERIFY(!Bar.isVisible());
    Real.rpe->setFocus();
    QTest::keyClick(Real.rpe, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(Bar.isVisible());
    QCOMPARE(QApplication::focusWidget(), Bar.Edit);
    const int Count = static_cast<int>(RP_FindAll(Core.RPData(), u"basis", {}).size());
    QVERIFY(Count > 3);
    QTest::keyClicks(Bar.Edit, QStringLiteral("basis"));
    QCOMPARE(Bar.Status->text(), QStringLiteral("1 of %1").arg(Count));
    QCOMPARE(RP_SelectionText(Core.RPData()), u"basis");
    // Every match is marked, not only the current one, in the table's cells too.
    const auto MarkCount = [&Core] {
      size_t Marks = 0;
      RP_ForEachDocument(Core.RPData(), [&Marks](TCustomRPData& Doc) {
        Marks += dynamic_cast<TCustomRPFormattedData&>(Doc).Marks.size();
      });
      return static_cast<int>(Marks);
    };
    QCOMPARE(MarkCount(), Count);
    QTest::keyClick(Bar.Edit, Qt::Key_Return);
    QCOMPARE(Bar.Status->text(), QStringLiteral("2 of %1").arg(Count));
    QTest::keyClick(Bar.Edit, Qt::Key_F3);
    QCOMPARE(Bar.Status->text(), QStringLiteral("3 of %1").arg(Count));
    QTest::keyClick(Bar.Edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(Bar.Edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(Bar.Edit, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(Bar.Status->text(), QStringLiteral("%1 of %1").arg(Count));
    Bar.MatchCase->setChecked(true);
    QCOMPARE(Bar.Status->text(),
             QStringLiteral("1 of %1").arg(
                 RP_FindAll(Core.RPData(), u"basis", {.MatchCase = true}).size()));
    QTest::keyClicks(Bar.Edit, QStringLiteral("zzz"));
    QCOMPARE(Bar.Status->text(), QStringLiteral("Not found"));
    QTest::keyClick(Bar.Edit, Qt::Key_Escape);
    QVERIFY(!Bar.isVisible());
    QCOMPARE(MarkCount(), 0);
    QCOMPARE(QApplication::focusWidget(), Real.rpe);
  }

  // Ctrl+plus, Ctrl+minus, Ctrl+wheel and Ctrl+0 zoom the article in the browsers' steps;
  // the zoom stays when another article is shown and is there again at the next start.
  void zoomingTheArticle() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    TRichPaneEdit& Pane = *Real.rpe;
    const int32_t Height = Pane.Core().RPData().DocumentHeight;
    QTest::keyClick(&Pane, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(Pane.Core().Zoom(), 110);
    QVERIFY(Pane.Core().RPData().DocumentHeight > Height);
    const QPoint Middle = Pane.viewport()->rect().center();
    QWheelEvent Up(Middle, Pane.viewport()->mapToGlobal(Middle), {}, {0, 120}, Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Pane.viewport(), &Up);
    QCOMPARE(Pane.Core().Zoom(), 125);
    QTest::keyClick(&Pane, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(Pane.Core().Zoom(), 110);
    QTest::keyClick(&Pane, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(Pane.Core().Zoom(), 100);
    QCOMPARE(Pane.Core().RPData().DocumentHeight, Height);
    Pane.SetZoom(150);
    Real.ShowEntry(Real.HelpEntry);
    QCOMPARE(Pane.Core().Zoom(), 150);
    TForm2 Next(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QCOMPARE(Next.rpe->Core().Zoom(), 150);
  }

  // A screen reader gets the article's text in reading order, and the selection in it.
  void theArticleToAScreenReader() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    QVERIFY(ShowGeometryArticle(Real));
    QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(Real.rpe);
    QVERIFY(Interface);
    QCOMPARE(Interface->role(), QAccessible::Document);
    QCOMPARE(Interface->text(QAccessible::Name), QStringLiteral("Article"));
    QAccessibleTextInterface* Text = Interface->textInterface();
    QVERIFY(Text);
    const QString All = QString::fromStdU16String(RP_DocumentText(Real.rpe->Core().RPData()));
    QCOMPARE(Text->characterCount(), All.size());
    QCOMPARE(Text->text(0, 20), QStringLiteral("Molecular geometries"));
    QCOMPARE(Text->selectionCount(), 0);
    const TRPDrawLineInfo& Title = Real.rpe->Core().RPData().DrawItems[0];
    QTest::mouseDClick(Real.rpe->viewport(), Qt::LeftButton, {},
                       QPoint(Title.Left + Title.Width * 8 / 10, Title.Top + Title.Height / 2));
    QCOMPARE(Text->selectionCount(), 1);
    int Start = -1, End = -1;
    Text->selection(0, &Start, &End);
    QCOMPARE(Text->text(Start, End), QStringLiteral("geometries"));
    // Where a character is on screen, and which character is at a point.
    const QRect Char = Text->characterRect(Start);
    QVERIFY(Char.isValid());
    QVERIFY(QRect(Real.rpe->viewport()->mapToGlobal(QPoint()), Real.rpe->viewport()->size())
                .contains(Char));
    QCOMPARE(Text->offsetAtPoint(Char.center()), Start);
    // The headings and links are its children: the title first, then "What is computed"; every
    // link with its target, which pressing it follows.
    QVERIFY(Interface->childCount() > 10);
    QCOMPARE(Interface->child(0)->role(), QAccessible::Heading);
    QCOMPARE(Interface->child(0)->text(QAccessible::Name), QStringLiteral("Molecular geometries"));
    QCOMPARE(Interface->child(1)->text(QAccessible::Name), QStringLiteral("What is computed"));
    QCOMPARE(Interface->indexOfChild(Interface->child(1)), 1);
    QUrl Opened;
    Real.rpe->OpenUrl = [&](const QUrl& Url) {
      Opened = Url;
      return true;
    };
    int Links = 0;
    for (int i = 0; i < Interface->childCount(); ++i) {
      QAccessibleInterface* Child = Interface->child(i);
      QCOMPARE(Child->parent(), Interface);
      if (Child->role() != QAccessible::Link)
        continue;
      QAccessibleHyperlinkInterface* Link = Child->hyperlinkInterface();
      QVERIFY(Link);
      QVERIFY(Link->anchorTarget().startsWith(QStringLiteral("https://doi.org/10.")));
      QCOMPARE(Text->text(Link->startIndex(), Link->endIndex()), Child->text(QAccessible::Name));
      if (Links++ == 0) {
        Child->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(Opened.toString(), Link->anchorTarget());
      }
    }
    QVERIFY(Links >= 3);
  }

  // The articles are found beside the program in a build, and in share/compchem-guide when
  // it is installed in bin.
  void articlesAreFoundBuiltAndInstalled() {
    QTemporaryDir Root;
    QVERIFY(Root.isValid());
    const QDir Dir(Root.path());
    QVERIFY(Dir.mkpath(QStringLiteral("bin")));
    QVERIFY(Dir.mkpath(QStringLiteral("share/compchem-guide/entries")));
    const QString Bin = Dir.filePath(QStringLiteral("bin"));
    QCOMPARE(TForm2::ArticlesHome(Bin), Dir.filePath(QStringLiteral("share/compchem-guide")));
    QVERIFY(Dir.mkpath(QStringLiteral("bin/entries")));
    QCOMPARE(TForm2::ArticlesHome(Bin), Bin);
    // Neither: the program's own folder, where the guide then says it found none.
    QVERIFY(Dir.mkpath(QStringLiteral("elsewhere/bin")));
    const QString Elsewhere = Dir.filePath(QStringLiteral("elsewhere/bin"));
    QCOMPARE(TForm2::ArticlesHome(Elsewhere), Elsewhere);
  }

  // A figure selected alone goes to the clipboard as a picture, in the engine's format and as
  // RTF, without text.
  void copyingAFigure() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    Real.resize(TForm2::StartSize);
    Real.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Real));
    ClickNode(Real.CompTypeTree, 1); // "Quantum chemistry", with its ladder of methods
    TRichPaneEdit& Pane = *Real.rpe;
    TCustomRichPane& Core = Pane.Core();
    const QPoint At = ScrollToFirst(
        Core,
        [](const TCustomRPItemInfo& Item) {
          return dynamic_cast<const TRPGraphicItemInfo*>(&Item) != nullptr;
        },
        -1);
    QVERIFY(At.x() >= 0);
    QTest::mouseDClick(Pane.viewport(), Qt::LeftButton, {}, At);
    QClipboard& Clipboard = *QGuiApplication::clipboard();
    QTest::keyClick(&Pane, Qt::Key_C, Qt::ControlModifier);
    const QMimeData& Data = *Clipboard.mimeData();
    QVERIFY(Data.hasImage());
    QCOMPARE(qvariant_cast<QImage>(Data.imageData()).width(), 480);
    QVERIFY(!Data.hasText());
    QVERIFY(Data.data(QStringLiteral("text/rtf")).contains("\\pngblip"));
    QVERIFY(Data.data(QStringLiteral("application/x-richpane-format")).contains("\r\npicture "));
  }
};

QTEST_MAIN(TestGuideWindow)
#include "test_main_u.moc"
