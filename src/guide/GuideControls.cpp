#include "guide/GuideControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <vector>

namespace {
constexpr int NodeDataRole = Qt::UserRole;
}

TGuideTreeView::TGuideTreeView(QWidget* Parent, bool HideSelection) : QTreeWidget(Parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIndentation(19);
  setSelectionMode(QAbstractItemView::SingleSelection);
  QPalette Colours = palette();
  for (QPalette::ColorRole Role : {QPalette::Highlight, QPalette::HighlightedText}) {
    // The inactive group is what an unfocused tree draws its selection with.
    const QPalette::ColorRole Shown =
        !HideSelection ? Role : (Role == QPalette::Highlight ? QPalette::Base : QPalette::Text);
    Colours.setColor(QPalette::Inactive, Role, Colours.color(QPalette::Active, Shown));
  }
  setPalette(Colours);
}

void TGuideTreeView::AddNodes(std::span<const TNodeSpec> Nodes) {
  std::vector<QTreeWidgetItem*> Parents; // Parents[L] is the latest node of level L
  for (const TNodeSpec& Def : Nodes) {
    const size_t Level = static_cast<size_t>(Def.Level);
    QTreeWidgetItem* Node =
        Level == 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(Parents.at(Level - 1));
    Node->setText(0, QString::fromUtf8(Def.Text));
    Node->setToolTip(0, Node->text(0));
    SetData(Node, 0);
    Parents.resize(Level);
    Parents.push_back(Node);
  }
}

void TGuideTreeView::NumberNodes() {
  intptr_t Index = 0;
  for (QTreeWidgetItemIterator It(this); *It; ++It)
    SetData(*It, Index++);
}

int TGuideTreeView::NodeCount() const {
  int Count = 0;
  for (QTreeWidgetItemIterator It(const_cast<TGuideTreeView*>(this)); *It; ++It)
    ++Count;
  return Count;
}

QTreeWidgetItem* TGuideTreeView::NodeAt(int AbsoluteIndex) const {
  int Index = 0;
  for (QTreeWidgetItemIterator It(const_cast<TGuideTreeView*>(this)); *It; ++It, ++Index)
    if (Index == AbsoluteIndex)
      return *It;
  return nullptr;
}

QTreeWidgetItem* TGuideTreeView::Selected() const {
  const QList<QTreeWidgetItem*> Items = selectedItems();
  return Items.isEmpty() ? nullptr : Items.first();
}

void TGuideTreeView::Select(QTreeWidgetItem* Node) { setCurrentItem(Node); }

intptr_t TGuideTreeView::Data(const QTreeWidgetItem* Node) {
  return static_cast<intptr_t>(Node->data(0, NodeDataRole).toLongLong());
}

void TGuideTreeView::SetData(QTreeWidgetItem* Node, intptr_t Value) {
  Node->setData(0, NodeDataRole, static_cast<qlonglong>(Value));
}

void TGuideTreeView::mouseReleaseEvent(QMouseEvent* Event) {
  QTreeWidget::mouseReleaseEvent(Event);
  if (Event->button() == Qt::LeftButton)
    emit Click();
}

void TGuideTreeView::keyPressEvent(QKeyEvent* Event) {
  if (!Event->isAutoRepeat())
    FSelectedAtKeyPress = Selected();
  QTreeWidget::keyPressEvent(Event);
}

void TGuideTreeView::keyReleaseEvent(QKeyEvent* Event) {
  QTreeWidget::keyReleaseEvent(Event);
  if (Event->isAutoRepeat() || !FSelectedAtKeyPress)
    return;
  const bool Moved = *FSelectedAtKeyPress != Selected();
  FSelectedAtKeyPress.reset();
  if (Moved)
    emit KeyUp(Event->key(), Event->modifiers());
}

TGuideListBox::TGuideListBox(QWidget* Parent, std::span<const char* const> Items, bool Checkable)
    : QListWidget(Parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  for (const char* Text : Items) {
    auto* Item = new QListWidgetItem(QString::fromUtf8(Text), this);
    Item->setToolTip(Item->text());
    if (Checkable) {
      Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
      Item->setCheckState(Qt::Unchecked);
    }
  }
}

int TGuideListBox::ItemIndex() const {
  const QList<QListWidgetItem*> Items = selectedItems();
  return Items.isEmpty() ? -1 : row(Items.first());
}

void TGuideListBox::FitToItems() {
  int Height = 2 * frameWidth();
  for (int Row = 0; Row < count(); ++Row)
    Height += sizeHintForRow(Row);
  setMaximumHeight(Height);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

void TGuideListBox::mouseReleaseEvent(QMouseEvent* Event) {
  QListWidget::mouseReleaseEvent(Event);
  if (Event->button() != Qt::LeftButton)
    return;
  // A click on an item's check box ticks it without making it current: the click is
  // about the item under the pointer all the same.
  if (QListWidgetItem* Item = itemAt(Event->position().toPoint())) {
    setCurrentItem(Item);
    emit Click();
  }
}

void TGuideListBox::keyPressEvent(QKeyEvent* Event) {
  const int Before = ItemIndex();
  QListWidget::keyPressEvent(Event);
  if (ItemIndex() != Before)
    emit Click();
}

TStageTabs::TStageTabs(QWidget* Parent, const QStringList& Captions)
    : QWidget(Parent), FGroup(new QButtonGroup(this)) {
  auto* Grid = new QGridLayout(this);
  Grid->setContentsMargins(0, 0, 0, 0);
  Grid->setSpacing(2);
  for (int Index = 0; Index < Captions.size(); ++Index) {
    auto* Tab = new QToolButton(this);
    Tab->setText(Captions[Index]);
    Tab->setCheckable(true);
    Tab->setFocusPolicy(Qt::TabFocus);
    Tab->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    FGroup->addButton(Tab, Index);
    Grid->addWidget(Tab, Index / 2, Index % 2);
  }
  connect(FGroup, &QButtonGroup::idClicked, this, &TStageTabs::Chosen);
}

void TStageTabs::SetCurrent(int Index) {
  if (QAbstractButton* Tab = FGroup->button(Index))
    Tab->setChecked(true);
}

QAbstractButton* TStageTabs::Tab(int Index) const { return FGroup->button(Index); }

int TStageTabs::TabCount() const { return static_cast<int>(FGroup->buttons().size()); }
