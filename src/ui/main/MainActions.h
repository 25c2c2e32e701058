// The main window's actions: one table of every action (its name and shortcut). The texts come
// from the language routine (MainTexts.cpp); the enable rules from MainWindow::InitControls.
#pragma once

#include <QAction>
#include <vector>

class QWidget;

namespace vardeno {

struct MainActions {
  QAction* actEsc = nullptr;
  QAction* actConvert = nullptr;
  QAction* actSaveBAT = nullptr;
  QAction* actMinimizeToTray = nullptr;
  QAction* actExit = nullptr;
  QAction* actLoadProfile = nullptr;
  QAction* actSaveProfile = nullptr;
  QAction* actLoadSelectedProfile = nullptr;
  QAction* actSetDefault = nullptr;
  QAction* actAddFiles = nullptr;
  QAction* actRemoveChecked = nullptr;
  QAction* actCheckAll = nullptr;
  QAction* actInvertSelection = nullptr;
  QAction* actLoadFileList = nullptr;
  QAction* actSaveFileList = nullptr;
  QAction* actExploreDirectory = nullptr;
  QAction* actShowCmdLine = nullptr;
  QAction* actShowFramePreview = nullptr;
  QAction* actShowProgressWindow = nullptr;
  QAction* actShowHideBottomPanel = nullptr;
  QAction* actShowHideFileInfo = nullptr;
  QAction* actShowHideFormErrors = nullptr;
  QAction* actShowOptions = nullptr;
  QAction* actShowHideMainWindow = nullptr;
  QAction* actBrowseOutDir = nullptr;
  QAction* actExploreOutDir = nullptr;
  QAction* actGoToHomePage = nullptr;
  QAction* actAbout = nullptr;
  QAction* actZune_Home = nullptr;
  QAction* actZune_Spec_4GB = nullptr;
  QAction* actZune_Spec_8GB = nullptr;
  QAction* actZune_Spec_16GB = nullptr;
  QAction* actZune_Spec_30GB = nullptr;
  QAction* actZune_Spec_80GB = nullptr;
  QAction* actZune_Spec_120GB = nullptr;
  QAction* actZune_Compare = nullptr;

  // Every action above, in table order.
  std::vector<QAction*> all;
};

// Creates every action as a child of window, with its name as objectName and its shortcut, and
// adds each to window, so that its shortcut works wherever the focus is inside the window.
// actZune_Spec_30GB and actZune_Compare are hidden.
MainActions CreateMainActions(QWidget* window);

}  // namespace vardeno
