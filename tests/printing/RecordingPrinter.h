#pragma once
// A printer with fixed metrics that records what is drawn: every character
// is 10 twips wide per point of the font's size, a line is 24 twips high per
// point (12 points: 120 wide, 288 high). The paper is 12000 by 16000 twips
// with no strip the printer cannot reach, unless a test says otherwise.

#include "platform/printer/PrinterList.h"

#include <QLineF>
#include <QStringList>

namespace tavtest {

struct DrawnText {
    int page;
    QPointF at; // twips from the printable area's corner
    QString text;
    QString family;
    double size;
    bool bold;
    QColor color;
};

struct DrawnBox {
    int page;
    QRectF box;
    QColor outline;
    QColor fill;
};

struct Recording {
    QVector<DrawnText> texts;
    QVector<DrawnBox> boxes;
    QVector<QLineF> lines;
    int pages = 0;
    bool ended = false;
    bool killed = false;
    int copies = 1;
    bool failNewPage = false; // every new page fails
    // Texts of one page, in drawing order.
    QStringList TextsOn(int page) const;
    const DrawnText *Find(const QString &text, int page = 0) const;
};

class RecordingPrinter : public printer::PrinterDevice {
public:
    explicit RecordingPrinter(Recording &rec, QSizeF paper = {12000, 16000}, QRectF printable = {})
        : m_rec(rec), m_paper(paper), m_printable(printable.isNull() ? QRectF(QPointF(0, 0), paper) : printable) {}

    QString DeviceName() const override { return QStringLiteral("Recorder"); }
    QString Port() const override { return QStringLiteral("REC:"); }
    int Orientation() const override { return m_orientation; }
    void SetOrientation(int o) override;
    int PaperSize() const override { return m_paperCode; }
    void SetPaperSize(int code) override { m_paperCode = code; }
    QVector<printer::PaperDesc> Papers() const override { return m_papers; }
    int Copies() const override { return m_rec.copies; }
    void SetCopies(int n) override { m_rec.copies = n; }
    QSizeF PaperTwips() const override { return m_paper; }
    QRectF PrintableTwips() const override { return m_printable; }
    double Resolution() const override { return 1440; }
    double TextWidth(const QFont &font, const QString &text) override { return text.size() * 10.0 * font.pointSizeF(); }
    double LineHeight(const QFont &font) override { return 24.0 * font.pointSizeF(); }
    void BeginDoc() override { m_rec.pages = 1; }
    void NewPage() override
    {
        if (m_rec.failNewPage)
            throw printer::PrintError(482, QStringLiteral("out of paper"));
        ++m_rec.pages;
    }
    void DrawText(const QPointF &at, const QFont &f, const QColor &c, const QString &text) override
    {
        m_rec.texts.append({m_rec.pages, at, text, f.family(), f.pointSizeF(), f.bold(), c});
    }
    void DrawLine(const QPointF &a, const QPointF &b, const QColor &) override { m_rec.lines.append(QLineF(a, b)); }
    void DrawBox(const QRectF &box, const QColor &outline, const QColor &fill) override
    {
        m_rec.boxes.append({m_rec.pages, box, outline, fill});
    }
    void EndDoc() override { m_rec.ended = true; }
    void KillDoc() override { m_rec.killed = true; }

    QVector<printer::PaperDesc> m_papers = {{QStringLiteral("A4"), 9, 210, 297}, {QStringLiteral("Letter"), 1, 215.9, 279.4}};

private:
    Recording &m_rec;
    QSizeF m_paper;
    QRectF m_printable;
    int m_orientation = printer::Portrait;
    int m_paperCode = 9;
};

// A printer list of one recording printer.
class RecordingSource : public printer::PrinterSource {
public:
    explicit RecordingSource(Recording &rec) : m_rec(rec) {}
    QVector<printer::PrinterEntry> List() const override { return {{QStringLiteral("Recorder"), QStringLiteral("REC:")}}; }
    int DefaultIndex() const override { return 0; }
    std::unique_ptr<printer::PrinterDevice> Open(int) const override { return std::make_unique<RecordingPrinter>(m_rec); }

private:
    Recording &m_rec;
};

} // namespace tavtest
