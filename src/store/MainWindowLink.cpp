#include "store/MainWindowLink.h"

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
    if (g_link)
        return *g_link;
#ifndef NDEBUG
    // An entry point that forgot SetLink would lose every status text and
    // window request without a trace: in debug builds and tests it stops here.
    qFatal("Link(): no main window link was installed (SetLink)");
#endif
    static SilentLink silent;
    return silent;
}

void SetLink(MainWindowLink *link) { g_link = link; }

} // namespace tav
