// The main window's tool bar tbMain: a dark band with six caption buttons, each of which runs an
// action of the window and follows that action's enabled state.
#pragma once

#include <QToolBar>

#include "ui/main/MainActions.h"

class QToolButton;

namespace vardeno {

class MainToolBar : public QToolBar {
  Q_OBJECT
 public:
  MainToolBar(const MainActions& actions, QWidget* parent);

 private:
  QToolButton* btnAdd;
  QToolButton* btnRemove;
  QToolButton* btnConvert;
  QToolButton* btnPreview;
  QToolButton* btnOptions;
  QToolButton* btnHomePage;
  QToolButton* btnAbout;
};

}  // namespace vardeno
