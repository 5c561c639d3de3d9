// The "Print Options" dialog: the form with its five tab pages, every
// control with its caption, the click behaviour of the option controls and
// the two faces of the window (options and progress).
#include "printing/P001.h"

#include "platform/winsys/Twips.h"
#include "platform/winsys/UpDown.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

using namespace printer;

namespace {

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QString idx(const char *array, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i); }

} // namespace

// ---------------------------------------------------------------------------
// Building the form: one builder per tab page and per row of the window.
// The controls are made in the order of the tab chain (Qt's focus order is
// the order of creation), so a builder adds its controls in that order.

void P001::Form_Load()
{
    setWindowTitle(QStringLiteral("Print Options"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(winsys::TwipsToPixelsX(120), 4, winsys::TwipsToPixelsX(120), 0);
    outer->addWidget(buildTabStrip());
    outer->addWidget(buildPages());
    outer->addWidget(buildButtonRow());
    outer->addWidget(buildStatusBar());
    buildProgressFace();

    // Form_Load's own steps.
    for (const char *position : {"Top Right", "Top Centre", "Top Left", "Bottom Left", "Bottom Centre", "Bottom Right"})
        Combo1[1]->addItem(QString::fromLatin1(position));
    Combo1[1]->setCurrentIndex(0);
    for (int i : {5, 6, 8, 11})
        Frame1[i]->hide();
    Form_Resize();
}

QTabBar *P001::buildTabStrip()
{
    TabStrip1 = named(new QTabBar(this), QStringLiteral("TabStrip1"));
    const struct { const char *caption, *key, *tip; } tabs[] = {
        {"Se&lection", "select", "Select pages to print"},
        {"T&itle", "title", "Control the titles shown on the printed pages"},
        {"Pri&nter", "print", "Select the printer and change printer settings"},
        {"Effe&cts", "effects", "Set colour and other presentation options"},
        {"Pag&e", "page", "Set Page Margins and Page Numbering"},
    };
    for (const auto &t : tabs) {
        const int i = TabStrip1->addTab(QString::fromLatin1(t.caption));
        TabStrip1->setTabToolTip(i, QString::fromLatin1(t.tip));
        TabStrip1->setTabData(i, QString::fromLatin1(t.key));
    }
    // The page follows the current tab however it changes: a click, the
    // arrows on the tab bar, its access key, or the keys of the next and
    // previous page.
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    // A tab's access key also takes the focus into its page (eventFilter).
    TabStrip1->installEventFilter(this);
    const struct { QKeySequence keys; int by; } turns[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},           {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto &t : turns) {
        auto *turn = new QShortcut(t.keys, this);
        connect(turn, &QShortcut::activated, this, [this, by = t.by] {
            if (ProgressView == 1)
                return;
            const int n = TabStrip1->count();
            TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + by + n) % n);
        });
    }
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_showHelp && ProgressView != 1)
            m_showHelp(HelpTopic(), this);
    });
    return TabStrip1;
}

QWidget *P001::buildPages()
{
    m_pages = new QWidget(this);
    auto *stack = new QGridLayout(m_pages);
    stack->setContentsMargins(0, 0, 0, 0);
    buildSelectionTab(makePage(stack, 0));
    buildTitleTab(makePage(stack, 11));
    buildPrinterTab(makePage(stack, 5));
    buildEffectsTab(makePage(stack, 8));
    buildPageTab(makePage(stack, 6));
    // Every page takes the room of the largest, so switching pages never
    // moves the buttons.
    QSize most = winsys::TwipsToPixels(QSize(4920, 3615));
    for (int i : {0, 5, 6, 8, 11})
        most = most.expandedTo(Frame1[i]->sizeHint());
    m_pages->setMinimumSize(most);
    return m_pages;
}

void P001::buildSelectionTab(QFrame *f)
{
    auto *grid = new QGridLayout(f);
    grid->addWidget(buildScalingGroup(f), 0, 0, 2, 1);
    grid->addWidget(buildPaperGroup(f), 0, 1);
    grid->addWidget(buildRangeGroup(f), 1, 1);
}

