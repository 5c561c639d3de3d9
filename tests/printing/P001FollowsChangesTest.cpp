// The values the dialog works out for the user (the largest title size,
// the page range it filled in, the pages beside the title's size) follow
// every change of what they depend on, and the pages printed are the ones
// the dialog showed.
#include "P001Fixture.h"

#include "platform/winsys/core/MsgBox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

class P001FollowsChangesTest;

namespace {

QString name(const char *array, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i); }

struct Change {
    const char *what;
    // Acts on the open dialog.
    std::function<void(P001FollowsChangesTest &)> act;
    bool typed = false;     // a page list the user typed prints
    bool atLargest = false; // the title's size ends at the largest that fits
};

void PrintTo(const Change &c, std::ostream *os) { *os << c.what; }

// A long title is made smaller to fit the paper's width, so a large size
// is accepted for it; a short one at that size would fill the page's height.
const QString LongTitle = QStringLiteral("612 records found for Greek words on the paper");

} // namespace

class P001FollowsChangesTest : public P001Test, public ::testing::WithParamInterface<Change> {
public:
    // What the changes do, as a user does it.
    using P001Test::C;
    using P001Test::ChoosePrinter;
    using P001Test::PagesCounted;
    using P001Test::Type;
    void Choose(QComboBox *list, const QString &text)
    {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
        emit list->activated(i);
    }

protected:
    // "Delta" (the one in use): A4, A5 and Letter at their sizes.
    void Printers()
    {
        auto source = ThreePrinters();
        tavtest::RecordedPrinter delta;
        delta.name = QStringLiteral("Delta");
        delta.paper = QSizeF(210 * 56.7, 297 * 56.7);
        delta.papers = {{QStringLiteral("A4"), 9, 210, 297}, {QStringLiteral("A5"), 11, 148, 210},
                        {QStringLiteral("Letter"), 1, 215.9, 279.4}};
        delta.papersHaveSizes = true;
        source->printers.append(delta);
        source->defaultName = delta.name;
    }
    QString Box(int i) const { return C<QLineEdit>(name("Text1", i))->text(); }
    // The last text drawn on a page that the test accepts.
    const tavtest::DrawnText *Drawn(int page, const std::function<bool(const QString &)> &wanted) const
    {
        const tavtest::DrawnText *found = nullptr;
        for (const tavtest::DrawnText &t : rec.texts)
            if (t.page == page && wanted(t.text))
                found = &t;
        return found;
    }
};

