#include "grids/ListWindowHost.h"

#include <QWidget>

namespace tav {

namespace {

// Before the program installs the main window: windows show on their own
// and nothing is reported.
class NoHost : public ListWindowHost {
public:
    void SmallFacts(long long, const QString &, int) override {}
    void PopupConjugations(const QPoint &) override {}
    void ShowNoResult(const QString &, const QString &) override {}
    QString PanelText(int) const override { return QString(); }
    void SetPanelText(int, const QString &) override {}
    void JulGran() override {}
    QString SelectedNodeTag() const override { return QString(); }
    int LetterIndex() const override { return 0; }
    int ClientHeight() const override { return 0; }
    QMdiSubWindow *AddChild(QWidget *, ListWindowLink &) override { return nullptr; }
};

ListWindowHost *g_host = nullptr;

} // namespace

ListWindowHost &ListHost()
{
    static NoHost none;
    return g_host ? *g_host : none;
}

void SetListHost(ListWindowHost *host) { g_host = host; }

} // namespace tav
