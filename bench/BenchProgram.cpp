#include "BenchProgram.h"

#include "UserWait.h"

#include "exercise/Exercise.h"
#include "grids/GridStd.h"
#include "platform/font/FontLoader.h"
#include "store/ListWindowLink.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/StartUp.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace tavbench {

BenchProgram::BenchProgram(const QString &database)
{
    if (!QFile::copy(database, File())) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(database));
        std::abort();
    }
    winsys::LoadGreekFonts(QStringLiteral(TAV_BIN_DIR));
}

BenchProgram::~BenchProgram() { Stop(); }

QString BenchProgram::File() const { return m_dir.filePath(QStringLiteral("TavWrd.twl")); }

void BenchProgram::Start()
{
    m_mdi = std::make_unique<tav::MDI>();
    m_mdi->Pause = [] {};
    m_mdi->EndProgram = [] {};
    tav::SetLink(m_mdi.get());
    m_mdi->Exercises = tav::ExerciseWindowRoutines();
    m_windows = std::make_unique<tav::ProgramWindows>(*m_mdi);
    m_windows->MakeStdGrid = [](tav::MDI &) -> tav::StdGridWindowLink * { return new tav::GridStd; };
    tav::SetListWindowFactory(m_windows.get());
    if (tav::SubMain(m_dir.path()) != 0) {
        std::fprintf(stderr, "start-up failed in %s\n", qPrintable(m_dir.path()));
        std::abort();
    }
}

void BenchProgram::Stop()
{
    if (!m_mdi)
        return;
    CloseChildren();
    m_mdi->close();
    tav::SetListWindowFactory(nullptr);
    m_windows.reset();
    m_mdi.reset();
    tav::SetLink(nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

tav::GridStd *BenchProgram::NewestList() const
{
    const QList<QMdiSubWindow *> subs = m_mdi->Control<QMdiArea>("mdiClient")->subWindowList();
    for (auto it = subs.crbegin(); it != subs.crend(); ++it)
        if (auto *list = dynamic_cast<tav::GridStd *>((*it)->widget()))
            return list;
    return nullptr;
}

void BenchProgram::SelectNode(const QString &key) const
{
    QTreeWidgetItem *node = m_mdi->FindNode(key);
    if (!node)
        std::abort();
    m_mdi->Control<QTreeWidget>("tv1")->setCurrentItem(node);
    m_mdi->tv1_NodeClick(node);
    ProcessUntilIdle();
}

void BenchProgram::CloseChildren() const
{
    for (QMdiSubWindow *sub : m_mdi->Control<QMdiArea>("mdiClient")->subWindowList())
        sub->close();
    ProcessUntilIdle();
}

WindowBenchApp::WindowBenchApp(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    m_app = std::make_unique<QApplication>(argc, argv);
    benchmark::Initialize(&argc, argv);
}

int WindowBenchApp::Run()
{
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

void Key(QWidget *widget, int key) { QTest::keyClick(widget, Qt::Key(key)); }

} // namespace tavbench
