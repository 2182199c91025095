#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "catalogue/QuarnData_u.h"
#include "guide/GuideControls.h"
#include "guide/main_u.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtGraphicInterface.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RichPaneEdit.h"
#include "support/TempDir.h"

namespace {

const int AllArticles[] = {60,  100, 110, 120, 130, 140,  150,  160,  200,  210,   220,  230,
                           240, 410, 420, 430, 440, 1100, 3100, 3110, 6100, 15110, 15150};

// The file name of the article in the pane, "" when the pane is empty.
QString Shown(const TForm2& Form) {
  return QFileInfo(QString::fromStdString(Form.rpe->LoadedFileName())).fileName();
}

QString Article(int Entry) { return QString::fromStdString(GetEntryFileName(Entry)); }

void Choose(TGuideTreeView* Tree, int AbsoluteIndex) { Tree->Select(Tree->NodeAt(AbsoluteIndex)); }

void ChooseItem(TGuideListBox* List, int Row) { List->setCurrentRow(Row); }

// The window shown with the bundled article on geometries ("Molecular gometries").
void ShowGeometryArticle(TForm2& Form) {
  Form.show();
  Choose(Form.JobsTreeView, 1);
  Form.JobsTreeViewClick(Form.JobsTreeView);
}

} // namespace

class TestGuideWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<TTempDir> FAppDir;
  std::unique_ptr<TForm2> Form;

