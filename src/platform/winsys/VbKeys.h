#pragma once
// Key events as the windows' handlers number them: KeyDown gets the virtual
// key code (13 Enter, 27 Esc, 46 Delete, 113 F2, 65..90 the letters) and the
// shift state (1 Shift, 2 Ctrl, 4 Alt); KeyPress gets the character code
// (13 Enter, 8 Backspace, 27 Esc, the typed character otherwise).

#include <Qt>

class QKeyEvent;

namespace winsys {

enum VbKey : int {
    vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17,
    vbKeyMenu = 18, vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34,
    vbKeyEnd = 35, vbKeyHome = 36, vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39,
    vbKeyDown = 40, vbKeyInsert = 45, vbKeyDelete = 46, vbKeyF1 = 112, vbKeyF2 = 113,
    vbKeyF5 = 116, vbKeyF10 = 121, vbKeyApps = 93,
};

enum VbShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The virtual key code of a key event; 0 for a key without one.
int VbKeyCode(const QKeyEvent *event);
// The shift state of the modifiers.
int VbShift(Qt::KeyboardModifiers modifiers);
// The character code a KeyPress handler receives; 0 when the key types
// nothing (arrows, function keys, Delete).
int VbKeyAscii(const QKeyEvent *event);

} // namespace winsys
