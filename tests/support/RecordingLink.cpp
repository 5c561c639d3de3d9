#include "support/RecordingLink.h"

#include "platform/winsys/core/MsgBox.h"

namespace tavtest {

RecordingLink::RecordingLink() { tav::SetLink(this); }

RecordingLink::~RecordingLink() { tav::SetLink(nullptr); }

void RecordingLink::ShowSplash() { calls << QStringLiteral("ShowSplash"); }

void RecordingLink::UnloadSplash() { calls << QStringLiteral("UnloadSplash"); }

void RecordingLink::ShowMain() { calls << QStringLiteral("ShowMain"); }

void RecordingLink::TellAtStart(const tav::Notice &notice)
{
    calls << QStringLiteral("TellAtStart");
    notices << notice;
    winsys::Tell(notice);
}

int RecordingLink::AskAtStart(const tav::Notice &question)
{
    calls << QStringLiteral("AskAtStart");
    notices << question;
    return winsys::Tell(question);
}

void RecordingLink::SetPanelText(int panel, const QString &text)
{
    m_panels[panel] = text;
    calls << QStringLiteral("Panel %1: %2").arg(panel).arg(text);
}

QString RecordingLink::PanelText(int panel) const { return m_panels.value(panel); }

void RecordingLink::JulGran() { calls << QStringLiteral("JulGran"); }

} // namespace tavtest