TEST_P(P001FollowsChangesTest, EachDerivedValueFollowsTheChangeAndThePrintMatchesTheDialog)
{
    const Change &change = GetParam();
    Printers();
    MakeGrid(400, 2);
    print.SetReportTitle(LongTitle);
    print.SetTitlePages(0x201 | 0x4); // the title on the first page
    print.SetPageNumbering(0x185);   // "Page: n of m" at the bottom of every page
    winsys::ScriptedMessages messages;
    QString range, pagesBeside, pagesShown, size;
    long layout = 0;
    PrintThroughDialog([&] {
        Type(name("Text1", 9), QStringLiteral("99"));
        C<QRadioButton>(name("Option2", 2))->click();
        change.act(*this);
        layout = PagesCounted();
        size = Box(9);
        EXPECT_TRUE(TitleFitsPage()) << "the title at " << Box(9).toStdString() << " leaves no row";
        EXPECT_TRUE(!change.atLargest || !TitleFitsAt(size.toDouble() + 0.1)) << size.toStdString() << " is not the largest";
        range = Box(8);
        pagesBeside = C<QLabel>(name("Label1", 16))->text();
        pagesShown = StatusPanel(2);
        // Print, again after what it points out, then Cancel (a list that prints nothing).
        for (int i = 0; i < 3 && print.isVisible(); ++i)
            C<QPushButton>(name("Command1", i / 2))->click();
    });
    ASSERT_GT(layout, 1);
    EXPECT_EQ(pagesBeside, rec.pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(rec.pages));
    EXPECT_EQ(pagesShown, QStringLiteral("Pages: %1 of %2").arg(rec.pages).arg(layout));
    const auto *title = Drawn(1, [](const QString &t) { return t == LongTitle || t == QLatin1String("Ab"); });
    EXPECT_TRUE(!title || std::abs(title->size - 10 * size.toDouble()) < 0.05) << "the title prints at " << size.toStdString();
    // Every page says it is one of the layout's pages.
    const QRegularExpression number(QStringLiteral("Page: \\d+ of (\\d+)$"));
    for (const tavtest::DrawnText &t : rec.texts) {
        if (const QRegularExpressionMatch m = number.match(t.text); m.hasMatch()) {
            EXPECT_EQ(m.captured(1).toLong(), layout) << t.text.toStdString();
        }
    }
    if (change.typed)
        return;
    ASSERT_TRUE(rec.ended);
    EXPECT_EQ(range, QStringLiteral("1-%1").arg(layout)) << "the range filled in covers the layout";
    // The title lies on the first page with a row below it, inside the paper.
    const auto *row = Drawn(1, [](const QString &t) { return t.startsWith(QLatin1Char('r')) && t.endsWith(QLatin1String("c0")); });
    ASSERT_NE(title, nullptr);
    ASSERT_NE(row, nullptr) << "a row prints below the title";
    EXPECT_GT(row->at.y(), title->at.y() + 24.0 * title->size);
    const QSizeF paper = print.CurrentPrinter().Device().PrintableTwips().size();
    EXPECT_LE(row->at.y() + 300, paper.height());
    EXPECT_LE(title->at.x() + title->text.size() * 10.0 * title->size, paper.width() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryChange, P001FollowsChangesTest,
    ::testing::Values(
        Change{"paper",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 3), QStringLiteral("Ab"));
                   t.Choose(t.C<QComboBox>(QStringLiteral("cbPaperSize")), QStringLiteral("A5"));
               }},
        Change{"orientation",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 3), QStringLiteral("Ab"));
                   t.C<QRadioButton>(name("optPPS", 1))->click();
               }},
        Change{"margins",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 3), QStringLiteral("Ab"));
                   t.Type(name("Text1", 4), QStringLiteral("40"));
                   t.Type(name("Text1", 5), QStringLiteral("40"));
               }},
        Change{"title text", [](P001FollowsChangesTest &t) { t.Type(name("Text1", 3), QStringLiteral("Ab")); }},
        Change{"title size",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 3), QStringLiteral("Ab"));
                   t.Type(name("Text1", 9), QStringLiteral("1.0"));
                   t.Type(name("Text1", 9), QStringLiteral("60"));
                   QMetaObject::invokeMethod(t.C<QWidget>(name("UpDown1", 7)), "UpClick"); // the up arrow
               },
               false, true},
        Change{"printer",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 3), QStringLiteral("Ab"));
                   t.ChoosePrinter(QStringLiteral("Gamma"));
               }},
        Change{"typed range",
               [](P001FollowsChangesTest &t) {
                   t.C<QRadioButton>(name("optPPS", 1))->click();
                   t.Type(name("Text1", 8), QStringLiteral("2-4"));
               },
               true},
        Change{"range out of order and open", [](P001FollowsChangesTest &t) { t.Type(name("Text1", 8), QStringLiteral("4-2,1-")); },
               true},
        Change{"range past the pages of a new layout",
               [](P001FollowsChangesTest &t) {
                   const long portrait = t.PagesCounted();
                   t.C<QRadioButton>(name("optPPS", 1))->click();
                   t.Type(name("Text1", 8), QStringLiteral("%1-%2").arg(portrait + 1).arg(t.PagesCounted()));
                   t.C<QRadioButton>(name("optPPS", 0))->click();
               },
               true},
        Change{"range typed before the layout grows",
               [](P001FollowsChangesTest &t) {
                   t.Type(name("Text1", 8), QStringLiteral("%1-%2").arg(t.PagesCounted() + 1).arg(t.PagesCounted() + 2));
                   t.C<QRadioButton>(name("optPPS", 1))->click();
               },
               true}),
    [](const ::testing::TestParamInfo<Change> &info) {
        QString n = QString::fromLatin1(info.param.what);
        n.replace(QLatin1Char(' '), QLatin1Char('_'));
        return n.toStdString();
    });

