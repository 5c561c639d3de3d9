#pragma once
// The help viewer behind the help object: one entry point that takes a help
// file (and, after ">", the window type it opens in), a command and the
// command's data, and returns the handle of the help window that shows it
// (0 when none does). The program installs the Qt Help viewer; tests install
// a recording one.

#include <QPoint>
#include <QString>

namespace helpctl {

enum class Command : int {
    DisplayTopic = 0,     // a topic by address; an empty address: the file's default topic
    DisplayToc = 1,       // the contents pane and the default topic
    DisplayIndex = 2,     // the index pane
    DisplaySearch = 3,    // the full-text search pane
    KeywordLookup = 13,   // the topics of an index keyword
    DisplayTextPopup = 14,// a text pop-up at a screen position
    HelpContext = 15,     // a topic by its context number
    CloseAll = 18,        // closes every help window and pop-up
    ALinkLookup = 19,     // the topics of an associative link name
};

// Keyword and associative-link look-ups: several names are separated by ";".
// When no topic is found, the default address is shown, else the message.
struct LinkLookup {
    QString keywords;
    QString defaultUrl;
    QString msgText;
    QString msgTitle;
    QString window;
};

// A text pop-up: either text itself or topic `id` of the text file
// `innerFile` inside the help file. Colours are 0x00BBGGRR values; the font
// text is "face, size, charset, styles" (styles: Bold, Italic, Underline).
struct Popup {
    QString innerFile;
    int id = 0;
    QString text;
    QPoint pos;
    quint32 textColor = 0;
    quint32 backColor = 0;
    QString font;
};

struct Request {
    Command command = Command::DisplayToc;
    QString url;   // DisplayTopic
    int id = 0;    // HelpContext
    LinkLookup link;
    Popup popup;
};

class HelpControl {
public:
    virtual ~HelpControl() = default;
    // owner: the window that owns the help window (0: none). target: the help
    // file, optionally followed by ">" and a window type; empty for CloseAll
    // and for pop-ups of plain text. Returns the help window's handle, 0 when
    // none is shown; a failure leaves its reason in LastError().
    virtual long HtmlHelp(long owner, const QString &target, const Request &request) = 0;
    // Why the last call showed nothing; empty after a call that succeeded.
    virtual QString LastError() const = 0;
};

// Installs the control (not owned); nullptr restores the Qt Help viewer.
void SetHelpControl(HelpControl *control);
HelpControl &CurrentHelpControl();

// Splits a target into its help file and its window type ("" when none).
void SplitTarget(const QString &target, QString *file, QString *window);

} // namespace helpctl
