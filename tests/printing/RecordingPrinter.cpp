#include "RecordingPrinter.h"

namespace tavtest {

void RecordingPrinter::SetOrientation(int o)
{
    if (o != m_orientation) {
        m_paper.transpose();
        m_printable = QRectF(QPointF(0, 0), m_paper);
    }
    m_orientation = o;
}

QStringList Recording::TextsOn(int page) const
{
    QStringList out;
    for (const DrawnText &t : texts)
        if (t.page == page)
            out << t.text;
    return out;
}

const DrawnText *Recording::Find(const QString &text, int page) const
{
    for (const DrawnText &t : texts)
        if (t.text == text && (page == 0 || t.page == page))
            return &t;
    return nullptr;
}

} // namespace tavtest
