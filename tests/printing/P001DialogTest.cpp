// The "Print Options" dialog, driven through its controls (offscreen; the
// printer set-up dialog is never opened).
#include "P001Fixture.h"

#include "platform/winsys/UpDown.h"
#include "platform/winsys/core/MsgBox.h"
#include "support/DialogPress.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QRegularExpression>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString name(const char *array, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i); }
} // namespace

TEST_F(P001Test, DefaultOptionWordsOpenTheDialogWithTheirChoices)
{
    MakeGrid(80, 3);
    OpenOptions();
    EXPECT_EQ(C<QTabBar>(QStringLiteral("TabStrip1"))->currentIndex(), 0);
    EXPECT_TRUE(print.Control(QStringLiteral("Frame1(0)"))->isVisible());
    EXPECT_FALSE(print.Control(QStringLiteral("Frame1(11)"))->isVisible());
    EXPECT_TRUE(C<QRadioButton>(name("Option1", 0))->isChecked());
    EXPECT_TRUE(C<QRadioButton>(name("Option2", 0))->isChecked());
    EXPECT_TRUE(C<QRadioButton>(name("Option3", 1))->isChecked());
    EXPECT_TRUE(C<QRadioButton>(name("Option5", 0))->isChecked());
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 4))->isChecked());
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 2))->isChecked());
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 0))->isChecked());
    EXPECT_FALSE(C<QCheckBox>(name("Check1", 9))->isEnabled());
    EXPECT_TRUE(C<QRadioButton>(name("Option4", 2))->isChecked());
    EXPECT_EQ(C<QComboBox>(name("Combo1", 1))->currentText(), QStringLiteral("Bottom Right"));
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 5))->isChecked());
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 12))->isHidden()) << "no fixed columns";
    EXPECT_EQ(C<QLabel>(name("Label1", 1))->text(), QStringLiteral("1 Sheets Wide"));
    EXPECT_EQ(C<QLabel>(name("Label1", 2))->text(), QStringLiteral("2 Sheets High"));
    EXPECT_EQ(StatusPanel(1), QStringLiteral("Recorder"));
    EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: 2"));
    EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 1"));

    // Switching tabs shows one page at a time.
    C<QTabBar>(QStringLiteral("TabStrip1"))->setCurrentIndex(4);
    emit C<QTabBar>(QStringLiteral("TabStrip1"))->tabBarClicked(4);
    EXPECT_TRUE(print.Control(QStringLiteral("Frame1(6)"))->isVisible());
    EXPECT_FALSE(print.Control(QStringLiteral("Frame1(0)"))->isVisible());
}

TEST_F(P001Test, OptionBitsPickTheLastChoiceOfAGroup)
{
    flexgrid::FlexGrid &g = MakeGrid(10, 3);
    print.SetPageNumbering(0x1 | 0x8 | 0x80);
    print.SetTitlePages(0x1 | 0x4 | 0x10);
    OpenOptions();
    EXPECT_EQ(C<QComboBox>(name("Combo1", 1))->currentIndex(), 5);
    EXPECT_TRUE(C<QRadioButton>(name("Option3", 4))->isChecked());
    EXPECT_TRUE(C<QRadioButton>(name("Option4", 0))->isChecked());

    // A merging grid shows the merge choice and never offers the selection.
    g.SetMergeCells(flexgrid::flexMergeRestrictRows);
    g.SetRow(2);
    g.SetColSel(2);
    print.SetAllowDialogue(true);
    print.SetPageNumbering(0x1 | 0x4);
    OpenOptions();
    EXPECT_FALSE(C<QWidget>(QStringLiteral("Frame1(14)"))->isHidden());
    EXPECT_FALSE(C<QRadioButton>(name("Option2", 1))->isEnabled());
    EXPECT_EQ(C<QComboBox>(name("Combo1", 1))->currentIndex(), 0);

    // Rule 2 wants several columns, rule 4 several rows, 8 preselects.
    g.SetMergeCells(flexgrid::flexMergeNever);
    g.SetRow(2);
    g.SetRowSel(5);
    print.SetSelectionPrintRule(2);
    OpenOptions();
    EXPECT_FALSE(C<QRadioButton>(name("Option2", 1))->isEnabled());
    print.SetSelectionPrintRule(4 + 8);
    OpenOptions();
    EXPECT_TRUE(C<QRadioButton>(name("Option2", 1))->isChecked());
    EXPECT_EQ(print.RowBands()[1].First, 2) << "only the selection is laid out";
}

