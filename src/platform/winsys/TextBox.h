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

    // The stored text the box shows (a word's remark): ShowStored shows it
    // as a new text leaves a box (unmodified, without undo steps, at its
    // start) and keeps it, as what an edit of the box replaces and what
    // ShowStored(StoredText()) brings back. The same text again is not set
    // again, so that the box is not repainted.
    void ShowStored(const QString &text);
    const QString &StoredText() const { return m_stored; }
    // The text the box shows has just been stored: it is the stored text,
    // and the box is unmodified.
    void MarkStored(const QString &text);

    // Open for tests, which hand in data as the clipboard would.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    QString m_stored;
};

} // namespace winsys
