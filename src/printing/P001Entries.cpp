// The dialog's live feedback and numeric entries: the page summary and the
// status panels, margins, paper texts and picture, the number boxes and
// their arrows, the page list, orientation, paper and printer set-up, and
// the Print, Cancel and Default buttons.
#include "printing/P001.h"

#include "platform/printer/QtPrinterDevice.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/UpDown.h"
#include "platform/winsys/core/MsgBox.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace printer;
using winsys::MsgBox;

namespace {

constexpr int MostInBox = 9999; // copies and sheets

QString fixed(double v, int places) { return QLocale::c().toString(v, 'f', places); }

// "##,###.0": thousands grouped with ",", the point as decimal separator.
QString grouped(double v, int places)
{
    QLocale l(QLocale::English, QLocale::UnitedStates);
    return l.toString(v, 'f', places);
}

// The system's printer dialog as the printer set-up: it offers what a
// print takes from it, the printer and the copies. The paper and its
// orientation are chosen on the window's own Paper Size frame; the pages,
// their set, order and collation are the print window's own business; duplex
// and colour are not passed on; the PDF file is a printer of the window's
// own list, which asks for its file at Print: none of them is shown, nor the
// printer's Properties (pages per sheet, margins and page order there would
// not print). Its button takes the choices and prints nothing: "OK".
class PrinterSetUpDialog : public QPrintDialog {
public:
    using QPrintDialog::QPrintDialog;

protected:
    void showEvent(QShowEvent *event) override
    {
        // Qt lays its widgets out again when the dialog shows: hidden after.
        QPrintDialog::showEvent(event);
        for (const char *name : {"gbPrintRange", "pageSetCombo", "pageSetLabel", "collate", "reverse", "duplex", "colorMode"})
            if (auto *w = findChild<QWidget *>(QLatin1String(name)))
                w->hide();
        // A tab left with nothing to show goes too.
        for (auto *tabs : findChildren<QTabWidget *>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                QWidget *page = tabs->widget(i);
                const QList<QWidget *> parts = page->findChildren<QWidget *>();
                tabs->setTabVisible(i, std::any_of(parts.begin(), parts.end(), [page](const QWidget *w) {
                    const bool control = qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
                                         || qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w);
                    return control && w->isVisibleTo(page);
                }));
            }
        }
        if (auto *buttons = findChild<QDialogButtonBox *>())
            if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
    }
};

} // namespace

std::optional<int> P001::boxNumber(const QLineEdit *box)
{
    const QString t = box->text().trimmed();
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    for (const QChar c : t)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    return std::min(t.toInt(), MostInBox);
}

// ---------------------------------------------------------------------------
// Summary and status

void P001::ShowPageSummary()
{
    if (!Label1[1])
        return;
    Label1[1]->setText(QStringLiteral("%1 Sheets Wide").arg(m_engine.pagesWide()));
    Label1[2]->setText(QStringLiteral("%1 Sheets High").arg(m_engine.pagesHigh()));
    const long total = long(m_engine.pagesWide()) * m_engine.pagesHigh();
    Command1[0]->setEnabled(total != 0);
    if (total == 1) {
        choose(Option1, 0, &P001::Option1_Click);
        Option1[1]->setEnabled(false);
        Check1[11]->hide();
        m_showProgress = false;
        Check1[11]->setChecked(false);
    } else {
        Option1[1]->setEnabled(true);
        Check1[11]->setVisible(Check1[11]->isEnabled());
    }
    const auto wide = boxNumber(Text1[0]), high = boxNumber(Text1[1]);
    if (Option1[0]->isChecked() || (!dialogVisible() && !m_setPages) || wide.value_or(0) > m_engine.pagesWide()
        || high.value_or(0) > m_engine.pagesHigh()) {
        Text1[0]->setText(QString::number(m_engine.pagesWide()));
        Text1[1]->setText(QString::number(m_engine.pagesHigh()));
        m_engine.setSheetsHigh(m_engine.pagesHigh());
        m_engine.setSheetsWide(m_engine.pagesWide());
    }
    Option2[2]->setEnabled(m_engine.pagesWide() > 1 || m_engine.pagesHigh() > 1);
    if (m_engine.requestSectionsWide() > 1 && m_engine.pagesHigh() > 1) {
        Option1[2]->setText(QStringLiteral("&Print %1 up on %2 page%3")
                                .arg(m_engine.requestSectionsWide())
                                .arg(m_engine.requestSectionsHigh())
                                .arg(m_engine.requestSectionsHigh() > 1 ? QStringLiteral("s") : QString()));
        if (m_multiColumnPrint & 1)
            choose(Option1, 2, &P001::Option1_Click);
        Option1[2]->show();
        Line1[1]->show();
    } else {
        Line1[1]->hide();
        if (Option1[2]->isChecked())
            choose(Option1, 0, &P001::Option1_Click);
        Option1[2]->hide();
        m_engine.setMultiUp(false);
    }
    ShowPagesStatus();
}