TEST_F(P001Test, ThePageSummaryFollowsTheCount)
{
    // One page: full size only, no progress view.
    MakeGrid(5, 2);
    print.SetShowProgress(true);
    OpenOptions();
    EXPECT_FALSE(C<QRadioButton>(name("Option1", 1))->isEnabled());
    EXPECT_TRUE(C<QCheckBox>(name("Check1", 11))->isHidden());
    EXPECT_FALSE(print.ShowProgress());
    EXPECT_FALSE(C<QRadioButton>(name("Option2", 2))->isEnabled());

    // A narrow long grid offers n-up printing, named by its sheets.
    MakeGrid(121, 2, 1443);
    PlainLayout();
    OpenOptions();
    EXPECT_EQ(C<QRadioButton>(name("Option1", 2))->text(), QStringLiteral("&Print 3 up on 1 page"));
    MakeGrid(200, 2, 1443);
    PlainLayout();
    OpenOptions();
    QRadioButton *nUp = C<QRadioButton>(name("Option1", 2));
    EXPECT_FALSE(nUp->isHidden());
    EXPECT_EQ(nUp->text(), QStringLiteral("&Print 3 up on 2 pages"));
    nUp->click();
    EXPECT_TRUE(MultiUp());
    EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: 2"));

    // A row taller than the page: no pages and no Print.
    grid->SetRowHeight(3, 20000);
    OpenOptions();
    EXPECT_EQ(C<QLabel>(name("Label1", 1))->text(), QStringLiteral("0 Sheets Wide"));
    EXPECT_FALSE(C<QPushButton>(name("Command1", 0))->isEnabled());
}

TEST_F(P001Test, ThePaperTextsAndTheNUpChoiceAreNeverClipped)
{
    // The dialog takes its fixed size from the texts it holds when it opens;
    // a recount that then offers n-up printing squeezes no other text.
    MakeGrid(5, 2);
    PlainLayout();
    OpenOptions();
    FitDialog();
    QCoreApplication::processEvents();
    const QList<QWidget *> texts = {C<QLabel>(name("Label1", 3)), C<QLabel>(name("Label1", 4)),
                                    C<QRadioButton>(name("Option1", 2))};
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(texts[i]->width(), texts[i]->sizeHint().width()) << i;
    MakeGrid(4000, 2, 1443);
    PlainLayout();
    OpenOptions();
    QCoreApplication::processEvents();
    ASSERT_FALSE(texts[2]->isHidden());
    EXPECT_EQ(qobject_cast<QRadioButton *>(texts[2])->text(), QStringLiteral("&Print 3 up on 26 pages"));
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(texts[i]->width(), texts[i]->sizeHint().width()) << i;
}

