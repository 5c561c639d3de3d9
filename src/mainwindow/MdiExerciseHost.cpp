#include "mainwindow/MdiExerciseHost.h"

#include "mainwindow/MDI.h"

namespace tav {

void MdiExerciseHost::SmallFacts(long long ID, const QString &Text, int Kind) { m_mdi.SmallFacts(ID, Text, Kind); }

void MdiExerciseHost::DeKlino(long Color, long long ID) { m_mdi.DeKlino(Color, ID); }

void MdiExerciseHost::BaseFrase() { m_mdi.BaseFrase(); }

void MdiExerciseHost::ShowWordID(long long ID) { m_mdi.ShowWordID(ID); }

void MdiExerciseHost::SetPanelText(int panel, const QString &text) { m_mdi.SetPanelText(panel, text); }

QMdiArea *MdiExerciseHost::ClientArea() const { return m_mdi.mdiClient; }

// The toolbar comes back when the exercise window closes: so does the room a
// list keeps.
void MdiExerciseHost::ShowToolbar(bool Shown)
{
    m_mdi.picToolbar->setVisible(Shown);
    if (Shown)
        m_mdi.KeepRoomForExercise(false);
}

} // namespace tav
