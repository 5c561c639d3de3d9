#pragma once
// A real printer through Qt's printing: a printer of the system (CUPS) by
// name, or, with an empty name, a printer that writes a PDF file.
//
// A PDF is written to a new file in the folder of the one named and takes
// that name only once the job has ended well: until then a file of that
// name stays as it was, and an abandoned or failed job leaves nothing.
//
// Texts in the "VudedoGreek" key font are printed as the Greek letters they
// show, in DejaVu Sans, so that a PDF's text layer holds real Greek. Grid
// lines are a quarter point wide, which shows on paper.

#include "platform/printer/PrinterDevice.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QVector>

namespace printer {

class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(const QString &printerName = QString());
    ~QtPrinterDevice() override;

    QString DeviceName() const override;
    QString Port() const override;
    bool IsValid() const override { return m_pdf || m_printer.isValid(); }
    // After the printer set-up dialog, which may have chosen another printer
    // (or the PDF file) for this QPrinter: the device follows it.
    void FollowSetUp();
    int Orientation() const override;
    void SetOrientation(int orientation) override;
    int PaperSize() const override;
    void SetPaperSize(int code) override;
    QVector<PaperDesc> Papers() const override;
    int DefaultPaperSize() const override;
    int Copies() const override;
    void SetCopies(int copies) override;
    bool PrintsToFile() const override { return m_pdf; }
    void SetOutputFile(const QString &path) override;
    void SetDocName(const QString &name) override { m_printer.setDocName(name); }
    QSizeF PaperTwips() const override;
    QRectF PrintableTwips() const override;
    double Resolution() const override;
    double TextWidth(const QFont &font, const QString &text) override;
    double LineHeight(const QFont &font) override;
    void BeginDoc() override;
    void NewPage() override;
    void DrawText(const QPointF &topLeft, const QFont &font, const QColor &color, const QString &text) override;
    void DrawLine(const QPointF &from, const QPointF &to, const QColor &color) override;
    void DrawBox(const QRectF &box, const QColor &outline, const QColor &fill) override;
    void EndDoc() override;
    void KillDoc() override;
    QString JobWaiting() const override { return m_waiting; }

    QPrinter &QPrinterObject() { return m_printer; }

private:
    // The queue's papers, one per paper code (see OnePaperPerCode).
    QList<QPageSize> queuePapers() const;
    const QFontMetricsF &metrics(const QFont &font);
    QPointF toDevice(const QPointF &twips) const;
    // The font and text actually drawn for a font and text.
    QFont printedFont(const QFont &font) const;
    QString printedText(const QFont &font, const QString &text) const;
    QPen linePen(const QColor &color) const;
    // The PDF's own file: made beside the named one; put in its place, or
    // removed.
    void makePartFile();
    QString nameBeside(int fd) const;
    void placePartFile();
    void removePartFile();

    QPrinter m_printer;
    bool m_pdf;
    QPainter m_painter;
    QHash<QString, QFontMetricsF> m_metrics;
    struct RecentMetrics {
        QFont font;
        QFontMetricsF metrics;
    };
    QVector<RecentMetrics> m_recent; // the fonts used last, newest first
    QString m_waiting;
    QString m_outputFile; // the PDF's name, as the user chose it
    QString m_partFile;   // the file a PDF job writes, while it runs
    int m_partFd = -1;    // that file while it has no name
};

// The paper code of a Qt page size, and back; sizes without a code of
// their own get 1000 + Qt's own id.
int PaperCode(QPageSize::PageSizeId id);
QPageSize::PageSizeId PageSizeOfCode(int code);

// A paper as a queue names it: its key ("Letter", "AnsiA"), its paper code.
struct QueuePaper {
    QString key;
    int code = -1;
};
// A queue may name one paper twice ("AnsiA" and "Letter" are one size, one
// code): the positions of the papers to offer, one per code in the queue's
// order, each the one the queue names with the code's usual key (Letter,
// Legal, A4 ...), else the queue's default paper, else the first.
QVector<int> OnePaperPerCode(const QVector<QueuePaper> &papers, const QString &defaultKey);

// The name a paper goes by, the same whoever offers it: a standard size by
// its usual name ("Letter", where a queue says "US Letter" and Qt "Letter /
// ANSI A"; "Executive", not "Executive (7.25 x 10.5 in)"); a size of the
// queue's own by the queue's name.
QString PaperName(const QPageSize &size);

} // namespace printer
