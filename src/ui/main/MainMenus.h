// The main window's menus: the main menu MainMenu1, the file list's context menu popLv and the
// tray icon's menu popTi, all made of the window's actions.
#pragma once

#include "ui/main/MainActions.h"

class QMainWindow;
class QMenu;
class QMenuBar;

namespace vardeno {

struct MainMenus {
  QMenuBar* MainMenu1 = nullptr;
  QMenu* mnuFile = nullptr;
  QMenu* mnuView = nullptr;
  QMenu* mnuFileList = nullptr;
  QMenu* mnuEncoder = nullptr;
  QMenu* mnuHelp = nullptr;
  QMenu* mnuZune = nullptr;
  QMenu* popLv = nullptr;
  QMenu* popTi = nullptr;
};

// Builds the menus on window (the main menu becomes its menu bar). The pop-up menus are children
// of window; the caller shows them and applies the enable rules when they open.
MainMenus CreateMainMenus(QMainWindow* window, const MainActions& a);

}  // namespace vardeno
