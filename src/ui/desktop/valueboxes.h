// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLineEdit;

namespace platform {

// A box that shows a value: a long value shows from its beginning (a box
// scrolls to the end of a text set into it), and the whole value is the
// box's tool tip while it does not fit. A box being typed in keeps its cursor.
void showValuesFromStart(QLineEdit *box);

// Makes a box editable or locked and lets it look so: an editable box on the
// palette's base colour with a frame, a locked one flat on the window's
// background. The box keeps its size and its text its place either way, and
// the look follows later palette changes.
void setLooksEditable(QLineEdit *box, bool editable);

} // namespace platform
