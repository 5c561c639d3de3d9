// Procedures of the category tree, the list requests, the search strip and
// the settings dialog. They keep the main window working until their own
// files (MdiTree.cpp, MdiSearch.cpp, the settings dialog) take them over;
// each is then removed from here.
#include "mainwindow/MDI.h"

namespace tav {

void MDI::JulGran() {}
void MDI::JulText() {}
void MDI::cboTree_Click() {}
void MDI::cmdShow_Click() {}
void MDI::mnuNodeFirstParts_Click(int) { cmdShow_Click(); }
void MDI::frmOptions_Show() {}

} // namespace tav