// Full size, fitted to a number of sheets, or n-up.
QGroupBox *P001::buildScalingGroup(QFrame *f)
{
    QGroupBox *scaling = makeGroup(f, 2, QString());
    auto *v = new QVBoxLayout(scaling);
    makeRadios(scaling, Option1, "Option1", {"Print &Full Size", "&Scale To Fit", "&Print 3 up on 2 pages"}, &P001::Option1_Click);
    Option1[0]->setChecked(true);
    v->addWidget(Option1[0]);
    v->addWidget(Option1[1]);
    v->addLayout(makeNumberRow(scaling, 0, 0, makeLabel(scaling, 5, QStringLiteral("Wide"))));
    v->addLayout(makeNumberRow(scaling, 1, 1, makeLabel(scaling, 6, QStringLiteral("High"))));
    v->addWidget(makeLabel(scaling, 1, QStringLiteral("nn Sheets Wide")));
    v->addWidget(makeLabel(scaling, 2, QStringLiteral("nn Sheets High")));
    for (int i = 0; i < 2; ++i) {
        Line1[i] = named(new QFrame(scaling), idx("Line1", i));
        Line1[i]->setFrameShape(QFrame::HLine);
    }
    v->addWidget(Line1[0]);
    v->addWidget(Line1[1]);
    v->addWidget(Option1[2]);
    v->addStretch();
    // The n-up choice shows only after a count, in a dialog of fixed
    // size: its column keeps room for the widest caption from the start.
    Option1[2]->setText(QStringLiteral("&Print 99 up on 9999 pages"));
    Line1[0]->setMinimumWidth(Option1[2]->sizeHint().width());
    Option1[2]->setText(QStringLiteral("&Print 3 up on 2 pages"));
    return scaling;
}

// The orientation, its picture and the paper size.
QGroupBox *P001::buildPaperGroup(QFrame *f)
{
    QGroupBox *paper = makeGroup(f, 4, QStringLiteral("Paper Size"));
    auto *pv = new QGridLayout(paper);
    makeRadios(paper, optPPS, "optPPS", {"P&ortrait", "Lan&dscape"}, nullptr);
    for (QRadioButton *b : optPPS)
        connect(b, &QRadioButton::clicked, this, [this] { optPPS_Click(); });
    cbPaperSize = named(new QComboBox(paper), QStringLiteral("cbPaperSize"));
    connect(cbPaperSize, &QComboBox::activated, this, [this] { cbPaperSize_Click(); });
    m_paperHolder = new QWidget(paper);
    m_paperHolder->setFixedSize(winsys::TwipsToPixels(QSize(1300, 1275)));
    Image1 = named(new QLabel(m_paperHolder), QStringLiteral("Image1"));
    Image1->installEventFilter(this);
    makeLabel(m_paperHolder, 8, QStringLiteral("Size N"))->installEventFilter(this);
    // The paper's name lies over most of the picture: the picture, its name
    // and the room around them all say what a click does.
    for (QWidget *w : {static_cast<QWidget *>(Image1), static_cast<QWidget *>(Label1[8]), m_paperHolder})
        w->setToolTip(QStringLiteral("Click to change paper orientation."));
    Label1[8]->setAlignment(Qt::AlignCenter);
    pv->addWidget(optPPS[0], 0, 0);
    pv->addWidget(optPPS[1], 1, 0);
    pv->addWidget(m_paperHolder, 0, 1, 2, 1);
    pv->addWidget(cbPaperSize, 2, 0, 1, 2);
    pv->addWidget(makeLabel(paper, 3, QStringLiteral("NN mm Wide")), 3, 0);
    pv->addWidget(makeLabel(paper, 4, QStringLiteral("NN mm High")), 3, 1);
    // Room for the paper's sizes from the start: the dialog's size is
    // fixed before they are known.
    for (int i : {3, 4})
        Label1[i]->setMinimumWidth(Label1[i]->fontMetrics().horizontalAdvance(QStringLiteral("000.0 mm High")) + 2);
    return paper;
}

