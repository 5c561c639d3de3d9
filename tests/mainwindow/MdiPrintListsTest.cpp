// Printing every kind of list window through the frame's print command, on
// a recording printer: the words each column is headed by, and a layout
// that does not follow the screen.

#include "FrameListWindows.h"

#include "grids/GridSimple.h"
#include "grids/ListWindow.h"
#include "platform/font/FontLoader.h"
#include "printing/P001.h"
#include "printing/RecordingPrinter.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "support/DialogPress.h"

#include <QCoreApplication>
#include <QPushButton>

#include <algorithm>
#include <functional>

using tavtest::FrameListWindows;

namespace {

const QString kFormsSql = QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek "
                                         " FROM FormsAll WHERE FormGreek  Like'agapav*'");

// The texts of page 1's heading row (the first row below the title and
// the page number), left to right, with their positions.
QVector<tavtest::DrawnText> HeadingRow(const tavtest::Recording &rec, const QString &title)
{
    QVector<tavtest::DrawnText> page;
    for (const tavtest::DrawnText &t : rec.texts)
        if (t.page == 1 && t.text != title && !t.text.startsWith(QLatin1String("Printed at ")))
            page << t;
    if (page.isEmpty())
        return {};
    double top = page.first().at.y();
    for (const tavtest::DrawnText &t : page)
        top = std::min(top, t.at.y());
    QVector<tavtest::DrawnText> row;
    for (const tavtest::DrawnText &t : page)
        if (t.at.y() == top)
            row << t;
    std::sort(row.begin(), row.end(), [](const auto &a, const auto &b) { return a.at.x() < b.at.x(); });
    return row;
}

} // namespace

