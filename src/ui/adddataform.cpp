// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/adddataform.h"

#include "browse/linelistmodel.h"
#include "ui/desktop/fixedcolours.h"
#include "ui/desktop/valueboxes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace songdb {

namespace {

constexpr int ProductCount = 3;
// The characters a record box shows at the least, however small the window.
constexpr int RecordBoxCharacters = 12;

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLineEdit *box(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

// A box of the record on display: it shows a value from its beginning, flat
// while locked, and keeps room for a dozen characters.
QLineEdit *recordBox(QWidget *parent, const char *name)
{
    QLineEdit *e = box(parent, name);
    platform::setLooksEditable(e, false);
    platform::showValuesFromStart(e);
    const QMargins margins = e->textMargins();
    const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
    const int text = e->fontMetrics().horizontalAdvance(QString(RecordBoxCharacters, QLatin1Char('x')));
    e->setMinimumWidth(text + margins.left() + margins.right() + 2 * frame + 4);
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QAction *menuCommand(QMenuBar *menu, const char *name, const QString &caption)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

// Small drawn pictures stand in for the decoration bitmaps.
QPixmap discPicture(int size, const QColor &colour)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(size * 0.35, size * 0.35, size * 0.7);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour.darker(130));
    p.setBrush(g);
    p.setPen(colour.darker(160));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(size * 0.42, size * 0.42, size * 0.16, size * 0.16));
    return pm;
}

QPixmap productPicture(int index)
{
    static const QColor colours[] = {QColor(40, 90, 160), QColor(150, 60, 40), QColor(40, 120, 70)};
    const QColor c = colours[index % ProductCount];
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(c);
    p.setPen(c.darker(140));
    p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.drawText(QRect(0, 0, 48, 48), Qt::AlignCenter, QString::number(index + 1));
    return pm;
}

QLabel *picture(QWidget *parent, const char *name, const QPixmap &pm)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setPixmap(pm);
    l->setFixedSize(pm.size());
    return l;
}

} // namespace