// All pages, the list's selection, or a page list.
QGroupBox *P001::buildRangeGroup(QFrame *f)
{
    QGroupBox *range = makeGroup(f, 3, QStringLiteral("Print Range"));
    auto *rv = new QGridLayout(range);
    makeRadios(range, Option2, "Option2", {"&All", "Selected &Range", "Pa&ges"}, &P001::Option2_Click);
    Option2[0]->setChecked(true);
    Option2[1]->setEnabled(false);
    rv->addWidget(Option2[0], 0, 0);
    rv->addWidget(Option2[1], 1, 0, 1, 2);
    rv->addWidget(Option2[2], 2, 0);
    rv->addWidget(makeBox(range, 8, QString()), 2, 1);
    return range;
}

void P001::buildTitleTab(QFrame *f)
{
    auto *grid = new QGridLayout(f);
    grid->addWidget(makeBox(f, 3, QString()), 0, 0, 1, 2);
    QGroupBox *placement = makeGroup(f, 13, QString());
    auto *pv = new QVBoxLayout(placement);
    makeRadios(placement, Option3, "Option3",
               {"&Omit", "&First page only", "&Print on all pages", "First ro&w only", "Once e&ach row"}, &P001::Option3_Click);
    Option3[1]->setChecked(true);
    for (QRadioButton *b : Option3)
        pv->addWidget(b);
    grid->addWidget(placement, 1, 0, 2, 1);
    QGroupBox *justify = makeGroup(f, 12, QString());
    auto *jv = new QVBoxLayout(justify);
    makeRadios(justify, Option5, "Option5", {"Left &Justify", "Cen&tre Justify", "Ri&ght Justify"}, &P001::Option5_Click);
    Option5[0]->setChecked(true);
    for (QRadioButton *b : Option5)
        jv->addWidget(b);
    grid->addWidget(justify, 1, 1);
    auto *style = new QVBoxLayout;
    style->addWidget(makeCheck(f, 7, QStringLiteral("Underlined")));
    style->addWidget(makeCheck(f, 8, QStringLiteral("Bold")));
    style->addWidget(makeLabel(f, 15, QStringLiteral("Font Size Enhancement")));
    auto *size = new QHBoxLayout;
    size->addWidget(makeBox(f, 9, QStringLiteral("1.0")));
    Text1[9]->setFixedWidth(winsys::TwipsToPixelsX(600));
    size->addWidget(makeSpinner(f, 7, Text1[9]));
    // Beside the size, the pages it gives: a large title leaves less room.
    size->addWidget(makeLabel(f, 16, QStringLiteral("9999 pages")));
    Label1[16]->setMinimumWidth(Label1[16]->sizeHint().width());
    size->addStretch();
    style->addLayout(size);
    grid->addLayout(style, 2, 1);
    QGroupBox *repeat = makeGroup(f, 15, QString());
    auto *rv = new QVBoxLayout(repeat);
    rv->addWidget(makeCheck(repeat, 4, QStringLiteral("Col &Heads on all pages")));
    rv->addWidget(makeCheck(repeat, 12, QStringLiteral("Show &Row Captions on all pages")));
    Check1[12]->setToolTip(QStringLiteral("Select to repeat the left hand column on all additional pages"));
    grid->addWidget(repeat, 3, 0, 1, 2);
}

void P001::buildPrinterTab(QFrame *f)
{
    auto *v = new QVBoxLayout(f);
    Combo1[0] = named(new QComboBox(f), idx("Combo1", 0));
    connect(Combo1[0], &QComboBox::activated, this, [this] { Combo1_Click(0); });
    v->addWidget(Combo1[0]);
    Command1[2] = named(new QPushButton(QStringLiteral("&Set-Up..."), f), idx("Command1", 2));
    Command1[2]->setToolTip(QStringLiteral("Use this button to access the printer set-up"));
    v->addWidget(Command1[2], 0, Qt::AlignLeft);
    QGroupBox *copies = makeGroup(f, 7, QString());
    auto *cv = new QVBoxLayout(copies);
    cv->addWidget(makeLabel(copies, 0, QStringLiteral("Number Of Copies")));
    cv->addLayout(makeNumberRow(copies, 2, 2, nullptr));
    v->addWidget(copies);
    v->addStretch();
}

