// The Show button under the category tree and the tree's pop-up entry: the
// selected node and the chosen letter become a word list.
#include "mainwindow/MDI.h"

#include "inflection/GrammarPanel.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/ListRequests.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QComboBox>
#include <QTreeWidgetItem>

namespace tav {

void MDI::cmdShow_Click()
{
    winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
    // A word picked from the new list shows its active voice first.
    grammar->SetVoiceMenuChoice(0, true);
    grammar->SetVoiceMenuChoice(1, false);
    grammar->SetVoiceMenuChoice(2, false);

    QTreeWidgetItem *node = SelectedNode();
    if (!node)
        return;
    try {
        SendListRequest(ShowRequest(NodeKey(node), node->text(0), LetterPicked(), cboTree->currentText()));
    } catch (const std::exception &e) {
        // The list windows report their own failures; anything else is told
        // here, and the program goes on.
        winsys::ShowErrorBox(e);
    }
}

void MDI::mnuNodeFirstParts_Click(int) { cmdShow_Click(); }

} // namespace tav
