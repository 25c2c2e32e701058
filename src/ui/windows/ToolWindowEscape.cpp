#include "ui/windows/ToolWindowEscape.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace vardeno {

namespace {
bool IsPlainEscape(QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  return key->key() == Qt::Key_Escape && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Key events the focused control leaves alone reach the window on their way up; the filter
// sits on the window, so a control that uses Esc itself (an open drop-down list) keeps it.
class EscapeClaim : public QObject {
 public:
  EscapeClaim(QWidget* window, QAction* escAction) : QObject(window), escAction_(escAction) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (!IsPlainEscape(event)) return false;
    event->accept();
    // Accepting the override sends Esc on as an ordinary key press, which runs the action.
    if (event->type() == QEvent::KeyPress && escAction_ && escAction_->isEnabled()) escAction_->trigger();
    return true;
  }

 private:
  QPointer<QAction> escAction_;
};
}  // namespace

void ClaimEscapeForToolWindow(QWidget* window, QAction* escAction) {
  window->installEventFilter(new EscapeClaim(window, escAction));
}

}  // namespace vardeno