void P001::buildEffectsTab(QFrame *f)
{
    auto *v = new QVBoxLayout(f);
    v->addWidget(makeCheck(f, 2, QStringLiteral("Show &Grid Lines")));
    v->addWidget(makeCheck(f, 3, QStringLiteral("Show &Grid Line Colours")));
    v->addWidget(makeCheck(f, 1, QStringLiteral("Show &Text Colours")));
    v->addWidget(makeCheck(f, 0, QStringLiteral("Show &Background Colours")));
    v->addWidget(makeCheck(f, 9, QStringLiteral("Shade Column Headings")));
    QGroupBox *merged = makeGroup(f, 14, QStringLiteral("Merged Cells"));
    auto *mv = new QVBoxLayout(merged);
    makeRadios(merged, Option6, "Option6", {"&Within each page only", "Across &horizontal page breaks"}, &P001::Option6_Click);
    Option6[0]->setChecked(true);
    mv->addWidget(Option6[0]);
    mv->addWidget(Option6[1]);
    v->addWidget(merged);
    v->addStretch();
}

void P001::buildPageTab(QFrame *f)
{
    auto *v = new QVBoxLayout(f);
    QGroupBox *margins = makeGroup(f, 9, QStringLiteral("Page Margins"));
    auto *mg = new QGridLayout(margins);
    const char *sides[] = {"Top", "Bottom", "Left", "Right"};
    for (int s = 0; s < 4; ++s) {
        mg->addWidget(makeLabel(margins, 9 + s, QString::fromLatin1(sides[s])), s / 2, (s % 2) * 3);
        mg->addWidget(makeBox(margins, 4 + s, QStringLiteral("1")), s / 2, (s % 2) * 3 + 1);
        Text1[4 + s]->setFixedWidth(winsys::TwipsToPixelsX(700));
        mg->addWidget(makeSpinner(margins, 3 + s, Text1[4 + s]), s / 2, (s % 2) * 3 + 2);
    }
    mg->addWidget(makeLabel(margins, 13, QStringLiteral("mm")), 2, 0);
    Command1[3] = named(new QPushButton(QStringLiteral("Default"), margins), idx("Command1", 3));
    Command1[3]->setToolTip(QStringLiteral("Click to set margins to the printer default values"));
    mg->addWidget(Command1[3], 2, 3, 1, 3);
    v->addWidget(margins);
    QGroupBox *numbering = makeGroup(f, 10, QStringLiteral("Page Numbering"));
    auto *ng = new QGridLayout(numbering);
    makeRadios(numbering, Option4, "Option4", {"&Omit page numbers", "Number pages &after first", "Number all &pages"},
               &P001::Option4_Click);
    Option4[1]->setChecked(true);
    for (int i = 0; i < 3; ++i)
        ng->addWidget(Option4[i], i, 0);
    ng->addWidget(makeLabel(numbering, 14, QStringLiteral("Location")), 0, 1);
    Combo1[1] = named(new QComboBox(numbering), idx("Combo1", 1));
    connect(Combo1[1], &QComboBox::activated, this, [this] { Combo1_Click(1); });
    ng->addWidget(Combo1[1], 1, 1);
    ng->addWidget(makeCheck(numbering, 5, QStringLiteral("Format as Page n of n")), 3, 0);
    ng->addWidget(makeCheck(numbering, 10, QStringLiteral("Print above top margin")), 4, 0);
    ng->addWidget(makeCheck(numbering, 6, QStringLiteral("Print below bottom margin")), 5, 0);
    Check1[10]->setEnabled(false);
    Check1[6]->setEnabled(false);
    Check2 = named(new QCheckBox(QStringLiteral("Include Date and Time"), numbering), QStringLiteral("Check2"));
    Check2->setChecked(true);
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) {
        PrintEngine::PageNumbering numbering = m_engine.numbering();
        numbering.IncludeDateTime = on;
        m_engine.setNumbering(numbering);
    });
    ng->addWidget(Check2, 3, 1);
    v->addWidget(numbering);
}

QWidget *P001::buildButtonRow()
{
    m_buttonRow = new QWidget(this);
    auto *buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 4, 0, 4);
    buttons->addWidget(makeCheck(m_buttonRow, 11, QStringLiteral("Show Print Progress")));
    buttons->addStretch();
    Command1[1] = named(new QPushButton(QStringLiteral("Cancel"), m_buttonRow), idx("Command1", 1));
    Command1[0] = named(new QPushButton(QStringLiteral("Print"), m_buttonRow), idx("Command1", 0));
    for (int i : {1, 0}) {
        Command1[i]->setMinimumSize(winsys::TwipsToPixels(QSize(945, 345)));
        buttons->addWidget(Command1[i]);
    }
    Command1[0]->setDefault(true);
    // The four buttons of the window: Print, Cancel, and Set-Up and Default
    // on their tabs.
    for (int i = 0; i < 4; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    return m_buttonRow;
}

