// Tree view, list box and stage tabs of the guide window, with the click and key-up
// events its handlers are written against.
#pragma once

#include <QListWidget>
#include <QTreeWidget>
#include <cstdint>
#include <optional>
#include <span>

class QAbstractButton;
class QButtonGroup;

#include "guide/Vocabularies.h"

class TGuideTreeView : public QTreeWidget {
  Q_OBJECT

public:
  // With HideSelection the selected node is not highlighted while the tree is unfocused.
  TGuideTreeView(QWidget* Parent, bool HideSelection);

  // Appends the nodes, each under the nearest earlier node one level up. Every node
  // starts with Data 0 and shows its whole text as a tooltip (a narrow tree cuts it).
  void AddNodes(std::span<const TNodeSpec> Nodes);

  // Sets every node's Data to its absolute index.
  void NumberNodes();

  // Nodes in depth-first pre-order: a node, its children in order, then its next sibling.
  int NodeCount() const;
  QTreeWidgetItem* NodeAt(int AbsoluteIndex) const;

  // The selected node, or nullptr.
  QTreeWidgetItem* Selected() const;
  // Selects a node as the program does: no click event is raised.
  void Select(QTreeWidgetItem* Node);

  static intptr_t Data(const QTreeWidgetItem* Node);
  static void SetData(QTreeWidgetItem* Node, intptr_t Value);

signals:
  // A left click anywhere in the tree, after the selection has followed it.
  void Click();
  // A key pressed in the tree and released, when it moved the selection (auto-repeat
  // excluded: the release after the last repeat tells).
  void KeyUp(int Key, Qt::KeyboardModifiers Shift);

protected:
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;

private:
  // The selection when a key went down in the tree; none for a key pressed elsewhere
  // (such as the Tab that brought the focus here).
  std::optional<QTreeWidgetItem*> FSelectedAtKeyPress;
};

class TGuideListBox : public QListWidget {
  Q_OBJECT

public:
  // With Checkable every item gets an unticked check box (the check-list box). Every item
  // shows its whole text as a tooltip.
  TGuideListBox(QWidget* Parent, std::span<const char* const> Items, bool Checkable = false);

  // Item index of the selected item, -1 for none.
  int ItemIndex() const;

  // Asks for the height that shows every item, and no more.
  void FitToItems();

signals:
  // A left click on an item (the item is then the selected one, also when the click
  // ticked its box), or a key that moved the selection.
  void Click();

protected:
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
};

// The tabs of the stage pages: every caption whole, two to a row, in as many rows as it
// takes (a single row of ten tabs would cut them). One tab is the current one.
class TStageTabs : public QWidget {
  Q_OBJECT

public:
  TStageTabs(QWidget* Parent, const QStringList& Captions);

  // Makes a tab current without raising Chosen.
  void SetCurrent(int Index);
  QAbstractButton* Tab(int Index) const;
  int TabCount() const;

signals:
  // The user chose the tab at Index.
  void Chosen(int Index);

private:
  QButtonGroup* FGroup;
};
