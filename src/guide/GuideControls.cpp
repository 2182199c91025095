#include "guide/GuideControls.h"

#include <QKeyEvent>
#include <QMouseEvent>
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

void TGuideTreeView::keyReleaseEvent(QKeyEvent* Event) {
  QTreeWidget::keyReleaseEvent(Event);
  if (!Event->isAutoRepeat())
    emit KeyUp(Event->key(), Event->modifiers());
}

TGuideListBox::TGuideListBox(QWidget* Parent, std::span<const char* const> Items, int ItemHeight,
                             bool Checkable)
    : QListWidget(Parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  for (const char* Text : Items) {
    auto* Item = new QListWidgetItem(QString::fromUtf8(Text), this);
    Item->setSizeHint(QSize(0, ItemHeight));
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

void TGuideListBox::mousePressEvent(QMouseEvent* Event) {
  QListWidget::mousePressEvent(Event);
  if (Event->button() == Qt::LeftButton && itemAt(Event->position().toPoint()))
    emit Click();
}

void TGuideListBox::keyPressEvent(QKeyEvent* Event) {
  const int Before = ItemIndex();
  QListWidget::keyPressEvent(Event);
  if (ItemIndex() != Before)
    emit Click();
}