QStatusBar *P001::buildStatusBar()
{
    StatusBar1 = named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const char *tips[] = {"", "The currently selected printer", "The number of pages you have decided to print",
                          "The number of copies of the document that will be printed"};
    const char *texts[] = {"", "", "Pages", "Copies"};
    // Panel 1 carries a small printer picture before the printer's name.
    QPixmap printerPicture(16, 16);
    printerPicture.fill(Qt::transparent);
    {
        QPainter p(&printerPicture);
        p.setPen(Qt::darkGray);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);   // the sheet going in
        p.setBrush(Qt::lightGray);
        p.drawRect(1, 6, 13, 6);  // the body
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 7, 4);  // the sheet coming out
    }
    auto *picture = new QLabel(StatusBar1);
    picture->setPixmap(printerPicture);
    StatusBar1->addWidget(picture);
    for (int i = 1; i <= 3; ++i) {
        Panel[i] = named(new QLabel(QString::fromLatin1(texts[i]), StatusBar1), QStringLiteral("Panel%1").arg(i));
        Panel[i]->setToolTip(QString::fromLatin1(tips[i]));
        StatusBar1->addWidget(Panel[i], i == 1 ? 2 : 1);
    }
    return StatusBar1;
}

void P001::buildProgressFace()
{
    // The progress face: a bar and "Printing Page n of m".
    Frame1_1 = named(new QFrame(this), QStringLiteral("Frame1(1)"));
    Frame1[1] = Frame1_1;
    auto *pbox = new QVBoxLayout(Frame1_1);
    ProgressBar1 = named(new QProgressBar(Frame1_1), QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    Label2 = named(new QLabel(QStringLiteral("Page nn of nn"), Frame1_1), QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    pbox->addWidget(ProgressBar1);
    pbox->addWidget(Label2);
    Frame1_1->resize(winsys::TwipsToPixels(QSize(2220, 840)));
    Frame1_1->hide();
}

// ---------------------------------------------------------------------------
// The builders' parts: each control of an indexed array is named after its
// entry ("Check1(7)") and gets its click behaviour.

QFrame *P001::makePage(QGridLayout *stack, int index)
{
    auto *f = named(new QFrame(m_pages), idx("Frame1", index));
    f->setFrameShape(QFrame::StyledPanel);
    stack->addWidget(f, 0, 0);
    Frame1[index] = f;
    return f;
}

QGroupBox *P001::makeGroup(QWidget *parent, int index, const QString &caption)
{
    auto *g = named(new QGroupBox(caption, parent), idx("Frame1", index));
    Frame1[index] = g;
    return g;
}

QCheckBox *P001::makeCheck(QWidget *parent, int i, const QString &caption)
{
    Check1[i] = named(new QCheckBox(caption, parent), idx("Check1", i));
    connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    return Check1[i];
}

QLabel *P001::makeLabel(QWidget *parent, int i, const QString &caption)
{
    Label1[i] = named(new QLabel(caption, parent), idx("Label1", i));
    return Label1[i];
}

QLineEdit *P001::makeBox(QWidget *parent, int i, const QString &text)
{
    Text1[i] = named(new QLineEdit(text, parent), idx("Text1", i));
    Text1[i]->installEventFilter(this);
    return Text1[i];
}

winsys::UpDown *P001::makeSpinner(QWidget *parent, int i, QLineEdit *buddy)
{
    UpDown1[i] = named(new winsys::UpDown(parent), idx("UpDown1", i));
    UpDown1[i]->SetAutoStep(false);
    UpDown1[i]->SetBuddy(buddy);
    connect(UpDown1[i], &winsys::UpDown::UpClick, this, [this, i] { UpDown1_UpClick(i); });
    connect(UpDown1[i], &winsys::UpDown::DownClick, this, [this, i] { UpDown1_DownClick(i); });
    connect(UpDown1[i], &winsys::UpDown::GotFocus, this, [this, i] { UpDown1_GotFocus(i); });
    connect(UpDown1[i], &winsys::UpDown::LostFocus, this, [this, i] { UpDown1_LostFocus(i); });
    return UpDown1[i];
}

void P001::makeRadios(QWidget *parent, QRadioButton **group, const char *name, std::initializer_list<const char *> captions,
                      void (P001::*click)(int))
{
    auto *g = new QButtonGroup(parent);
    int i = 0;
    for (const char *c : captions) {
        group[i] = named(new QRadioButton(QString::fromLatin1(c), parent), idx(name, i));
        g->addButton(group[i]);
        if (click)
            connect(group[i], &QRadioButton::clicked, this, [this, click, i] { (this->*click)(i); });
        ++i;
    }
}

QHBoxLayout *P001::makeNumberRow(QWidget *parent, int boxIndex, int spin, QLabel *after)
{
    auto *row = new QHBoxLayout;
    makeBox(parent, boxIndex, QStringLiteral("1"));
    Text1[boxIndex]->setFixedWidth(winsys::TwipsToPixelsX(600));
    row->addWidget(Text1[boxIndex]);
    row->addWidget(makeSpinner(parent, spin, Text1[boxIndex]));
    if (after)
        row->addWidget(after);
    row->addStretch();
    return row;
}

// ---------------------------------------------------------------------------
// Setting controls from code runs their click behaviour

void P001::setCheck(int index, bool on)
{
    Check1[index]->setChecked(on);
    Check1_Click(index);
}

void P001::choose(QRadioButton *const *group, int index, void (P001::*click)(int))
{
    group[index]->setChecked(true);
    if (click)
        (this->*click)(index);
}

void P001::showFrame(int index, bool on)
{
    if (Frame1[index])
        Frame1[index]->setVisible(on);
}

// ---------------------------------------------------------------------------
// The option controls

void P001::TabStrip1_Click()
{
    static const int pages[] = {0, 11, 5, 8, 6};
    // A tab chosen from inside the page shown (its access key, or the keys
    // of the next page) takes the focus to the new page's first control,
    // never past the pages to the buttons below them.
    QWidget *focus = QApplication::focusWidget();
    const bool focusInPage = focus && Frame1[ShownPage] && Frame1[ShownPage]->isAncestorOf(focus);
    showFrame(ShownPage, false);
    const int tab = TabStrip1->currentIndex();
    if (tab >= 0 && tab < 5)
        ShownPage = pages[tab];
    showFrame(ShownPage, true);
    Frame1[ShownPage]->raise();
    if (focusInPage) {
        if (QWidget *first = firstTabStop(Frame1[ShownPage]))
            first->setFocus(Qt::ShortcutFocusReason);
    }
}

bool P001::tabStop(const QWidget *w) const
{
    return w && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(this) && w->isEnabled()
           && isAncestorOf(w) && !w->focusProxy();
}

QWidget *P001::firstTabStop(QWidget *page) const
{
    for (QWidget *w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w) || !tabStop(w))
            continue;
        return groupEntry(w);
    }
    return nullptr;
}