long P001::pagesOfLayout() const
{
    return Option1[2]->isChecked() ? m_engine.requestSectionsHigh() : m_engine.sheetsHigh() * m_engine.sheetsWide();
}

void P001::ShowPagesStatus()
{
    if (!Panel[2])
        return;
    followPageRange();
    const long pages = pagesOfLayout();
    // A typed list is read again at every count: what it prints follows the
    // layout's pages, as Print reads it.
    readPageList();
    const bool listed = pageListTyped();
    if (listed)
        Panel[2]->setText(QStringLiteral("Pages: %1 of %2").arg(PageListCount).arg(pages));
    else
        Panel[2]->setText(QStringLiteral("Pages: %1").arg(pages));
    // Beside the title's size: the pages that will print.
    Label1[16]->setText(pageCount(listed ? PageListCount : pages));
}

QString P001::pageCount(long pages) { return pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages); }

bool P001::pageListTyped() const { return Option2[2]->isChecked() && !Text1[8]->text().trimmed().isEmpty(); }

QVector<int> P001::readPageList()
{
    const QVector<int> list = pageListTyped() ? ParsePageList(Text1[8]->text()) : QVector<int>();
    m_engine.setPageList(list);
    PageListCount = PrintEngine::pagesListed(list, pagesOfLayout());
    return list;
}

void P001::followPageRange()
{
    if (!Option2[2]->isChecked() || m_rangeFilled.isEmpty() || Text1[8]->text() != m_rangeFilled)
        return;
    const long pages = pagesOfLayout();
    const QString all = pages > 1 ? QStringLiteral("1-%1").arg(pages) : QStringLiteral("1");
    if (all == m_rangeFilled && m_rangeTotal == pages)
        return;
    m_rangeFilled = all;
    Text1[8]->setText(all);
    Text1[8]->setEnabled(pages > 1);
    ValidatePageList();
}

bool P001::typedRangeHolds()
{
    const QString text = Text1[8]->text().trimmed();
    if (text.isEmpty() || text == m_rangeFilled)
        return true;
    const long pages = pagesOfLayout();
    long last = 0;
    for (const QRegularExpressionMatch &m : QRegularExpression(QStringLiteral("\\d+")).globalMatch(text))
        last = std::max(last, m.captured().size() > 9 ? 999999999L : m.captured().toLong());
    const QString told = text + QLatin1Char('/') + QString::number(pages);
    if (told == m_rangeToldFor)
        return true;
    QString problem;
    if (m_rangeTotal > 0 && m_rangeTotal != pages)
        problem = QStringLiteral("The page range \"%1\" was typed for %2 pages; the list now prints on %3.")
                      .arg(text)
                      .arg(m_rangeTotal)
                      .arg(pages);
    else if (last > pages)
        problem = QStringLiteral("The page range \"%1\" goes past the last page, %2.").arg(text).arg(pages);
    if (problem.isEmpty())
        return true;
    m_rangeToldFor = told;
    MsgBox(problem + QStringLiteral("\nPlease check the range before printing."), winsys::vbInformation,
           QStringLiteral("Selected Pages"));
    return false;
}

// ---------------------------------------------------------------------------
// Margins and paper

