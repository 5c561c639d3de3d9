#pragma once
// A main window on the shipped database, with ways to reach its grammar
// panel and to read the stored forms by queries of their own.

#include "mainwindow/MainWindowFixture.h"

#include "inflection/GrammarPanel.h"
#include "support/GrammarPanelProbe.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/ListWindowLink.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <type_traits>

namespace tavtest {

struct Size {
    int width, height;
};

class PanelFixture : public MainWindowFixture {
protected:
    // The main window shown at a size of its client area, active.
    void SetSize(Size size)
    {
        w->showNormal();
        w->setFixedSize(size.width, size.height);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        QApplication::processEvents();
    }

    tav::GrammarPanel &panel() { return w->Grammar(); }
    // The panel's controls.
    tav::GrammarPanelProbe controls() { return tavtest::PanelProbe(panel()); }
    flexgrid::FlexGrid &klin() { return *panel().FormsGrid(); }
    flexgrid::FlexGrid &imp() { return *panel().ImperativesGrid(); }
    QString Text(const QString &sql) { return Native(sql).toString(); }

    // The six stored forms of a tense and voice, by a query of their own.
    QStringList Stored(const QString &table, long long id, const QString &voice)
    {
        QStringList forms;
        for (const char *p : {"S1", "S2", "S3", "P1", "P2", "P3"})
            forms << Text(QStringLiteral("SELECT %1%2 FROM %3 WHERE ID = %4").arg(QLatin1String(p), voice, table).arg(id));
        return forms;
    }
    QStringList Column(flexgrid::FlexGrid &g, int col)
    {
        QStringList cells;
        for (int r = 1; r < g.Rows(); ++r)
            cells << g.TextMatrix(r, col);
        return cells;
    }
    QAction *entry(int i) { return w->Control<QAction>(QStringLiteral("mnuFirstParts(%1)").arg(i)); }

    // Opens a window made by the test as the active child; a list window
    // joins as one.
    template <class Window> Window *OpenChild(Window *window)
    {
        if constexpr (std::is_base_of_v<tav::ListWindowLink, Window>)
            w->AddChild(window, window)->show();
        else
            w->AddChild(window)->show();
        w->Control<QMdiArea>("mdiClient")
            ->setActiveSubWindow(w->Control<QMdiArea>("mdiClient")->subWindowList().last());
        return window;
    }
};

} // namespace tavtest
