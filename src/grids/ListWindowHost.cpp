#include "grids/ListWindowHost.h"

#include "store/InstalledLink.h"

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
    static NoHost none;
    return InstalledOr<ListWindowHost>(g_host, none, "ListHost(): no list window host was installed (SetListHost)");
}

void SetListHost(ListWindowHost *host) { g_host = host; }

} // namespace tav