void P001::ShowMargins()
{
    if (!Text1[4])
        return;
    Printer &P = CurrentPrinter();
    for (int i = 4; i <= 7; ++i) {
        const double twips = m_engine.marginOf(i);
        const bool vertical = i <= 5;
        if (m_engine.currentPaper().Measure == 1) {
            const double in = vertical ? P.ScaleY(twips, vbTwips, vbInches) : P.ScaleX(twips, vbTwips, vbInches);
            Text1[i]->setText(fixed(float(in), 2));
        } else {
            const double mm = vertical ? P.ScaleY(twips, vbTwips, vbMillimeters) : P.ScaleX(twips, vbTwips, vbMillimeters);
            Text1[i]->setText(QString::number(std::lround(mm)));
        }
    }
    Check1[6]->setEnabled(false);
    Check1[10]->setEnabled(false);
    PrintEngine::PageNumbering numbering = m_engine.numbering();
    numbering.NumberBelowMargin = false;
    numbering.NumberAboveMargin = false;
    const double line = P.TextHeight(QStringLiteral("P"));
    if (m_engine.margins().Bottom > m_engine.unprintable().Bottom && line < m_engine.margins().Bottom - m_engine.unprintable().Bottom) {
        Check1[6]->setEnabled(true);
        numbering.NumberBelowMargin = Check1[6]->isChecked();
    }
    if (m_engine.margins().Top > m_engine.unprintable().Top && line < m_engine.margins().Top - m_engine.unprintable().Top) {
        Check1[10]->setEnabled(true);
        numbering.NumberAboveMargin = Check1[10]->isChecked();
    }
    m_engine.setNumbering(numbering);
}

void P001::ShowPaperDetails()
{
    if (!Label1[3])
        return;
    m_engine.GetPrintableArea();
    m_engine.refreshCurrentPaper();
    // The sizes as the paper lies: a landscape sheet is wider than high.
    double wide = m_engine.currentPaper().Width, high = m_engine.currentPaper().Height;
    if (CurrentPrinter().Orientation() == Landscape)
        std::swap(wide, high);
    if (m_engine.currentPaper().Measure == 1) {
        Label1[13]->setText(QStringLiteral("In"));
        Label1[3]->setText(wide < 100 ? fixed(wide, 2) + QStringLiteral(" in Wide") : grouped(wide, 2) + QStringLiteral(" in"));
        Label1[4]->setText(high < 100 ? fixed(high, 2) + QStringLiteral(" in High") : grouped(high, 2) + QStringLiteral(" in"));
    } else {
        Label1[13]->setText(QStringLiteral("mm"));
        Label1[3]->setText(wide < 1000 ? fixed(wide, 1) + QStringLiteral(" mm Wide") : grouped(wide, 1) + QStringLiteral(" mm"));
        Label1[4]->setText(high < 1000 ? fixed(high, 1) + QStringLiteral(" mm High") : grouped(high, 1) + QStringLiteral(" mm"));
    }
    // A printer that makes no copies (a file) shows and prints one.
    const bool copies = CurrentPrinter().Device().PrintsCopies();
    Text1[2]->setText(QString::number(copies ? m_printCopies : 1));
    Text1[2]->setEnabled(copies);
    UpDown1[2]->setEnabled(copies);
    Panel[3]->setText(QStringLiteral("Copies: ") + Text1[2]->text());
    // A file has no printer set-up: its paper and orientation are here.
    Command1[2]->setEnabled(!CurrentPrinter().Device().PrintsToFile());
    ShowMargins();
    LocatePaperImage();
}

