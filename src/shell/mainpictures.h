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

    static QPixmap background();
    // A word on a small plate; lit plates are bright, dim ones greyed.
    static QPixmap wordPlate(const QString &text, QSize size, bool lit);
    // The banner strip; with the band it is the picture under the cover.
    static QPixmap bannerStrip(bool band);
    static QPixmap icon(Icon which, int size = 20);
};

} // namespace shell