QWidget *P001::groupEntry(QWidget *w) const
{
    // A group of option buttons is one stop of the Tab key, entered at the
    // button chosen.
    auto *radio = qobject_cast<QRadioButton *>(w);
    if (radio && radio->group() && tabStop(radio->group()->checkedButton()))
        return radio->group()->checkedButton();
    return w;
}

bool P001::focusNextPrevChild(bool next)
{
    QWidget *from = QApplication::focusWidget();
    if (!from || !isAncestorOf(from))
        return QDialog::focusNextPrevChild(next);
    auto *fromRadio = qobject_cast<QRadioButton *>(from);
    const QButtonGroup *fromGroup = fromRadio ? fromRadio->group() : nullptr;
    QWidget *w = from;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!tabStop(w))
            continue;
        auto *radio = qobject_cast<QRadioButton *>(w);
        if (fromGroup && radio && radio->group() == fromGroup)
            continue; // the rest of the group the focus leaves
        groupEntry(w)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    } while (w && w != from);
    return QDialog::focusNextPrevChild(next);
}

QString P001::HelpTopic() const
{
    static const char *const anchors[] = {"selection", "title", "printer", "effects", "page"};
    const int tab = TabStrip1->currentIndex();
    QString page = QStringLiteral("print-options.html");
    if (tab >= 0 && tab < 5)
        page += QLatin1Char('#') + QLatin1String(anchors[tab]);
    return page;
}

