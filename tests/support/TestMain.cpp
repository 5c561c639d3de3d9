#include "store/SharedState.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// Every case starts from the program's state before start-up and leaves no
// shared connection open, whatever its fixture set or forgot.
class SharedStateReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override { tav::ResetSharedState(); }
    void OnTestEnd(const ::testing::TestInfo &) override { tav::ResetSharedState(); }
};

} // namespace

// Every test program runs with a QApplication on the offscreen platform, so
// that window tests and store tests share one main.
//
// No test may print on a printer of the machine, whatever its default: the
// programs talk to a print server that does not exist, so the system's
// printer list is empty and only the PDF file printer is offered.
int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/tavrinel-tests-print-nowhere.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SharedStateReset);
    return RUN_ALL_TESTS();
}
