// The dialog's live feedback and numeric entries: the page summary and the
// status panels, margins, paper texts and picture, the number boxes and
// their arrows, the page list, orientation, paper and printer set-up, and
// the Print, Cancel and Default buttons.
#include "printing/P001.h"

#include "platform/printer/QtPrinterDevice.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/UpDown.h"
#include "platform/winsys/core/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>

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
    Label1[1]->setText(QStringLiteral("%1 Sheets Wide").arg(m_pagesWide));
    Label1[2]->setText(QStringLiteral("%1 Sheets High").arg(m_pagesHigh));
    const long total = long(m_pagesWide) * m_pagesHigh;
    Command1[0]->setEnabled(total != 0);
    if (total == 1) {
        choose(Option1, 0, &P001::Option1_Click);
        Option1[1]->setEnabled(false);
        Check1[11]->hide();
        ShowProgress = false;
        Check1[11]->setChecked(false);
    } else {
        Option1[1]->setEnabled(true);
        Check1[11]->setVisible(Check1[11]->isEnabled());
    }
    const auto wide = boxNumber(Text1[0]), high = boxNumber(Text1[1]);
    if (Option1[0]->isChecked() || (!dialogVisible() && !m_setPages) || wide.value_or(0) > m_pagesWide
        || high.value_or(0) > m_pagesHigh) {
        Text1[0]->setText(QString::number(m_pagesWide));
        Text1[1]->setText(QString::number(m_pagesHigh));
        SheetsHigh = m_pagesHigh;
        SheetsWide = m_pagesWide;
    }
    Option2[2]->setEnabled(m_pagesWide > 1 || m_pagesHigh > 1);
    if (m_requestSectionsWide > 1 && m_pagesHigh > 1) {
        Option1[2]->setText(QStringLiteral("&Print %1 up on %2 page%3")
                                .arg(m_requestSectionsWide)
                                .arg(m_requestSectionsHigh)
                                .arg(m_requestSectionsHigh > 1 ? QStringLiteral("s") : QString()));
        if (MultiColumnPrint & 1)
            choose(Option1, 2, &P001::Option1_Click);
        Option1[2]->show();
        Line1[1]->show();
    } else {
        Line1[1]->hide();
        if (Option1[2]->isChecked())
            choose(Option1, 0, &P001::Option1_Click);
        Option1[2]->hide();
        MultiUp = false;
    }
    ShowPagesStatus();
}

void P001::ShowPagesStatus()
{
    if (!Panel[2])
        return;
    QString text;
    if (Option2[2]->isChecked() && PageListCount > 0)
        text = QStringLiteral("Pages: %1 of %2").arg(PageListCount).arg(SheetsHigh * SheetsWide);
    else if (Option1[2]->isChecked())
        text = QStringLiteral("Pages: %1").arg(m_requestSectionsHigh);
    else
        text = QStringLiteral("Pages: %1").arg(SheetsHigh * SheetsWide);
    Panel[2]->setText(text);
}

// ---------------------------------------------------------------------------
// Margins and paper

double &P001::marginOf(int Index)
{
    switch (Index) {
    case 4: return Margins.Top;
    case 5: return Margins.Bottom;
    case 6: return Margins.Left;
    default: return Margins.Right;
    }
}

double P001::stripOf(int Index) const
{
    switch (Index) {
    case 4: return Unprintable.Top;
    case 5: return Unprintable.Bottom;
    case 6: return Unprintable.Left;
    default: return Unprintable.Right;
    }
}

