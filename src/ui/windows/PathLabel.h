// A label for a file path in a fixed space: the text is kept whole (text(), the tooltip and the
// accessible name give the full path), and what does not fit is cut out of the middle when it is
// drawn, so the file name at the end stays visible. Shown as plain text: "&" and "<" are shown
// as they are.
#pragma once

#include <QLabel>
#include <QPainter>
#include <QSizePolicy>

namespace vardeno {

class PathLabel : public QLabel {
 public:
  explicit PathLabel(QWidget* parent = nullptr) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextInteractionFlags(Qt::NoTextInteraction);
  }

  void SetPath(const QString& path) {
    setText(path);
    setToolTip(path);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, static_cast<int>(alignment()) | Qt::TextSingleLine, shown);
  }
};

}  // namespace vardeno
