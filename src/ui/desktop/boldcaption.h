// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace platform {

// Bold captions under the pointer without moving anything: the control keeps
// the room its caption needs in bold, so turning it bold or back changes
// neither its size nor its neighbours' places.

// Reserves that room for the control's present caption (its minimum size
// grows to what the bold caption needs).
void reserveBoldRoom(QWidget *control);

// Sets the caption bold or back to normal weight; a caption changed since
// its room was reserved gets its room first.
void setBoldCaption(QWidget *control, bool bold);

} // namespace platform
