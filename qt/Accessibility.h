// What screen readers are shown of the windows: each window as a window (not a pane), its
// controls in reading order (top to bottom, then left to right) without the hidden ones and the
// decorations, and the About window's link as a link that can be activated.
#pragma once

#include <QAccessible>

class QLabel;
class QLineEdit;
class QWidget;

namespace qt {

// The window's role, and its children read in reading order.
void DescribeWindow(QWidget* window, QAccessible::Role role);

// Left out of what screen readers read: the controls around it already say what it means.
void MarkDecorative(QWidget* widget);

// A label that screen readers present as a link; activating it emits linkActivated.
void DescribeLink(QLabel* label);

// A read-only box as screen readers should find it: read only, and not editable, which Qt's own
// description of a read-only box also says.
void DescribeReadOnlyBox(QLineEdit* box);

// Each new non-empty text of the box is told to screen readers, after these words, by a
// notification that shows itself beside the box: screen readers speak a notification wherever
// the focus is, where they are silent about a box without it.
void AnnounceNewTexts(QLineEdit* box, const QString& words);

} // namespace qt
