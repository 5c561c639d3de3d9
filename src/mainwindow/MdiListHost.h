#pragma once
// The main window as the list windows see it (ListWindowHost): its grammar
// panel, conjugation menu, empty-result boxes, status panels, tree, letter
// filter and client area.

#include "grids/ListWindowHost.h"

namespace tav {

class MDI;

class MdiListHost : public ListWindowHost {
public:
    explicit MdiListHost(MDI &mdi) : m_mdi(mdi) {}
    ~MdiListHost() override;

    void SmallFacts(long long ID, const QString &Text, int Kind) override;
    void PopupConjugations(const QPoint &GlobalPos) override;
    void ShowNoResult(const QString &Message, const QString &Text) override;
    void SetPanelText(int panel, const QString &text) override;
    void JulGran() override;
    QString SelectedNodeTag() const override;
    int LetterIndex() const override;
    int ClientHeight() const override;
    QMdiSubWindow *AddChild(ListWindow &Window) override;

private:
    MDI &m_mdi;
};

} // namespace tav
