#include "store/MainWindowLink.h"

#include "store/InstalledLink.h"

#include <QMap>
#include <QtGlobal>

namespace tav {

namespace {
// A release build without a window keeps the panel texts so that reads after
// writes agree.
class SilentLink : public MainWindowLink {
public:
    void SetPanelText(int panel, const QString &text) override { m_panels[panel] = text; }
    QString PanelText(int panel) const override { return m_panels.value(panel); }

private:
    QMap<int, QString> m_panels;
};

MainWindowLink *g_link = nullptr;
} // namespace

MainWindowLink &Link()
{
    static SilentLink silent;
    return InstalledOr<MainWindowLink>(g_link, silent, "Link(): no main window link was installed (SetLink)");
}

void SetLink(MainWindowLink *link) { g_link = link; }

void MainWindowLink::TellAtStart(const Notice &notice) { tav::Tell(notice); }

int MainWindowLink::AskAtStart(const Notice &question) { return tav::Tell(question); }

} // namespace tav
