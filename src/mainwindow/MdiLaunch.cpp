// The main window's commands that hand work to other windows: the start of
// an exercise, the print launch of the active list window, the help file and
// the About window.
#include "mainwindow/MDI.h"

#include "grids/ListWindow.h"
#include "help/HTMLHelp.h"
#include "platform/font/FontLoader.h"
#include "mainwindow/About.h"
#include "mainwindow/MdiExerciseHost.h"
#include "printing/P001.h"
#include "store/SharedState.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace tav {

void MDI::ExerciseWhat(int Kind) { ExerciseKind = Kind; }

void MDI::mnuExParts_Click(int Index)
{
    ExerciseWhat(Index + 1);
    startExercise();
}

ExerciseWindowLink *MDI::ExerciseInstance() const { return m_exerciseWindow ? m_exercise : nullptr; }

void MDI::startExercise()
{
    if (ExerciseKind == 0)
        ExerciseKind = 1;
    if (!Exercises.CreateWindow || !Exercises.PickRandomWords) {
#ifndef NDEBUG
        // A forgotten exercise window would leave the menu doing nothing
        // without a trace: in debug builds and tests it stops here.
        qFatal("startExercise(): no exercise window was installed (MDI::Exercises)");
#endif
        return;
    }
    Exercises.PickRandomWords();
    if (!m_exerciseWindow) {
        if (!m_exerciseHost)
            m_exerciseHost = std::make_unique<MdiExerciseHost>(*this);
        m_exercise = Exercises.CreateWindow(*m_exerciseHost);
        m_exerciseWindow = m_exercise->Form();
    }
    m_exercise->BindRound(SqlLang3, PickCriteria);
    m_exercise->GridScribble();
    m_exercise->ProcessExercise();
    m_exercise->SelectTab(ExerciseKind);
    // The toolbar goes first, so that the window opens on the client area it keeps.
    picToolbar->hide();
    // One child window: shown again, not added a second time.
    QMdiSubWindow *sub = nullptr;
    for (QMdiSubWindow *s : mdiClient->subWindowList())
        if (s->widget() == m_exerciseWindow && !s->property("closed").toBool())
            sub = s;
    if (!sub)
        AddChild(*m_exercise);
    else
        mdiClient->setActiveSubWindow(sub);
    KeepRoomForExercise(true);
}

void MDI::imgPrintNorm_Click()
{
    // Each step that cannot be made (no active child, no grid) is skipped.
    P001 &print = *m_print;
    if (print.Printing())
        return;
    QWidget *form = ActiveForm();
    if (ListWindow *list = PrintableListOf(form); list && list->Grid()) {
        print.SetGridToPrint(list->Grid());
        // The page heads each column with the words the list shows over it.
        const ListWindow::Printout printout = list->PrintedList();
        P001::ListToPrint printed;
        printed.Kind = printout.ListKind == ListWindow::Kind::Simple ? P001::ListKind::Simple : P001::ListKind::Standard;
        for (const ListWindow::ColumnHeading &shown : printout.Headings) {
            // A Greek heading keeps the Greek font; the others print in the
            // column's own font.
            const bool greek = shown.Font.family() == winsys::GreekFamily;
            printed.Headings.append({shown.Text, greek ? winsys::GreekFamily : QString()});
        }
        print.SetListToPrint(printed);
    }
    print.SetMarginUnits(6);
    print.SetLeftMargin(20);
    print.SetTopMargin(20);
    if (form) {
        print.SetReportTitle(form->windowTitle());
        print.SetFormToPrint(form->objectName());
    }
    print.SetAllowDialogue(true);
    print.PrintGridAPI();
}

void MDI::mnuPrintParts_Click(int Index)
{
    if (Index == 0)
        imgPrintNorm_Click();
}

About *MDI::AboutInstance() const { return m_about.data(); }

HTMLHelp &MDI::helpFile()
{
    // Each use sets the file and the window type again.
    if (!HelpObject)
        HelpObject = std::make_unique<HTMLHelp>();
    HelpObject->CHMFile = QCoreApplication::applicationDirPath() + QStringLiteral("/Rudedaz.qch");
    HelpObject->HHWindow = QStringLiteral("Main");
    return *HelpObject;
}

void MDI::mnuHelpParts_Click(int Index)
{
    if (Index == 0) {
        helpFile().HHDisplayContents(0);
    } else if (Index == 1) {
        if (!m_about)
            m_about = new About(this);
        m_about->show();
        m_about->raise();
        m_about->activateWindow();
    }
}

} // namespace tav