void AddDataForm::setup(QWidget *window)
{
    window->setObjectName(QStringLiteral("AddData"));
    window->setWindowTitle(QStringLiteral("Navigating through  Database - DizaRore"));

    // The menu titles are reached with Alt and a letter that no button of the window uses
    // (the buttons take A, D, E, F, K, L, O, S, U and W).
    menu = new QMenuBar(window);
    Back = menuCommand(menu, "Back", QStringLiteral("&Back"));
    PrintList = menuCommand(menu, "PrintList", QStringLiteral("&Print List"));
    PrintList->setEnabled(false);
    SaveList = menuCommand(menu, "SaveList", QStringLiteral("Sa&ve List"));
    // Its letter is C: U belongs to the Edit button's "&Update".
    QMenu *duplicates = menu->addMenu(QStringLiteral("Dupli&cates"));
    duplicates->setObjectName(QStringLiteral("DuplicatesMenu"));
    duplicates->menuAction()->setObjectName(QStringLiteral("DuplicatesMenu"));
    Duplicates = duplicates->addAction(QStringLiteral("Titles on &Several Disks"));
    Duplicates->setObjectName(QStringLiteral("Duplicates"));
    Help = menuCommand(menu, "Help", QStringLiteral("&Help"));
    About = menuCommand(menu, "About", QStringLiteral("Abou&t"));

    QWidget *c = window;

    // Heading with the logo players.
    Image3 = picture(c, "Image3", discPicture(40, QColor(60, 60, 150)));
    Label6 = label(c, "Label6", QStringLiteral("QUENMORA"));
    QFont titleFont = Label6->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    Label6->setFont(titleFont);
    platform::setReadableTextColour(Label6, QColor(0, 0, 128));
    Image4 = picture(c, "Image4", discPicture(32, QColor(160, 120, 30)));
    Image7 = picture(c, "Image7", discPicture(24, QColor(120, 40, 120)));
    MediaPlayer1 = new QWidget(c);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer2 = new QWidget(c);
    MediaPlayer2->setObjectName(QStringLiteral("MediaPlayer2"));
    // Without an animation playing the players show the window's own background.
    for (QWidget *surface : {MediaPlayer1, MediaPlayer2})
        surface->setFixedSize(80, 60);

    // Product panels: a picture and a caption per entry of the program information.
    auto *products = new QHBoxLayout;
    for (int i = 0; i < ProductCount; ++i) {
        const QByteArray pictureName = "Image1_" + QByteArray::number(i);
        const QByteArray captionName = "Label17_" + QByteArray::number(i);
        QLabel *pic = picture(c, pictureName.constData(), productPicture(i));
        pic->setCursor(Qt::PointingHandCursor);
        QLabel *caption = label(c, captionName.constData(), QStringLiteral("Program %1").arg(i + 1));
        caption->setCursor(Qt::PointingHandCursor);
        Image1 << pic;
        Label17 << caption;
        auto *panel = new QVBoxLayout;
        panel->addWidget(pic, 0, Qt::AlignHCenter);
        panel->addWidget(caption, 0, Qt::AlignHCenter);
        products->addLayout(panel);
    }

    auto *heading = new QHBoxLayout;
    heading->addWidget(Image3);
    heading->addWidget(Label6);
    heading->addSpacing(16);
    heading->addLayout(products);
    heading->addStretch(1);
    heading->addWidget(Image7);
    heading->addWidget(Image4);
    heading->addWidget(MediaPlayer1);
    heading->addWidget(MediaPlayer2);

    // The record on display.
    Frame1 = new QGroupBox(QStringLiteral("Showing From All Records List"), c);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QWidget *f = Frame1;
    RecordNo = label(f, "RecordNo", QStringLiteral("Record No."));
    Text1 = recordBox(f, "Text1");
    txtID = recordBox(f, "txtID");
    auto *keyCaption = label(f, "txtIDCaption", QStringLiteral("Record ID"));
    auto *Label2 = label(f, "Label2", QStringLiteral("Disk label"));
    Text4 = recordBox(f, "Text4");
    auto *Label11 = label(f, "Label11", QStringLiteral("Files in Disk"));
    Text10 = recordBox(f, "Text10");
    auto *Label1 = label(f, "Label1", QStringLiteral("Extracted from"));
    Text3 = recordBox(f, "Text3");
    auto *Label5 = label(f, "Label5", QStringLiteral("Song Title"));
    Text5 = recordBox(f, "Text5");
    auto *Label12 = label(f, "Label12", QStringLiteral("Extn."));
    Text11 = recordBox(f, "Text11");
    auto *Label7 = label(f, "Label7", QStringLiteral("File Size Bytes"));
    Text6 = recordBox(f, "Text6");
    auto *Label8 = label(f, "Label8", QStringLiteral("Date and Time of File"));
    Text7 = recordBox(f, "Text7");
    auto *Label10 = label(f, "Label10", QStringLiteral("Artist's Name"));
    Text9 = recordBox(f, "Text9");
    auto *Label9 = label(f, "Label9", QStringLiteral("Occasion"));
    Text8 = recordBox(f, "Text8");
    auto *Label20 = label(f, "Label20", QStringLiteral("Status"));
    Text12 = recordBox(f, "Text12");
    frameLabels = {RecordNo, keyCaption, Label2, Label11, Label1, Label5,
                   Label12,  Label7,     Label8, Label10, Label9, Label20};

    // The free width goes to the boxes, to both columns alike.
    auto *record = new QGridLayout(Frame1);
    record->setColumnStretch(1, 1);
    record->setColumnStretch(3, 1);
    record->addWidget(RecordNo, 0, 0);
    record->addWidget(Text1, 0, 1);
    record->addWidget(keyCaption, 0, 2);
    record->addWidget(txtID, 0, 3);
    record->addWidget(Label2, 1, 0);
    record->addWidget(Text4, 1, 1);
    record->addWidget(Label11, 1, 2);
    record->addWidget(Text10, 1, 3);
    record->addWidget(Label1, 2, 0);
    record->addWidget(Text3, 2, 1, 1, 3);
    record->addWidget(Label5, 3, 0);
    record->addWidget(Text5, 3, 1, 1, 3);
    record->addWidget(Label12, 4, 0);
    record->addWidget(Text11, 4, 1);
    record->addWidget(Label7, 4, 2);
    record->addWidget(Text6, 4, 3);
    record->addWidget(Label8, 5, 0);
    record->addWidget(Text7, 5, 1, 1, 3);
    record->addWidget(Label10, 6, 0);
    record->addWidget(Text9, 6, 1, 1, 3);
    record->addWidget(Label9, 7, 0);
    record->addWidget(Text8, 7, 1);
    record->addWidget(Label20, 7, 2);
    record->addWidget(Text12, 7, 3);
    for (int row = 0; row < record->rowCount(); ++row)
        record->setRowStretch(row, 1);

    // The photograph lies over its hint; the hint shows when the photo is hidden.
    Label23 = label(c, "Label23", QStringLiteral("Double Click to add artist's photo. Use 80x100 pixels size."));
    Label23->setWordWrap(true);
    Label23->setAlignment(Qt::AlignCenter);
    Label23->setFrameShape(QFrame::Box);
    // The size of the photo, or as much more as its words need in this font.
    int widestWord = 0;
    for (const QString &word : Label23->text().split(QLatin1Char(' ')))
        widestWord = qMax(widestWord, Label23->fontMetrics().horizontalAdvance(word));
    Label23->setFixedWidth(qMax(80, widestWord + 2 * Label23->frameWidth() + 6));
    Label23->setMinimumHeight(100);
    Image8 = new QLabel(c);
    Image8->setObjectName(QStringLiteral("Image8"));
    Image8->setFixedSize(80, 100);
    Image8->setAlignment(Qt::AlignCenter);
    Image8->hide();
    // The photo's place stays when both are hidden, so the record boxes keep theirs.
    for (QWidget *w : {static_cast<QWidget *>(Label23), static_cast<QWidget *>(Image8)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    auto *photo = new QGridLayout;
    photo->addWidget(Label23, 0, 0, Qt::AlignTop);
    photo->addWidget(Image8, 0, 0, Qt::AlignTop | Qt::AlignHCenter);
    photo->setRowStretch(1, 1);

    // Count, record number, and the password that takes its place.
    Label3 = label(c, "Label3", QStringLiteral("Total Records"));
    Label4 = label(c, "Label4", QStringLiteral("0"));
    Label4->setMinimumWidth(60);
    Label16 = label(c, "Label16", QStringLiteral("Show Record number"));
    Text13 = box(c, "Text13");
    Label21 = label(c, "Label21", QStringLiteral("Authorisation password?"));
    Text14 = box(c, "Text14");
    Text14->setEchoMode(QLineEdit::Password);
    // An asterisk for each typed character, whatever the style's own mask.
    Text14->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    OK = button(c, "OK", QStringLiteral("O&K"));
    Text13->setMaximumWidth(100);
    Text14->setMaximumWidth(100);
    Label21->hide();
    Text14->hide();
    OK->hide();
    auto *numbers = new QGridLayout;
    numbers->addWidget(Label3, 0, 0);
    numbers->addWidget(Label4, 0, 1);
    numbers->setColumnStretch(2, 1);
    numbers->addWidget(Label16, 0, 3, Qt::AlignRight);
    numbers->addWidget(Label21, 0, 3, Qt::AlignRight);
    numbers->addWidget(Text13, 0, 4);
    numbers->addWidget(Text14, 0, 4);
    numbers->addWidget(OK, 0, 5);

    AppendFileList = button(c, "AppendFileList", QStringLiteral("&Append Created List"));
    EditRecord = button(c, "EditRecord", QStringLiteral("&Edit"));
    DeleteDisk = button(c, "DeleteDisk", QStringLiteral("Delete Dis&k"));
    DeleteAll = button(c, "DeleteAll", QStringLiteral("&Delete All"));
    DeleteAll->setToolTip(QStringLiteral("Be Careful !! Needs password"));
    // Two by two, beside the photo: the window can get narrow without cutting a caption.
    auto *commands = new QGridLayout;
    commands->addWidget(AppendFileList, 0, 0);
    commands->addWidget(EditRecord, 0, 1);
    commands->addWidget(DeleteDisk, 1, 0);
    commands->addWidget(DeleteAll, 1, 1);
    commands->setColumnStretch(2, 1);

    Label14 = label(
        c, "Label14", QStringLiteral("Press 'Append' button to add the current list in your 'DizaRore' database file"));
    Label14->setWordWrap(true);
    Timer1 = new QTimer(window);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    // Search and the results area.
    Text2 = box(c, "Text2");
    Label13 = label(c, "Label13", QStringLiteral("in"));
    Combo1 = new QComboBox(c);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumContentsLength(12);
    FindAsYouType = new QCheckBox(QStringLiteral("As You T&ype"), c);
    FindAsYouType->setObjectName(QStringLiteral("FindAsYouType"));
    TypingPause = new QTimer(window);
    TypingPause->setObjectName(QStringLiteral("TypingPause"));
    TypingPause->setSingleShot(true);
    TypingPause->setInterval(150);
    Find = button(c, "Find", QStringLiteral("&Find and Display"));
    ShowAll = button(c, "ShowAll", QStringLiteral("Sho&w All"));
    SearchDisks = button(c, "SearchDisks", QStringLiteral("Disk &Labels List"));
    Occasion = button(c, "Occasion", QStringLiteral("&Occasion"));
    Status = button(c, "Status", QStringLiteral("&Status"));
    Label15 = label(c, "Label15", QStringLiteral("Matched List"));
    DataList1 = new QListView(c);
    DataList1->setObjectName(QStringLiteral("DataList1"));
    DataList1Lines = new browse::LineListModel(DataList1);
    DataList1->setModel(DataList1Lines);
    List1 = new QListView(c);
    List1->setObjectName(QStringLiteral("List1"));
    List1Lines = new browse::LineListModel(List1);
    List1->setModel(List1Lines);
    for (QListView *list : {DataList1, List1}) {
        list->setUniformItemSizes(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumWidth(260);
    }
    DataList1->hide();

    auto *search = new QHBoxLayout;
    search->addWidget(Text2, 1);
    search->addWidget(Label13);
    search->addWidget(Combo1);
    auto *finders = new QHBoxLayout;
    finders->addWidget(Find);
    finders->addWidget(ShowAll);
    // In the row of the find commands under the search box: beside it there is no room on a small screen.
    finders->addWidget(FindAsYouType);
    auto *labelLists = new QHBoxLayout;
    labelLists->addWidget(SearchDisks);
    labelLists->addWidget(Occasion);
    labelLists->addWidget(Status);
    auto *lists = new QGridLayout;
    lists->addWidget(DataList1, 0, 0);
    lists->addWidget(List1, 0, 0);
    auto *right = new QVBoxLayout;
    right->addLayout(search);
    right->addLayout(finders);
    right->addLayout(labelLists);
    right->addWidget(Label15);
    right->addLayout(lists, 1);

    // Below the record: the count and record number, the commands and the
    // prompt, with the photo beside them. The record takes the height there is.
    auto *underRecord = new QVBoxLayout;
    underRecord->addLayout(numbers);
    underRecord->addLayout(commands);
    underRecord->addWidget(Label14);
    underRecord->addStretch(1);
    auto *belowFrame = new QHBoxLayout;
    belowFrame->addLayout(underRecord, 1);
    belowFrame->addLayout(photo);
    auto *left = new QVBoxLayout;
    left->addWidget(Frame1, 1);
    left->addLayout(belowFrame);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addSpacing(8);
    body->addLayout(right, 2);

    auto *page = new QVBoxLayout(window);
    page->setMenuBar(menu);
    page->addLayout(heading);
    page->addLayout(body, 1);

    window->resize(1040, 600);
}

} // namespace songdb