void P001::LocatePaperImage()
{
    if (m_engine.pageWidthMM() <= 0 || m_engine.pageHeightMM() <= 0)
        return;
    const double factor = 956.0 / std::max(m_engine.pageWidthMM(), m_engine.pageHeightMM());
    const QSize picture = winsys::TwipsToPixels(QSize(int(m_engine.pageWidthMM() * factor), int(m_engine.pageHeightMM() * factor)));
    QPixmap paper(picture);
    paper.fill(Qt::white);
    QPainter p(&paper);
    p.setPen(Qt::darkGray);
    p.drawRect(paper.rect().adjusted(0, 0, -1, -1));
    p.end();
    Image1->setPixmap(paper);
    Image1->resize(picture);
    const int holderHeight = m_paperHolder->height();
    Image1->move((m_paperHolder->width() - picture.width()) / 2, 2 * (holderHeight - picture.height()) / 3);

    OrientationBusy = true;
    m_engine.setPaperOrientation(CurrentPrinter().Orientation());
    const bool landscape = m_engine.paperOrientation() == Landscape;
    Label1[8]->setText(m_engine.currentPaper().Name + (landscape ? QStringLiteral(" Landscape") : QStringLiteral(" Portrait")));
    optPPS[landscape ? 1 : 0]->setChecked(true);
    OrientationBusy = false;
    // The name and the orientation lie inside the picture: on as many lines
    // as they need, in a smaller font where they still do not fit.
    const QRect inside = QRect(Image1->pos(), picture).adjusted(2, 2, -2, -2);
    const QString text = Label1[8]->text();
    QFont font = this->font();
    QRect needed;
    for (double points = font.pointSizeF(); ; points -= 0.5) {
        font.setPointSizeF(points);
        const QFontMetrics fm(font);
        int widest = 0;
        for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, fm.horizontalAdvance(word));
        needed = fm.boundingRect(QRect(0, 0, inside.width(), 10000), Qt::AlignHCenter | Qt::TextWordWrap, text);
        if ((widest <= inside.width() && needed.height() <= inside.height()) || points <= 4)
            break;
    }
    Label1[8]->setFont(font);
    Label1[8]->setWordWrap(true);
    Label1[8]->setMargin(0);
    Label1[8]->setIndent(0);
    const int high = std::min(needed.height(), inside.height());
    Label1[8]->setFixedSize(inside.width(), high);
    Label1[8]->move(inside.x(), inside.y() + (inside.height() - high) / 2);
    Label1[8]->raise();
}

void P001::optPPS_Click() { applyOrientation(optPPS[0]->isChecked() ? Portrait : Landscape); }

void P001::applyOrientation(int orientation)
{
    // One turn at a time: a click that arrives while one is applied is ignored.
    if (OrientationBusy)
        return;
    OrientationBusy = true;
    m_engine.setPaperOrientation(orientation);
    CurrentPrinter().SetOrientation(m_engine.paperOrientation());
    QCoreApplication::processEvents();
    m_engine.GetPrintableArea();
    CountPages(true);
    ShowPaperDetails();
    OrientationBusy = false;
}

void P001::cbPaperSize_Click()
{
    const int code = cbPaperSize->currentData().toInt();
    if (code == -1)
        return;
    CurrentPrinter().SetPaperSize(code);
    ShowPaperDetails();
    // Another paper gives other pages: count them before Print is pressed.
    CountPages(true);
}

void P001::RefreshPrinter()
{
    // The set-up changes this program's printer only, never the desktop's
    // default. The PDF file has none: its paper and orientation are on the
    // window's Paper Size frame (the button is off for it).
    Printer &P = CurrentPrinter();
    if (P.Device().PrintsToFile())
        return;
    const SetUpChoice now{m_engine.PrinterName(), P.PaperSize(), P.Orientation(), m_printCopies};
    const std::optional<SetUpChoice> chosen = m_runSetUp ? m_runSetUp(now) : systemSetUp(now);
    if (!chosen)
        return;
    if (chosen->printer != m_engine.PrinterName()) {
        m_engine.readPrinterList();
        const int i = IndexOfPrinter(m_engine.Printers(), chosen->printer);
        if (i >= 0)
            m_engine.openPrinter(m_engine.Printers()[i]);
    }
    Printer &Q = CurrentPrinter();
    if (chosen->paper > 0)
        Q.SetPaperSize(chosen->paper);
    Q.SetOrientation(chosen->orientation);
    m_engine.setPaperOrientation(Q.Orientation());
    if (Q.Device().PrintsCopies())
        m_printCopies = std::clamp(chosen->copies, 1, MostInBox);
    m_engine.GetPrintableArea();
    CountPages(true);
    ListPaperSizes();
    showPrinterName();
    ShowPaperDetails();
}

