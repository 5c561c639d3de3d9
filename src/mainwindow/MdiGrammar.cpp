// The grammar panel's procedures as the main window offers them to the list
// windows and the store: each runs on the panel, and reports its own errors.
#include "mainwindow/MDI.h"

#include "inflection/GrammarPanel.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/WindowRoutines.h"

#include <QMenu>

#include <algorithm>

namespace tav {

// ---------------------------------------------------------------------------
// The grammar panel's procedures

namespace {
// The views report a database error themselves when called from outside the
// panel, so that no caller is left with an exception.
template <class F> void Reported(F &&view)
{
    try {
        view();
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
}
} // namespace

// Another word shown, or none, would refill the remarks boxes: what was typed
// there for the word shown so far is stored first, as Enter would.
void MDI::BaseFrase()
{
    StoreTypedRemarks();
    grammar->BaseFrase();
}
void MDI::DeMenos(long color, long long lngID, int wordKind, bool showImperative)
{
    Reported([&] { grammar->DeMenos(color, lngID, wordKind, showImperative); });
}
void MDI::DeKlino(long color, long long lngID) { DeKlino(color, lngID, 0); }
void MDI::DeKlino(long color, long long lngID, int wordKind)
{
    Reported([&] { grammar->DeKlino(color, lngID, wordKind); });
}
void MDI::NounDeKlino(long color, long long lngID, int genus, int wordKind)
{
    Reported([&] { grammar->NounDeKlino(color, lngID, genus, wordKind); });
}
void MDI::DeKonju(long color, long long lngID, const QString &voice)
{
    Reported([&] { grammar->DeKonju(color, lngID, voice); });
}
void MDI::ReturnLista(bool NoJump) { grammar->ReturnLista(NoJump); }
void MDI::SmallFacts(long long lngID, const QString &StrLat, int iGridType)
{
    StoreTypedRemarks();
    grammar->SmallFacts(lngID, StrLat, iGridType);
}
void MDI::OpVoiceCheck(long long lngID)
{
    Reported([&] { grammar->OpVoiceCheck(lngID); });
}
void MDI::OpVoiceSwitch(int intVoice) { grammar->OpVoiceSwitch(intVoice); }
void MDI::mnuFirstParts_Click(int Index) { grammar->mnuFirstParts_Click(Index); }
void MDI::PopupConjugations(const QPoint &globalPos) { mnuConjugations->popup(globalPos); }
void MDI::KeyDownEdits(flexgrid::FlexGrid &MSFlexgrid, QLineEdit &Edt, int KeyCode)
{
    grammar->KeyDownEdits(MSFlexgrid, Edt, KeyCode);
}
void MDI::TavValid(QString &text, bool &valid) { GrammarPanel::TavValid(text, valid); }

QAction *MDI::ConjugationEntry(int index) { return mnuFirstParts[std::clamp(index, 0, 2)]; }

} // namespace tav
