// Real print runs to a PDF file, read back with poppler's pdfinfo and
// pdftotext (Greek in the key font comes back as Greek letters).
#include "P001Fixture.h"

#include "platform/font/FontLoader.h"
#include "platform/printer/QtPrinterDevice.h"
#include "platform/winsys/core/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST_F(P001Test, APdfRunPrintsEveryPageWithItsTitleNumbersAndVisibleColumns)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.pdf"));
    print.SetChooseOutputFile([&](const QString &) { return file; });

    flexgrid::FlexGrid &g = MakeGrid(120, 3, 2000, 300);
    g.SetColWidth(1, 0);
    g.SetTextMatrix(0, 2, QStringLiteral("Meaning"));
    print.SetReportTitle(QStringLiteral("Verbs of motion"));
    print.SetMarginUnits(printer::vbMillimeters);
    print.SetTopMargin(20);
    print.SetLeftMargin(20);
    print.SetShowProgress(true);
    Print();
    ASSERT_TRUE(print.PrintComplete());

    const QString info = run(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QLatin1String("595 x 842 pts (A4)"))) << info.toStdString();

    for (int page = 1; page <= 3; ++page) {
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                  QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
        EXPECT_EQ(text.contains(QLatin1String("Verbs of motion")), page == 1) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Page: %1 of 3").arg(page))) << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String("Meaning"))) << "headings on page " << page;
        EXPECT_TRUE(text.contains(QLatin1String("H0")));
        EXPECT_FALSE(text.contains(QLatin1String("H1"))) << "a hidden column prints nothing";
        EXPECT_FALSE(text.contains(QLatin1String("c1 "))) << page;
    }
}

TEST_F(P001Test, APdfCarriesTheListsNameAndTheGreekAsGreekLetters)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    ASSERT_TRUE(winsys::LoadGreekFonts(QStringLiteral(TAV_BIN_DIR)));
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("greek.pdf"));
    print.SetChooseOutputFile([&](const QString &) { return file; });
    flexgrid::FlexGrid &g = MakeGrid(4, 2, 3000, 400);
    g.SetTextMatrix(1, 1, QStringLiteral("zestovV"));
    g.SetTextMatrix(2, 1, QStringLiteral("askouvmai"));
    g.SetTextMatrix(3, 1, QStringLiteral("Evna"));
    g.SetRangeFont(1, 1, 3, 1, winsys::GreekFamily, 14);
    print.SetReportTitle(QStringLiteral("3 Greek words"));
    Print();
    ASSERT_TRUE(QFileInfo::exists(file));

    const QString info = run(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+3 Greek words\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+Tavrinel\\n")))) << info.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    for (const QString &word : {QStringLiteral("ζεστός"), QStringLiteral("ασκούμαι"), QStringLiteral("Ένα")})
        EXPECT_TRUE(text.contains(word)) << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1String("zestovV")));
}

TEST_F(P001Test, AFileThatCannotBeWrittenIsReportedOnceAndNothingPrints)
{
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QString file = dir.filePath(QStringLiteral("notes.txt/list.pdf"));
    print.SetChooseOutputFile([&](const QString &) { return file; });
    MakeGrid(400, 3); // 9 pages
    winsys::ScriptedMessages messages;
    Print();
    ASSERT_EQ(messages.Messages().size(), 1) << messages.Prompts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(QStringLiteral("The file %1 cannot be written:\n").arg(file)))
        << messages.Messages()[0].prompt.toStdString();
    EXPECT_TRUE(messages.Messages()[0].prompt.endsWith(QLatin1String("Nothing was printed.")));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(print.PrintComplete());
}

