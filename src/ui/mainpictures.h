// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRect>

namespace shell {

// Where the controls of the main window lie (pixels of its 582 x 406 client
// area); the background picture draws its captions and panels to match.
namespace mainlayout {
inline constexpr QSize Client{582, 406};
inline constexpr QRect BannerStrip{0, 0, 582, 21};
inline constexpr QRect Label6{0, 0, 116, 21};
inline constexpr QRect Image33{22, 31, 20, 20};
inline constexpr QRect Label21{48, 29, 420, 24};
inline constexpr QRect Image5{540, 31, 20, 20};
inline constexpr QRect ButtonPanel{24, 70, 172, 206};
// The title block between the buttons and the record, which lies wholly
// inside the window, clear of the exit icon above it and the Select plate below.
inline constexpr QRect WordMark{210, 78, 216, 52};
inline constexpr QRect TagLine{212, 130, 214, 20};
inline constexpr QRect Description{212, 152, 180, 80};
inline constexpr QPoint RecordCentre{502, 140};
inline constexpr int RecordRadius = 68;
inline constexpr QRect DisplayRecords{40, 84, 140, 34};
inline constexpr int ButtonSpacing = 46;
inline constexpr QRect Image6{470, 238, 87, 20};
inline constexpr QRect Image8{473, 266, 80, 20};
inline constexpr QRect MusicPanel{24, 290, 300, 66};
inline constexpr int SoundTop = 314;
inline constexpr int Option1_1Left = 50;
inline constexpr int Option1_0Left = 98;
inline constexpr int Option2Left = 146;
inline constexpr int Image4Left = 192;
inline constexpr int Image11Left = 240;
inline constexpr QRect Label7{24, 378, 250, 20};
inline constexpr QRect Label3{318, 378, 70, 20};
inline constexpr QRect Label4{410, 378, 60, 20};
inline constexpr QRect Label2{490, 378, 70, 20};
inline constexpr int FooterCaptionTop = 362;
} // namespace mainlayout

// The pictures of the main window, drawn at start rather than loaded, so the
// program needs no picture files beside it.
class MainPictures
{
public:
    enum class Icon { Exit, Info, Stop, Title, Window };

    // Each picture is drawn for a screen of the given pixel ratio (2 on a
    // screen scaled to twice the size), so that it stays sharp there.
    static QPixmap background(qreal ratio = 1);
    // A word on a small plate; lit plates are bright, dim ones greyed.
    static QPixmap wordPlate(const QString &text, QSize size, bool lit, qreal ratio = 1);
    // The banner strip; with the band it is the picture under the cover.
    static QPixmap bannerStrip(bool band, qreal ratio = 1);
    static QPixmap icon(Icon which, int size = 20, qreal ratio = 1);
};

} // namespace shell