void P001::Check1_Click(int Index)
{
    const bool checked = Check1[Index]->isChecked();
    PrintEngine::Effects effects = m_engine.effects();
    PrintEngine::PageNumbering numbering = m_engine.numbering();
    switch (Index) {
    case 0:
        effects.ShowBackColours = checked;
        Check1[9]->setEnabled(!checked);
        effects.ShadeHeadings = checked;
        break;
    case 1: effects.ShowTextColours = checked; break;
    case 2:
        effects.ShowGridLines = checked;
        Check1[3]->setEnabled(checked);
        effects.ShowGridLineColours = Check1[3]->isEnabled() && Check1[3]->isChecked();
        break;
    case 3: effects.ShowGridLineColours = checked; break;
    case 4: m_engine.setRepeatHeads(checked); break;
    case 5: numbering.PageOfPages = checked; break;
    case 6:
        numbering.NumberBelowMargin = checked;
        if (checked) {
            Check1[10]->setChecked(false);
            numbering.NumberAboveMargin = false;
        }
        break;
    case 7: m_engine.setTitleUnderline(checked); break;
    case 8: m_engine.setTitleBold(checked); break;
    case 9: effects.ShadeHeadings = checked; break;
    case 10:
        numbering.NumberAboveMargin = checked;
        if (checked) {
            Check1[6]->setChecked(false);
            numbering.NumberBelowMargin = false;
        }
        break;
    case 11: m_showProgress = checked; break;
    case 12: m_engine.setRepeatCaptions(checked); break;
    default: break;
    }
    m_engine.setEffects(effects);
    m_engine.setNumbering(numbering);
    // Repeated heading rows and captions, and a number's line leaving the
    // rows' room or taking it, change the pages: they are counted again.
    if (Index == 4 || Index == 6 || Index == 10 || Index == 12)
        CountPages(true);
}

void P001::Option1_Click(int Index)
{
    const bool fit = Index == 1;
    if (Index == 0) {
        Text1[0]->setText(QString::number(m_engine.pagesWide()));
        Text1[1]->setText(QString::number(m_engine.pagesHigh()));
        m_engine.setSheetsWide(m_engine.pagesWide());
        m_engine.setSheetsHigh(m_engine.pagesHigh());
    } else if (fit) {
        m_engine.setSheetsWide(boxNumber(Text1[0]).value_or(0));
        m_engine.setSheetsHigh(boxNumber(Text1[1]).value_or(0));
    }
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setEnabled(fit);
        UpDown1[i]->setEnabled(fit);
    }
    m_engine.setMultiUp(Index == 2);
    ShowPagesStatus();
}

void P001::Option2_Click(int Index)
{
    if (ReadingOptions)
        return;
    Text1[8]->setEnabled(false);
    m_rangeFilled.clear();
    if (Index != 2) {
        // "All" and "Selected Range" print no page list.
        Text1[8]->clear();
        m_engine.setPageList({});
        PageListCount = 0;
    }
    if (Index == 0) {
        m_engine.measureGrid();
        m_engine.setSelectionOnly(false);
        CountPages(true);
    } else if (Index == 1) {
        m_engine.setSelectionOnly(true);
        CountPages(true);
    } else {
        const long n = pagesOfLayout();
        if (n > 1) {
            Text1[8]->setText(QStringLiteral("1-%1").arg(n));
            Text1[8]->setEnabled(true);
            Text1[8]->setFocus();
        } else {
            Text1[8]->setText(QStringLiteral("1"));
        }
        // The range filled in here is the whole layout: it follows the layout.
        m_rangeFilled = Text1[8]->text();
        ValidatePageList();
        ShowPagesStatus();
    }
}

void P001::Option3_Click(int Index)
{
    m_engine.setTitlePlacement(Index);
    CountPages(true);
}