std::optional<P001::SetUpChoice> P001::systemSetUp(const SetUpChoice &now)
{
    auto *device = dynamic_cast<QtPrinterDevice *>(&CurrentPrinter().Device());
    if (!device)
        return std::nullopt;
    // The dialogs work on a copy of the printer: Qt's printer dialog
    // switches the printer it is given as soon as it opens on another
    // queue, even when it is then cancelled.
    QPrinter scratch(QPrinter::HighResolution);
    const QPrinter &own = device->QPrinterObject();
    scratch.setPrinterName(own.printerName());
    scratch.setPageLayout(own.pageLayout());
    scratch.setCopyCount(now.copies);
    SetUpChoice answer = now;
    PrinterSetUpDialog dialog(&scratch, this);
    // No "Print to File (PDF)" with its file box, no Properties.
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    dialog.setWindowTitle(QStringLiteral("Printer Set-Up"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    answer.printer = scratch.printerName();
    answer.copies = scratch.copyCount();
    answer.paper = PaperCode(scratch.pageLayout().pageSize().id());
    answer.orientation = scratch.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
    return answer;
}

// ---------------------------------------------------------------------------
// Checks of typed values

bool P001::ValidatePageList()
{
    m_rangeTotal = pagesOfLayout();
    const QVector<int> list = readPageList();
    if (!pageListTyped())
        return true;
    if (list.isEmpty()) {
        MsgBox(QStringLiteral("Selected page range invalid, please try again."), winsys::vbOKOnly,
               QStringLiteral("Selected Pages"));
        return false;
    }
    if (PageListCount == 0) {
        // Pages past the last one print nothing: a list of only those prints no page.
        MsgBox(QStringLiteral("The list prints on %1; the page range \"%2\" names none of them.")
                   .arg(pageCount(m_rangeTotal), Text1[8]->text().trimmed()),
               winsys::vbOKOnly, QStringLiteral("Selected Pages"));
        return false;
    }
    return true;
}

void P001::ValidateMargin(int Index)
{
    const double old = m_engine.marginOf(Index);
    bool ok = false;
    const double value = QLocale::c().toDouble(Text1[Index]->text().trimmed(), &ok);
    double next = ok ? value * (m_engine.currentPaper().Measure == 1 ? 1440.0 : 56.7) : 0;
    if (!ok || !std::isfinite(next) || next < m_engine.stripOf(Index)) {
        next = m_engine.stripOf(Index);
        m_engine.setMarginOf(Index, next);
        ShowMargins();
    }
    if (next > old && !m_engine.marginFits(Index, next) && m_engine.marginFits(Index, old)) {
        // Refused at the box: the margin before comes back.
        const double unit = m_engine.currentPaper().Measure == 1 ? TwipsPerInch / 100 : TwipsPerMM;
        const int most = m_engine.largestFitting(int(std::floor(old / unit)), int(std::ceil(next / unit)),
                                        [&](int n) { return m_engine.marginFits(Index, n * unit); });
        const bool inches = m_engine.currentPaper().Measure == 1;
        refuseNoRoom(Label1[Index + 5]->text() + QStringLiteral(" margin"),
                     Text1[Index]->text().trimmed() + (inches ? QStringLiteral(" in") : QStringLiteral(" mm")),
                     inches ? fixed(most / 100.0, 2) + QStringLiteral(" in") : QString::number(most) + QStringLiteral(" mm"),
                     QStringLiteral("Page Margins"));
        ShowMargins();
        return;
    }
    m_engine.setMarginOf(Index, next);
    // A typed margin is the user's: it stays through later turns of the paper.
    m_engine.rememberMargins();
    if (std::abs(old - next) > 25)
        CountPages(true);
    else
        SettingsChanged = false;
}

// ---------------------------------------------------------------------------
// The number boxes and their arrows

void P001::Text1_GotFocus(int Index)
{
    // Entering a box selects its text, so that typing replaces it; the
    // first click into it (which places the cursor) selects it again.
    Text1[Index]->selectAll();
    m_selectOnClick = Text1[Index];
    if ((Index >= 3 && Index <= 7) || Index == 9)
        SettingsChanged = true;
}

void P001::Text1_KeyPress(int Index, int &KeyAscii)
{
    if (Index <= 2)
        KeyAscii = NumericOnly(KeyAscii);
    else if (Index >= 4 && Index <= 7)
        KeyAscii = m_engine.currentPaper().Measure == 1 ? NumericOnly(KeyAscii, QStringLiteral(".")) : NumericOnly(KeyAscii);
    else if (Index == 8)
        KeyAscii = NumericOnly(KeyAscii, QStringLiteral(",-"));
    else if (Index == 9)
        KeyAscii = NumericOnly(KeyAscii, QStringLiteral("."));
}

void P001::Text1_LostFocus(int Index)
{
    if (Index <= 2) {
        // Empty, zero, too big or not a number: the box is brought into range.
        int value = boxNumber(Text1[Index]).value_or(0);
        if (value < 1)
            value = 1;
        if (Index == 0 && value > m_engine.pagesWide())
            value = std::max(1, m_engine.pagesWide());
        if (Index == 1 && value > m_engine.pagesHigh())
            value = std::max(1, m_engine.pagesHigh());
        setCountBox(Index, value);
    } else if (Index == 3) {
        m_reportTitle = Text1[3]->text();
        CountPages(true);
    } else if (Index <= 7) {
        ValidateMargin(Index);
    } else if (Index == 8) {
        // The counts follow the list before a problem with it is told.
        ShowPagesStatus();
        ValidatePageList();
    } else if (Index == 9) {
        bool ok = false;
        double factor = QLocale::c().toDouble(Text1[9]->text().trimmed(), &ok);
        factor = ok && std::isfinite(factor) ? std::round(std::min(factor, 99.0) * 10) / 10 : 1.0;
        // Too large a size gives way to the largest that fits, and the box
        // shows the size that prints.
        if (const double most = largestTitleSize(factor); most < factor) {
            lowerTitleSize(Text1[9]->text().trimmed(), most);
            CountPages(true);
            return;
        }
        SetTitleFontSize(factor);
        Text1[9]->setText(fixed(m_engine.titleFontSize(), 1));
        m_engine.countTitleAtSetSize();
        CountPages(true);
    }
}

void P001::refuseNoRoom(const QString &box, const QString &value, const QString &most, const QString &title)
{
    MsgBox(QStringLiteral("%1: %2 leaves no room on the page for the list.\nThe largest value that fits is %3.")
               .arg(box, value, most),
           winsys::vbExclamation, title);
}

void P001::setCountBox(int Index, int value)
{
    // The sheets and the copies follow their boxes at once.
    Text1[Index]->setText(QString::number(value));
    if (Index == 0)
        m_engine.setSheetsWide(value);
    else if (Index == 1)
        m_engine.setSheetsHigh(value);
    if (Index == 2) {
        m_printCopies = std::max(1, value);
        Panel[3]->setText(QStringLiteral("Copies: ") + Text1[2]->text());
    } else {
        ShowPagesStatus();
    }
}

void P001::UpDown1_GotFocus(int Index)
{
    if (Index >= 3 && Index <= 6)
        SettingsChanged = true;
}

void P001::UpDown1_LostFocus(int Index)
{
    if (Index >= 3 && Index <= 7)
        CountPages(true);
}

void P001::UpDown1_DownClick(int Index)
{
    if (Index <= 2) {
        if (Text1[Index]->text().trimmed().isEmpty())
            Text1[Index]->setText(QStringLiteral("1"));
        int value = boxNumber(Text1[Index]).value_or(1);
        if (value > 1)
            --value;
        setCountBox(Index, value);
    } else if (Index <= 6) {
        stepMargin(Index + 1, false);
    } else if (Index == 7) {
        stepTitleSize(false);
    }
}

void P001::UpDown1_UpClick(int Index)
{
    if (Index <= 2) {
        if (Text1[Index]->text().trimmed().isEmpty())
            Text1[Index]->setText(QStringLiteral("0"));
        const std::optional<int> number = boxNumber(Text1[Index]);
        int value = number.value_or(0);
        if (Index == 0 && value < m_engine.pagesWide())
            ++value;
        else if (Index == 1 && value < m_engine.pagesHigh())
            ++value;
        else if (Index == 2)
            value = number ? std::min(value + 1, MostInBox) : 2;
        setCountBox(Index, value);
    } else if (Index <= 6) {
        stepMargin(Index + 1, true);
    } else if (Index == 7) {
        stepTitleSize(true);
    }
}

void P001::stepMargin(int Index, bool up)
{
    // Down: one step, but never into the strip the printer cannot reach.
    // Up: one step while the margin is within the page.
    const double margin = m_engine.marginOf(Index);
    const double strip = m_engine.stripOf(Index);
    const double step = m_engine.marginStep();
    if (!up)
        m_engine.setMarginOf(Index, strip + step < margin ? margin - step : strip);
    else if (margin < (Index <= 5 ? m_engine.unprintable().Height : m_engine.unprintable().Width) + strip + step
             && (m_engine.marginFits(Index, margin + step) || !m_engine.marginFits(Index, margin)))
        m_engine.setMarginOf(Index, margin + step); // up only while the list keeps room on the page
    m_engine.rememberMargins();
    ShowMargins();
}

void P001::stepTitleSize(bool up)
{
    bool ok = false;
    double value = QLocale::c().toDouble(Text1[9]->text().trimmed(), &ok);
    if (!ok)
        value = 1.0;
    // Up only to a size that fits: at the largest the size stays.
    const double next = std::round(std::min(value + 0.1, 99.0) * 10) / 10;
    if (up && m_engine.titleSizeFits(next))
        value = next;
    else if (!up && value >= 1.1 - 1e-9)
        value -= 0.1;
    Text1[9]->setText(fixed(value, 1));
    SetTitleFontSize(std::round(value * 10) / 10);
    m_engine.countTitleAtSetSize();
    // The pages beside the size follow it at once.
    CountPages(true);
}

// ---------------------------------------------------------------------------
// The buttons

void P001::Command1_Click(int Index)
{
    switch (Index) {
    case 0: {
        // A printer removed from the system while the dialog was open gives
        // way to the default here, and the user looks again before printing.
        if (!refreshPrinters(QVariant())) {
            ListPaperSizes();
            showPrinterName();
            m_engine.GetPrintableArea();
            CountPages(true);
            ShowPaperDetails();
            return;
        }
        if (SettingsChanged) {
            if (PageCountChanged()) {
                MsgBox(QStringLiteral("Your last action resulted in a change to the\ntotal number of pages to be printed.\n"
                                      "Please check your settings before printing"),
                       winsys::vbInformation, QStringLiteral("Page Count Change"));
                SettingsChanged = false;
                return;
            }
            SettingsChanged = false;
        }
        m_engine.setScaleToFit(false);
        if (Option1[1]->isChecked()) {
            const auto wide = boxNumber(Text1[0]), high = boxNumber(Text1[1]);
            if (!wide || !high || *wide < 1 || *high < 1) {
                MsgBox(QStringLiteral("Please enter the number of sheets wide and high to scale the print to."),
                       winsys::vbInformation, QStringLiteral("Scale To Fit"));
                return;
            }
            m_engine.setSheetsWide(*wide);
            m_engine.setSheetsHigh(*high);
            m_engine.setScaleToFit(m_engine.sheetsWide() < m_engine.pagesWide() || m_engine.sheetsHigh() < m_engine.pagesHigh());
        }
        if (m_engine.scaleToFit() && !m_engine.ScaledFontReadable()) {
            MsgBox(QStringLiteral("You have elected to scale the print. Unfortunately the\nnumber of pages you have chosen is too few to allow\n"
                                  "the text to be visible.\nPlease adjust the number of pages before proceeding."),
                   winsys::vbInformation, QStringLiteral("Text Font Too Small To Read"));
            return;
        }
        if (Option2[2]->isChecked() && (!typedRangeHolds() || !ValidatePageList()))
            return;
        // The file is asked for while the choices are still open: its
        // dialog's Cancel comes back here with all of them.
        m_fileChosen = false;
        if (CurrentPrinter().Device().PrintsToFile()) {
            if (!chooseOutputFile())
                return;
            m_fileChosen = true;
        }
        accept();
        break;
    }
    case 1:
        AbortPrint = true;
        reject();
        break;
    case 2:
        RefreshPrinter();
        break;
    case 3:
        m_engine.forgetMargins();
        ShowMargins();
        CountPages(true);
        break;
    default:
        break;
    }
}
