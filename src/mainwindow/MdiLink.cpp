// The main window as the store's link: the splash and the main window at
// start, the status bar's panels, the menus' entries the store enables, the
// open child windows as the store sees them, and the Sorry window.
#include "mainwindow/MDI.h"

#include "grids/ListWindow.h"
#include "inflection/GrammarPanel.h"
#include "mainwindow/AccessKeys.h"
#include "mainwindow/Sorry.h"
#include "mainwindow/Splash.h"
#include "mainwindow/StartUpReport.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/StatusPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace tav {

// ---------------------------------------------------------------------------
// The store's link

void MDI::ShowSplash()
{
    if (!m_splash)
        m_splash = new Splash();
    m_splash->SetShowAsSplash(true);
    m_splash->show();
    m_splash->raise();
    m_splash->repaint();
}

void MDI::UnloadSplash()
{
    if (m_splash)
        m_splash->close();
}

void MDI::ShowMain()
{
    ReportIdleAfterStart(this, Pause);
    MDIForm_Load();
    show();
    MDIForm_Resize();
    // Soon after the window is painted, while the program waits for a key.
    QTimer::singleShot(300, this, [this] { ListWindow::FreshIcon(*style()); });
}

void MDI::TellAtStart(const Notice &notice) { Tell(notice); }

int MDI::AskAtStart(const Notice &question) { return Tell(question); }

void MDI::SetPanelText(int panel, const QString &text)
{
    // Painted with the rest of the window when the event loop next turns, so
    // that the panels of a word shown (five of them per arrow key in a list)
    // cost one paint together. A text that reports progress during long
    // work goes through SetStatusText, which paints the bar at once.
    if (panel >= 1 && panel <= 7)
        m_panels[panel - 1]->SetText(text);
}

void MDI::ShowWordID(long long ID)
{
    if (ID != m_shownWordID)
        StoreTypedRemarks();
    m_shownWordID = ID > 0 ? ID : 0;
    SetPanelText(3, m_shownWordID ? QStringLiteral("ID ") + QString::number(m_shownWordID) : QString());
}

QString MDI::PanelText(int panel) const
{
    return panel >= 1 && panel <= 7 ? m_panels[panel - 1]->Text() : QString();
}

QSize MDI::DesktopSize() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().size() : QSize();
}

int MDI::CountGridForms() const
{
    int n = 0;
    for (QWidget *form : ChildForms())
        if (ListWindowOf(form))
            ++n;
    return n;
}

void MDI::RefreshStatusBar() { stsStatusBar->repaint(); }

void MDI::SetPrintEntries(bool enabled, const QString &caption, const QString &toolTip)
{
    imgPrintNorm->setEnabled(enabled);
    mnuPrintParts0->setEnabled(enabled);
    mnuPrintParts0->setText(WithAccessKey(caption));
    imgPrintNorm->setToolTip(toolTip);
}

void MDI::SetWindowMenusEnabled(bool enabled)
{
    mnuWindows->menuAction()->setEnabled(enabled);
    mnuCloseAll->setEnabled(enabled);
}

void MDI::SetKlinEnabled(bool enabled) { grammar->FormsGrid()->setEnabled(enabled); }

QList<MainWindowLink::ChildWindow> MDI::ChildWindows() const
{
    QList<ChildWindow> children;
    for (QWidget *form : ChildForms())
        children.append({form->objectName(), form->property("Tag").toString(), !form->isHidden()});
    return children;
}

QList<ListWindowLink *> MDI::OpenListWindows() const
{
    QList<ListWindowLink *> lists;
    for (QWidget *form : ChildForms())
        if (ListWindowLink *list = ListWindowOf(form))
            lists << list;
    return lists;
}

void MDI::ShowSorry(const QString &Message, const QString &Text, bool GreekFont)
{
    if (!m_sorry)
        m_sorry = new Sorry(this);
    m_sorry->tbMSG[0]->setText(Message);
    QFont textFont = m_sorry->tbMSG[1]->font();
    textFont.setFamily(GreekFont ? winsys::GreekFamily : QStringLiteral("MS Sans Serif"));
    m_sorry->tbMSG[1]->setFont(textFont);
    m_sorry->tbMSG[1]->setText(Text);
    m_sorry->show();
    m_sorry->raise();
}

Sorry *MDI::SorryInstance() const { return m_sorry.data(); }

Splash *MDI::SplashInstance() const { return m_splash.data(); }

} // namespace tav
