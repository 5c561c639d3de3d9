#include "RecordingPrinter.h"

namespace tavtest {

void RecordingPrinter::SetOrientation(int o)
{
    if (o != m_orientation) {
        // The paper turns a quarter: its strips turn with it.
        const double left = m_printable.left(), top = m_printable.top();
        const double right = m_paper.width() - m_printable.right(), bottom = m_paper.height() - m_printable.bottom();
        m_paper.transpose();
        const bool toLandscape = o == printer::Landscape;
        const double l = toLandscape ? top : bottom, t = toLandscape ? right : left;
        const double r = toLandscape ? bottom : top, b = toLandscape ? left : right;
        m_printable = QRectF(QPointF(l, t), QPointF(m_paper.width() - r, m_paper.height() - b));
    }
    m_orientation = o;
}

void RecordingPrinter::SetPaperSize(int code)
{
    m_paperCode = code;
    if (!m_papersHaveSizes)
        return;
    for (const printer::PaperDesc &d : m_papers) {
        if (d.id != code)
            continue;
        const double left = m_printable.left(), top = m_printable.top();
        const double right = m_paper.width() - m_printable.right(), bottom = m_paper.height() - m_printable.bottom();
        m_paper = QSizeF(d.widthMM * printer::TwipsPerMM, d.heightMM * printer::TwipsPerMM);
        if (m_orientation == printer::Landscape)
            m_paper.transpose();
        m_printable = QRectF(QPointF(left, top), QPointF(m_paper.width() - right, m_paper.height() - bottom));
    }
}

void RecordingPrinter::EndDoc()
{
    if (!m_rec.refuseJob.isEmpty())
        throw printer::JobRefused(482, m_rec.refuseJob);
    m_rec.ended = true;
    m_rec.jobs << m_name;
    m_rec.jobPapers << m_paperCode;
}

QVector<printer::PrinterEntry> RecordingSource::List() const
{
    QVector<printer::PrinterEntry> list;
    for (const RecordedPrinter &p : printers)
        list.append({p.name, QStringLiteral("REC:") + p.name});
    return list;
}

std::unique_ptr<printer::PrinterDevice> RecordingSource::Open(const printer::PrinterEntry &entry) const
{
    for (const RecordedPrinter &p : printers)
        if (p.name == entry.name)
            return std::make_unique<RecordingPrinter>(m_rec, p);
    RecordedPrinter unknown;
    unknown.name = entry.name;
    return std::make_unique<RecordingPrinter>(m_rec, unknown);
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
