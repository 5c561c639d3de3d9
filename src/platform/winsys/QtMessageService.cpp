#include "platform/winsys/QtMessageService.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace winsys {

namespace {

// A QMessageBox that refuses Esc and the close button when the style leaves
// no button to stand for them (Qt would otherwise pick the "No" button),
// except as the program ends on a signal: then any box closes.
class StyledMessageBox : public QMessageBox {
public:
    StyledMessageBox(bool escapeAllowed, QWidget *parent) : QMessageBox(parent), m_escapeAllowed(escapeAllowed) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!m_escapeAllowed && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (EndingProgram()) {
            done(0);
            event->accept();
            return;
        }
        if (!m_escapeAllowed) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_escapeAllowed;
};

} // namespace

MessageBoxLayout LayoutForStyle(int style)
{
    MessageBoxLayout layout;
    using B = QMessageBox;
    switch (style & 7) {
    case vbOKCancel: layout.buttons = {B::Ok, B::Cancel}; break;
    case vbAbortRetryIgnore: layout.buttons = {B::Abort, B::Retry, B::Ignore}; break;
    case vbYesNoCancel: layout.buttons = {B::Yes, B::No, B::Cancel}; break;
    case vbYesNo: layout.buttons = {B::Yes, B::No}; break;
    case vbRetryCancel: layout.buttons = {B::Retry, B::Cancel}; break;
    default: layout.buttons = {B::Ok}; break; // vbOKOnly and unknown sets
    }
    switch (style & 0x70) {
    case vbCritical: layout.icon = B::Critical; break;
    case vbQuestion: layout.icon = B::Question; break;
    case vbExclamation: layout.icon = B::Warning; break;
    case vbInformation: layout.icon = B::Information; break;
    default: layout.icon = B::NoIcon; break;
    }
    const int wanted = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    // A default beyond the last button falls back to the first.
    layout.defaultButton = layout.buttons.value(wanted, layout.buttons.first());
    // Esc and the close box give the answer that changes nothing.
    if (const int safe = SafeAnswer(style); safe != NoAnswer)
        for (auto button : layout.buttons)
            if (ResultForButton(button) == safe)
                layout.escapeButton = button;
    layout.escapeAllowed = layout.escapeButton != B::NoButton;
    return layout;
}

int ResultForButton(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return vbOK;
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Abort: return vbAbort;
    case QMessageBox::Retry: return vbRetry;
    case QMessageBox::Ignore: return vbIgnore;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return vbCancel;
    }
}

std::unique_ptr<QMessageBox> QtMessageService::BuildBox(const QString &prompt, int style, const QString &title,
                                                        QWidget *parent)
{
    const MessageBoxLayout layout = LayoutForStyle(style);
    auto box = std::make_unique<StyledMessageBox>(layout.escapeAllowed, parent);
    box->setWindowTitle(title.isEmpty() ? AppTitle : title);
    // Prompts hold words and user data: never read them as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(prompt);
    // A message's text (an address, a file name, an error) can be copied.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setIcon(layout.icon);
    for (auto button : layout.buttons)
        box->addButton(button);
    box->setDefaultButton(layout.defaultButton);
    if (layout.escapeAllowed)
        box->setEscapeButton(layout.escapeButton);
    return box;
}

int QtMessageService::Show(const QString &prompt, int style, const QString &title)
{
    auto box = BuildBox(prompt, style, title, QApplication::activeWindow());
    box->exec();
    QAbstractButton *clicked = box->clickedButton();
    // A box closed as the program ends gives the answer that changes nothing.
    if (!clicked)
        return EndingProgram() ? SafeAnswer(style) : DefaultAnswer(style);
    return ResultForButton(box->standardButton(clicked));
}

} // namespace winsys
