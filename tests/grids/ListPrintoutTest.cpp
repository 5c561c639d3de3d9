// What a list window hands the print window: its kind, and by column the
// words it shows over each column (those of a hidden column left out) with
// whether they are in the Greek font. Every kind of list and view.

#include "ListWindowFixture.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "platform/font/FontLoader.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"

#include <functional>

using tavtest::ListWindowFixture;

namespace {

const QString kFormsSql = QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek "
                                         " FROM FormsAll WHERE FormGreek  Like'agapav*'");

class ListPrintoutTest : public ListWindowFixture {
protected:
    tav::GridStd *Std(const QString &filter, int tag)
    {
        auto *w = Keep(new tav::GridStd);
        const QString sql = tag == 33 ? kFormsSql : tav::SqlLang3;
        dao::RecordsetPtr rows = tav::RowsPassing(sql, filter);
        tav::ShowNewStdGrid(*w, std::move(rows), filter, sql, QStringLiteral("list"), tag == 33 ? 33 : 0, tag);
        return w;
    }
    // A list of words whose meaning column Index (1 English, 2 the third
    // language) is hidden by its button.
    tav::GridStd *Hiding(int Index)
    {
        tav::GridStd *w = Std(QStringLiteral("ID < 400"), 2);
        w->cmdCol_Click(Index);
        return w;
    }
    tav::GridSimple *Simple(int lang)
    {
        const QString sql = (lang == 1 ? tav::SqlAllEnglish : tav::SqlAllLang3) + QStringLiteral(" WHERE ID < 300");
        auto *w = Keep(new tav::GridSimple);
        w->Open(tav::RowsPassing(sql, QString()), sql, lang, tav::ListOpeners::SimpleTitle(QStringLiteral("x")), 2);
        return w;
    }
};

TEST_F(ListPrintoutTest, EachListHandsOverItsKindAndTheHeadingsItShows)
{
    using Kind = tav::ListWindow::Kind;
    const QString greek = QStringLiteral("*Ta Ellhnikav"); // "*": in the Greek font
    const struct {
        const char *what;
        std::function<tav::ListWindow *()> open;
        Kind kind;
        QStringList headings; // by column
    } cases[] = {
        {"words", [this] { return Std(QStringLiteral("ID < 400"), 2); }, Kind::Standard,
         {"", "", "", "Art.", greek, "English", "Swedish"}},
        {"verbs (no article column)", [this] { return Std(QStringLiteral("WT Like'c*'"), 5); }, Kind::Standard,
         {"", "", "", "", greek, "English", "Swedish"}},
        {"English hidden by its button", [this] { return Hiding(1); }, Kind::Standard,
         {"", "", "", "Art.", greek, "", "Swedish"}},
        {"Swedish hidden by its button", [this] { return Hiding(2); }, Kind::Standard,
         {"", "", "", "Art.", greek, "English", ""}},
        {"inflected forms", [this] { return Std(QString(), 33); }, Kind::Standard,
         {"Ref 1", "", "Ref 2", "Greek Form", "English"}},
        {"English meanings", [this] { return Simple(1); }, Kind::Simple, {"", "", "English", "Art.", greek}},
        {"Swedish meanings", [this] { return Simple(2); }, Kind::Simple, {"", "", "Swedish", "Art.", greek}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const tav::ListWindow::Printout printout = c.open()->PrintedList();
        EXPECT_EQ(printout.ListKind, c.kind);
        QStringList headings;
        for (const tav::ListWindow::ColumnHeading &h : printout.Headings)
            headings << (h.Font.family() == winsys::GreekFamily ? QStringLiteral("*") : QString()) + h.Text;
        EXPECT_EQ(headings.join(QLatin1Char('|')).toStdString(), c.headings.join(QLatin1Char('|')).toStdString());
    }
}

} // namespace
