#include "store/MainWindowLink.h"

#include <QMap>

namespace tav {

namespace {
// Keeps the panel texts so that reads after writes agree, even before a
// window exists (start-up, the database builder).
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
    return g_link ? *g_link : silent;
}

void SetLink(MainWindowLink *link) { g_link = link; }

} // namespace tav