void P001::ShowMargins()
{
    if (!Text1[4])
        return;
    Printer &P = CurrentPrinter();
    for (int i = 4; i <= 7; ++i) {
        const double twips = marginOf(i);
        const bool vertical = i <= 5;
        if (CurrentPaper.Measure == 1) {
            const double in = vertical ? P.ScaleY(twips, vbTwips, vbInches) : P.ScaleX(twips, vbTwips, vbInches);
            Text1[i]->setText(fixed(float(in), 2));
        } else {
            const double mm = vertical ? P.ScaleY(twips, vbTwips, vbMillimeters) : P.ScaleX(twips, vbTwips, vbMillimeters);
            Text1[i]->setText(QString::number(std::lround(mm)));
        }
    }
    Check1[6]->setEnabled(false);
    Check1[10]->setEnabled(false);
    NumberBelowMargin = false;
    NumberAboveMargin = false;
    const double line = P.TextHeight(QStringLiteral("P"));
    if (Margins.Bottom > Unprintable.Bottom && line < Margins.Bottom - Unprintable.Bottom) {
        Check1[6]->setEnabled(true);
        NumberBelowMargin = Check1[6]->isChecked();
    }
    if (Margins.Top > Unprintable.Top && line < Margins.Top - Unprintable.Top) {
        Check1[10]->setEnabled(true);
        NumberAboveMargin = Check1[10]->isChecked();
    }
}

void P001::ShowPaperDetails()
{
    if (!Label1[3])
        return;
    GetPrintableArea();
    CurrentPaper = GetPaperName();
    // The sizes as the paper lies: a landscape sheet is wider than high.
    double wide = CurrentPaper.Width, high = CurrentPaper.Height;
    if (CurrentPrinter().Orientation() == Landscape)
        std::swap(wide, high);
    if (CurrentPaper.Measure == 1) {
        Label1[13]->setText(QStringLiteral("In"));
        Label1[3]->setText(wide < 100 ? fixed(wide, 2) + QStringLiteral(" in Wide") : grouped(wide, 2) + QStringLiteral(" in"));
        Label1[4]->setText(high < 100 ? fixed(high, 2) + QStringLiteral(" in High") : grouped(high, 2) + QStringLiteral(" in"));
    } else {
        Label1[13]->setText(QStringLiteral("mm"));
        Label1[3]->setText(wide < 1000 ? fixed(wide, 1) + QStringLiteral(" mm Wide") : grouped(wide, 1) + QStringLiteral(" mm"));
        Label1[4]->setText(high < 1000 ? fixed(high, 1) + QStringLiteral(" mm High") : grouped(high, 1) + QStringLiteral(" mm"));
    }
    Text1[2]->setText(QString::number(m_printCopies));
    Panel[3]->setText(QStringLiteral("Copies: ") + Text1[2]->text());
    ShowMargins();
    LocatePaperImage();
}

void P001::LocatePaperImage()
{
    if (PageWidthMM <= 0 || PageHeightMM <= 0)
        return;
    const double factor = 956.0 / std::max(PageWidthMM, PageHeightMM);
    const QSize picture = winsys::TwipsToPixels(QSize(int(PageWidthMM * factor), int(PageHeightMM * factor)));
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
    PaperOrientation = CurrentPrinter().Orientation();
    const bool landscape = PaperOrientation == Landscape;
    Label1[8]->setText(CurrentPaper.Name + (landscape ? QStringLiteral(" Landscape") : QStringLiteral(" Portrait")));
    optPPS[landscape ? 1 : 0]->setChecked(true);
    OrientationBusy = false;
    // The name and the orientation fit the picture's box: a long name
    // breaks onto a second line instead of being cut at both ends.
    const int room = m_paperHolder->width();
    const int one = Label1[8]->fontMetrics().horizontalAdvance(Label1[8]->text()) + 4;
    Label1[8]->setWordWrap(one > room);
    Label1[8]->setFixedWidth(std::min(one, room));
    Label1[8]->setFixedHeight(Label1[8]->heightForWidth(Label1[8]->width()) > 0 ? Label1[8]->heightForWidth(Label1[8]->width())
                                                                                 : Label1[8]->sizeHint().height());
    Label1[8]->move(Image1->x() + picture.width() / 2 - Label1[8]->width() / 2,
                    Image1->y() + (picture.height() - Label1[8]->height()) / 2);
    Label1[8]->raise();
}

void P001::optPPS_Click() { applyOrientation(optPPS[0]->isChecked() ? Portrait : Landscape); }

