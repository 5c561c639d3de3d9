#pragma once
// The print window: prints the grid of a list window. The main window's
// print command sets the members below and calls PrintGridAPI.
//
// This is the interface the print command relies on; until the print engine
// exists, PrintGridAPI only records the request (the command's caller sees
// no failure either way).

#include <QPointer>
#include <QString>
#include <QWidget>

class P001 {
public:
    // The grid to print, kept by reference (the list window owns it).
    QPointer<QWidget> GridToPrint;
    // The unit of every margin: 6 is millimetres.
    int MarginUnits = 6;
    float LeftMargin = 0;
    float TopMargin = 0;
    float RightMargin = 0;
    float BottomMargin = 0;
    QString ReportTitle;
    // The name of the window whose grid is printed.
    QString FormToPrint;
    // When true, PrintGridAPI first shows the print options dialog.
    bool AllowDialogue = false;

    // Prints GridToPrint with the settings above; handles its own errors.
    bool PrintGridAPI();

    // How many print requests were made (the stand-in's record).
    int Requests() const { return m_requests; }

private:
    int m_requests = 0;
};