TEST_F(P001Test, ARecountWhenTheFocusLeavesAnArrowOrABoxHandlesNoWaitingEvent)
{
    // The focus moves inside a mouse press; an event handled during the
    // recount (the press's own release) would leave the clicked arrow
    // repeating by itself.
    MakeGrid(120, 2);
    OpenOptions();
    bool handled = false;
    QTimer::singleShot(0, &print, [&handled] { handled = true; });
    emit C<winsys::UpDown>(name("UpDown1", 3))->GotFocus();
    C<winsys::UpDown>(name("UpDown1", 3))->StepUp();
    emit C<winsys::UpDown>(name("UpDown1", 3))->LostFocus();
    Type(name("Text1", 5), QStringLiteral("40"));
    EXPECT_FALSE(handled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
}

TEST_F(P001Test, MarginsShowInMillimetresOrInchesAndStepByTheLocale)
{
    MakeGrid(20, 2);
    print.SetMarginUnits(printer::vbMillimeters);
    print.SetLeftMargin(20);
    print.SetTopMargin(20);
    OpenOptions();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 6))->text(), QStringLiteral("20"));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 5))->text(), QStringLiteral("0"));
    // Down from one step above the strip lands on the strip and stays there.
    C<winsys::UpDown>(name("UpDown1", 4))->StepUp();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 5))->text(), QStringLiteral("1"));
    C<winsys::UpDown>(name("UpDown1", 4))->StepDown();
    C<winsys::UpDown>(name("UpDown1", 4))->StepDown();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 5))->text(), QStringLiteral("0"));
    // Not a number: the strip.
    Type(name("Text1", 6), QStringLiteral("abc"));
    EXPECT_EQ(MarginTwips(2), 0);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    print.SetMarginUnits(0);
    print.SetLeftMargin(1);
    OpenOptions();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(C<QLineEdit>(name("Text1", 6))->text(), QStringLiteral("1.00"));
    EXPECT_EQ(C<QLabel>(name("Label1", 13))->text(), QStringLiteral("In"));
    EXPECT_EQ(print.MarginUnits(), printer::vbInches);
}

TEST_F(P001Test, NumberBoxesAcceptOnlyWhatTheyHoldAndNeverOverflow)
{
    MakeGrid(200, 8, 2943); // 2 pages wide, 4 high
    PlainLayout();
    OpenOptions();
    EXPECT_EQ(P001::NumericOnly('7'), '7');
    EXPECT_EQ(P001::NumericOnly('.'), 0);
    EXPECT_EQ(P001::NumericOnly('-', QStringLiteral(",-")), '-');
    EXPECT_EQ(P001::NumericOnly(8), 8);

    Type(name("Text1", 2), QStringLiteral("0"));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 2))->text(), QStringLiteral("1"));
    Type(name("Text1", 2), QStringLiteral("99999999999999"));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 2))->text(), QStringLiteral("1"));
    Type(name("Text1", 2), QStringLiteral("5"));
    EXPECT_EQ(print.PrintCopies(), 5);
    EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 5"));
    C<winsys::UpDown>(name("UpDown1", 2))->StepUp();
    EXPECT_EQ(print.PrintCopies(), 6) << "the arrows set the copies";
    EXPECT_EQ(StatusPanel(3), QStringLiteral("Copies: 6"));

    // Sheets: typed too many becomes the pages there are; the up arrow stops.
    C<QRadioButton>(name("Option1", 1))->click();
    Type(name("Text1", 0), QStringLiteral("9"));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 0))->text(), QStringLiteral("2"));
    C<winsys::UpDown>(name("UpDown1", 0))->StepUp();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 0))->text(), QStringLiteral("2"));

    // The title size: 1.0 is the least, steps of 0.1, and the box sets it.
    C<winsys::UpDown>(name("UpDown1", 7))->StepDown();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 9))->text(), QStringLiteral("1.0"));
    Type(name("Text1", 9), QStringLiteral("2.9"));
    C<winsys::UpDown>(name("UpDown1", 7))->StepUp();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 9))->text(), QStringLiteral("3.0"));
    EXPECT_FLOAT_EQ(print.TitleFontSize(), 3.0f);
}

