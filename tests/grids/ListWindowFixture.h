#pragma once
// List windows on a private copy of the fresh database: the word store is
// open with the shipped settings and interface texts, the main window is a
// recording host, and message boxes are scripted. Windows show on their own.

#include "grids/ListWindowHost.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/ListWindowLink.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

namespace tavtest {

// Records what the list windows ask of the main window.
class RecordingHost : public tav::ListWindowHost {
public:
    void SmallFacts(long long ID, const QString &Text, int Kind) override
    {
        facts << QStringLiteral("%1|%2|%3").arg(ID).arg(Text).arg(Kind);
    }
    void PopupConjugations(const QPoint &) override { ++popups; }
    void ShowNoResult(const QString &Message, const QString &Text) override { noResult << Message << Text; }
    QString PanelText(int panel) const { return panels.value(panel); }
    void SetPanelText(int panel, const QString &text) override { panels[panel] = text; }
    void JulGran() override { ++recounts; }
    QString SelectedNodeTag() const override { return nodeTag; }
    int LetterIndex() const override { return letterIndex; }
    int ClientHeight() const override { return clientHeight; }
    QMdiSubWindow *AddChild(tav::ListWindow &) override { return nullptr; }

    QStringList facts;
    int popups = 0;
    QStringList noResult;
    QMap<int, QString> panels;
    int recounts = 0;
    QString nodeTag;
    int letterIndex = 0;
    int clientHeight = 700;
};

// The recording link that also lists the test's open list windows, so that
// a refresh of every list reaches them.
class ListsLink : public RecordingLink {
public:
    QList<tav::ListWindowLink *> OpenListWindows() const override;
    QList<QPointer<QWidget>> windows;
};

class ListWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Keeps the window to be closed at the end of the test.
    template <class W>
    W *Keep(W *window)
    {
        link.windows << QPointer<QWidget>(window);
        return window;
    }
    // The first data row whose column Col holds Text; -1 when none.
    static int RowOf(const flexgrid::FlexGrid &grid, int Col, const QString &Text);
    QVariant Value(const QString &sql) const { return db.Value(sql); }
    long long Count(const QString &sql) const { return db.Value(sql).toLongLong(); }
    // The meanings of a word's rows in an index table, in order.
    static QStringList IndexRows(const QString &table, long long id);

    TestDb db;
    winsys::ScriptedMessages messages;
    ListsLink link;
    RecordingHost host;
};

} // namespace tavtest
