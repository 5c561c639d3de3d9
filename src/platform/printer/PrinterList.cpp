#include "platform/printer/PrinterList.h"

#include "platform/printer/QtPrinterDevice.h"

#include <QLocale>
#include <QPrinterInfo>

namespace printer {

QVector<PrinterEntry> SystemPrinters::List() const
{
    QVector<PrinterEntry> list;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        list.append({name, name});
    list.append({QStringLiteral("PDF file"), QStringLiteral("FILE:")});
    return list;
}

int SystemPrinters::DefaultIndex() const
{
    const QString name = QPrinterInfo::defaultPrinterName();
    const QStringList names = QPrinterInfo::availablePrinterNames();
    const qsizetype i = name.isEmpty() ? -1 : names.indexOf(name);
    return i >= 0 ? int(i) : int(names.size()); // no default: the PDF printer
}

std::unique_ptr<PrinterDevice> SystemPrinters::Open(int index) const
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (index >= 0 && index < names.size())
        return std::make_unique<QtPrinterDevice>(names.at(index));
    return std::make_unique<QtPrinterDevice>();
}

QVector<PrinterEntry> PdfFileOnly::List() const { return {{QStringLiteral("PDF file"), QStringLiteral("FILE:")}}; }

std::unique_ptr<PrinterDevice> PdfFileOnly::Open(int) const
{
    auto pdf = std::make_unique<QtPrinterDevice>();
    pdf->SetPaperSize(m_paperCode);
    return pdf;
}

int MeasureSystem()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? 1 : 0;
}

} // namespace printer
