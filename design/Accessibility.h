// What screen readers are shown of the windows: each window as a window (not a pane), its
// controls in reading order (top to bottom, then left to right) without the hidden ones and the
// decorations, and the About window's link as a link that can be activated.
#pragma once

#include <QAccessible>

class QLabel;
class QWidget;

namespace design {

// The window's role, and its children read in reading order.
void DescribeWindow(QWidget* window, QAccessible::Role role);

// Left out of what screen readers read: the controls around it already say what it means.
void MarkDecorative(QWidget* widget);

// A label that screen readers present as a link; activating it emits linkActivated.
void DescribeLink(QLabel* label);

} // namespace design