void P001::Option4_Click(int Index)
{
    PrintEngine::PageNumbering numbering = m_engine.numbering();
    numbering.NumberingMode = Index;
    m_engine.setNumbering(numbering);
    CountPages(true);
}

void P001::Option6_Click(int Index)
{
    PrintEngine::Merging merging = m_engine.merging();
    merging.MergedCellRule = Index;
    m_engine.setMerging(merging);
}

void P001::Combo1_Click(int Index)
{
    if (Index == 1) {
        // A number line at the top takes room from the rows, one at the
        // bottom does not: the pages are counted again.
        PrintEngine::PageNumbering numbering = m_engine.numbering();
        numbering.NumberPosition = Combo1[1]->currentIndex();
        m_engine.setNumbering(numbering);
        CountPages(true);
        return;
    }
    const int chosen = Combo1[0]->currentIndex();
    if (chosen >= 0 && chosen < m_engine.Printers().size() && m_engine.Printers()[chosen].name != m_engine.PrinterName()) {
        m_engine.openPrinter(m_engine.Printers()[chosen]);
        m_engine.GetPrintableArea();
    }
    ListPaperSizes();
    Panel[1]->setText(Combo1[0]->currentText());
    CountPages(true);
    ShowPaperDetails();
}

void P001::Image1_Click() { applyOrientation(m_engine.paperOrientation() == Landscape ? Portrait : Landscape); }

void P001::Label1_Click(int Index)
{
    if (Index == 8)
        Image1_Click();
}

void P001::Form_Activate()
{
    // The heading rows' height is taken before the first count (the run
    // measures it); here it only follows a grid measured again.
    if (m_engine.rowHeights().size() > 1)
        m_engine.measureStdRowHeight();
}

void P001::showPrinterName()
{
    if (!Combo1[0])
        return;
    QSignalBlocker block(Combo1[0]);
    Combo1[0]->clear();
    for (const PrinterEntry &e : m_engine.Printers())
        Combo1[0]->addItem(e.name);
    Combo1[0]->setCurrentIndex(m_engine.PrinterIndex());
    Panel[1]->setText(Combo1[0]->currentText());
}

void P001::showPaperList()
{
    if (!cbPaperSize)
        return;
    QSignalBlocker block(cbPaperSize);
    cbPaperSize->clear();
    for (int i = 1; i < m_engine.paperList().size(); ++i)
        cbPaperSize->addItem(m_engine.paperList()[i].Name, m_engine.paperList()[i].ID);
    cbPaperSize->setCurrentIndex(cbPaperSize->findText(m_engine.CurrentPaperName()));
}

bool P001::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TabStrip1 && event->type() == QEvent::Shortcut) {
        // A tab's access key puts the focus on its page's first control,
        // wherever the focus was (on Print, as the dialog opens, typed
        // digits and arrows would otherwise go to the buttons).
        const QKeySequence key = static_cast<QShortcutEvent *>(event)->key();
        for (int i = 0; i < TabStrip1->count(); ++i) {
            if (!TabStrip1->isTabEnabled(i) || QKeySequence::mnemonic(TabStrip1->tabText(i)) != key)
                continue;
            TabStrip1->setCurrentIndex(i);
            if (QWidget *first = firstTabStop(Frame1[ShownPage]))
                first->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched == Image1 || watched == Label1[8]) {
        if (event->type() == QEvent::MouseButtonRelease) {
            if (watched == Image1)
                Image1_Click();
            else
                Label1_Click(8);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    for (int i = 0; i < 10; ++i) {
        if (watched != Text1[i])
            continue;
        if (event->type() == QEvent::FocusIn) {
            Text1_GotFocus(i);
        } else if (event->type() == QEvent::FocusOut) {
            m_selectOnClick = nullptr;
            Text1_LostFocus(i);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            if (m_selectOnClick == Text1[i] && !Text1[i]->hasSelectedText())
                Text1[i]->selectAll();
            m_selectOnClick = nullptr;
        } else if (event->type() == QEvent::KeyPress) {
            m_selectOnClick = nullptr;
            auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            if (text.size() == 1 && text[0].unicode() >= 32 && !(key->modifiers() & Qt::ControlModifier)) {
                int ascii = text[0].unicode();
                Text1_KeyPress(i, ascii);
                if (ascii == 0)
                    return true;
            }
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}
