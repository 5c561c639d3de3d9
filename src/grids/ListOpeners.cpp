#include "grids/ListOpeners.h"

#include "grids/GridSimple.h"
#include "grids/ListWindowHost.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/font/GreekKeys.h"
#include "store/CategoryCodes.h"
#include "store/Dynasets.h"
#include "store/GreekLetters.h"
#include "store/ListWindowLink.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');

QString Quoted(const QString &text) { return Q + text + Q; }

} // namespace

ListOpeners::~ListOpeners()
{
    if (ListWindowRequestsInstalled() && &ListWindowRequests() == this)
        SetListWindowRequests(nullptr);
}

QString ChosenLetterName()
{
    if (!LetterPicked())
        return QString();
    const int place = ListHost().LetterIndex();
    return TreeBuilt() ? GreekLetterName(place) : LatinLetter(place);
}

QString ListOpeners::StdTitle(bool IsGreek, const QString &Caption, int ViewTag)
{
    // The searched text, typed as Latin keys, in Greek letters: the title
    // bar, the Window menu and the print entry show the title in their own
    // font, not the Greek key font.
    if (!IsGreek) {
        return (ViewTag == 33 ? QStringLiteral("records found for other forms on:")
                              : QStringLiteral("records found for Greek words on: ")) +
               Quoted(winsys::GreekKeysToUnicode(Caption));
    }
    QString title = CategoryText(ListHost().SelectedNodeTag());
    const QString letter = ChosenLetterName();
    if (!letter.isEmpty())
        title += QStringLiteral(" on ") + Quoted(letter);
    return title;
}

QString ListOpeners::SimpleTitle(const QString &Word)
{
    QString title = CategoryText(ListHost().SelectedNodeTag());
    const QString letter = ChosenLetterName();
    if (!letter.isEmpty())
        title += QStringLiteral(" on ") + Quoted(letter);
    else if (!Word.isEmpty() && !Word.at(0).isDigit())
        title += QStringLiteral(" on ") + Quoted(Word);
    return title;
}

QString ListOpeners::StdNoResult(int ViewTag)
{
    return ViewTag == 33 ? QStringLiteral("No records found for other forms on :")
                         : QStringLiteral("No records found for Greek words on :");
}

QString ListOpeners::SimpleNoResult(int Lang)
{
    return (QStringLiteral("No records found for ") + (Lang == 1 ? QStringLiteral("English") : Opt3rdLang) +
            QStringLiteral(" words on :"))
        .trimmed();
}

void ListOpeners::DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                            const QString &Filter)
{
    try {
        dao::RecordsetPtr rows = RowsPassing(Sql, Filter);
        if (!rows) {
            ListHost().ShowNoResult(StdNoResult(ViewTag), Caption);
            return;
        }
        const long long count = rows->RecordCount();
        StdGridWindowLink *window = ListWindows().NewStdGrid();
        if (!window)
            return;
        ShowNewStdGrid(*window, std::move(rows), Filter, Sql,
                       QString::number(count) + QLatin1Char(' ') + StdTitle(IsGreek, Caption, ViewTag), SortValue,
                       ViewTag);
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
}

void ListOpeners::DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode)
{
    try {
        dao::RecordsetPtr rows = RowsPassing(Sql, QString());
        if (!rows) {
            ListHost().ShowNoResult(SimpleNoResult(Lang), Word);
            return;
        }
        auto *window = new GridSimple;
        try {
            window->Open(std::move(rows), Sql, Lang, SimpleTitle(Word), Mode);
        } catch (...) {
            window->CloseWindow();
            throw;
        }
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
}

} // namespace tav
