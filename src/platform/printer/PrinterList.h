#pragma once
// The printers a print can go to: every printer of the system, and always a
// printer that writes a PDF file (a desktop without printers prints to PDF).
// The print window asks a PrinterSource; tests give it their own.

#include "platform/printer/PrinterDevice.h"

#include <QString>
#include <QVector>

#include <memory>

namespace printer {

struct PrinterEntry {
    QString name;
    QString port;
};

class PrinterSource {
public:
    virtual ~PrinterSource() = default;
    virtual QVector<PrinterEntry> List() const = 0;
    // The position of the system's default printer in List().
    virtual int DefaultIndex() const = 0;
    // A fresh device for the printer at a position of List().
    virtual std::unique_ptr<PrinterDevice> Open(int index) const = 0;
};

// The system's printers, then the PDF file printer.
class SystemPrinters : public PrinterSource {
public:
    QVector<PrinterEntry> List() const override;
    int DefaultIndex() const override;
    std::unique_ptr<PrinterDevice> Open(int index) const override;
};

// Only the PDF file printer, on one paper size (for runs that must never
// reach a real printer).
class PdfFileOnly : public PrinterSource {
public:
    explicit PdfFileOnly(int paperCode = 9) : m_paperCode(paperCode) {}
    QVector<PrinterEntry> List() const override;
    int DefaultIndex() const override { return 0; }
    std::unique_ptr<PrinterDevice> Open(int index) const override;

private:
    int m_paperCode;
};

// The user's measurement system: 0 metric, 1 US (inches).
int MeasureSystem();

} // namespace printer
