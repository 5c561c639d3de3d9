#include "mainwindow/MdiListHost.h"

#include "mainwindow/MDI.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>

namespace tav {

MdiListHost::~MdiListHost()
{
    if (&ListHost() == this)
        SetListHost(nullptr);
}

void MdiListHost::SmallFacts(long long ID, const QString &Text, int Kind) { m_mdi.SmallFacts(ID, Text, Kind); }

void MdiListHost::PopupConjugations(const QPoint &GlobalPos) { m_mdi.PopupConjugations(GlobalPos); }

void MdiListHost::ShowNoResult(const QString &Message, const QString &Text)
{
    m_mdi.tbFind[0]->setText(Message);
    m_mdi.tbFind[1]->setText(Text);
}

void MdiListHost::SetPanelText(int panel, const QString &text) { m_mdi.SetPanelText(panel, text); }

void MdiListHost::JulGran() { m_mdi.JulGran(); }

QString MdiListHost::SelectedNodeTag() const
{
    const QTreeWidgetItem *node = m_mdi.SelectedNode();
    return node ? MDI::NodeTag(node) : QString();
}

int MdiListHost::LetterIndex() const { return m_mdi.cboTree->currentIndex(); }

int MdiListHost::ClientHeight() const { return m_mdi.mdiClient->viewport()->height(); }

QMdiSubWindow *MdiListHost::AddChild(ListWindow &Window) { return m_mdi.AddChild(Window); }

} // namespace tav
