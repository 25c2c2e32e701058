#pragma once

class QAction;
class QWidget;

namespace vardeno {

// A tool window owned by the main window shares the main window's window shortcuts (Qt keeps
// them working while such a window is active), so a shortcut of the main window could take its
// keys. This claims a plain Esc pressed anywhere in `window` before shortcuts are matched and
// runs `escAction` for it, so Esc always closes the tool window itself.
void ClaimEscapeForToolWindow(QWidget* window, QAction* escAction);

}  // namespace vardeno
