#include "P001Fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

P001Test::P001Test() { print.SetPrinterSource(std::make_shared<tavtest::RecordingSource>(rec)); }

P001Test::~P001Test() = default;

flexgrid::FlexGrid &P001Test::MakeGrid(int rows, int cols, int colWidth, int rowHeight)
{
    grid = std::make_unique<flexgrid::FlexGrid>();
    grid->SetFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    grid->SetCols(cols);
    grid->SetRows(rows);
    grid->SetFixedRows(1);
    grid->SetFixedCols(0);
    for (int c = 0; c < cols; ++c) {
        grid->SetColWidth(c, colWidth);
        grid->SetTextMatrix(0, c, QStringLiteral("H%1").arg(c));
    }
    for (int r = 0; r < rows; ++r) {
        grid->SetRowHeight(r, rowHeight);
        for (int c = 0; r > 0 && c < cols; ++c)
            grid->SetTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    }
    print.SetGridToPrint(grid.get());
    return *grid;
}

void P001Test::PlainLayout(double top, double bottom, double left, double right)
{
    print.SetTitlePages(0x201);
    print.SetPageNumbering(0x1);
    print.SetMarginUnits(printer::vbTwips);
    print.SetTopMargin(float(top));
    print.SetBottomMargin(float(bottom));
    print.SetLeftMargin(float(left));
    print.SetRightMargin(float(right));
}

P001::CellTextFit P001Test::Fit(const QString &text, double w, double h)
{
    print.bindGrid();
    print.CurrentPrinter().SetFontSize(10);
    P001::CellTextFit f;
    f.Width = w;
    f.Height = h;
    f.Text = text;
    return print.m_engine.TruncateAndWrapC(f);
}

void P001Test::OpenOptions()
{
    printer::Printer &P = print.CurrentPrinter();
    print.m_engine.setReportFont(grid->Font());
    P.SetFontName(print.m_engine.reportFont().family());
    P.SetFontSize(print.m_engine.reportFont().pointSizeF());
    print.SaveSelection();
    print.ReadPrintOptions();
    print.m_engine.measureGrid();
    print.m_engine.measureStdRowHeight();
    print.AbortPrint = false;
    print.m_dialogOpen = true;
    print.CountPages(true);
    print.show();
}

void P001Test::Type(const QString &box, const QString &text)
{
    QLineEdit *edit = C<QLineEdit>(box);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &in);
    edit->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

QString P001Test::StatusPanel(int i) const { return C<QLabel>(QStringLiteral("Panel%1").arg(i))->text(); }

double P001Test::MarginTwips(int side) const
{
    const P001::PageArea &m = print.m_engine.margins();
    return side == 0 ? m.Top : side == 1 ? m.Bottom : side == 2 ? m.Left : m.Right;
}

void P001Test::PrintThroughDialog(const std::function<void()> &inDialog)
{
    print.SetAllowDialogue(true);
    auto *timer = new QTimer(&print);
    QObject::connect(timer, &QTimer::timeout, &print, [this, timer, inDialog] {
        if (!print.isVisible() || !print.isModal())
            return;
        timer->stop();
        timer->deleteLater();
        if (inDialog)
            inDialog();
        if (print.isVisible())
            C<QPushButton>(QStringLiteral("Command1(0)"))->click();
    });
    timer->start(5);
    Print();
}

void P001Test::ChoosePrinter(const QString &name)
{
    QComboBox *list = C<QComboBox>(QStringLiteral("Combo1(0)"));
    const int i = list->findText(name);
    ASSERT_GE(i, 0) << name.toStdString();
    list->setCurrentIndex(i);
    emit list->activated(i);
}

std::shared_ptr<tavtest::RecordingSource> P001Test::ThreePrinters()
{
    tavtest::RecordedPrinter alpha, beta, gamma;
    alpha.name = QStringLiteral("Alpha");
    beta.name = QStringLiteral("Beta");
    beta.paper = QSizeF(12240, 15840);
    beta.printable = QRectF(720, 720, 12240 - 1440, 15840 - 1440);
    beta.paperCode = 1;
    gamma.name = QStringLiteral("Gamma");
    gamma.paper = QSizeF(148 * 56.7, 210 * 56.7);
    gamma.paperCode = 11;
    gamma.papers = {{QStringLiteral("A5"), 11, 148, 210}};
    auto source = std::make_shared<tavtest::RecordingSource>(rec, QVector<tavtest::RecordedPrinter>{alpha, beta, gamma},
                                                             QStringLiteral("Alpha"));
    print.SetPrinterSource(source);
    return source;
}

std::shared_ptr<tavtest::RecordingSource> P001Test::ThreePrintersAndAFile(bool fileInUse)
{
    auto source = ThreePrinters();
    tavtest::RecordedPrinter file;
    file.name = printer::PdfFileName;
    file.toFile = true;
    source->printers.append(file);
    if (fileInUse)
        source->defaultName = file.name;
    return source;
}
