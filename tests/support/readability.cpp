// SPDX-License-Identifier: GPL-3.0-or-later
#include "readability.h"

#include "ui/desktop/contrast.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QAbstractSpinBox>
#include <QToolButton>

namespace {

QPalette::ColorGroup groupOf(const QWidget *w)
{
    return w->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

// A colour with transparency, as it shows over the background.
QColor over(const QColor &top, const QColor &below)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(float(top.redF() * a + below.redF() * (1 - a)),
        float(top.greenF() * a + below.greenF() * (1 - a)), float(top.blueF() * a + below.blueF() * (1 - a)));
}

TextContrast measured(
    const QString &control, const QString &text, const QColor &colour, const QList<QColor> &backgrounds)
{
    TextContrast c;
    c.control = control;
    c.text = text;
    c.textColour = colour;
    c.ratio = 100;
    for (const QColor &b : backgrounds) {
        const double r = platform::contrastRatio(over(colour, b), b);
        if (r < c.ratio) {
            c.ratio = r;
            c.background = b;
        }
    }
    return c;
}

// The darkest and the lightest pixel of what the window shows in the area
// (in window coordinates) with the control itself left out.
QList<QColor> behind(QWidget *window, QWidget *control, const QRect &area)
{
    if (area.isEmpty())
        return {};
    auto *hidden = new QGraphicsOpacityEffect;
    hidden->setOpacity(0);
    const bool ownEffect = !control->graphicsEffect();
    if (ownEffect)
        control->setGraphicsEffect(hidden);
    else
        delete hidden;
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    window->render(&image, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (ownEffect)
        control->setGraphicsEffect(nullptr);

    QColor darkest = Qt::white;
    QColor lightest = Qt::black;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (platform::relativeLuminance(c) < platform::relativeLuminance(darkest))
                darkest = c;
            if (platform::relativeLuminance(c) > platform::relativeLuminance(lightest))
                lightest = c;
        }
    }
    return {darkest, lightest};
}

QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QRect inWindow(QWidget *window, QWidget *w, const QRect &local)
{
    return QRect(w->mapTo(window, local.topLeft()), local.size()).intersected(window->rect());
}

void itemTexts(QAbstractItemView *view, QList<TextContrast> &out)
{
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QPalette pal = view->palette();
    const QPalette::ColorGroup g = groupOf(view);
    const QRect shown = view->viewport()->rect();
    for (int r = 0; r < model->rowCount(view->rootIndex()); ++r) {
        for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
            const QModelIndex index = model->index(r, c, view->rootIndex());
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.trimmed().isEmpty() || !view->visualRect(index).intersects(shown))
                continue;
            // The selection shows in the theme's own highlight colours.
            if (view->selectionModel() && view->selectionModel()->isSelected(index))
                continue;
            const QVariant fore = index.data(Qt::ForegroundRole);
            const QVariant back = index.data(Qt::BackgroundRole);
            const QColor colour = fore.isValid() ? fore.value<QBrush>().color() : pal.color(g, QPalette::Text);
            const QColor face = back.isValid() ? back.value<QBrush>().color() : pal.color(g, QPalette::Base);
            out << measured(QStringLiteral("%1 (%2,%3)").arg(nameOf(view)).arg(r).arg(c), text, colour,
                {over(face, pal.color(g, QPalette::Base))});
        }
    }
}

// The runs of a rich text in their own colours, each pair of colours once.
void documentTexts(QTextEdit *edit, QList<TextContrast> &out)
{
    const QPalette pal = edit->palette();
    const QPalette::ColorGroup g = groupOf(edit);
    QSet<QPair<QRgb, QRgb>> seen;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.text().trimmed().isEmpty())
                continue;
            const QTextCharFormat f = fragment.charFormat();
            const QColor colour = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color()
                                                                              : pal.color(g, QPalette::Text);
            const QColor face = f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color()
                                                                            : pal.color(g, QPalette::Base);
            if (seen.contains({colour.rgba(), face.rgba()}))
                continue;
            seen.insert({colour.rgba(), face.rgba()});
            out << measured(nameOf(edit), fragment.text(), colour, {over(face, pal.color(g, QPalette::Base))});
        }
    }
}

} // namespace