TEST_F(P001Test, APageListCountsItsPagesAndAnInvalidOneIsRefused)
{
    MakeGrid(300, 2); // 6 pages high
    PlainLayout();
    winsys::ScriptedMessages messages;
    OpenOptions();
    C<QRadioButton>(name("Option2", 2))->click();
    EXPECT_EQ(C<QLineEdit>(name("Text1", 8))->text(), QStringLiteral("1-6"));
    Type(name("Text1", 8), QStringLiteral("1-3,5"));
    EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: 4 of 6"));
    Type(name("Text1", 8), QStringLiteral("-"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt, QStringLiteral("Selected page range invalid, please try again."));
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Selected Pages"));
}

TEST_F(P001Test, PrintIsRefusedAfterACountChangeAndForUnreadableScaling)
{
    MakeGrid(100, 8, 2943);
    PlainLayout();
    winsys::ScriptedMessages messages;
    OpenOptions();
    // A typed margin that moves more than the slack is counted at once.
    Type(name("Text1", 4), QStringLiteral("102"));
    EXPECT_EQ(print.RequestPagesHigh(), 0) << "only the dialog's count changed";
    EXPECT_TRUE(messages.Messages().isEmpty());

    // One step more loses a row a page; the arrows do not recount, Print does
    // and stops to say so.
    C<winsys::UpDown>(name("UpDown1", 3))->StepUp(); // arrows do not recount
    emit C<winsys::UpDown>(name("UpDown1", 3))->GotFocus();
    C<QPushButton>(name("Command1", 0))->click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Page Count Change"));
    EXPECT_TRUE(print.isVisible());
    messages.Clear();

    // Scale to fit with an empty box, then to one sheet of 400 columns.
    C<QRadioButton>(name("Option1", 1))->click();
    C<QLineEdit>(name("Text1", 0))->clear();
    C<QPushButton>(name("Command1", 0))->click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Scale To Fit"));
    messages.Clear();
    MakeGrid(3, 400, 2943);
    OpenOptions();
    C<QRadioButton>(name("Option1", 1))->click();
    C<QLineEdit>(name("Text1", 0))->setText(QStringLiteral("1"));
    C<QLineEdit>(name("Text1", 1))->setText(QStringLiteral("1"));
    C<QPushButton>(name("Command1", 0))->click();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Text Font Too Small To Read"));
    EXPECT_TRUE(print.isVisible());

    // Default keeps the dialog open.
    C<QPushButton>(name("Command1", 3))->click();
    EXPECT_TRUE(print.isVisible());
    print.hide();
}

TEST_F(P001Test, ARunThroughTheDialogPrintsItsChoicesToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dialog.pdf"));
    print.SetChooseOutputFile([&](const QString &) { return file; });
    MakeGrid(200, 3, 2000, 300);
    print.SetReportTitle(QStringLiteral("Nouns"));
    print.SetAllowDialogue(true);
    // In the dialog: pages 2 and 3 only, no date in the number line.
    auto *timer = new QTimer(&print);
    QObject::connect(timer, &QTimer::timeout, &print, [&, timer] {
        if (!print.isVisible())
            return;
        timer->stop();
        C<QRadioButton>(name("Option2", 2))->click();
        Type(name("Text1", 8), QStringLiteral("2-3"));
        C<QCheckBox>(QStringLiteral("Check2"))->click();
        C<QPushButton>(name("Command1", 0))->click();
    });
    timer->start(5);
    Print();
    ASSERT_TRUE(print.PrintComplete());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished();
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    text.waitForFinished();
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QLatin1String("Page: 2 of")));
    EXPECT_TRUE(out.contains(QLatin1String("Page: 3 of")));
    EXPECT_FALSE(out.contains(QLatin1String("Page: 1 of")));
    EXPECT_FALSE(out.contains(QLatin1String("Printed at")));
    EXPECT_FALSE(out.contains(QLatin1String("Nouns"))) << "the title is on page 1";
}

TEST_F(P001Test, AllOrSelectedRangeDropsATypedPageList)
{
    MakeGrid(300, 2); // 6 pages high
    PlainLayout();
    PrintThroughDialog([&] {
        C<QRadioButton>(name("Option2", 2))->click();
        Type(name("Text1", 8), QStringLiteral("1-3,5"));
        EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: 4 of 6"));
        C<QRadioButton>(name("Option2", 0))->click();
        EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: 6"));
        EXPECT_TRUE(C<QLineEdit>(name("Text1", 8))->text().isEmpty());
    });
    EXPECT_EQ(rec.pages, 6);
}