// A range the user typed stays as typed; when the layout changes under it,
// or it goes past the last page, Print says so once and the dialog stays.
TEST_F(P001FollowsChangesTest, ATypedRangeThatNoLongerMatchesIsPointedOutBeforePrinting)
{
    Printers();
    MakeGrid(400, 2);
    PlainLayout();
    winsys::ScriptedMessages messages;
    const struct {
        const char *typed;
        bool turn; // landscape after typing
        const char *told;
    } cases[] = {
        {"1-3", true, "was typed for 8 pages; the list now prints on 11."},
        {"2-99", false, "goes past the last page, 8."},
        {"2-4", false, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        rec = {};
        messages.Clear();
        QStringList told;
        bool stayed = false;
        PrintThroughDialog([&] {
            C<QRadioButton>(name("Option2", 2))->click();
            Type(name("Text1", 8), QString::fromLatin1(c.typed));
            if (c.turn)
                C<QRadioButton>(name("optPPS", 1))->click();
            C<QPushButton>(name("Command1", 0))->click();
            told = messages.Prompts();
            stayed = print.isVisible();
            EXPECT_EQ(Box(8), QString::fromLatin1(c.typed)) << "a typed range is the user's";
        });
        if (c.told) {
            ASSERT_EQ(told.size(), 1);
            EXPECT_TRUE(told[0].contains(QLatin1String(c.told))) << told[0].toStdString();
            EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("Selected Pages"));
            EXPECT_TRUE(stayed);
        } else {
            EXPECT_TRUE(told.isEmpty()) << told.join(QLatin1Char('|')).toStdString();
        }
        EXPECT_TRUE(rec.ended) << "the second Print prints";
        print.SetPrinterOrientation(printer::Portrait);
        MakeGrid(400, 2);
    }
}

// Esc in the file dialog goes back to the choices as they were; a name
// typed without ".pdf" gets it.
TEST_F(P001FollowsChangesTest, TheFileIsAskedForBeforeTheDialogClosesAndIsAPdf)
{
    ThreePrintersAndAFile(true);
    MakeGrid(400, 2);
    QTemporaryDir dir;
    const QString typed = dir.filePath(QStringLiteral("words list")), upper = dir.filePath(QStringLiteral("words.PDF"));
    // Esc, then a name without the suffix, then one with it in capitals.
    QStringList answers = {QString(), typed, upper};
    int asked = 0;
    print.SetChooseOutputFile([&](const QString &) {
        ++asked;
        return answers.takeFirst();
    });
    for (const QString &expected : {typed + QStringLiteral(".pdf"), upper}) {
        rec = {};
        bool stayed = false;
        QString marginAfter;
        PrintThroughDialog([&] {
            if (answers.size() == 3) {
                Type(name("Text1", 4), QStringLiteral("30"));
                C<QPushButton>(name("Command1", 0))->click(); // Esc in the file dialog
                stayed = print.isVisible();
                marginAfter = Box(4);
            }
        });
        if (expected != upper) {
            EXPECT_TRUE(stayed) << "the dialog is still open";
            EXPECT_EQ(marginAfter, QStringLiteral("30"));
        }
        EXPECT_TRUE(rec.ended);
        EXPECT_EQ(rec.outputFile, expected);
        MakeGrid(400, 2);
    }
    EXPECT_EQ(asked, 3);
}

// The job's name, the PDF's title and the file name offered show the Greek
// a standard list was searched for in Greek letters; other quoted words
// (a letter's name, English) stay as they are.
TEST_F(P001FollowsChangesTest, TheJobAndTheFileNameShowTheSearchedGreekAsGreek)
{
    ThreePrintersAndAFile(true);
    const struct {
        P001::ListKind kind;
        QString title, docName, fileName;
    } cases[] = {
        {P001::ListKind::Standard, QStringLiteral("12 records found for Greek words on: \"lerwvnw\""),
         QStringLiteral("12 records found for Greek words on: \"λερώνω\""), QStringLiteral("12 records found for Greek words on λερώνω.pdf")},
        {P001::ListKind::Standard, QStringLiteral("3 records found for other forms on:\"Evna\""), QStringLiteral("3 records found for other forms on:\"Ένα\""),
         QStringLiteral("3 records found for other forms on Ένα.pdf")},
        {P001::ListKind::Standard, QStringLiteral("40 Nouns on \"Alfa\""), QStringLiteral("40 Nouns on \"Alfa\""), QStringLiteral("40 Nouns on Alfa.pdf")},
        {P001::ListKind::Simple, QStringLiteral("3 non unique English words on \"house\""), QStringLiteral("3 non unique English words on \"house\""),
         QStringLiteral("3 non unique English words on house.pdf")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        rec = {};
        QString offered;
        QTemporaryDir dir;
        print.SetChooseOutputFile([&](const QString &suggested) {
            offered = suggested;
            return dir.filePath(QStringLiteral("list.pdf"));
        });
        MakeGrid(3, 2);
        print.SetReportTitle(c.title);
        print.SetListToPrint({c.kind, {}});
        Print();
        ASSERT_TRUE(rec.ended);
        EXPECT_EQ(rec.docName, c.docName);
        EXPECT_EQ(QFileInfo(offered).fileName(), c.fileName);
    }
}
