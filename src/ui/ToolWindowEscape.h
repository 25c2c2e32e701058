#pragma once

class QAction;
class QWidget;

// A tool window owned by the main window shares the main window's window shortcuts (Qt keeps
// them working while such a window is active). Esc then matches both the main window's Esc action
// and the tool window's own, Qt calls the shortcut ambiguous and runs neither, and Esc does
// nothing. This claims a plain Esc pressed anywhere in `window` before shortcuts are matched and
// runs `escAction` for it.
void ClaimEscapeForToolWindow(QWidget* window, QAction* escAction);