TEST_F(P001Test, EnteringTheirBoxByAClickSelectsItsTextSoTypingReplacesIt)
{
    MakeGrid(300, 2);
    PlainLayout();
    OpenOptions();
    QApplication::setActiveWindow(&print);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&print));
    C<QRadioButton>(name("Option2", 2))->click();
    QLineEdit *pages = C<QLineEdit>(name("Text1", 8));
    EXPECT_EQ(pages->text(), QStringLiteral("1-6"));
    // The click into the box places the cursor; the text is selected again.
    QTest::mouseClick(pages, Qt::LeftButton, {}, QPoint(pages->width() - 4, pages->height() / 2));
    QTest::keyClicks(pages, QStringLiteral("1-3,5"));
    EXPECT_EQ(pages->text(), QStringLiteral("1-3,5"));
    // A box entered by a click selects its text too; a second click places the cursor.
    QLineEdit *copies = C<QLineEdit>(name("Text1", 2));
    C<QTabBar>(QStringLiteral("TabStrip1"))->setCurrentIndex(2);
    emit C<QTabBar>(QStringLiteral("TabStrip1"))->tabBarClicked(2);
    QTest::mouseClick(copies, Qt::LeftButton, {}, QPoint(copies->width() - 4, copies->height() / 2));
    EXPECT_EQ(copies->selectedText(), copies->text());
    QTest::mouseClick(copies, Qt::LeftButton, {}, QPoint(copies->width() - 4, copies->height() / 2));
    EXPECT_TRUE(copies->selectedText().isEmpty());
    print.hide();
}

TEST_F(P001Test, TurningThePaperKeepsEachMarginOnItsSide)
{
    ThreePrinters();
    MakeGrid(60, 2);
    print.SetMarginUnits(printer::vbMillimeters);
    print.SetTopMargin(20);
    print.SetLeftMargin(20);
    auto boxes = [&] {
        QStringList t;
        for (int i = 4; i <= 7; ++i) // top, bottom, left, right
            t << C<QLineEdit>(name("Text1", i))->text();
        return t.join(QLatin1Char('/'));
    };
    // No strips: the margins stay on the sides of the page as it reads,
    // so the title keeps its room above and to its left.
    OpenOptions();
    EXPECT_EQ(boxes(), QStringLiteral("20/0/20/0"));
    C<QRadioButton>(name("optPPS", 1))->click();
    EXPECT_EQ(boxes(), QStringLiteral("20/0/20/0"));
    C<QRadioButton>(name("optPPS", 0))->click();
    EXPECT_EQ(boxes(), QStringLiteral("20/0/20/0"));
    for (int i = 0; i < 3; ++i) {
        C<QRadioButton>(name("optPPS", 1))->click();
        C<QRadioButton>(name("optPPS", 0))->click();
    }
    EXPECT_EQ(boxes(), QStringLiteral("20/0/20/0")) << "no drift";

    // With 12.7 mm strips the strips bound each side, and the margins set
    // still come back.
    ChoosePrinter(QStringLiteral("Beta"));
    EXPECT_EQ(boxes(), QStringLiteral("20/13/20/13"));
    C<QRadioButton>(name("optPPS", 1))->click();
    EXPECT_EQ(boxes(), QStringLiteral("20/13/20/13"));
    EXPECT_EQ(C<QLabel>(name("Label1", 8))->text(), QStringLiteral("Letter Landscape"));
    C<QRadioButton>(name("optPPS", 0))->click();
    EXPECT_EQ(boxes(), QStringLiteral("20/13/20/13"));
    print.hide();
}

