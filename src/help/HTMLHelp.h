#pragma once
// The help object: opens the contents of the program's help file. The main
// window sets the file and the window type and asks for the contents.
//
// Until the help work chooses the help format, HHDisplayContents checks the
// file and reports a missing one exactly as the help object does, and only
// counts the requests for an existing one.

#include <QString>

class HTMLHelp {
public:
    // The path of the help file.
    QString CHMFile;
    // The window type the file opens in ("Main").
    QString HHWindow;

    // Shows the help file's contents. hwnd: the owner window (0: none).
    // A missing file is reported with its path and nothing opens.
    void HHDisplayContents(long hwnd);

    // How many times the contents were asked for with an existing file.
    int Opened() const { return m_opened; }

private:
    int m_opened = 0;
};