void P001::applyOrientation(int orientation)
{
    // One turn at a time: a click that arrives while one is applied is ignored.
    if (OrientationBusy)
        return;
    OrientationBusy = true;
    PaperOrientation = orientation;
    CurrentPrinter().SetOrientation(PaperOrientation);
    QCoreApplication::processEvents();
    GetPrintableArea();
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
    auto *device = dynamic_cast<QtPrinterDevice *>(&CurrentPrinter().Device());
    if (!device)
        return;
    // The set-up changes this program's printer only, never the desktop's
    // default.
    QPrinter &qp = device->QPrinterObject();
    qp.setCopyCount(boxNumber(Text1[2]).value_or(1));
    QPrintDialog dialog(&qp, this);
    dialog.setWindowTitle(QStringLiteral("Printer Set-Up"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The set-up may have chosen another printer, or the PDF file: that one
    // prints, with the settings made there.
    device->FollowSetUp();
    PaperOrientation = device->Orientation();
    m_printCopies = std::clamp(qp.copyCount(), 1, MostInBox);
    readPrinterList();
    m_printerName = device->DeviceName();
    m_printerIndex = IndexOfPrinter(m_printers, m_printerName);
    Unprintable = PageArea{};
    GetPrintableArea();
    CountPages(true);
    ListPaperSizes();
    showPrinterName();
    ShowPaperDetails();
}

// ---------------------------------------------------------------------------
// Checks of typed values

bool P001::ValidatePageList()
{
    PageList.clear();
    PageListCount = 0;
    const QString text = Text1[8]->text().trimmed();
    if (text.isEmpty())
        return true;
    const long total = Option1[2]->isChecked() ? m_requestSectionsHigh : SheetsWide * SheetsHigh;
    const QVector<int> pages = ParsePageList(text, int(total));
    if (pages.isEmpty()) {
        MsgBox(QStringLiteral("Selected page range invalid, please try again."), winsys::vbOKOnly,
               QStringLiteral("Selected Pages"));
        return false;
    }
    PageList = pages;
    PageListCount = pages.size();
    return true;
}

void P001::ValidateMargin(int Index)
{
    double &margin = marginOf(Index);
    const double old = margin;
    bool ok = false;
    const double value = QLocale::c().toDouble(Text1[Index]->text().trimmed(), &ok);
    double next = ok ? value * (CurrentPaper.Measure == 1 ? 1440.0 : 56.7) : 0;
    if (!ok || !std::isfinite(next) || next < stripOf(Index)) {
        next = stripOf(Index);
        margin = next;
        ShowMargins();
    }
    if (next > old && !marginFits(Index, next) && marginFits(Index, old)) {
        // Refused at the box: the margin before comes back.
        const double unit = CurrentPaper.Measure == 1 ? TwipsPerInch / 100 : TwipsPerMM;
        const int most = largestFitting(int(std::floor(old / unit)), int(std::ceil(next / unit)),
                                        [&](int n) { return marginFits(Index, n * unit); });
        const bool inches = CurrentPaper.Measure == 1;
        refuseNoRoom(Label1[Index + 5]->text() + QStringLiteral(" margin"),
                     Text1[Index]->text().trimmed() + (inches ? QStringLiteral(" in") : QStringLiteral(" mm")),
                     inches ? fixed(most / 100.0, 2) + QStringLiteral(" in") : QString::number(most) + QStringLiteral(" mm"),
                     QStringLiteral("Page Margins"));
        ShowMargins();
        return;
    }
    margin = next;
    // A typed margin is the user's: it stays through later turns of the paper.
    rememberMargins();
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
        KeyAscii = CurrentPaper.Measure == 1 ? NumericOnly(KeyAscii, QStringLiteral(".")) : NumericOnly(KeyAscii);
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
        if (Index == 0 && value > m_pagesWide)
            value = std::max(1, m_pagesWide);
        if (Index == 1 && value > m_pagesHigh)
            value = std::max(1, m_pagesHigh);
        setCountBox(Index, value);
    } else if (Index == 3) {
        ReportTitle = Text1[3]->text();
        CountPages(true);
    } else if (Index <= 7) {
        ValidateMargin(Index);
    } else if (Index == 8) {
        ValidatePageList();
        ShowPagesStatus();
    } else if (Index == 9) {
        bool ok = false;
        double factor = QLocale::c().toDouble(Text1[9]->text().trimmed(), &ok);
        factor = ok && std::isfinite(factor) ? std::min(factor, 99.0) : 1.0;
        const double old = m_titleFontSize;
        if (factor > old && !titleSizeFits(factor) && titleSizeFits(old)) {
            const int most = largestFitting(int(std::lround(old * 10)), int(std::ceil(factor * 10)),
                                            [this](int n) { return titleSizeFits(n / 10.0); });
            refuseNoRoom(Label1[15]->text(), Text1[9]->text().trimmed(), fixed(most / 10.0, 1), QStringLiteral("Title"));
            Text1[9]->setText(fixed(m_titleFontSize, 1));
            return;
        }
        SetTitleFontSize(factor);
        Text1[9]->setText(fixed(m_titleFontSize, 1));
        m_top.TitleFontSize = m_titleFontSize;
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
        SheetsWide = value;
    else if (Index == 1)
        SheetsHigh = value;
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
        if (Index == 0 && value < m_pagesWide)
            ++value;
        else if (Index == 1 && value < m_pagesHigh)
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
    double &margin = marginOf(Index);
    const double strip = stripOf(Index);
    if (!up)
        margin = strip + MarginStep < margin ? margin - MarginStep : strip;
    else if (margin < (Index <= 5 ? Unprintable.Height : Unprintable.Width) + strip + MarginStep
             && (marginFits(Index, margin + MarginStep) || !marginFits(Index, margin)))
        margin += MarginStep; // up only while the list keeps room on the page
    rememberMargins();
    ShowMargins();
}

void P001::stepTitleSize(bool up)
{
    bool ok = false;
    double value = QLocale::c().toDouble(Text1[9]->text().trimmed(), &ok);
    if (!ok)
        value = 1.0;
    if (up && (titleSizeFits(std::min(value + 0.1, 99.0)) || !titleSizeFits(value)))
        value = std::min(value + 0.1, 99.0);
    else if (value >= 1.1 - 1e-9)
        value -= 0.1;
    Text1[9]->setText(fixed(value, 1));
    SetTitleFontSize(std::round(value * 10) / 10);
    m_top.TitleFontSize = m_titleFontSize;
}

// ---------------------------------------------------------------------------
// The buttons

void P001::Command1_Click(int Index)
{
    switch (Index) {
    case 0: {
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
        ScaleToFit = false;
        if (Option1[1]->isChecked()) {
            const auto wide = boxNumber(Text1[0]), high = boxNumber(Text1[1]);
            if (!wide || !high || *wide < 1 || *high < 1) {
                MsgBox(QStringLiteral("Please enter the number of sheets wide and high to scale the print to."),
                       winsys::vbInformation, QStringLiteral("Scale To Fit"));
                return;
            }
            SheetsWide = *wide;
            SheetsHigh = *high;
            ScaleToFit = SheetsWide < m_pagesWide || SheetsHigh < m_pagesHigh;
        }
        if (ScaleToFit && !ScaledFontReadable()) {
            MsgBox(QStringLiteral("You have elected to scale the print. Unfortunately the\nnumber of pages you have chosen is too few to allow\n"
                                  "the text to be visible.\nPlease adjust the number of pages before proceeding."),
                   winsys::vbInformation, QStringLiteral("Text Font Too Small To Read"));
            return;
        }
        if (Option2[2]->isChecked() && !ValidatePageList())
            return;
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
        Margins = Unprintable;
        m_marginsSet = false;
        ShowMargins();
        CountPages(true);
        break;
    default:
        break;
    }
}
