#pragma once
// The message-box service the program installs: shows a QMessageBox with the
// button set, icon and default button that the style number asks for, and
// returns the result code of the pressed button (vbOK, vbYes, ...).

#include "platform/winsys/core/MsgBox.h"

#include <QMessageBox>
#include <QVector>

#include <memory>

class QWidget;

namespace winsys {

// What a style number asks of the box; a plain description so that the
// mapping can be checked without showing a dialog.
struct MessageBoxLayout {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QVector<QMessageBox::StandardButton> buttons; // in the style's order, left to right
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Whether Esc or the window's close button may answer, and with which
    // button: the one of SafeAnswer(style), the answer that changes nothing.
    // A question with NoSafeAnswer must be answered with one of its buttons.
    bool escapeAllowed = false;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

MessageBoxLayout LayoutForStyle(int style);
// The result code of a pressed button (vbOK ... vbNo); vbCancel for a
// button that has no code of its own.
int ResultForButton(QMessageBox::StandardButton button);

class QtMessageService : public MessageService {
public:
    int Show(const QString &prompt, int style, const QString &title) override;

    // The box Show() runs, built but not shown (tests drive it).
    static std::unique_ptr<QMessageBox> BuildBox(const QString &prompt, int style, const QString &title,
                                                 QWidget *parent = nullptr);
};

} // namespace winsys
