#pragma once

class QWidget;

namespace lorvan {

// Shift+F1 in the window shows the help topic, in a help window of the window's own (made at the
// first press; it closes with the window).
void addHelpShortcut(QWidget* window, int topic);

} // namespace lorvan