TEST_F(FrameListWindows, EveryListPrintsTheWordsItShowsOverItsColumnsWhateverTheScreen)
{
    const struct {
        const char *what;
        std::function<void()> open;
    } views[] = {
        {"verbs", [&] { frameRequests->DoStdGrid(tav::SqlLang3, true, 0, QStringLiteral("Greek verbs"), 5, QStringLiteral("WT Like'c*'")); }},
        {"words", [&] { frameRequests->DoStdGrid(tav::SqlLang3, true, 0, QStringLiteral("Greek words"), 2, QStringLiteral("ID < 400")); }},
        {"word type", [&] { frameRequests->DoStdGrid(tav::SqlLang3, true, 0, QStringLiteral("adverbs"), 1, QStringLiteral("WT Like'ad*'")); }},
        {"forms", [&] { frameRequests->DoStdGrid(kFormsSql, false, 33, QStringLiteral("agapav"), 33, QString()); }},
        {"English", [&] { frameRequests->DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE ID < 300"), 1, QStringLiteral("x"), 2); }},
        {"third language", [&] { frameRequests->DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE ID < 300"), 2, QStringLiteral("x"), 2); }},
    };
    P001 &print = *w->PrintInstance();
    for (const auto &view : views) {
        SCOPED_TRACE(view.what);
        view.open();
        ASSERT_FALSE(w->ChildForms().isEmpty());
        auto *list = dynamic_cast<tav::ListWindow *>(w->ChildForms().last());
        ASSERT_NE(list, nullptr);
        flexgrid::FlexGrid &g = *list->Grid();

        // What the list shows over each of its visible columns.
        QStringList shown, fieldNames;
        QVector<bool> greek; // shown in the Greek font
        for (int c = 0; c < g.Cols(); ++c) {
            if (g.ColWidth(c) <= 30)
                continue;
            const QPushButton *button = list->HeadingOver(c);
            ASSERT_NE(button, nullptr) << "column " << c << " has no heading on the screen";
            // The third language's column of a standard list: its name.
            const bool thirdLanguage =
                dynamic_cast<tav::GridStd *>(list) && list->Grid()->Tag() != QLatin1String("33") && c == 6;
            shown << (thirdLanguage ? tav::Opt3rdLang : button->text());
            greek << (button->font().family() == winsys::GreekFamily);
            fieldNames << g.TextMatrix(0, c);
        }
        ASSERT_FALSE(shown.isEmpty());

        // Printed twice: as the list is, and as another screen's scale would
        // lay it out (taller rows, wider columns).
        QVector<tavtest::Recording> runs(2);
        for (int run = 0; run < 2; ++run) {
            if (run == 1) {
                for (int c = 0; c < g.Cols(); ++c)
                    if (g.ColWidth(c) > 30)
                        g.SetColWidth(c, g.ColWidth(c) * 3 / 2);
                for (int r = 1; r < g.Rows(); ++r)
                    if (g.RowHeight(r) > 30)
                        g.SetRowHeight(r, g.RowHeight(r) * 6 / 5);
            }
            print.SetPrinterSource(std::make_shared<tavtest::RecordingSource>(runs[run]));
            tavtest::PressWhenShown(&print, QStringLiteral("Command1(0)"));
            w->imgPrintNorm_Click();
            ASSERT_TRUE(runs[run].ended);
        }
        const QVector<tavtest::DrawnText> heads = HeadingRow(runs[0], list->windowTitle());
        QStringList printed;
        for (const tavtest::DrawnText &t : heads)
            printed << t.text;
        EXPECT_EQ(printed, shown) << "field names: " << fieldNames.join(QLatin1Char(' ')).toStdString();
        for (int i = 0; i < heads.size() && i < greek.size(); ++i)
            EXPECT_EQ(heads[i].family == winsys::GreekFamily, greek[i]) << heads[i].text.toStdString();

        // The same pages, the same places on them.
        EXPECT_EQ(runs[1].pages, runs[0].pages);
        const QVector<tavtest::DrawnText> again = HeadingRow(runs[1], list->windowTitle());
        ASSERT_EQ(again.size(), heads.size());
        for (int i = 0; i < heads.size(); ++i)
            EXPECT_EQ(again[i].at, heads[i].at) << heads[i].text.toStdString();
        list->CloseWindow();
        QCoreApplication::processEvents();
    }
}

// The list's kind reaches the print window as a value, whatever the
// window's name: a standard list's job names its searched Greek in Greek
// letters, a simple list's title stays as it is.
TEST_F(FrameListWindows, TheListsKindReachesPrintWhateverTheWindowsName)
{
    const struct {
        const char *what;
        std::function<void()> open;
        QString title, docName;
    } lists[] = {
        {"forms", [&] { frameRequests->DoStdGrid(kFormsSql, false, 33, QStringLiteral("agapav"), 33, QString()); },
         QStringLiteral("9 records found for other forms on:\"agapav\""),
         QStringLiteral("9 records found for other forms on:\"αγαπά\"")},
        {"English", [&] { frameRequests->DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE ID < 300"), 1, QStringLiteral("x"), 2); },
         QStringLiteral("9 non unique English words on \"agapav\""), QStringLiteral("9 non unique English words on \"agapav\"")},
    };
    P001 &print = *w->PrintInstance();
    for (const auto &list : lists) {
        SCOPED_TRACE(list.what);
        list.open();
        ASSERT_FALSE(w->ChildForms().isEmpty());
        QWidget *form = w->ChildForms().last();
        form->setObjectName(QStringLiteral("list"));
        form->setWindowTitle(list.title);
        tavtest::Recording rec;
        print.SetPrinterSource(std::make_shared<tavtest::RecordingSource>(rec));
        tavtest::PressWhenShown(&print, QStringLiteral("Command1(0)"));
        w->imgPrintNorm_Click();
        ASSERT_TRUE(rec.ended);
        EXPECT_EQ(rec.docName.toStdString(), list.docName.toStdString());
        qobject_cast<tav::ListWindow *>(form)->CloseWindow();
        QCoreApplication::processEvents();
    }
}
