#pragma once
// Printers with fixed metrics that record what is drawn: every character
// is 10 twips wide per point of the font's size, a line is 24 twips high per
// point (12 points: 120 wide, 288 high). Unless a test says otherwise the
// paper is 12000 by 16000 twips with no strip the printer cannot reach.

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
    QString docName;
    QString outputFile; // the file a printer that writes one was given
    QStringList jobs;         // the printer of each finished job, in order
    QVector<int> jobPapers;   // the paper code of each finished job
    bool failNewPage = false; // every new page fails
    QString refuseJob;        // not empty: EndDoc refuses the job with this reason
    QString waiting;          // not empty: a finished job waits for this reason
    // Texts of one page, in drawing order.
    QStringList TextsOn(int page) const;
    const DrawnText *Find(const QString &text, int page = 0) const;
};

// One recording printer as a source offers it.
struct RecordedPrinter {
    QString name = QStringLiteral("Recorder");
    QSizeF paper = {12000, 16000};
    QRectF printable; // empty: the whole paper
    int paperCode = 9;
    QVector<printer::PaperDesc> papers = {{QStringLiteral("A4"), 9, 210, 297}, {QStringLiteral("Letter"), 1, 215.9, 279.4}};
    // The paper a fresh device is on before it is set (-1: paperCode, the
    // printer's default), as Qt keeps the paper of the printer used before.
    int startPaperCode = -1;
    bool toFile = false; // writes a file, as "PDF file" does (one copy a job)
    // True: a paper chosen from papers gives the page its size (the strips
    // stay as they are); false: the page keeps the size above.
    bool papersHaveSizes = false;
};

class RecordingPrinter : public printer::PrinterDevice {
public:
    explicit RecordingPrinter(Recording &rec, QSizeF paper = {12000, 16000}, QRectF printable = {})
        : RecordingPrinter(rec, RecordedPrinter{QStringLiteral("Recorder"), paper, printable})
    {
    }
    RecordingPrinter(Recording &rec, const RecordedPrinter &kind)
        : m_papers(kind.papers), m_rec(rec), m_name(kind.name), m_paper(kind.paper),
          m_printable(kind.printable.isNull() ? QRectF(QPointF(0, 0), kind.paper) : kind.printable),
          m_paperCode(kind.startPaperCode > 0 ? kind.startPaperCode : kind.paperCode),
          m_defaultPaperCode(kind.paperCode), m_toFile(kind.toFile), m_papersHaveSizes(kind.papersHaveSizes)
    {
    }

    QString DeviceName() const override { return m_name; }
    QString Port() const override { return QStringLiteral("REC:") + m_name; }
    int Orientation() const override { return m_orientation; }
    void SetOrientation(int o) override;
    int PaperSize() const override { return m_paperCode; }
    void SetPaperSize(int code) override;
    int DefaultPaperSize() const override { return m_defaultPaperCode; }
    bool PrintsToFile() const override { return m_toFile; }
    QVector<printer::PaperDesc> Papers() const override { return m_papers; }
    int Copies() const override { return m_rec.copies; }
    void SetCopies(int n) override { m_rec.copies = n; }
    void SetDocName(const QString &name) override { m_rec.docName = name; }
    void SetOutputFile(const QString &path) override { m_rec.outputFile = path; }
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
    void EndDoc() override;
    void KillDoc() override { m_rec.killed = true; }
    QString JobWaiting() const override { return m_rec.waiting; }

    QVector<printer::PaperDesc> m_papers;

private:
    Recording &m_rec;
    QString m_name;
    QSizeF m_paper;
    QRectF m_printable;
    int m_orientation = printer::Portrait;
    int m_paperCode = 9;
    int m_defaultPaperCode = 9;
    bool m_toFile = false;
    bool m_papersHaveSizes = false;
};

// A printer list of recording printers (one "Recorder" unless a test gives
// others); each printer opened is a fresh device, as a real list gives. A
// test may change the list between runs.
class RecordingSource : public printer::PrinterSource {
public:
    explicit RecordingSource(Recording &rec, QVector<RecordedPrinter> list = {RecordedPrinter{}}, QString defaultName = {})
        : printers(std::move(list)), defaultName(std::move(defaultName)), m_rec(rec)
    {
    }
    QVector<printer::PrinterEntry> List() const override;
    QString DefaultName() const override { return defaultName; }
    std::unique_ptr<printer::PrinterDevice> Open(const printer::PrinterEntry &entry) const override;

    QVector<RecordedPrinter> printers;
    QString defaultName; // none or not listed: the last printer

private:
    Recording &m_rec;
};

} // namespace tavtest
