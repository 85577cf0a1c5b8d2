// Brings a control of the real window in front as a user would find it: its
// tab page shown and the window active, so focus changes reach it.
#pragma once

class QWidget;

namespace test_support {

// Returns whether the window became active.
bool bring_forward(QWidget* widget, QWidget* window);

}  // namespace test_support
