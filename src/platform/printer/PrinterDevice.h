#pragma once
// One printer as the print window sees it: its name and port, its papers,
// orientation and copies, the size of the paper and of the part the printer
// can reach, text metrics for a font, and a print job of pages. Lengths are
// twips (1440 per inch); drawing positions are twips from the top-left
// corner of the printable area.
//
// Two kinds exist: the real one over Qt's printing (a CUPS printer or a PDF
// file), and test devices with fixed metrics that record what is drawn.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <stdexcept>

namespace printer {

inline constexpr double TwipsPerMM = 56.7;
inline constexpr double TwipsPerInch = 1440.0;

// Orientation codes.
enum : int { Portrait = 1, Landscape = 2 };

// A paper the printer offers: its name, its paper code (9 is A4, 1 Letter,
// 256 a custom size; -1 when there is none; the numbers the options store) and
// its size in millimetres, portrait.
struct PaperDesc {
    QString name;
    int id = -1;
    double widthMM = 0;
    double heightMM = 0;
};

// A failure of the printer or its job, with its error number (482 the
// printer failed, 484 the printer is not available).
class PrintError : public std::runtime_error {
public:
    PrintError(int number, const QString &message)
        : std::runtime_error(message.toStdString()), m_number(number) {}
    int Number() const { return m_number; }
    QString Message() const { return QString::fromStdString(what()); }

private:
    int m_number;
};

// The printer or the file did not take the job (a queue that rejects jobs,
// a file that cannot be written): trying again cannot help. The message is
// the reason as the printing system gives it.
class JobRefused : public PrintError {
public:
    using PrintError::PrintError;
};

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual QString DeviceName() const = 0;
    virtual QString Port() const = 0;
    // False when the printer cannot be used (gone from the system).
    virtual bool IsValid() const { return true; }

    virtual int Orientation() const = 0;
    virtual void SetOrientation(int orientation) = 0;
    virtual int PaperSize() const = 0;
    virtual void SetPaperSize(int code) = 0;
    virtual QVector<PaperDesc> Papers() const = 0;
    // The paper the printer itself starts its jobs on (its queue's default);
    // a device may open on another paper until it is set.
    virtual int DefaultPaperSize() const { return PaperSize(); }
    // Whether the printer makes the copies a job asks for (a file holds one).
    virtual bool PrintsCopies() const { return !PrintsToFile(); }
    virtual int Copies() const = 0;
    virtual void SetCopies(int copies) = 0;
    // A printer that writes a file (PDF) needs the file's path before a job.
    virtual bool PrintsToFile() const { return false; }
    virtual void SetOutputFile(const QString &) {}
    // The job's name (the print system's job name, a PDF's title).
    virtual void SetDocName(const QString &) {}

    // The paper as it lies (turned with the orientation), and the part of it
    // the printer can reach, both in twips from the paper's top-left corner.
    virtual QSizeF PaperTwips() const = 0;
    virtual QRectF PrintableTwips() const = 0;
    // The device's resolution (dots per inch).
    virtual double Resolution() const = 0;

    // Text metrics of a font, twips.
    virtual double TextWidth(const QFont &font, const QString &text) = 0;
    virtual double LineHeight(const QFont &font) = 0;

    // The job. The first drawing begins it; NewPage ends the page drawn so
    // far; EndDoc finishes the job, KillDoc abandons it. A failure throws
    // PrintError, a job the printer does not take JobRefused.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void DrawText(const QPointF &topLeft, const QFont &font, const QColor &color, const QString &text) = 0;
    virtual void DrawLine(const QPointF &from, const QPointF &to, const QColor &color) = 0;
    // A rectangle filled with fill (when valid) and outlined with outline
    // (when valid).
    virtual void DrawBox(const QRectF &box, const QColor &outline, const QColor &fill) = 0;
    virtual void EndDoc() = 0;
    virtual void KillDoc() = 0;
    // After EndDoc: why the job waits at the printer instead of printing (a
    // stopped queue); empty when it does not.
    virtual QString JobWaiting() const { return QString(); }
};

} // namespace printer
