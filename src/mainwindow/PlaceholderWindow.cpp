#include "mainwindow/PlaceholderWindow.h"

#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

namespace tav {

PlaceholderWindow::PlaceholderWindow()
{
    setWindowTitle(QStringLiteral("Tavrinel"));
    m_settings = new QLabel(this);
    m_settings->setMargin(16);
    m_settings->setTextFormat(Qt::PlainText);
    setCentralWidget(m_settings);
    for (int i = 1; i <= 7; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        statusBar()->addWidget(panel, i == 1 ? 1 : 0);
        m_panels.append(panel);
    }
    resize(720, 360);
}

void PlaceholderWindow::SetPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

QString PlaceholderWindow::PanelText(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1]->text() : QString();
}

void PlaceholderWindow::ShowSettings()
{
    auto yesNo = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    QStringList lines;
    lines << QStringLiteral("Word database: %1").arg(DbPath)
          << QStringLiteral("Words: %1").arg(MainCount)
          << QStringLiteral("Third language: %1 (hidden: %2, complete: %3)")
                 .arg(Opt3rdLang, yesNo(OptBoHide3), yesNo(Lang3Complete))
          << QStringLiteral("Repetition list: %1 words").arg(OptNbrRepeats)
          << QStringLiteral("Stored wrong answers: at most %1").arg(OptNbrWrongs)
          << QStringLiteral("Word-matching round: %1 words, meanings in %2").arg(OptNbrScribble).arg(Opt2ndScribble)
          << QStringLiteral("Verb round: %1 verbs").arg(OptNbrRima)
          << QStringLiteral("Answers typed in: %1").arg(Opt2ndTavrinel)
          << QStringLiteral("All meanings must be right: %1").arg(yesNo(OptBoChecka))
          << QStringLiteral("Greek font size: %1").arg(GreekFontSize);
    m_settings->setText(lines.join(QLatin1Char('\n')));
}

void PlaceholderLink::ShowMain()
{
    m_window = std::make_unique<PlaceholderWindow>();
    for (int i = 1; i <= 7; ++i)
        m_window->SetPanelText(i, m_early[i]);
    StartingUp = false;
    ShowWordCount();
    m_window->ShowSettings();
    m_window->show();
}

void PlaceholderLink::SetPanelText(int panel, const QString &text)
{
    if (m_window)
        m_window->SetPanelText(panel, text);
    else if (panel >= 1 && panel <= 7)
        m_early[panel] = text;
}

QString PlaceholderLink::PanelText(int panel) const
{
    if (m_window)
        return m_window->PanelText(panel);
    return panel >= 1 && panel <= 7 ? m_early[panel] : QString();
}

QSize PlaceholderLink::DesktopSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace tav
