// The main of every test program, built into each with two settings:
// TAV_TEST_WIDGETS  a QApplication on the offscreen platform, for programs
//                   that show windows; else a QCoreApplication;
// TAV_TEST_STORE    every case starts from the word store's state before
//                   start-up and leaves no shared connection open, whatever
//                   its fixture set or forgot.
#if TAV_TEST_STORE
#include "store/SharedState.h"
#endif

#if TAV_TEST_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

namespace {

#if TAV_TEST_STORE
class SharedStateReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo &) override { tav::ResetSharedState(); }
    void OnTestEnd(const ::testing::TestInfo &) override { tav::ResetSharedState(); }
};
#endif

} // namespace

// No test may print on a printer of the machine, whatever its default: the
// programs talk to a print server that does not exist, so the system's
// printer list is empty and only the PDF file printer is offered.
int main(int argc, char **argv)
{
    qputenv("CUPS_SERVER", "/nonexistent/tavrinel-tests-print-nowhere.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
#if TAV_TEST_WIDGETS
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
#if TAV_TEST_STORE
    ::testing::UnitTest::GetInstance()->listeners().Append(new SharedStateReset);
#endif
    return RUN_ALL_TESTS();
}
