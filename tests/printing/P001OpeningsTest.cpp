// What the dialog keeps from one opening to the next and what Cancel
// forgets; the paper of a printer chosen, copies on a file, Set-Up, a
// printer removed while the dialog is open; the dialog's texts, its paper
// name, its keys and its progress view.
#include "P001Fixture.h"

#include "platform/printer/QtPrinterDevice.h"
#include "platform/winsys/core/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QAbstractSpinBox>
#include <QTest>
#include <QToolTip>
#include <QFrame>
#include <QHelpEvent>

namespace {

QString name(const char *array, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i); }

// Counts the paints of a widget that show a value above 0.
struct PaintCounter : QObject {
    QProgressBar *bar = nullptr;
    int paintsWithProgress = 0;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == bar && e->type() == QEvent::Paint && bar->value() > 0)
            ++paintsWithProgress;
        return false;
    }
};

} // namespace

class P001OpeningsTest : public P001Test {
protected:
    // The main window's print command: millimetres, top and left 20.
    void AsTheMainWindowAsks()
    {
        print.SetGridToPrint(grid.get());
        print.SetMarginUnits(printer::vbMillimeters);
        print.SetLeftMargin(20);
        print.SetTopMargin(20);
        print.SetReportTitle(QStringLiteral("Greek words"));
        print.SetTitlePages(0x205); // the title on the first page
        print.SetPageNumbering(0x1);
    }
    QString Boxes() const // top/bottom/left/right
    {
        QStringList t;
        for (int i = 4; i <= 7; ++i)
            t << C<QLineEdit>(name("Text1", i))->text();
        return t.join(QLatin1Char('/'));
    }
    void Press(int button) { C<QAbstractButton>(name("Command1", button))->click(); }
    void Turn(bool landscape) { C<QRadioButton>(name("optPPS", landscape ? 1 : 0))->click(); }
    bool Landscape() const { return C<QRadioButton>(name("optPPS", 1))->isChecked(); }
    // The three printers and "PDF file", a printer that writes a file.
    void WithAFilePrinter()
    {
        ThreePrintersAndAFile();
        MakeGrid(60, 2);
        print.SetChooseOutputFile([this](const QString &) { return m_files.filePath(QStringLiteral("list.pdf")); });
    }
    QTemporaryDir m_files; // where the file printer's files go
    QString Paper() const { return C<QComboBox>(QStringLiteral("cbPaperSize"))->currentText(); }
    // The dialog open on three printers and active, as keys reach it; its tab bar.
    QTabBar *OpenForTheKeyboard()
    {
        ThreePrinters();
        MakeGrid(60, 2);
        OpenOptions();
        print.activateWindow();
        if (!QTest::qWaitForWindowActive(&print))
            return nullptr;
        return print.findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    }
};

TEST_F(P001OpeningsTest, MarginsAndOrientationStayTogetherAcrossOpenings)
{
    ThreePrinters();
    MakeGrid(60, 2);
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        EXPECT_EQ(Boxes(), QStringLiteral("20/0/20/0"));
        Turn(true);
        EXPECT_EQ(Boxes(), QStringLiteral("20/0/20/0"));
    });
    // The landscape title keeps its margins above and to its left: it is
    // at no edge of the paper.
    const tavtest::DrawnText *title = rec.Find(QStringLiteral("Greek words"), 1);
    ASSERT_NE(title, nullptr);
    EXPECT_GE(title->at.y(), 20 * printer::TwipsPerMM - 1);
    EXPECT_GE(title->at.x(), 20 * printer::TwipsPerMM - 1);

    for (int opening = 0; opening < 2; ++opening) {
        AsTheMainWindowAsks();
        PrintThroughDialog([&] {
            EXPECT_TRUE(Landscape());
            EXPECT_EQ(Boxes(), QStringLiteral("20/0/20/0")) << "no side the user did not set";
            Turn(false);
            EXPECT_EQ(Boxes(), QStringLiteral("20/0/20/0"));
            Turn(true);
        });
    }
    // A margin the user types stays with the paper as it lies.
    AsTheMainWindowAsks();
    PrintThroughDialog([&] { Type(name("Text1", 5), QStringLiteral("15")); });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        EXPECT_TRUE(Landscape());
        EXPECT_EQ(Boxes(), QStringLiteral("20/15/20/0"));
    });
}

