#include "platform/winsys/TextBox.h"

#include <QMimeData>

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

bool TextBox::canInsertFromMimeData(const QMimeData *source) const { return !PlainTextOf(source).isEmpty(); }

void TextBox::insertFromMimeData(const QMimeData *source)
{
    const QString text = PlainTextOf(source);
    if (!text.isEmpty())
        insertPlainText(text);
}

} // namespace winsys
