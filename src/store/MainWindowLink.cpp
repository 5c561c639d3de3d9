#include "store/MainWindowLink.h"

#include "store/InstalledLink.h"

#include <QMap>
#include <QDebug>

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

// Without a window (a test, a tool) there is nobody to ask: the message goes
// to stderr and a question gets the answer that changes nothing.
void MainWindowLink::TellAtStart(const Notice &notice) { qWarning().noquote() << notice.Prompt; }

int MainWindowLink::AskAtStart(const Notice &question)
{
    qWarning().noquote() << question.Prompt;
    return winsys::SafeAnswer(question.Style);
}

} // namespace tav
