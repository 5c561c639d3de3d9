#include "platform/winsys/WholeText.h"

#include "platform/font/GreekKeys.h"
#include "platform/winsys/OnScreen.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QToolTip>

namespace winsys {

namespace {

// The part of the control (in its own coordinates) that its window shows:
// a control that reaches past an edge of a parent is cut there.
QRect ShownPart(const QWidget *control)
{
    QRect shown = control->rect();
    for (const QWidget *a = control->parentWidget(); a && !control->isWindow(); a = a->parentWidget()) {
        shown &= QRect(control->mapFrom(a, QPoint()), a->size());
        if (a->isWindow())
            break;
    }
    return shown;
}

// A button's caption as drawn: "&&" is one "&", a lone "&" marks the access key.
QString WithoutAccessKeyMark(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// The room a control gives its one line of text, in its own coordinates,
// and the text; an empty text where the control shows none or wraps it.
QRect TextRoom(const QWidget *control, QString *text)
{
    const QStyle *style = control->style();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control)) {
        *text = edit->displayText();
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        // The line edit keeps two pixels on each side of its text.
        return style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
            .marginsRemoved(edit->textMargins())
            .adjusted(2, 0, -2, 0);
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        *text = WithoutAccessKeyMark(button->text());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (!button->icon().isNull())
            room.setLeft(room.left() + button->iconSize().width() + 4);
        return room;
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (!label->wordWrap() && label->textFormat() != Qt::RichText)
            *text = label->text();
        const int inside = label->margin() + std::max(0, label->indent());
        return label->contentsRect().adjusted(inside, 0, -inside, 0);
    }
    return QRect();
}

// Watches one control: its tool tip and its focus box.
class WholeTextWatch : public QObject {
public:
    explicit WholeTextWatch(QWidget *control) : QObject(control), m_control(control)
    {
        control->installEventFilter(this);
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            connect(edit, &QLineEdit::textChanged, this, &WholeTextWatch::refreshLater);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_control)
            return false;
        switch (event->type()) {
        case QEvent::ToolTip: {
            const QString text = CutText(m_control);
            if (text.isEmpty())
                return false; // the control's own tip, if it has one
            const auto *help = static_cast<QHelpEvent *>(event);
            QToolTip::showText(help->globalPos(), text, m_control, m_control->rect());
            return true;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            refreshLater();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Once the event is handled: a panel that scrolls the control into
    // sight on the focus has done so by then.
    void refreshLater()
    {
        QTimer::singleShot(0, this, [this] {
            const QString text = m_control->hasFocus() && m_control->isVisible() ? CutText(m_control) : QString();
            if (text.isEmpty()) {
                if (m_tip)
                    m_tip->hide();
                return;
            }
            if (!m_tip)
                m_tip = new WholeTextTip(m_control);
            const QRect shown = ShownPart(m_control);
            m_tip->ShowBelow(text, QRect(m_control->mapToGlobal(shown.topLeft()), shown.size()));
        });
    }

    QWidget *m_control;
    QPointer<WholeTextTip> m_tip;
};

} // namespace

WholeTextTip::WholeTextTip(QWidget *owner) : QLabel(owner, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
{
    setObjectName(QStringLiteral("wholeTextTip"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(2);
}

void WholeTextTip::ShowBelow(const QString &text, const QRect &place)
{
    setText(text);
    setWordWrap(false);
    ensurePolished();
    adjustSize();
    const QScreen *screen = QGuiApplication::screenAt(place.center());
    if (!screen)
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    // A text wider than the screen wraps.
    if (screen && width() > area.width()) {
        setWordWrap(true);
        resize(area.width(), heightForWidth(area.width()));
    }
    // Shown first: a frame the platform adds is known then, and move()
    // places the frame.
    show();
    QRect tip(QPoint(place.left(), place.bottom() + 1), frameGeometry().size());
    if (screen) {
        if (tip.bottom() > area.bottom())
            tip.moveBottom(place.top() - 1);
        tip = FrameKeptInside(tip, area);
    }
    move(tip.topLeft());
}

QString CutText(const QWidget *control)
{
    QString text;
    const QRect room = TextRoom(control, &text) & ShownPart(control);
    if (text.isEmpty() || QFontMetrics(control->font()).horizontalAdvance(text) <= room.width())
        return QString();
    return TextOutsideFont(control->font(), text);
}

void ShowWholeTexts(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls)
        new WholeTextWatch(control);
}

} // namespace winsys
