#include "scripted/ScriptedInput.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "ui/DeferredFill.h"

namespace torvale::tools {

constexpr int kFillTimeoutMilliseconds = 20000;

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    if (character.unicode() >= 0x20 && character.unicode() < 0x7F) {
      QTest::keyClick(widget, character.toLatin1());
      continue;
    }
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character),
                        Qt::NoModifier);
  }
}

void ReplaceText(QLineEdit& box, const QString& text) {
  box.selectAll();
  TypeText(&box, text);
}

void ClickRow(QListWidget& list, int row) {
  list.scrollToItem(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.item(row)).center());
}

void ClickNode(QTreeWidget& tree, const QString& text) {
  QTreeWidgetItem* node = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive).last();
  tree.scrollToItem(node);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
}

void ClickButton(QAbstractButton& button) {
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

bool ShowUntilFilled(QWidget& window) {
  auto* fill = window.findChild<ui::DeferredFill*>();
  bool filled = fill == nullptr;
  QMetaObject::Connection watch;
  if (fill != nullptr)
    watch = QObject::connect(fill, &ui::DeferredFill::Filled, [&] { filled = true; });
  window.show();
  const bool done = QTest::qWaitFor([&] { return filled; }, kFillTimeoutMilliseconds);
  QObject::disconnect(watch);  // the flag lives on this stack frame only
  return done;
}

}  // namespace torvale::tools
