#pragma once
// The printers a print can go to: every printer of the system, and always a
// printer that writes a PDF file (a desktop without printers prints to PDF).
// The print window asks a PrinterSource; tests give it their own.
//
// Printers are known by name: the system's list can change between two
// looks at it (a queue added or removed), so a position in one list means
// nothing in the next.

#include "platform/printer/PrinterDevice.h"

#include <QString>
#include <QVector>

#include <memory>

namespace printer {

struct PrinterEntry {
    QString name;
    QString port;
};

// The name of the PDF file printer in every list.
inline const QString PdfFileName = QStringLiteral("PDF file");

class PrinterSource {
public:
    virtual ~PrinterSource() = default;
    virtual QVector<PrinterEntry> List() const = 0;
    // The name of the system's default printer; one the list does not hold
    // (or none) means the last entry of the list.
    virtual QString DefaultName() const = 0;
    // A fresh device for a printer of List().
    virtual std::unique_ptr<PrinterDevice> Open(const PrinterEntry &printer) const = 0;
};

// The position of a name in a list (-1: not there), and of the default.
int IndexOfPrinter(const QVector<PrinterEntry> &list, const QString &name);
int DefaultPrinterIndex(const PrinterSource &source, const QVector<PrinterEntry> &list);

// The system's printers, then the PDF file printer.
class SystemPrinters : public PrinterSource {
public:
    QVector<PrinterEntry> List() const override;
    QString DefaultName() const override;
    std::unique_ptr<PrinterDevice> Open(const PrinterEntry &printer) const override;
};

// Only the PDF file printer, on one paper size (for runs that must never
// reach a real printer).
class PdfFileOnly : public PrinterSource {
public:
    explicit PdfFileOnly(int paperCode = 9) : m_paperCode(paperCode) {}
    QVector<PrinterEntry> List() const override;
    QString DefaultName() const override { return PdfFileName; }
    std::unique_ptr<PrinterDevice> Open(const PrinterEntry &printer) const override;

private:
    int m_paperCode;
};

// The user's measurement system: 0 metric, 1 US (inches).
int MeasureSystem();

} // namespace printer
