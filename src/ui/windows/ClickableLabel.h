// A label that acts like a link: blue, hand cursor, underlined while pointed at, and activated by
// a click or, when it has the keyboard focus, by Enter or Space.
#pragma once

#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <functional>
#include <utility>

namespace vardeno {

class ClickableLabel : public QLabel {
 public:
  explicit ClickableLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::blue);
    setPalette(colours);
  }
  void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Activate();
    QLabel::mouseReleaseEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      Activate();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  void enterEvent(QEnterEvent* event) override {
    SetUnderlined(true);
    QLabel::enterEvent(event);
  }
  void leaveEvent(QEvent* event) override {
    SetUnderlined(false);
    QLabel::leaveEvent(event);
  }

 private:
  void Activate() {
    if (onClick_) onClick_();
  }
  void SetUnderlined(bool underlined) {
    QFont shown = font();
    shown.setUnderline(underlined);
    if (!underlined) {
      shown.setBold(false);
      shown.setItalic(false);
      shown.setStrikeOut(false);
    }
    setFont(shown);
  }

  std::function<void()> onClick_;
};

}  // namespace vardeno
