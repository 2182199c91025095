// Tree view and list box of the guide window, with the click and key-up events its
// handlers are written against.
#pragma once

#include <QListWidget>
#include <QTreeWidget>
#include <cstdint>
#include <span>

#include "guide/Vocabularies.h"

class TGuideTreeView : public QTreeWidget {
  Q_OBJECT

public:
  // With HideSelection the selected node is not highlighted while the tree is unfocused.
  TGuideTreeView(QWidget* Parent, bool HideSelection);

  // Appends the nodes, each under the nearest earlier node one level up. Every node
  // starts with Data 0.
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
  // A key released in the tree (auto-repeat excluded).
  void KeyUp(int Key, Qt::KeyboardModifiers Shift);

protected:
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
};

class TGuideListBox : public QListWidget {
  Q_OBJECT

public:
  // With Checkable every item gets an unticked check box (the check-list box).
  TGuideListBox(QWidget* Parent, std::span<const char* const> Items, int ItemHeight,
                bool Checkable = false);

  // Item index of the selected item, -1 for none.
  int ItemIndex() const;

signals:
  // A left click on an item, or a key that moved the selection.
  void Click();

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
};