private slots:
  void initTestCase() {
    RegisterPlatformFonts();
    RP_UseQtGraphicInterface();
  }
  void init() {
    FAppDir = std::make_unique<TTempDir>();
    for (int Entry : AllArticles)
      FAppDir->AddFile("entries/" + GetEntryFileName(Entry), "{\\rtf1 }");
    Form = std::make_unique<TForm2>(nullptr, QString::fromStdString(FAppDir->Str()));
  }
  void cleanup() {
    Form.reset();
    FAppDir.reset();
  }

  void startUpState() {
    QCOMPARE(Form->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(Form->size(), QSize(1192, 821));
    QCOMPARE(Form->CurStage(), 0);
    QCOMPARE(Form->PageControl1->currentIndex(), 0);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Computation type"));
    QCOMPARE(Shown(*Form), QString());
    QCOMPARE(Form->rpe->FormatCount(), 0);
    QVERIFY(Form->NextStageButton->isEnabled());
    QVERIFY(Form->PrevStageButton->isEnabled());
    QVERIFY(!Form->PrevEntryButton->isEnabled());
    QVERIFY(!Form->NextEntryButton->isEnabled());
    QVERIFY(!Form->Button5->isEnabled());
    QVERIFY(!Form->AddEntryButton->isEnabled());
    QVERIFY(Form->AddEntryButton->isChecked());
    QCOMPARE(Form->CurJobType(), TJobType(0)); // not -1 until a choice is read
    QCOMPARE(Form->Entries().size(), std::size(AllArticles));
    QVERIFY(QString::fromStdString(Form->Entries().front())
                .startsWith(QString::fromStdString(FAppDir->Str() + "/entries/E")));
  }

  void controlsAsDesigned() {
    QCOMPARE(Form->PageControl1->count(), 10);
    const char* Captions[] = {"Computation type",   "Required properties", "System type",
                              "Charge, spin",       "Gross formula",       "Structural features",
                              "Computation method", "Basis set",           "QC package",
                              "TabSheet10"};
    for (int i = 0; i < 10; ++i)
      QCOMPARE(Form->PageControl1->tabText(i), QString::fromUtf8(Captions[i]));
    QCOMPARE(Form->PageControl1->geometry(), QRect(8, 41, 329, 641));
    QCOMPARE(Form->rpe->geometry(), QRect(362, 24, 815, 577));
    QCOMPARE(Form->JobsTreeView->geometry(), QRect(0, 27, 265, 537));
    QCOMPARE(Form->JobsTreeView->parentWidget(), Form->TabSheet2);
    QCOMPARE(Form->DiffListBox->geometry(), QRect(16, 172, 281, 37));
    QCOMPARE(Form->AddEntryButton->geometry(), QRect(746, 663, 25, 25));
    QCOMPARE(Form->Label2->text(), QStringLiteral("What propetries do you need to compute?"));
    QCOMPARE(Form->Label1->text(), QStringLiteral("1 of 3"));
    QCOMPARE(Form->Label13->text(), QStringLiteral("Stage 1 of 10"));
    QCOMPARE(Form->Button1->text(), QStringLiteral("Skip"));
    QCOMPARE(Form->Label2->font().pixelSize(), 16);
    QCOMPARE(Form->font().pixelSize(), 11);
    QCOMPARE(Form->JobsTreeView->indentation(), 19);
    // Tab order: page control, then the stage buttons, then the entry buttons.
    QWidget* BeforePrevStage = Form->PrevStageButton->previousInFocusChain();
    QVERIFY(BeforePrevStage == Form->PageControl1 ||
            Form->PageControl1->isAncestorOf(BeforePrevStage));
    QCOMPARE(Form->PrevStageButton->nextInFocusChain(), Form->NextStageButton);
    QCOMPARE(Form->NextStageButton->nextInFocusChain(), Form->PrevEntryButton);
    QCOMPARE(Form->PrevEntryButton->nextInFocusChain(), Form->NextEntryButton);
    QCOMPARE(Form->NextEntryButton->nextInFocusChain(), Form->Button5);
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
    for (int i = 0; i < Form->SystemTypeTreeView->NodeCount(); ++i)
      QCOMPARE(TGuideTreeView::Data(Form->SystemTypeTreeView->NodeAt(i)), intptr_t(i));
    for (int i = 0; i < 50; ++i)
      QCOMPARE(TGuideTreeView::Data(Form->TreeView3->NodeAt(i)), intptr_t(0));
    for (int i = 0; i < 24; ++i)
      QCOMPARE(TGuideTreeView::Data(Form->TreeView5->NodeAt(i)), intptr_t(0));

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
                              "Basis set",           "QC package",          "TabSheet10"};
    for (int i = 0; i < 9; ++i) {
      QTest::mouseClick(Form->NextStageButton, Qt::LeftButton);
      QCOMPARE(Form->CurStage(), 2 * (i + 1));
      QCOMPARE(Form->PageControl1->currentIndex(), i + 1);
      QCOMPARE(Form->TabNameLabel->text(), QString::fromUtf8(Captions[i]));
    }
    // There is no page after the tenth.
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

  void clickingATabMovesNothingElse() {
    Form->PageControl1->setCurrentIndex(3);
    QCOMPARE(Form->CurStage(), 0);
    QCOMPARE(Form->TabNameLabel->text(), QStringLiteral("Computation type"));
    Form->NextStageButtonClick(Form->NextStageButton);
    QCOMPARE(Form->PageControl1->currentIndex(), 1);
  }

  void nextStageButtonFollowsTheJobType() {
    // Leaving stage 0 with nothing chosen in the job tree sets the job type to -1 ...
    Form->NextStageButtonClick(Form->NextStageButton);
    QCOMPARE(Form->CurJobType(), TJobType(-1));
    Form->PrevStageButtonClick(Form->PrevStageButton);
    // ... so any computation type now disables "Next stage".
    Choose(Form->CompTypeTree, 1);
    Form->CompTypeTreeClick(Form->CompTypeTree);
    QCOMPARE(Shown(*Form), Article(420));
    QVERIFY(!Form->NextStageButton->isEnabled());

    Choose(Form->JobsTreeView, 0); // the root "1 molecule"
    Form->JobsTreeViewClick(Form->JobsTreeView);
    QCOMPARE(Shown(*Form), Article(60));
    QVERIFY(!Form->NextStageButton->isEnabled());
    Choose(Form->JobsTreeView, 1); // "Molecular gometries"
    Form->JobsTreeViewClick(Form->JobsTreeView);
    QCOMPARE(Shown(*Form), Article(120));
    QCOMPARE(Form->CurJobType(), TJobType(0));
    QVERIFY(Form->NextStageButton->isEnabled());
  }

  void jobTypeMapping() {
    const int Expected[16] = {-1, 0, 1, 2, 3, 4, 5, 6, -1, 7, 8, 9, 10, 11, 12, 13};
    const int Articles[16] = {60,  120, 130, 140, 100, 110, 150, 160,
                              200, 210, 230, 220, 60,  240, 60,  60};
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
    const int Articles[5] = {410, 420, 60, 430, 440};
    for (int i = 0; i < 5; ++i) {
      Choose(Form->CompTypeTree, i);
      Form->CompTypeTreeClick(Form->CompTypeTree);
      QCOMPARE(Form->CurCompType(), TCompType(Expected[i]));
      QCOMPARE(Shown(*Form), Article(Articles[i]));
    }
  }

  void systemTypeTree() {
    Choose(Form->SystemTypeTreeView, 5); // "Liquid phase" has no article of its own
    Form->SystemTypeTreeViewClick(Form->SystemTypeTreeView);
    QCOMPARE(Shown(*Form), Article(60));
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

  void keyUpShowsTheComputationTypeArticle() {
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    Choose(Form->CompTypeTree, 3);
    Form->NextStageButtonClick(Form->NextStageButton);
    Choose(Form->JobsTreeView, 4);
    Form->JobsTreeView->setFocus();
    QTest::keyClick(Form->JobsTreeView, Qt::Key_Down);
    // The job tree moved to "Absorption electronic spectrum", but the article shown is
    // that of the computation type chosen on the first page.
    QCOMPARE(Form->JobsTreeView->Selected(), Form->JobsTreeView->NodeAt(5));
    QCOMPARE(Shown(*Form), Article(430));
    QCOMPARE(Form->CurCompType(), TCompType(1));

    Form->rpe->Clear();
    Form->CompTypeTree->clearSelection();
    QTest::keyClick(Form->JobsTreeView, Qt::Key_Up);
    QCOMPARE(Shown(*Form), QString());
    QCOMPARE(Form->CurCompType(), TCompType(-1));
    // No job was chosen when stage 0 was left, so the job type is -1.
    QVERIFY(!Form->NextStageButton->isEnabled());
  }

  void otherTreesShowTheJobArticle() {
    Form->TreeView3->Select(Form->TreeView3->NodeAt(47));
    Form->JobsTreeViewClick(Form->TreeView3);
    QCOMPARE(Shown(*Form), QString());
    Choose(Form->JobsTreeView, 11);
    Form->JobsTreeViewClick(Form->TreeView5);
    QCOMPARE(Shown(*Form), Article(220));
    QCOMPARE(Form->CurJobType(), TJobType(9));
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
    const int Charge[6] = {3100, 3110, 60, 60, 60, 60};
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
      const int Expected = i <= 2 ? 15110 : (i == 9 ? 15150 : 60);
      QCOMPARE(Shown(*Form), Article(Expected));
    }
    // Ticking a box plays no part.
    Form->StructFeaturesList->item(9)->setCheckState(Qt::Checked);
    ChooseItem(Form->StructFeaturesList, 3);
    Form->StructFeaturesListClick(Form->StructFeaturesList);
    QCOMPARE(Shown(*Form), Article(60));

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

    const QString Before = Shown(*Form);
    const int Formatted = Form->rpe->FormatCount();
    ChooseItem(Form->BasisSetList, 4);
    Form->BasisSetListClick(Form->BasisSetList);
    QCOMPARE(Form->CurBasisSet(), 4);
    QCOMPARE(Shown(*Form), Before); // the pane is left as it was
    QCOMPARE(Form->rpe->FormatCount(), Formatted);

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
    // An article that does not exist leaves the pane empty and repainted.
    Form->ShowEntry(1234567);
    QCOMPARE(Shown(*Form), QString());
    QCOMPARE(Form->rpe->FormatCount(), Before + 2);
  }

  void missingEntriesDirectory() {
    TTempDir Empty;
    TForm2 Bare(nullptr, QString::fromStdString(Empty.Str()));
    QVERIFY(Bare.Entries().empty());
    Choose(Bare.JobsTreeView, 1);
    Bare.JobsTreeViewClick(Bare.JobsTreeView);
    QCOMPARE(Shown(Bare), QString());
    QCOMPARE(Bare.rpe->FormatCount(), 1);
    QVERIFY(Bare.NextStageButton->isEnabled());
  }

  // The bundled articles, shown in the pane.
  void aChoiceShowsItsArticle() {
    TForm2 Real(nullptr, QStringLiteral(COMPCHEM_SOURCE_DIR));
    ShowGeometryArticle(Real);
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
    ShowGeometryArticle(Real);
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
    ShowGeometryArticle(Real);
    TRichPaneEdit& Pane = *Real.rpe;
    TCustomRichPane& Core = Pane.Core();
    const TCustomRPFormattedData& Doc = Core.RPData();
    int Link = -1;
    for (int i = 0; i < Doc.DrawItems.Count() && Link < 0; ++i)
      if (Doc.GetItem(Doc.DrawItems[i].ItemNo)->Tag.starts_with("https://doi.org/"))
        Link = i;
    QVERIFY(Link >= 0);
    const TRPDrawLineInfo& D = Doc.DrawItems[Link];
    Core.ScrollTo(D.Top);
    const QPoint At(D.Left - Core.HPos() + 3, D.Top - Core.VOffs() + D.Height / 2);
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
    QCOMPARE(Opened, QStringList{QString::fromStdString(Doc.GetItem(D.ItemNo)->Tag)});
    // Off the link the pointer is the text's again, and a click opens nothing.
    const QPoint Off(Pane.viewport()->width() - 3, At.y());
    MoveTo(Off);
    QCOMPARE(Pane.viewport()->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseClick(Pane.viewport(), Qt::LeftButton, {}, Off);
    QCOMPARE(Opened.size(), 1);
  }
};

QTEST_MAIN(TestGuideWindow)
#include "test_main_u.moc"
