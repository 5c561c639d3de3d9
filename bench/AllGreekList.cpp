#include "AllGreekList.h"

#include "grids/GridStd.h"
#include "mainwindow/MDI.h"
#include "mainwindow/ProgramWindows.h"
#include "store/ListRequests.h"
#include "store/MainWindowLink.h"
#include "store/StartUp.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cstdlib>

namespace tavbench {

ProgramUnderBench::ProgramUnderBench(const QString &database)
{
    if (!QFile::copy(database, m_dir.filePath(QStringLiteral("TavWrd.twl"))))
        std::abort();
    m_mdi = std::make_unique<tav::MDI>();
    m_mdi->Pause = [] {};
    tav::SetLink(m_mdi.get());
    m_windows = std::make_unique<tav::ProgramWindows>(*m_mdi);
    m_windows->MakeStdGrid = [](tav::MDI &) -> tav::StdGridWindowLink * { return new tav::GridStd; };
    tav::SetListWindowFactory(m_windows.get());
    if (tav::SubMain(m_dir.path()) != 0)
        std::abort();
    m_mdi->resize(1280, 1024);
}

ProgramUnderBench::~ProgramUnderBench() { tav::SetListWindowFactory(nullptr); }

QString ProgramUnderBench::file() const { return m_dir.filePath(QStringLiteral("TavWrd.twl")); }

void ProgramUnderBench::OpenAllGreek() const
{
    tav::SendListRequest(tav::ShowRequest(QStringLiteral("All Greek"), QStringLiteral("Greek"), false, QString()));
}

tav::GridStd *ProgramUnderBench::OpenList() const
{
    const QList<QMdiSubWindow *> subs = m_mdi->mdiClient->subWindowList();
    return subs.isEmpty() ? nullptr : dynamic_cast<tav::GridStd *>(subs.last()->widget());
}

void ProgramUnderBench::CloseLists() const
{
    m_mdi->CloseChildren();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace tavbench