TEST_F(P001OpeningsTest, CancelForgetsEveryChangeOfItsOpening)
{
    ThreePrinters();
    MakeGrid(60, 2);
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        ChoosePrinter(QStringLiteral("Beta"));
        Turn(true);
        Type(name("Text1", 2), QStringLiteral("3"));
        Type(name("Text1", 4), QStringLiteral("30"));
        C<QAbstractButton>(name("Check1", 11))->click();
        Press(1);
    });
    EXPECT_TRUE(rec.jobs.isEmpty());
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        EXPECT_EQ(StatusPanel(1), QStringLiteral("Alpha"));
        EXPECT_FALSE(Landscape());
        EXPECT_EQ(Paper(), QStringLiteral("A4"));
        EXPECT_EQ(Boxes(), QStringLiteral("20/0/20/0"));
        EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 1"));
        EXPECT_FALSE(C<QAbstractButton>(name("Check1", 11))->isChecked());
    });
    EXPECT_EQ(rec.jobs, QStringList({QStringLiteral("Alpha")}));
    EXPECT_EQ(rec.jobPapers, QVector<int>({9}));
    EXPECT_EQ(rec.copies, 1);

    // What was printed with stays; Cancel then goes back to it.
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        C<QComboBox>(QStringLiteral("cbPaperSize"))->setCurrentIndex(1);
        emit C<QComboBox>(QStringLiteral("cbPaperSize"))->activated(1);
        Turn(true);
    });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        Turn(false);
        C<QComboBox>(QStringLiteral("cbPaperSize"))->setCurrentIndex(0);
        emit C<QComboBox>(QStringLiteral("cbPaperSize"))->activated(0);
        Press(1);
    });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        EXPECT_TRUE(Landscape());
        EXPECT_EQ(Paper(), QStringLiteral("Letter"));
    });
    EXPECT_EQ(rec.jobPapers.last(), 1);
}

TEST_F(P001OpeningsTest, APrinterChosenShowsAndPrintsOnItsOwnPaper)
{
    auto source = ThreePrinters();
    // Beta's queue is on Letter; a fresh device starts on the paper used
    // before, as Qt opens a queue.
    source->printers[1].startPaperCode = 9;
    MakeGrid(60, 2);
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        EXPECT_EQ(Paper(), QStringLiteral("A4"));
        Turn(true);
        ChoosePrinter(QStringLiteral("Beta"));
        EXPECT_EQ(Paper(), QStringLiteral("Letter"));
        EXPECT_EQ(C<QLabel>(name("Label1", 8))->text(), QStringLiteral("Letter Landscape")) << "the paper stays turned";
        EXPECT_EQ(C<QLabel>(name("Label1", 3))->text(), QStringLiteral("279.4 mm Wide"));
    });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Beta"));
    EXPECT_EQ(rec.jobPapers.last(), 1);
}

TEST_F(P001OpeningsTest, AFileHoldsOneCopyAndTheDialogSaysSo)
{
    WithAFilePrinter();
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        Type(name("Text1", 2), QStringLiteral("2"));
        EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 2"));
        ChoosePrinter(printer::PdfFileName);
        EXPECT_EQ(C<QLineEdit>(name("Text1", 2))->text(), QStringLiteral("1"));
        EXPECT_FALSE(C<QLineEdit>(name("Text1", 2))->isEnabled());
        EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 1"));
    });
    EXPECT_EQ(rec.jobs.last(), printer::PdfFileName);
    EXPECT_EQ(rec.copies, 1);
    // A printer that makes copies has the user's number again.
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        ChoosePrinter(QStringLiteral("Alpha"));
        EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 2"));
    });
    EXPECT_EQ(rec.copies, 2);
}

// The number of copies is the user's, whatever is done on a file (which
// holds one): its set-up, with the paper only, or a set-up that picks a file.
TEST_F(P001OpeningsTest, CopiesComeBackAfterASetUpOnAFile)
{
    WithAFilePrinter();
    for (const bool pickFile : {false, true}) {
        SCOPED_TRACE(pickFile ? "set-up picks the file" : "set-up of the file");
        print.SetRunSetUp([&](const P001::SetUpChoice &now) {
            P001::SetUpChoice answer = now;
            if (pickFile)
                answer.printer = printer::PdfFileName;
            answer.copies = 1; // what a set-up shows for a file
            return std::optional<P001::SetUpChoice>(answer);
        });
        AsTheMainWindowAsks();
        PrintThroughDialog([&] {
            ChoosePrinter(QStringLiteral("Alpha"));
            Type(name("Text1", 2), QStringLiteral("3"));
            if (!pickFile)
                ChoosePrinter(printer::PdfFileName);
            Press(2);
            EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 1"));
            ChoosePrinter(QStringLiteral("Alpha"));
            EXPECT_EQ(C<QLineEdit>(name("Text1", 2))->text(), QStringLiteral("3"));
            EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 3"));
        });
        EXPECT_EQ(rec.jobs.last(), QStringLiteral("Alpha"));
        EXPECT_EQ(rec.copies, 3);
    }
}

