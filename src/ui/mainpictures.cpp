// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainpictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace shell {

namespace {

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont serifFont(int pixelSize, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void drawPanel(QPainter &p, const QRectF &r)
{
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.restore();
}

void drawDisc(QPainter &p, QPointF centre, qreal radius, int alpha)
{
    p.save();
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, QColor(20, 20, 28, alpha));
    g.setColorAt(0.97, QColor(40, 44, 60, alpha));
    g.setColorAt(1.0, QColor(90, 100, 120, alpha));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, alpha / 9), 1));
    for (qreal r = radius * 0.42; r < radius * 0.95; r += 4)
        p.drawEllipse(centre, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 170, 72, alpha));
    p.drawEllipse(centre, radius * 0.3, radius * 0.3);
    p.setBrush(QColor(15, 30, 50, alpha));
    p.drawEllipse(centre, radius * 0.04, radius * 0.04);
    p.restore();
}

void caption(QPainter &p, const QRect &r, const QString &text, Qt::Alignment align = Qt::AlignCenter)
{
    p.drawText(r, int(align), text);
}

// The font at its pixel size, or smaller where the text would not fit the
// width otherwise (another face may stand in for the one asked for).
QFont fitted(QFont font, const QString &text, int width)
{
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// A transparent picture of the given size in pixels of the window, drawn
// with `ratio` device pixels to each.
QPixmap canvas(QSize size, qreal ratio)
{
    QPixmap pix(size * ratio);
    pix.setDevicePixelRatio(ratio);
    pix.fill(Qt::transparent);
    return pix;
}

} // namespace

QPixmap MainPictures::background(qreal ratio)
{
    using namespace mainlayout;
    QPixmap pix = canvas(Client, ratio);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, Client.height());
    sky.setColorAt(0.0, QColor(12, 32, 60));
    sky.setColorAt(0.6, QColor(22, 70, 92));
    sky.setColorAt(1.0, QColor(14, 40, 58));
    p.fillRect(QRect(QPoint(), Client), sky);

    drawDisc(p, RecordCentre, RecordRadius, 150);

    // Title block.
    const QString wordMark = QStringLiteral("Quenmora");
    p.setFont(fitted(serifFont(34), wordMark, WordMark.width() - 2));
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(WordMark.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, wordMark);
    p.setPen(QColor(246, 214, 128));
    p.drawText(WordMark, Qt::AlignLeft | Qt::AlignVCenter, wordMark);
    const QString tagLine = QStringLiteral("Catalogue of songs and media");
    p.setFont(fitted(uiFont(13), tagLine, TagLine.width()));
    p.setPen(QColor(220, 232, 240));
    p.drawText(TagLine, Qt::AlignLeft, tagLine);
    p.setFont(uiFont(11));
    p.setPen(QColor(170, 196, 210));
    p.drawText(Description, Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Scan a disk into a list, append it to the song database and browse, "
                              "find and edit what you have."));

    drawPanel(p, ButtonPanel);
    drawPanel(p, MusicPanel);

    // Captions for the pictures and option buttons, which have none of their own.
    p.setFont(uiFont(10, true));
    p.setPen(QColor(246, 214, 128));
    caption(p, QRect(MusicPanel.left() + 10, MusicPanel.top() + 4, 200, 16), QStringLiteral("Background music"),
            Qt::AlignLeft | Qt::AlignVCenter);
    p.setFont(uiFont(10));
    p.setPen(QColor(200, 218, 228));
    const int captionTop = SoundTop + 22;
    caption(p, QRect(Option1_1Left - 14, captionTop, 44, 14), QStringLiteral("Song"));
    caption(p, QRect(Option1_0Left - 14, captionTop, 44, 14), QStringLiteral("Off"));
    caption(p, QRect(Option2Left - 14, captionTop, 44, 14), QStringLiteral("Own"));
    caption(p, QRect(Image4Left - 12, captionTop, 44, 14), QStringLiteral("Stop"));
    caption(p, QRect(Image11Left - 12, captionTop, 44, 14), QStringLiteral("Title"));
    caption(p, QRect(Image6.left(), Image6.top() - 17, Image6.width(), 14), QStringLiteral("Data source"));

    // Footer.
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(24, FooterCaptionTop - 6, Client.width() - 22, FooterCaptionTop - 6);
    p.setPen(QColor(170, 196, 210));
    caption(p, QRect(Label7.left(), FooterCaptionTop, 200, 14), QStringLiteral("Status"), Qt::AlignLeft);
    caption(p, QRect(Label3.right() - 120, FooterCaptionTop, 120, 14), QStringLiteral("Load time (ms)"),
            Qt::AlignRight);
    caption(p, QRect(Label4.left(), FooterCaptionTop, Label4.width(), 14), QStringLiteral("Version"));
    caption(p, QRect(Label2.left(), FooterCaptionTop, Label2.width(), 14), QStringLiteral("Session"));
    return pix;
}

