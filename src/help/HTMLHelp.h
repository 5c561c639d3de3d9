#pragma once
// The help object: shows the program's help file through the help viewer.
// The main window sets the file and the window type and asks for the
// contents; the other members (topics, index, search, keyword and link
// look-ups, pop-ups, registration, versions) serve any other caller.
//
// Every display first checks the file: its name must end in ".qch", and a
// name without a folder is looked up among the registered help files, else
// taken from the program's folder. Problems are reported in message boxes
// captioned "HTML Help Class"; a display the viewer cannot make is reported
// too. Texts compare without regard to letter case.

#include <QString>
#include <QtGlobal>

namespace helpctl {
struct Request;
}

class HTMLHelp {
public:
    // --- Properties ---------------------------------------------------------
    QString CHMFile;     // the help file; a display may rewrite it to the full path
    QString HHWindow;    // window type; blank: the file's default window
    bool HHShowOnTop = false; // true: the caller's window owns the help window
    QString HHTopicURL;  // HHDisplayTopicURL: the topic's address in the file
    qint32 HHTopicID = 0; // HHDisplayTopicID: the topic's number
    QString HHKeyword;   // HHDisplayKeyword: index keywords, ";" between them
    QString HHALink;     // HHDisplayALink: link names, ";" between them
    QString HHDefaultURL; // look-ups: the topic shown when nothing is found
    QString HHMsgText;   // look-ups: else this message is shown
    QString HHMsgTitle;  // ... with this title

    // Pop-ups: the source kind (0 none, 1 topic HHPopupID of the text file
    // HHPopupFile inside the help file, 2 a string resource, 4 HHPopupText),
    // colours as 0x00BBGGRR values, and the font. Styling goes back to its
    // defaults after each pop-up shown.
    QString HHPopupFile;
    qint32 HHPopupType = 0;
    QString HHPopupText;
    qint32 HHPopupID = 0;
    quint32 HHPopupTextColor = 0;
    quint32 HHPopupBackColor = 0;
    quint32 HHPopupCustomTextColor = 0;
    quint32 HHPopupCustomBackColor = 0;
    bool HHPopupCustomColors = false;
    QString HHPopupTextFont = QStringLiteral("Arial");
    QString HHPopupTextSize = QStringLiteral("10");
    bool HHPopupTextBold = false;
    bool HHPopupTextItalic = false;
    bool HHPopupTextUnderline = false;

    // The result of the last registration look-up.
    QString HHRegFileName() const { return m_regFileName; }
    QString HHRegFilePath() const { return m_regFilePath; }
    bool HHRegFileExists() const { return m_regFileExists; }

    // The help window of the last display, 0 when it showed none.
    long HHWndHandle() const { return m_wndHandle; }

    // The help engine and the page view the viewer is built on: their
    // version ("6.4.2") and a release name for it.
    bool HHInstalled();
    QString HHVersion();
    QString IEVersion();
    QString HHFriendlyName();
    QString IEFriendlyName();

    // --- Displays: hwnd is the caller's window (0: none); it owns the help
    // window only when HHShowOnTop is set. --------------------------------
    void HHDisplayContents(long hwnd);
    void HHDisplayTopicURL(long hwnd);
    void HHDisplayTopicID(long hwnd);
    void HHDisplayIndex(long hwnd);
    void HHDisplaySearch(long hwnd);
    void HHDisplayKeyword(long hwnd);
    void HHDisplayALink(long hwnd);
    // A text pop-up at the mouse position, owned by hwnd.
    void HHDisplayPopup(long hwnd);
    // Closes every help window and pop-up.
    void HHClose();
    // Puts the window into what's-this mode: the next click shows the
    // clicked control's what's-this text.
    void HHInvokeWhatsThisHelp(long hwnd);
    // A window here has no system menu with a help entry: does nothing.
    void HHDeleteJumpURLSysMenu(long hwnd);

    // --- Help files ---------------------------------------------------------
    // Resolves a name without a folder (registered folder, else the
    // program's folder) and checks that the file is there; reports a missing
    // file. name is rewritten to the path checked.
    bool EnsureFileExists(QString &name);
    // Looks the name (its file name part) up among the registered help
    // files and sets HHRegFileName, HHRegFilePath and HHRegFileExists.
    void HHCheckRegistry(const QString &name);
    void HHRegister(QString &name);
    void HHUnRegister(QString &name);
    // True when the linked help engine and page view are at least the
    // versions chosen by the codes (minHH 16-26, minIE 256-273).
    bool HHVerifyMinConfig(qint32 &minHH, qint32 &minIE);
    // A default help file name: kind 1 the program's "Library.qch", kind 2
    // "Library.txt", else empty.
    QString HHSetHelpFile(qint16 kind) const;

    // Compares two dotted version texts number by number (missing numbers
    // count as 0): negative, 0 or positive.
    static int CompareVersions(const QString &a, const QString &b);

private:
    bool isValidChmFile(const QString &name);
    bool isValidPopupFile(const QString &name);
    // The checks of every display: a valid name of a file that is there.
    bool checkFile();
    // target: the help file, with ">" and the window type when withWindow
    // and HHWindow holds more than blanks.
    QString target(bool withWindow) const;
    long owner(long hwnd) const;
    // Sends one request to the viewer and reports a failure; *handle (when
    // given) gets the window the viewer returns.
    bool send(long ownerHandle, const QString &file, const helpctl::Request &request, long *handle);
    // A display with the checks' result already known good.
    void display(long hwnd, bool withWindow, int command, const QString &url = QString(), int id = 0);
    void lookUp(long hwnd, int command, const QString &names);
    void resetPopupStyle();

    int msgCritical(const QString &text);
    int msgExclamation(const QString &text);
    int msgInformation(const QString &text);

    QString m_regFileName;
    QString m_regFilePath;
    bool m_regFileExists = false;
    long m_wndHandle = 0;
    QString m_hhVersion;
    QString m_ieVersion;
    QString m_hhFriendlyName;
    QString m_ieFriendlyName;
};
