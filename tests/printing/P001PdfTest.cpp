// Real print runs to a PDF file, read back with poppler's pdfinfo and
// pdftotext (texts come back in the stored Latin keys).
#include "P001Fixture.h"

#include "platform/printer/QtPrinterDevice.h"

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
    print.ChooseOutputFile = [&](const QString &) { return file; };

    flexgrid::FlexGrid &g = MakeGrid(120, 3, 2000, 300);
    g.SetColWidth(1, 0);
    g.SetTextMatrix(0, 2, QStringLiteral("Meaning"));
    print.ReportTitle = QStringLiteral("Verbs of motion");
    print.MarginUnits = printer::vbMillimeters;
    print.TopMargin = 20;
    print.LeftMargin = 20;
    print.ShowProgress = true;
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
