// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/valueboxes.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform {

namespace {

const char *const KeeperName = "ValueBox";

// The room a box has for its text (the margin Qt keeps on either side included).
int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return contents.marginsRemoved(box->textMargins()).width() - 4;
}

class ValueBox final : public QObject
{
public:
    explicit ValueBox(QLineEdit *box)
        : QObject(box)
        , m_box(box)
    {
        setObjectName(QLatin1String(KeeperName));
        box->installEventFilter(this);
        // The height of a framed box, kept when the frame goes.
        const bool framed = box->hasFrame();
        box->setFrame(true);
        box->setMinimumHeight(qMax(box->minimumHeight(), box->sizeHint().height()));
        box->setFrame(framed);
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (m_fromStart && (m_box->isReadOnly() || !m_box->hasFocus()))
                m_box->setCursorPosition(0);
            updateTip();
        });
        // Setting the text it already has sends no change, yet puts the cursor at the end.
        connect(box, &QLineEdit::cursorPositionChanged, this, [this](int, int position) {
            if (m_fromStart && position != 0 && !m_box->hasFocus())
                m_box->setCursorPosition(0);
        });
    }

    void setFromStart(bool fromStart)
    {
        m_fromStart = fromStart;
        updateTip();
    }

    void setEditable(bool editable)
    {
        m_lookSet = true;
        m_editable = editable;
        m_box->setReadOnly(!editable);
        m_box->setFrame(editable);
        // Without its frame the text stays where the frame would have put it.
        const int frame = m_box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_box);
        m_box->setTextMargins(editable ? QMargins() : QMargins(frame, 0, frame, 0));
        applyLook();
        updateTip();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_box)
            return false;
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)
            updateTip();
        else if (event->type() == QEvent::PaletteChange)
            applyLook();
        return false;
    }

private:
    void applyLook()
    {
        if (!m_lookSet)
            return;
        const QPalette around = m_box->parentWidget() ? m_box->parentWidget()->palette() : QApplication::palette();
        QPalette palette = m_box->palette();
        bool changed = false;
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            const QColor face = around.color(group, m_editable ? QPalette::Base : QPalette::Window);
            if (palette.color(group, QPalette::Base) != face) {
                palette.setColor(group, QPalette::Base, face);
                changed = true;
            }
        }
        // Setting the palette sends a palette change, which finds nothing left to do.
        if (changed)
            m_box->setPalette(palette);
    }

    void updateTip()
    {
        if (!m_fromStart)
            return;
        const QString text = m_box->text();
        const bool fits = m_box->fontMetrics().horizontalAdvance(text) <= textRoom(m_box);
        const QString tip = fits ? QString() : text;
        if (m_box->toolTip() != tip)
            m_box->setToolTip(tip);
    }

    QLineEdit *m_box;
    bool m_fromStart = false;
    bool m_lookSet = false;
    bool m_editable = true;
};

ValueBox *keeperOf(QLineEdit *box)
{
    auto *keeper
        = static_cast<ValueBox *>(box->findChild<QObject *>(QLatin1String(KeeperName), Qt::FindDirectChildrenOnly));
    return keeper ? keeper : new ValueBox(box);
}

} // namespace

void showValuesFromStart(QLineEdit *box)
{
    keeperOf(box)->setFromStart(true);
    box->setCursorPosition(0);
}

void setLooksEditable(QLineEdit *box, bool editable)
{
    keeperOf(box)->setEditable(editable);
}

} // namespace platform