TEST_F(P001Test, ThePdfFileIsOfferedInTheDocumentsOrHomeFolderThenInTheLastUsed)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    const QString homePath = QDir(home.path()).canonicalPath();
    EXPECT_EQ(QDir(print.PdfFolder()).canonicalPath(), homePath) << "no documents folder";
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Documents")));
    EXPECT_EQ(QDir(print.PdfFolder()).canonicalPath(), homePath + QStringLiteral("/Documents"));

    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("lists")));
    // A folder that cannot be written (a file stands where it would be)
    // is refused and never offered afterwards.
    QFile notAFolder(home.filePath(QStringLiteral("notes")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    QStringList offered;
    QStringList answers = {home.filePath(QStringLiteral("lists/words.pdf")), home.filePath(QStringLiteral("notes/words.pdf")),
                           home.filePath(QStringLiteral("lists/words.pdf"))};
    print.SetChooseOutputFile([&](const QString &suggested) {
        offered << suggested;
        return answers.takeFirst();
    });
    MakeGrid(3, 2);
    print.SetReportTitle(QStringLiteral("12 words: nouns"));
    winsys::ScriptedMessages messages;
    for (int run = 0; run < 4; ++run) {
        print.SetGridToPrint(grid.get());
        Print();
        if (answers.isEmpty())
            break;
    }
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    if (oldConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(messages.Messages().size(), 1) << "the folder that cannot be written is refused";
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered[0], home.filePath(QStringLiteral("Documents/12 words nouns.pdf")));
    EXPECT_EQ(offered[1], home.filePath(QStringLiteral("lists/12 words nouns.pdf")));
    EXPECT_EQ(offered[2], home.filePath(QStringLiteral("lists/12 words nouns.pdf"))) << "the last folder written to";
}

TEST_F(P001Test, GridLinesAreAQuarterPointWide)
{
    print.SetPrinterSource(std::make_shared<printer::PdfFileOnly>());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lines.pdf"));
    print.SetChooseOutputFile([&](const QString &) { return file; });
    MakeGrid(5, 2);
    Print();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    // The page's drawing is a deflated stream; its line width ("<w> w") is
    // in device units of 1/1200 inch (the page's matrix scales by 72/1200).
    QStringList widths;
    for (qsizetype at = bytes.indexOf("stream"); at >= 0; at = bytes.indexOf("stream", at + 6)) {
        const qsizetype start = bytes.indexOf('\n', at) + 1;
        const qsizetype end = bytes.indexOf("endstream", start);
        if (start <= 0 || end < 0)
            break;
        QByteArray packed = QByteArray::fromHex("00100000") + bytes.mid(start, end - start);
        const QString text = QString::fromLatin1(qUncompress(packed));
        static const QRegularExpression width(QStringLiteral("(?:^|\\s)([0-9.]+) w\\b"));
        for (auto m = width.globalMatch(text); m.hasNext();)
            widths << m.next().captured(1);
        at = end;
    }
    ASSERT_FALSE(widths.isEmpty());
    for (const QString &w : widths)
        EXPECT_NEAR(w.toDouble() * 72.0 / 1200.0, 0.25, 0.001) << w.toStdString();
}

// The name chosen holds the file that was there or the whole new PDF, and
// no other file is left; a name the save dialog checked without ".pdf" is
// asked about as it is written.
TEST_F(P001Test, APdfTakesItsNameOnlyWhenCompleteAndReplacesOnlyWhatTheUserAllowed)
{
    // The PDF printer, whose second page fails or ends the program (as a signal does).
    enum class Then { Done, Fail, Stop };
    struct Pdf : printer::QtPrinterDevice {
        explicit Pdf(Then t) : then(t) {}
        void NewPage() override
        {
            if (then == Then::Fail)
                throw printer::PrintError(482, QStringLiteral("out of paper"));
            winsys::SetEndingProgram(then == Then::Stop);
            QtPrinterDevice::NewPage();
        }
        Then then;
    };
    struct Source : printer::PdfFileOnly {
        explicit Source(Then t) : then(t) {}
        std::unique_ptr<printer::PrinterDevice> Open(const printer::PrinterEntry &) const override { return std::make_unique<Pdf>(then); }
        Then then;
    };
    enum Left { Old, New, Nothing };
    const struct { QString typed; bool there; Then then; QVector<int> answers; Left left; } cases[] = {
        {"list.pdf", true, Then::Done, {}, New}, {"list.pdf", true, Then::Fail, {winsys::vbAbort}, Old},
        {"list.pdf", false, Then::Fail, {winsys::vbAbort}, Nothing}, {"", true, Then::Done, {}, Old},
        {"list.pdf", true, Then::Stop, {}, Old}, {"list.pdf", false, Then::Stop, {}, Nothing},
        {"x.v1", true, Then::Done, {winsys::vbNo}, Old}, {"Lesson 2.3", true, Then::Done, {winsys::vbYes}, New},
        {"nouns.a5", false, Then::Done, {}, New}};
    MakeGrid(120, 3); // 3 pages
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " then " + std::to_string(int(c.then)));
        QTemporaryDir dir;
        const QString typed = c.typed.isEmpty() ? QString() : dir.filePath(c.typed);
        const QString written = typed.isEmpty() ? dir.filePath("list.pdf") : typed.endsWith(".pdf") ? typed : typed + ".pdf";
        QFile file(written);
        EXPECT_TRUE(!c.there || (file.open(QIODevice::WriteOnly) && file.write("own") == 3));
        file.close();
        print.SetPrinterSource(std::make_shared<Source>(c.then));
        QStringList chosen = {typed}; // offered again after a No, the dialog is cancelled
        print.SetChooseOutputFile([&](const QString &) { return chosen.isEmpty() ? QString() : chosen.takeFirst(); });
        winsys::ScriptedMessages messages;
        for (int answer : c.answers)
            messages.Answer(answer);
        print.SetGridToPrint(grid.get());
        Print();
        winsys::SetEndingProgram(false);
        EXPECT_EQ(messages.Prompts().filter(written + " already exists").size(), c.there && typed != written && !typed.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), c.left == Nothing ? QStringList() : QStringList{QFileInfo(written).fileName()});
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        EXPECT_EQ(content == "own", c.left == Old);
        EXPECT_EQ(content.startsWith("%PDF") && content.trimmed().endsWith("%%EOF"), c.left == New);
    }
}