TEST_F(P001OpeningsTest, SetUpKeepsThePrinterUnlessTheUserPicksAnother)
{
    WithAFilePrinter();
    std::vector<bool> asked;
    print.SetRunSetUp([&](const P001::SetUpChoice &now) {
        asked.push_back(true);
        P001::SetUpChoice answer = now;
        answer.paper = 1;
        answer.orientation = printer::Landscape;
        return std::optional<P001::SetUpChoice>(answer);
    });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        ChoosePrinter(printer::PdfFileName);
        Press(2);
        EXPECT_EQ(StatusPanel(1), printer::PdfFileName);
    });
    EXPECT_EQ(asked, std::vector<bool>()) << "the PDF file's paper and orientation are on the Paper Size frame";
    EXPECT_EQ(rec.jobs.last(), printer::PdfFileName);

    // Another printer picked in the set-up prints; a cancelled set-up changes nothing.
    print.SetRunSetUp([&](const P001::SetUpChoice &now) {
        asked.push_back(false);
        P001::SetUpChoice answer = now;
        answer.printer = QStringLiteral("Gamma");
        answer.paper = 11;
        answer.copies = 4;
        return std::optional<P001::SetUpChoice>(answer);
    });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] {
        ChoosePrinter(QStringLiteral("Alpha"));
        Press(2);
    });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Gamma"));
    EXPECT_EQ(rec.copies, 4);
    print.SetRunSetUp([&](const P001::SetUpChoice &) {
        asked.push_back(false);
        return std::optional<P001::SetUpChoice>();
    });
    AsTheMainWindowAsks();
    PrintThroughDialog([&] { Press(2); });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Gamma"));
    EXPECT_EQ(asked, std::vector<bool>({false, false}));
}

TEST_F(P001OpeningsTest, APrinterRemovedWhileTheDialogIsOpenIsSaidToBeGone)
{
    auto source = ThreePrinters();
    MakeGrid(60, 2);
    AsTheMainWindowAsks();
    winsys::ScriptedMessages messages;
    bool stayedOpen = false;
    PrintThroughDialog([&] {
        ChoosePrinter(QStringLiteral("Beta"));
        source->printers.removeAt(1);
        Press(0);
        stayedOpen = print.isVisible();
        EXPECT_EQ(StatusPanel(1), QStringLiteral("Alpha"));
    });
    EXPECT_TRUE(stayedOpen) << "the user looks again before anything prints";
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt,
              QStringLiteral("The printer \"Beta\" is no longer available.\nThe default printer \"Alpha\" is used instead."));
    EXPECT_EQ(rec.jobs, QStringList({QStringLiteral("Alpha")}));
}

TEST_F(P001OpeningsTest, NoCaptionOrToolTipShowsCodeWords)
{
    ThreePrinters();
    MakeGrid(60, 2);
    OpenOptions();
    QStringList texts{print.windowTitle()};
    auto *tabs = print.findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i) << tabs->tabToolTip(i);
    for (QWidget *w : print.findChildren<QWidget *>()) {
        texts << w->toolTip() << w->whatsThis();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            texts << g->title();
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
    }
    const QRegularExpression code(QStringLiteral("m_|->|::|_"));
    for (const QString &t : texts)
        EXPECT_FALSE(t.contains(code)) << t.toStdString();
    EXPECT_GT(texts.size(), 100);
    print.hide();
}

TEST_F(P001OpeningsTest, ThePaperNameLiesInsideItsPictureForEveryPaper)
{
    // The PDF file's papers, with their long names ("Executive (7.5 x 10 in)"),
    // each in both orientations.
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    MakeGrid(60, 2);
    OpenOptions();
    FitDialog();
    QComboBox *papers = C<QComboBox>(QStringLiteral("cbPaperSize"));
    QLabel *picture = C<QLabel>(QStringLiteral("Image1"));
    QLabel *label = C<QLabel>(name("Label1", 8));
    ASSERT_GT(papers->count(), 10);
    for (int i = 0; i < papers->count(); ++i) {
        papers->setCurrentIndex(i);
        emit papers->activated(i);
        for (bool landscape : {false, true}) {
            Turn(landscape);
            const QString what = label->text();
            EXPECT_TRUE(picture->geometry().contains(label->geometry())) << what.toStdString();
            const QFontMetrics fm(label->font());
            for (const QString &word : what.split(QLatin1Char(' ')))
                EXPECT_LE(fm.horizontalAdvance(word), label->width()) << what.toStdString();
            const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, what);
            EXPECT_LE(needed.height(), label->height()) << what.toStdString();
        }
    }
    print.hide();
}