TEST_F(P001Test, ALandscapePaperShowsItsLandscapeSizeAndItsWholeName)
{
    ThreePrinters();
    MakeGrid(60, 2);
    PlainLayout();
    OpenOptions();
    FitDialog();
    ChoosePrinter(QStringLiteral("Gamma")); // A5
    EXPECT_EQ(C<QLabel>(name("Label1", 3))->text(), QStringLiteral("148.0 mm Wide"));
    EXPECT_EQ(C<QLabel>(name("Label1", 4))->text(), QStringLiteral("210.0 mm High"));
    C<QRadioButton>(name("optPPS", 1))->click();
    EXPECT_EQ(C<QLabel>(name("Label1", 3))->text(), QStringLiteral("210.0 mm Wide"));
    EXPECT_EQ(C<QLabel>(name("Label1", 4))->text(), QStringLiteral("148.0 mm High"));
    // The name and orientation lie within the picture's box, on as many
    // lines as they need.
    ChoosePrinter(QStringLiteral("Beta"));
    C<QRadioButton>(name("optPPS", 1))->click();
    QLabel *size = C<QLabel>(name("Label1", 8));
    EXPECT_EQ(size->text(), QStringLiteral("Letter Landscape"));
    EXPECT_TRUE(size->parentWidget()->rect().contains(size->geometry())) << size->geometry().x() << " " << size->width();
    EXPECT_GE(size->height(), size->heightForWidth(size->width()));
    print.hide();
}

TEST_F(P001Test, AValueThatLeavesNoRoomIsRefusedAtItsBox)
{
    MakeGrid(120, 3); // rows and heading rows 300 twips, paper 16000 high
    PlainLayout();
    // A title of one letter: a size that fills the page's height still fits its width.
    print.SetReportTitle(QStringLiteral("N"));
    print.SetTitlePages(0x201 | 0x4);
    print.SetMarginUnits(printer::vbMillimeters);
    winsys::ScriptedMessages messages;
    OpenOptions();
    Type(name("Text1", 4), QStringLiteral("9999"));
    ASSERT_EQ(messages.Messages().size(), 1);
    // The title (1.5 lines of 240), a heading row and a row need 960 of the
    // 16000 twips: the top margin can take 15040 twips, 265 mm.
    EXPECT_EQ(messages.Messages()[0].prompt,
              QStringLiteral("Top margin: 9999 mm leaves no room on the page for the list.\nThe largest value that fits is 265 mm."));
    EXPECT_EQ(C<QLineEdit>(name("Text1", 4))->text(), QStringLiteral("0"));
    EXPECT_EQ(MarginTwips(0), 0);
    Type(name("Text1", 4), QStringLiteral("265"));
    EXPECT_EQ(messages.Messages().size(), 1) << "the largest value is taken";
    EXPECT_EQ(C<QLineEdit>(name("Text1", 4))->text(), QStringLiteral("265"));
    Type(name("Text1", 4), QStringLiteral("20"));

    // The title's size: 360 twips for each 1.0, with 600 for the rows.
    messages.Clear();
    Type(name("Text1", 9), QStringLiteral("99"));
    ASSERT_EQ(messages.Messages().size(), 1);
    // 14866 twips below a 20 mm margin: 360 x 39.6 + 600 fits, 39.7 does not.
    EXPECT_EQ(messages.Messages()[0].prompt.toStdString(),
              "Font Size Enhancement: at 99 the title does not fit on the page with the list.\n"
              "The size is now 39.6, the largest that fits.");
    EXPECT_EQ(C<QLineEdit>(name("Text1", 9))->text(), QStringLiteral("39.6"));
    EXPECT_TRUE(C<QPushButton>(name("Command1", 0))->isEnabled());
    EXPECT_EQ(StatusPanel(2), QStringLiteral("Pages: %1").arg(PagesCounted()));
    print.hide();
}

