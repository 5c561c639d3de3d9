#include "platform/printer/PrinterList.h"

#include "platform/printer/QtPrinterDevice.h"

#include <QLocale>
#include <QPrinterInfo>

namespace printer {

int IndexOfPrinter(const QVector<PrinterEntry> &list, const QString &name)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return i;
    return -1;
}

int DefaultPrinterIndex(const PrinterSource &source, const QVector<PrinterEntry> &list)
{
    const int i = IndexOfPrinter(list, source.DefaultName());
    return i >= 0 ? i : int(list.size()) - 1;
}

QVector<PrinterEntry> SystemPrinters::List() const
{
    QVector<PrinterEntry> list;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        list.append({name, name});
    list.append({PdfFileName, QStringLiteral("FILE:")});
    return list;
}

QString SystemPrinters::DefaultName() const
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? PdfFileName : name;
}

std::unique_ptr<PrinterDevice> SystemPrinters::Open(const PrinterEntry &printer) const
{
    if (printer.port == QLatin1String("FILE:"))
        return std::make_unique<QtPrinterDevice>();
    return std::make_unique<QtPrinterDevice>(printer.name);
}

QVector<PrinterEntry> PdfFileOnly::List() const { return {{PdfFileName, QStringLiteral("FILE:")}}; }

std::unique_ptr<PrinterDevice> PdfFileOnly::Open(const PrinterEntry &) const
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
