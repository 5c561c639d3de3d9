#include "grids/ListWindowHost.h"

#include <QWidget>
#include <QtGlobal>

namespace tav {

namespace {

// A release build without the main window: windows show on their own and
// nothing is reported.
class NoHost : public ListWindowHost {
public:
    void SmallFacts(long long, const QString &, int) override {}
    void PopupConjugations(const QPoint &) override {}
    void ShowNoResult(const QString &, const QString &) override {}
    void SetPanelText(int, const QString &) override {}
    void JulGran() override {}
    QString SelectedNodeTag() const override { return QString(); }
    int LetterIndex() const override { return 0; }
    int ClientHeight() const override { return 0; }
    QMdiSubWindow *AddChild(ListWindow &) override { return nullptr; }
};

ListWindowHost *g_host = nullptr;

} // namespace

ListWindowHost &ListHost()
{
    if (g_host)
        return *g_host;
#ifndef NDEBUG
    // A forgotten SetListHost would leave the list windows reporting
    // nothing without a trace: in debug builds and tests it stops here.
    qFatal("ListHost(): no list window host was installed (SetListHost)");
#endif
    static NoHost none;
    return none;
}

void SetListHost(ListWindowHost *host) { g_host = host; }

} // namespace tav