QList<TextContrast> textContrasts(QWidget *window)
{
    QList<TextContrast> out;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != window || qobject_cast<QHeaderView *>(w))
            continue;
        const QPalette pal = w->palette();
        const QPalette::ColorGroup g = groupOf(w);
        const QColor fore = pal.color(g, w->foregroundRole());
        const QColor face = pal.color(g, w->backgroundRole());

        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().trimmed().isEmpty() || !label->pixmap().isNull())
                continue;
            QRect r = label->contentsRect();
            if (!label->wordWrap() && label->textFormat() != Qt::RichText && !Qt::mightBeRichText(label->text())) {
                const QSize size = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
                r = QStyle::alignedRect(label->layoutDirection(), label->alignment(), size.boundedTo(r.size()), r);
            }
            const QList<QColor> backs = label->autoFillBackground() ? QList<QColor>{face}
                                                                    : behind(window, label, inWindow(window, label, r));
            out << measured(nameOf(label), label->text(), fore, backs);
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().trimmed().isEmpty())
                continue;
            const auto *push = qobject_cast<QPushButton *>(button);
            const auto *tool = qobject_cast<QToolButton *>(button);
            const bool ownFace = (push && !push->isFlat()) || (tool && !tool->autoRaise());
            const QList<QColor> backs
                = ownFace ? QList<QColor>{face} : behind(window, button, inWindow(window, button, button->rect()));
            out << measured(nameOf(button), button->text(), fore, backs);
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (edit->text().isEmpty() || qobject_cast<QComboBox *>(edit->parentWidget())
                || qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
                continue;
            out << measured(nameOf(edit), edit->text(), pal.color(g, QPalette::Text), {pal.color(g, QPalette::Base)});
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            if (combo->currentText().isEmpty())
                continue;
            out << (combo->isEditable() ? measured(nameOf(combo), combo->currentText(), pal.color(g, QPalette::Text),
                        {pal.color(g, QPalette::Base)})
                                        : measured(nameOf(combo), combo->currentText(),
                                            pal.color(g, QPalette::ButtonText), {pal.color(g, QPalette::Button)}));
        } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
            if (box->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            const QRect r = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            out << measured(nameOf(box), box->title(), fore, behind(window, box, inWindow(window, box, r)));
        } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                out << measured(nameOf(tabs), tabs->tabText(i), pal.color(g, QPalette::WindowText),
                    {pal.color(g, QPalette::Window)});
        } else if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
            itemTexts(view, out);
        } else if (auto *text = qobject_cast<QTextEdit *>(w)) {
            documentTexts(text, out);
        }
    }
    return out;
}

QStringList poorlyReadable(QWidget *window, double minimum)
{
    QStringList lines;
    for (const TextContrast &c : textContrasts(window)) {
        if (c.ratio < minimum)
            lines << QStringLiteral("%1 \"%2\": %3 on %4, %5:1")
                         .arg(c.control, c.text.left(40), c.textColour.name(), c.background.name())
                         .arg(c.ratio, 0, 'f', 2);
    }
    return lines;
}

QPalette darkerPalette()
{
    // Active colours of qt6ct's darker.conf, in QPalette::ColorRole order.
    static const char *const active[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
        "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9", "#0986d3", "#a70b06", "#5c5b5a",
        "#ffffff", "#3f3f36", "#ffffff"};
    QPalette p;
    for (int role = 0; role < int(std::size(active)); ++role) {
        if (role == QPalette::NoRole)
            continue;
        p.setColor(QPalette::All, QPalette::ColorRole(role), QColor(QLatin1String(active[role])));
    }
    for (const QPalette::ColorRole role :
        {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::All, QPalette::PlaceholderText, QColor(255, 255, 255, 128));
    return p;
}
