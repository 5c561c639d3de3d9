#pragma once
// The program's multi-line text box: a QTextEdit that pastes (and takes
// drops) as plain text only, and ignores clipboard data that offers no
// text. Clipboard data whose owner has exited offers no formats at all; a
// plain QTextEdit of Qt 6.4 dies inserting it, so every multi-line box of
// the program is made of this class.

#include <QTextEdit>

namespace winsys {

class TextBox : public QTextEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

    // Open for tests, which hand in data as the clipboard would.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

} // namespace winsys
