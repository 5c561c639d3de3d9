#include "store/WindowRoutines.h"

#include "platform/dao/Dao.h"
#include "store/CaptionArrays.h"
#include "store/EditRefusal.h"
#include "store/ListWindowLink.h"
#include "store/MainWindowLink.h"
#include "store/Notice.h"
#include "store/SharedState.h"

#include <QRegularExpression>

namespace tav {

QString ErrorDescription(const std::exception &error)
{
    if (const auto *refusal = dynamic_cast<const EditRefusal *>(&error))
        return refusal->Message();
    if (const auto *dbError = dynamic_cast<const dao::DaoError *>(&error))
        return dbError->Description();
    return QString::fromUtf8(error.what());
}

void SetStatusText(const QString &Text, bool AddSuffix)
{
    MainWindowLink &mdi = Link();
    if (Text.isEmpty())
        mdi.SetPanelText(1, Caps1185(1186));
    else if (AddSuffix)
        mdi.SetPanelText(1, Text + Caps1185(1187));
    else
        mdi.SetPanelText(1, Text);
    mdi.RefreshStatusBar();
}

void RefreshGridForms()
{
    // The list is taken before the first refresh: a refresh that finds no
    // rows may close its window.
    const QList<ListWindowLink *> windows = Link().OpenListWindows();
    for (ListWindowLink *window : windows) {
        if (window && window->Name().startsWith(QLatin1String("Grid"), Qt::CaseInsensitive))
            window->RefreshGrid();
    }
}

void ShowCurrentListRow()
{
    const QList<ListWindowLink *> windows = Link().OpenListWindows();
    for (ListWindowLink *window : windows)
        if (window)
            window->ShowCurrentRow();
}

QStringList CloseListsReading(const QStringList &Tables)
{
    QStringList names;
    for (const QString &table : Tables)
        names << QRegularExpression::escape(table);
    QStringList closed;
    if (names.isEmpty())
        return closed;
    const QRegularExpression reads(QStringLiteral("(?<![\\w$])(?:") + names.join(QLatin1Char('|')) +
                                       QStringLiteral(")(?![\\w$])"),
                                   QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QList<ListWindowLink *> windows = Link().OpenListWindows();
    for (ListWindowLink *window : windows) {
        if (window && reads.match(window->QueryText()).hasMatch()) {
            closed << window->Caption();
            window->Close();
        }
    }
    return closed;
}

void UpdatePrintMenu(bool HasForm, const QString &FrmCaption)
{
    if (HasForm) {
        const QString caption = QStringLiteral("The active form: \"") + FrmCaption + QLatin1Char('"');
        Link().SetPrintEntries(true, caption, QStringLiteral("Print :") + caption);
    } else {
        const QString none = QStringLiteral("No active form to print.. ");
        Link().SetPrintEntries(false, none, none);
    }
}

void UpdateWindowMenus(bool Closing)
{
    MainWindowLink &mdi = Link();
    mdi.MDIForm_Resize();

    bool anyVisible = false;
    bool anyNoClose = false;
    for (const MainWindowLink::ChildWindow &child : mdi.ChildWindows()) {
        if (child.name == QLatin1String("MDI") || child.name == QLatin1String("Splash"))
            continue;
        anyVisible = anyVisible || child.visible;
        anyNoClose = anyNoClose || child.tag == QLatin1String("NoClose");
    }

    if (!Closing) {
        if (anyVisible) {
            mdi.SetWindowMenusEnabled(true);
            mdi.SetKlinEnabled(true);
        }
        return;
    }
    // Closing: the menus stay as they are while another child window is
    // open; after the last one they are disabled and the grammar panel
    // shows its base state again (its grid locked, as no word is shown).
    // A window that "Close all windows" leaves open keeps them too.
    if (anyVisible || anyNoClose)
        return;
    mdi.SetWindowMenusEnabled(false);
    mdi.BaseFrase();
    mdi.DeKlino(0xFFFF, 99999);
    mdi.SetKlinEnabled(false);
}

} // namespace tav
