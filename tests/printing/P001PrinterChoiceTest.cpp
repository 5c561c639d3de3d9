// Choosing the printer: in the dialog, by the caller, and again when the
// system's printer list has changed between two runs; jobs a printer does
// not take. Each printer chosen is a fresh device, as the system gives it,
// so a reference kept to the printer before would be used after its end
// (which the address sanitizer reports).
#include "P001Fixture.h"

#include "platform/winsys/core/MsgBox.h"

#include <QComboBox>
#include <QLabel>

namespace {
QString name(const char *array, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i); }
} // namespace

TEST_F(P001Test, EachPrinterChosenInTheDialogPrintsTheJob)
{
    ThreePrinters();
    MakeGrid(60, 3);
    PlainLayout();
    for (const QString &printerName : {QStringLiteral("Beta"), QStringLiteral("Gamma"), QStringLiteral("Alpha")}) {
        PrintThroughDialog([&] {
            ChoosePrinter(printerName);
            EXPECT_EQ(StatusPanel(1), printerName);
        });
        ASSERT_FALSE(rec.jobs.isEmpty());
        EXPECT_EQ(rec.jobs.last(), printerName);
        grid->SetRow(1);
        print.SetGridToPrint(grid.get());
    }
    EXPECT_EQ(rec.jobs, QStringList({QStringLiteral("Beta"), QStringLiteral("Gamma"), QStringLiteral("Alpha")}));

    // Gamma's A5 page holds fewer rows than Alpha's: its job has more pages.
    rec = {};
    PrintThroughDialog([&] { ChoosePrinter(QStringLiteral("Gamma")); });
    const int gammaPages = rec.pages;
    rec = {};
    PrintThroughDialog([&] { ChoosePrinter(QStringLiteral("Alpha")); });
    EXPECT_GT(gammaPages, rec.pages);
}

TEST_F(P001Test, APrinterTheCallerNamesPrintsWithOrWithoutTheDialog)
{
    ThreePrinters();
    MakeGrid(20, 3);
    PlainLayout();
    print.SetSetPrinter(QStringLiteral("gamma"));
    Print();
    EXPECT_EQ(rec.jobs, QStringList({QStringLiteral("Gamma")}));
    print.SetGridToPrint(grid.get());
    print.SetSetPrinter(1);
    PrintThroughDialog([&] { EXPECT_EQ(C<QComboBox>(name("Combo1", 0))->currentText(), QStringLiteral("Beta")); });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Beta"));
}

TEST_F(P001Test, ThePrinterInUseIsFoundByNameWhenTheListHasChanged)
{
    auto source = ThreePrinters();
    MakeGrid(20, 3);
    PlainLayout();
    PrintThroughDialog([&] { ChoosePrinter(QStringLiteral("Beta")); });
    ASSERT_EQ(rec.jobs, QStringList({QStringLiteral("Beta")}));

    // A queue that sorts first is added: the dialog shows Beta, Beta prints.
    tavtest::RecordedPrinter first;
    first.name = QStringLiteral("Aardvark");
    source->printers.prepend(first);
    print.SetGridToPrint(grid.get());
    PrintThroughDialog([&] {
        EXPECT_EQ(C<QComboBox>(name("Combo1", 0))->currentText(), QStringLiteral("Beta"));
        EXPECT_EQ(StatusPanel(1), QStringLiteral("Beta"));
    });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Beta"));

    // Beta is removed: the default prints, and the user is told.
    source->printers.removeAt(2);
    winsys::ScriptedMessages messages;
    print.SetGridToPrint(grid.get());
    PrintThroughDialog([&] { EXPECT_EQ(C<QComboBox>(name("Combo1", 0))->currentText(), QStringLiteral("Alpha")); });
    EXPECT_EQ(rec.jobs.last(), QStringLiteral("Alpha"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt,
              QStringLiteral("The printer \"Beta\" is no longer available.\nThe default printer \"Alpha\" is used instead."));
}

TEST_F(P001Test, AJobThePrinterRefusesIsReportedOnceWithTheReason)
{
    MakeGrid(120, 3);
    PlainLayout();
    winsys::ScriptedMessages messages;
    rec.refuseJob = QStringLiteral("Destination \"Recorder\" is not accepting jobs.");
    Print();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt,
              QStringLiteral("The printer \"Recorder\" did not accept the job.\nDestination \"Recorder\" is not accepting jobs."));
    EXPECT_TRUE(rec.jobs.isEmpty());
    EXPECT_TRUE(print.PrintComplete());
    EXPECT_FALSE(print.Printing());

    // A job left waiting at a stopped printer is said to wait.
    messages.Clear();
    rec.refuseJob.clear();
    rec.waiting = QStringLiteral("The printer is stopped (paused).");
    print.SetGridToPrint(grid.get());
    Print();
    EXPECT_EQ(rec.jobs.size(), 1);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt,
              QStringLiteral("The job was sent to the printer \"Recorder\" and waits there.\nThe printer is stopped (paused)."));
}

TEST(TestPrinters, TheSuitesPrintRunsNeverReachAPrinterOfTheMachine)
{
    // Whatever the machine's printers and default, a print window made as
    // the program makes it offers and uses only the PDF file printer here.
    printer::SystemPrinters system;
    ASSERT_EQ(system.List().size(), 1);
    EXPECT_EQ(system.List()[0].name, printer::PdfFileName);
    EXPECT_EQ(system.DefaultName(), printer::PdfFileName);
    P001 print;
    EXPECT_TRUE(print.CurrentPrinter().Device().PrintsToFile());
    EXPECT_EQ(print.CurrentPrinter().DeviceName(), printer::PdfFileName);
}