TEST_F(P001Test, TitleAndPageNumberChosenInTheDialogLeaveRoomForTheHeadings)
{
    // The title on every page, centred, and the page number at "Top Centre",
    // all chosen in the dialog: the headings start below the number's line
    // on every page, and the pages are counted with both lines.
    MakeGrid(120, 2);
    print.SetReportTitle(QStringLiteral("Nouns"));
    int pagesShown = 0;
    PrintThroughDialog([&] {
        C<QRadioButton>(name("Option3", 2))->click();
        C<QRadioButton>(name("Option5", 1))->click();
        C<QRadioButton>(name("Option4", 2))->click();
        QComboBox *location = C<QComboBox>(name("Combo1", 1));
        location->setCurrentIndex(1);
        emit location->activated(1);
        pagesShown = int(PagesCounted());
    });
    ASSERT_GE(rec.pages, 2);
    EXPECT_EQ(rec.pages, pagesShown);
    for (int page = 1; page <= rec.pages; ++page) {
        const tavtest::DrawnText *number = nullptr;
        for (const tavtest::DrawnText &t : rec.texts)
            if (t.page == page && t.text.contains(QStringLiteral("Page: %1").arg(page)))
                number = &t;
        const tavtest::DrawnText *title = rec.Find(QStringLiteral("Nouns"), page);
        const tavtest::DrawnText *heading = rec.Find(QStringLiteral("H0"), page);
        ASSERT_NE(title, nullptr) << page;
        ASSERT_NE(number, nullptr) << page;
        ASSERT_NE(heading, nullptr) << page;
        EXPECT_GT(number->at.y(), title->at.y()) << page;
        EXPECT_GE(heading->at.y(), number->at.y() + 240) << page;
    }
}

// However large its size, the title fits the paper's width (a smaller size
// where it is too wide), and the dialog says beside the size how many pages
// that gives.
TEST_F(P001Test, TheTitleFitsThePaperAtAnySizeAndTheDialogSaysThePages)
{
    MakeGrid(300, 2);
    PlainLayout();
    print.SetTitlePages(0x201 | 0x4);
    const QString title = QStringLiteral("234 Greek adjective");
    print.SetReportTitle(title);
    QString pagesShown;
    PrintThroughDialog([&] {
        Type(name("Text1", 9), QStringLiteral("46"));
        EXPECT_EQ(C<QLineEdit>(name("Text1", 9))->text(), QStringLiteral("6.3")) << "the largest size that fits across";
        pagesShown = C<QLabel>(name("Label1", 16))->text();
    });
    ASSERT_TRUE(rec.ended);
    EXPECT_EQ(pagesShown, QStringLiteral("%1 pages").arg(rec.pages));
    const tavtest::DrawnText *t = rec.Find(title, 1);
    ASSERT_NE(t, nullptr) << "the whole title prints";
    // 10 twips a character for each point of its size.
    EXPECT_GE(t->at.x(), 0);
    EXPECT_LE(t->at.x() + title.size() * 10.0 * t->size, 12000.0);
    EXPECT_GT(t->size, 50.0) << "no smaller than the width needs";
    EXPECT_NEAR(t->size, 63.0, 0.05) << "the box shows the size that prints";
    // The rows start below the title as printed.
    const tavtest::DrawnText *head = rec.Find(QStringLiteral("H0"), 1);
    ASSERT_NE(head, nullptr);
    EXPECT_GE(head->at.y(), 24.0 * t->size);
    EXPECT_LT(head->at.y(), 24.0 * t->size * 1.5 + 1);

    // The arrows change the pages shown beside the size: 260 rows of 300
    // twips fill 5 pages below a title of 360 twips, 6 below one of 1440.
    rec = {};
    MakeGrid(260, 2);
    QStringList shown;
    PrintThroughDialog([&] {
        Type(name("Text1", 9), QStringLiteral("1.0"));
        shown << C<QLabel>(name("Label1", 16))->text();
        for (int i = 0; i < 30; ++i)
            emit C<winsys::UpDown>(name("UpDown1", 7))->UpClick();
        shown << C<QLabel>(name("Label1", 16))->text();
    });
    EXPECT_EQ(shown, QStringList({QStringLiteral("5 pages"), QStringLiteral("6 pages")}));
    EXPECT_EQ(rec.pages, 6);
}