TEST_F(P001OpeningsTest, EveryTabOpensFromTheKeyboard)
{
    QTabBar *tabs = OpenForTheKeyboard();
    ASSERT_NE(tabs, nullptr);
    auto shown = [&] {
        for (int page : {0, 11, 5, 8, 6})
            if (C<QWidget>(name("Frame1", page))->isVisible())
                return page;
        return -1;
    };
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(shown(), 11);
    QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(shown(), 5);
    QTest::keyClick(tabs, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(shown(), 8);
    QTest::keyClick(tabs, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown(), 5);
    QTest::keyClick(tabs, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(shown(), 11);
    QTest::keyClick(tabs, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(shown(), 6);
    QTest::keyClick(tabs, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(shown(), 0);

    // F1 opens the help page of the tab shown.
    QString helpPage;
    print.SetShowHelp([&](const QString &page, QWidget *) { helpPage = page; });
    QTest::keyClick(tabs, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(tabs, Qt::Key_F1);
    EXPECT_EQ(helpPage, QStringLiteral("print-options.html#printer"));

    // Every radio button has an access key, none shared on its page or
    // with a tab.
    auto key = [](const QString &caption) {
        const int at = caption.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toUpper() : QChar();
    };
    QList<QChar> tabKeys;
    for (int i = 0; i < tabs->count(); ++i)
        tabKeys << key(tabs->tabText(i));
    for (int page : {0, 11, 5, 8, 6}) {
        QList<QChar> keys = tabKeys;
        for (auto *b : C<QWidget>(name("Frame1", page))->findChildren<QAbstractButton *>()) {
            const QChar k = key(b->text());
            if (qobject_cast<QRadioButton *>(b)) {
                EXPECT_FALSE(k.isNull()) << b->text().toStdString();
            }
            if (k.isNull() || b->objectName() == QLatin1String("Check1(3)")) // shares "G" with its parent box
                continue;
            EXPECT_FALSE(keys.contains(k)) << b->text().toStdString();
            keys << k;
        }
    }
    print.hide();
}

// The Tab key walks each page in reading order: the form is built page by
// page (each up-down follows its box), and a control made out of turn would
// jump in the chain.
TEST_F(P001OpeningsTest, TabWalksEachPageInReadingOrder)
{
    ThreePrinters();
    MakeGrid(60, 2);
    OpenOptions();
    auto chainOf = [&](int page) {
        QWidget *frame = C<QWidget>(name("Frame1", page));
        QStringList names;
        for (QWidget *w = frame->nextInFocusChain(); w != frame; w = w->nextInFocusChain())
            if (frame->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
                names << w->objectName();
        return names.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(chainOf(0), std::string("Option1(0) Option1(1) Option1(2) Text1(0) UpDown1(0) Text1(1) UpDown1(1) optPPS(0) optPPS(1) "
                                      "cbPaperSize Option2(0) Option2(1) Option2(2) Text1(8)"));
    EXPECT_EQ(chainOf(11), std::string("Text1(3) Option3(0) Option3(1) Option3(2) Option3(3) Option3(4) Option5(0) "
                                       "Option5(1) Option5(2) Check1(7) Check1(8) Text1(9) UpDown1(7) Check1(4) Check1(12)"));
    EXPECT_EQ(chainOf(5), std::string("Combo1(0) Command1(2) Text1(2) UpDown1(2)"));
    EXPECT_EQ(chainOf(8), std::string("Check1(2) Check1(3) Check1(1) Check1(0) Check1(9) Option6(0) Option6(1)"));
    EXPECT_EQ(chainOf(6), std::string("Text1(4) UpDown1(3) Text1(5) UpDown1(4) Text1(6) UpDown1(5) Text1(7) UpDown1(6) "
                                      "Command1(3) Option4(0) Option4(1) Option4(2) "
                                      "Combo1(1) Check1(5) Check1(10) Check1(6) Check2"));
    print.hide();
}

TEST_F(P001OpeningsTest, TheProgressViewIsPaintedWhilePagesAreMadeAndShowsItsWholeTitle)
{
    MakeGrid(400, 2);
    AsTheMainWindowAsks();
    PaintCounter counter;
    counter.bar = C<QProgressBar>(QStringLiteral("ProgressBar1"));
    counter.bar->installEventFilter(&counter);
    PrintThroughDialog([&] { C<QAbstractButton>(name("Check1", 11))->click(); });
    ASSERT_TRUE(rec.ended);
    EXPECT_GT(rec.pages, 5);
    EXPECT_GT(counter.paintsWithProgress, 0);
    // The progress face's title fits its width.
    ProgressFace(true);
    const int titleNeeds = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(print.windowTitle());
    EXPECT_EQ(print.windowTitle(), QStringLiteral("Print Progress"));
    EXPECT_GT(print.width(), titleNeeds + 100);
    ProgressFace(false);
}

// "Printing Page n of m" fits the progress view whatever the font's size
// (a screen's scale makes the same text wider).
TEST_F(P001OpeningsTest, TheProgressTextFitsAtAnyScale)
{
    MakeGrid(60, 2);
    for (const int points : {8, 16, 30}) {
        SCOPED_TRACE(points);
        print.setFont(QFont(QStringLiteral("DejaVu Sans"), points));
        ProgressFace(true, 1000);
        ProgressAt(368, 1000);
        auto *label = C<QLabel>(QStringLiteral("Label2"));
        auto *frame = C<QFrame>(QStringLiteral("Frame1(1)"));
        EXPECT_EQ(label->text(), QStringLiteral("Printing Page 368 of 1000"));
        EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_TRUE(frame->rect().contains(label->geometry()));
        EXPECT_TRUE(print.rect().contains(frame->geometry()));
        ProgressFace(false);
    }
}

// An access key of a tab pressed inside a page takes the focus to the
// first control of its page; Tab enters a group of option buttons at the
// one chosen and leaves the group with its next press.
TEST_F(P001OpeningsTest, TheKeyboardLandsOnTheTabsFirstControlAndOnTheChosenOption)
{
    QTabBar *tabs = OpenForTheKeyboard();
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(1);
    C<QRadioButton>(name("Option5", 1))->click();
    QLineEdit *title = C<QLineEdit>(name("Text1", 3));
    title->setFocus();
    auto focus = [] { return QApplication::focusWidget(); };
    QTest::keyClick(focus(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(focus(), C<QWidget>(name("Combo1", 0)));
    QTest::keyClick(focus(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(focus(), title);
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(focus(), C<QWidget>(name("Option3", 1))) << "the title's place chosen";
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(focus(), C<QWidget>(name("Option5", 1))) << "the justification chosen";
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(focus(), C<QWidget>(name("Check1", 7)));
    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), C<QWidget>(name("Option5", 1)));
    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), C<QWidget>(name("Option3", 1)));
    print.hide();
}

// The paper picture tells what a click on it does, wherever the pointer
// rests on it (its paper's name lies over most of it).
TEST_F(P001OpeningsTest, ThePaperPictureShowsItsToolTip)
{
    ThreePrinters();
    MakeGrid(60, 2);
    OpenOptions();
    FitDialog();
    auto *picture = C<QLabel>(QStringLiteral("Image1"));
    QWidget *holder = picture->parentWidget();
    const QRect r = picture->geometry();
    for (const QPoint at : {r.center(), r.topLeft() + QPoint(2, 2), r.bottomRight() - QPoint(2, 2)}) {
        SCOPED_TRACE(at.x() * 1000 + at.y());
        QWidget *under = holder->childAt(at) ? holder->childAt(at) : holder;
        const QPoint local = under->mapFrom(holder, at);
        QHelpEvent help(QEvent::ToolTip, local, under->mapToGlobal(local));
        QApplication::sendEvent(under, &help);
        EXPECT_EQ(QToolTip::text(), QStringLiteral("Click to change paper orientation."));
        QToolTip::hideText();
    }
    print.hide();
}

// A tab's access key puts the focus on its page's first control wherever
// the focus was: on Print or Cancel (Print has it as the dialog opens),
// also for the tab already shown; typed digits then reach that control.
TEST_F(P001OpeningsTest, ATabsAccessKeyPutsTheFocusOnItsPagesFirstControlFromAnywhere)
{
    QTabBar *tabs = OpenForTheKeyboard();
    ASSERT_NE(tabs, nullptr);
    const struct {
        Qt::Key key;
        const char *first;
    } pages[] = {
        {Qt::Key_L, "Option1(0)"}, {Qt::Key_I, "Text1(3)"},  {Qt::Key_N, "Combo1(0)"},
        {Qt::Key_C, "Check1(2)"},  {Qt::Key_E, "Text1(4)"},
    };
    for (const char *from : {"Command1(0)", "Command1(1)"}) {
        for (const auto &p : pages) {
            SCOPED_TRACE(std::string(from) + " " + p.first);
            C<QWidget>(QString::fromLatin1(from))->setFocus();
            QTest::keyClick(QApplication::focusWidget(), p.key, Qt::AltModifier);
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(p.first));
        }
    }
    C<QWidget>(name("Command1", 0))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("25"));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 4))->text(), QStringLiteral("25"));
    print.hide();
}

// The paper's picture names the paper as the list beside it does, for
// every paper (a queue calls Letter "US Letter").
TEST_F(P001OpeningsTest, ThePictureNamesEachPaperAsTheListDoes)
{
    auto source = ThreePrinters();
    source->printers[0].papers = {{QStringLiteral("US Letter"), 1, 215.9, 279.4},
                                  {QStringLiteral("US Legal"), 5, 215.9, 355.6},
                                  {QStringLiteral("A4"), 9, 210, 297},
                                  {QStringLiteral("Executive"), 7, 184.2, 266.7}};
    MakeGrid(60, 2);
    OpenOptions();
    auto *papers = C<QComboBox>(QStringLiteral("cbPaperSize"));
    ASSERT_EQ(papers->count(), 4);
    for (int i = 0; i < papers->count(); ++i) {
        papers->setCurrentIndex(i);
        emit papers->activated(i);
        EXPECT_EQ(C<QLabel>(name("Label1", 8))->text(), papers->itemText(i) + QStringLiteral(" Portrait"));
    }
    print.hide();
}

namespace {

// A system printer that is not there: the set-up is the system's printer
// dialog (a file's set-up asks for its paper only).
struct OneQueue : printer::PrinterSource {
    QVector<printer::PrinterEntry> List() const override { return {{QStringLiteral("Tavrinel test queue"), QString()}}; }
    QString DefaultName() const override { return QStringLiteral("Tavrinel test queue"); }
    std::unique_ptr<printer::PrinterDevice> Open(const printer::PrinterEntry &e) const override
    {
        return std::make_unique<printer::QtPrinterDevice>(e.name);
    }
};

} // namespace

// Set-Up offers what the print takes from it: no page range, page set,
// order or collation, no Properties or file, and its button says it takes the choices.
TEST_F(P001OpeningsTest, SetUpOffersOnlyWhatThePrintApplies)
{
    print.SetPrinterSource(std::make_shared<OneQueue>());
    MakeGrid(60, 2);
    OpenOptions();
    QStringList shown;
    QString button;
    bool seen = false;
    auto *timer = new QTimer(&print);
    QObject::connect(timer, &QTimer::timeout, &print, [&, timer] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        seen = true;
        for (auto *b : dialog->findChildren<QAbstractButton *>())
            if (b->text() == QLatin1String("&Options >>"))
                b->click();
        for (const char *n : {"gbPrintRange", "printRange", "pagesRadioButton", "pageSetCombo", "collate", "reverse",
                              "properties", "filename"})
            if (auto *w = dialog->findChild<QWidget *>(QLatin1String(n)); w && w->isVisibleTo(dialog))
                shown << QLatin1String(n);
        if (auto *list = dialog->findChild<QComboBox *>(QStringLiteral("printers")); list && list->findText(QStringLiteral("File"), Qt::MatchContains) >= 0)
            shown << QStringLiteral("Print to File");
        // No tab is left empty (colour and duplex gone, their tab goes).
        for (auto *tabs : dialog->findChildren<QTabWidget *>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                bool control = false;
                for (auto *w : tabs->widget(i)->findChildren<QWidget *>())
                    control = control || ((qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSpinBox *>(w))
                                          && w->isVisibleTo(tabs->widget(i)));
                if (tabs->isTabVisible(i) && !control)
                    shown << tabs->tabText(i);
            }
        }
        if (auto *box = dialog->findChild<QDialogButtonBox *>())
            button = box->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    timer->start(10);
    Press(2);
    delete timer;
    ASSERT_TRUE(seen);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(button, QStringLiteral("OK"));
    print.hide();
}
