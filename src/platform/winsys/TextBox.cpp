#include "platform/winsys/TextBox.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextDocument>

namespace winsys {

namespace {

// Asks for the text only where the data says it has some: reading the text
// of data without formats is what fails.
QString PlainTextOf(const QMimeData *source)
{
    if (!source || source->formats().isEmpty() || !source->hasText())
        return QString();
    return source->text();
}

} // namespace

TextBox::TextBox(QWidget *parent) : QTextEdit(parent) { setAcceptRichText(false); }

void TextBox::ShowStored(const QString &text)
{
    m_stored = text;
    if (toPlainText() != text) {
        setPlainText(text);
        return;
    }
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    if (textCursor().position() != 0 || textCursor().hasSelection())
        moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void TextBox::MarkStored(const QString &text)
{
    m_stored = text;
    document()->setModified(false);
}

bool TextBox::canInsertFromMimeData(const QMimeData *source) const { return !PlainTextOf(source).isEmpty(); }

void TextBox::insertFromMimeData(const QMimeData *source)
{
    const QString text = PlainTextOf(source);
    if (!text.isEmpty())
        insertPlainText(text);
}

} // namespace winsys
