// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPalette>
#include <QString>
#include <QStringList>

class QWidget;

// Measures how well every visible text of a window reads: the colour it is
// drawn in against what lies behind it. Behind a label, a check box or a
// group-box title that is whatever the window and the controls beneath show
// there (pictures included, darkest and lightest pixel both counted); behind
// the caption of a button, the text of a box, the lines of a list and the
// runs of a rich text it is the control's own face (or the run's own colour).
struct TextContrast
{
    QString control; // object name, with the list cell where there is one
    QString text;
    QColor textColour;
    QColor background;
    double ratio = 0;
};

// Every visible, enabled text of the window (lists: the rows in view, the
// selection left out, which shows in the theme's own highlight colours).
QList<TextContrast> textContrasts(QWidget *window);

// The texts below the minimum ratio, one line each for a failure message.
QStringList poorlyReadable(QWidget *window, double minimum = 4.5);

// The dark palette a person gets from qt6ct's "darker" colour scheme.
QPalette darkerPalette();
