// An action of one window: named (tests and screen readers find it), added to the window so its
// shortcut works while the window is active, and running `run` when triggered.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace vardeno {

template <typename Run>
QAction* AddWindowAction(QWidget* window, const char* name, Run run, const QKeySequence& shortcut = {}) {
  auto* action = new QAction(window);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  QObject::connect(action, &QAction::triggered, window, run);
  window->addAction(action);
  return action;
}

}  // namespace vardeno
