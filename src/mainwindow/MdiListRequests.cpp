#include "mainwindow/MdiListRequests.h"

#include "mainwindow/MDI.h"
#include "platform/dao/Dao.h"
#include "store/CategoryCodes.h"
#include "store/Dynasets.h"
#include "store/GreekLetters.h"
#include "store/ListWindowLink.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');

// Opens a new list window on the rows; a window made half-way is closed
// again when a step fails.
void OpenWindow(dao::RecordsetPtr rows, const QString &name, const QString &Sql, const QString &Filter,
                const QString &caption, int SortValue, int Tag)
{
    StdGridWindowLink *window = ListWindows().NewStdGrid();
    if (!window)
        return;
    if (auto *object = dynamic_cast<QObject *>(window))
        object->setObjectName(name);
    ShowNewStdGrid(*window, std::move(rows), Filter, Sql, caption, SortValue, Tag);
}

} // namespace

MdiListRequests::~MdiListRequests()
{
    if (&ListWindowRequests() == this)
        SetListWindowRequests(nullptr);
}

QString MdiListRequests::letterName() const
{
    if (!LetterPicked())
        return QString();
    const int place = m_mdi.cboTree->currentIndex();
    return TreeBuilt() ? GreekLetterName(place) : LatinLetter(place);
}

QString MdiListRequests::StdCaption(long long count, bool IsGreek, const QString &Caption, int ViewTag) const
{
    const QString n = QString::number(count) + QLatin1Char(' ');
    if (!IsGreek)
        return n + (ViewTag == 2 ? QStringLiteral("records found for Greek words on: ")
                                 : QStringLiteral("records found for other forms on:")) +
               Caption;
    const QTreeWidgetItem *node = m_mdi.SelectedNode();
    QString text = n + CategoryText(node ? MDI::NodeTag(node) : QString());
    const QString letter = letterName();
    if (!letter.isEmpty())
        text += QStringLiteral(" on ") + Q + letter + Q;
    return text;
}

QString MdiListRequests::SimpleCaption(long long count, int Lang, const QString &Word) const
{
    QString text = QString::number(count) + QStringLiteral(" words on :") +
                   (Lang == 1 ? QStringLiteral("English") : Opt3rdLang);
    const QString letter = letterName();
    if (!letter.isEmpty())
        text += QStringLiteral(" on ") + Q + letter + Q;
    else if (!Word.isEmpty() && !Word.at(0).isDigit())
        text += QLatin1Char(' ') + Q + Word + Q;
    return text;
}

void MdiListRequests::DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                                const QString &Filter)
{
    try {
        dao::RecordsetPtr rows = RowsPassing(Sql, Filter);
        if (!rows) {
            m_mdi.tbFind[0]->setText(ViewTag == 33 ? QStringLiteral("No records found for other forms on :")
                                                   : QStringLiteral("No records found for Greek words on :"));
            m_mdi.tbFind[1]->setText(Caption);
            return;
        }
        const long long count = rows->RecordCount();
        OpenWindow(std::move(rows), QStringLiteral("GridStd"), Sql, Filter,
                   StdCaption(count, IsGreek, Caption, ViewTag), SortValue, ViewTag);
    } catch (const std::exception &e) {
        ShowErrorBox(e);
    }
}

void MdiListRequests::DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode)
{
    try {
        dao::RecordsetPtr rows = RowsPassing(Sql, QString());
        if (!rows) {
            m_mdi.tbFind[0]->setText(QStringLiteral("No records found for ") + Word);
            return;
        }
        const long long count = rows->RecordCount();
        OpenWindow(std::move(rows), QStringLiteral("GridSimple"), Sql, QString(), SimpleCaption(count, Lang, Word), 0,
                   Mode);
    } catch (const std::exception &e) {
        ShowErrorBox(e);
    }
}

} // namespace tav
