#pragma once
// The frame with real list windows, wired as the program wires them: each
// request of the Show button opens a standard list window through the frame.

#include "MainWindowFixture.h"

#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "mainwindow/ProgramWindows.h"
#include "store/ListWindowLink.h"

#include <QAction>
#include <QMenu>

namespace tavtest {

class FrameListWindows : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        frameRequests = std::make_unique<tav::ListOpeners>();
        tav::SetListWindowRequests(frameRequests.get());
        windows = std::make_unique<tav::ProgramWindows>(*w);
        windows->MakeStdGrid = [](tav::MDI &) -> tav::StdGridWindowLink * { return new tav::GridStd; };
        tav::SetListWindowFactory(windows.get());
    }

    void TearDown() override
    {
        tav::SetListWindowFactory(nullptr);
        tav::SetListWindowRequests(&requests);
        frameRequests.reset();
        MainWindowFixture::TearDown();
        windows.reset();
    }

    // The Window menu's entries below "Close all windows", as shown.
    QStringList WindowList(QStringList *checked = nullptr)
    {
        emit w->Control<QMenu>("mnuWindows")->aboutToShow();
        QStringList texts;
        for (QAction *a : w->Control<QMenu>("mnuWindows")->actions()) {
            if (a->isSeparator() || a == w->Control<QAction>("mnuCloseAll"))
                continue;
            texts << a->text();
            if (checked && a->isChecked())
                *checked << a->text();
        }
        return texts;
    }

    QAction *WindowEntry(int place)
    {
        emit w->Control<QMenu>("mnuWindows")->aboutToShow();
        QList<QAction *> entries;
        for (QAction *a : w->Control<QMenu>("mnuWindows")->actions())
            if (!a->isSeparator() && a != w->Control<QAction>("mnuCloseAll"))
                entries << a;
        return entries.value(place);
    }

    std::unique_ptr<tav::ListOpeners> frameRequests;
    std::unique_ptr<tav::ProgramWindows> windows;
};

} // namespace tavtest