QPixmap MainPictures::wordPlate(const QString &text, QSize size, bool lit, qreal ratio)
{
    QPixmap pix = canvas(size, ratio);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect area(QPoint(), size);
    const QRectF r = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, 0, 0, size.height());
    if (lit) {
        g.setColorAt(0.0, QColor(255, 236, 170));
        g.setColorAt(1.0, QColor(226, 170, 60));
        p.setPen(QPen(QColor(120, 80, 10), 1));
    } else {
        g.setColorAt(0.0, QColor(118, 134, 150));
        g.setColorAt(1.0, QColor(78, 92, 108));
        p.setPen(QPen(QColor(50, 60, 72), 1));
    }
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
    p.setFont(fitted(uiFont(12, true), text, size.width() - 6));
    p.setPen(lit ? QColor(60, 30, 0) : QColor(200, 208, 216));
    p.drawText(area, Qt::AlignCenter, text);
    return pix;
}

QPixmap MainPictures::bannerStrip(bool band, qreal ratio)
{
    const QSize size = mainlayout::BannerStrip.size();
    QPixmap pix = canvas(size, ratio);
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0.0, QColor(255, 246, 214));
    g.setColorAt(1.0, QColor(232, 210, 150));
    p.fillRect(QRect(QPoint(), size), g);
    if (band) {
        QLinearGradient b(0, 5, 0, size.height() - 5);
        b.setColorAt(0.0, QColor(200, 160, 80));
        b.setColorAt(0.5, QColor(170, 128, 52));
        b.setColorAt(1.0, QColor(200, 160, 80));
        p.fillRect(QRect(0, 5, size.width(), size.height() - 10), b);
    }
    p.setPen(QColor(150, 110, 40));
    p.drawLine(0, size.height() - 1, size.width(), size.height() - 1);
    return pix;
}

QPixmap MainPictures::icon(Icon which, int size, qreal ratio)
{
    QPixmap pix = canvas(QSize(size, size), ratio);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(1, 1, size - 2, size - 2);
    const qreal u = size / 20.0;
    auto round = [&](const QColor &light, const QColor &dark) {
        QRadialGradient g(r.center() - QPointF(3 * u, 3 * u), size * 0.7);
        g.setColorAt(0.0, light);
        g.setColorAt(1.0, dark);
        p.setPen(QPen(dark.darker(140), 1));
        p.setBrush(g);
        p.drawEllipse(r);
    };
    switch (which) {
    case Icon::Exit: {
        round(QColor(255, 130, 120), QColor(180, 30, 30));
        p.setPen(QPen(Qt::white, 2.2 * u, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5 * u, 5.5 * u, 10 * u, 10 * u), 120 * 16, 300 * 16);
        p.drawLine(QPointF(10 * u, 3.5 * u), QPointF(10 * u, 10 * u));
        break;
    }
    case Icon::Info: {
        round(QColor(140, 200, 255), QColor(20, 90, 170));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(10 * u, 5.5 * u), 1.5 * u, 1.5 * u);
        p.drawRoundedRect(QRectF(8.6 * u, 8.5 * u, 2.8 * u, 8 * u), u, u);
        break;
    }
    case Icon::Stop: {
        round(QColor(240, 240, 245), QColor(120, 130, 145));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 40, 40));
        p.drawRoundedRect(QRectF(6 * u, 6 * u, 8 * u, 8 * u), 1.2 * u, 1.2 * u);
        break;
    }
    case Icon::Title:
    case Icon::Window: {
        round(QColor(255, 228, 150), QColor(196, 140, 30));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 30, 20));
        p.drawEllipse(QPointF(7.5 * u, 14 * u), 2.6 * u, 2 * u);
        p.drawRect(QRectF(9.2 * u, 4.5 * u, 1.4 * u, 9.5 * u));
        QPainterPath flag;
        flag.moveTo(10.6 * u, 4.5 * u);
        flag.cubicTo(13.5 * u, 5.5 * u, 14.5 * u, 7.5 * u, 13.5 * u, 10 * u);
        flag.cubicTo(13.5 * u, 8.5 * u, 12.5 * u, 7.5 * u, 10.6 * u, 7.2 * u);
        flag.closeSubpath();
        p.drawPath(flag);
        break;
    }
    }
    return pix;
}

} // namespace shell
