#include "mainwindow/GrammarPanel.h"

#include "mainwindow/MDI.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTextEdit>

namespace tav {

namespace {
QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text = QString())
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

flexgrid::FlexGrid *namedGrid(QWidget *parent, const QString &name, int rows, int cols)
{
    auto *grid = new flexgrid::FlexGrid(parent);
    grid->setObjectName(name);
    grid->SetRows(rows);
    grid->SetCols(cols);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetRowHeight(0, 0);
    return grid;
}
} // namespace

GrammarPanel::GrammarPanel(MDI &mdi, QWidget *picBottom) : QObject(picBottom), m_mdi(mdi)
{
    using namespace winsys;
    // Index 0 of the heading arrays is unused: element 1 is the only label.
    lblTopLine = {nullptr, namedLabel(picBottom, QStringLiteral("lblTopLine(1)"))};
    lblUnderLine = {nullptr, namedLabel(picBottom, QStringLiteral("lblUnderLine(1)"))};
    for (QLabel *l : {lblTopLine[1], lblUnderLine[1]})
        l->setFixedHeight(TwipsToPixelsY(255));
    lblTopLine[1]->move(0, 0);
    lblUnderLine[1]->move(0, TwipsToPixelsY(255));

    msflxKlin = namedGrid(picBottom, QStringLiteral("msflxKlin"), 7, 6);
    msflXImp = namedGrid(picBottom, QStringLiteral("msflXImp"), 7, 5);
    msflxKlin->setGeometry(0, 0, TwipsToPixelsX(7200), TwipsToPixelsY(1800));
    msflXImp->setGeometry(TwipsToPixelsX(7300), 0, TwipsToPixelsX(4800), TwipsToPixelsY(1800));

    lblVoice = namedLabel(picBottom, QStringLiteral("lblVoice"), QStringLiteral("0"));
    lblVoice->hide();
    fraVoice = new QFrame(picBottom);
    fraVoice->setObjectName(QStringLiteral("fraVoice"));
    fraVoice->setProperty("Tag", QStringLiteral("0"));
    fraVoice->hide();
    fraSimple = new QFrame(picBottom);
    fraSimple->setObjectName(QStringLiteral("fraSimple"));
    fraHad = new QFrame(picBottom);
    fraHad->setObjectName(QStringLiteral("fraHad"));

    const int right = TwipsToPixelsX(12300);
    lblAP = namedLabel(picBottom, QStringLiteral("lblAP"), QStringLiteral("Active"));
    tbAP = new QLineEdit(picBottom);
    tbAP->setObjectName(QStringLiteral("tbAP"));
    lblPP = namedLabel(picBottom, QStringLiteral("lblPP"), QStringLiteral("Passive"));
    tbPP = new QLineEdit(picBottom);
    tbPP->setObjectName(QStringLiteral("tbPP"));
    lblAP->move(right, TwipsToPixelsY(255));
    tbAP->setGeometry(right, TwipsToPixelsY(510), TwipsToPixelsX(2400), TwipsToPixelsY(315));
    lblPP->move(right, TwipsToPixelsY(900));
    tbPP->setGeometry(right, TwipsToPixelsY(1155), TwipsToPixelsX(2400), TwipsToPixelsY(315));
}

int GrammarPanel::PlaceGrids()
{
    using namespace winsys;
    const int top = PixelsToTwipsY(lblUnderLine[1]->height()) + PixelsToTwipsY(lblTopLine[1]->height());
    const int klinHeight = 7 * msflxKlin->CellHeight() - 50;
    const int impHeight = 7 * msflXImp->CellHeight() - 50;
    msflxKlin->setGeometry(msflxKlin->x(), TwipsToPixelsY(top), msflxKlin->width(), TwipsToPixelsY(klinHeight));
    msflXImp->setGeometry(msflXImp->x(), TwipsToPixelsY(top), msflXImp->width(), TwipsToPixelsY(impHeight));
    return klinHeight + PixelsToTwipsY(lblTopLine[1]->height()) + PixelsToTwipsY(lblUnderLine[1]->height());
}

void GrammarPanel::BaseFrase()
{
    m_mdi.SetPanelText(1, QStringLiteral("Ready"));
    m_mdi.SetPanelText(7, QString());
    DeKlino(0xFFFF, 99999, 0);
    msflXImp->hide();
    // Every plain text box of the main window but the search box, and both
    // remarks boxes, empty and disabled until a word is shown. Boxes of the
    // child windows are theirs, and only named controls are the window's.
    for (QLineEdit *box : m_mdi.findChildren<QLineEdit *>()) {
        if (box->objectName().isEmpty() || box == m_mdi.tbSearch || m_mdi.mdiClient->isAncestorOf(box))
            continue;
        box->setEnabled(false);
        box->clear();
    }
    for (QTextEdit *box : m_mdi.findChildren<QTextEdit *>()) {
        if (box->objectName().isEmpty() || m_mdi.mdiClient->isAncestorOf(box))
            continue;
        box->setEnabled(false);
        box->clear();
    }
    m_mdi.SetPanelText(3, QString());
    m_mdi.SetPanelText(4, QString());
    m_mdi.tbRem->clear();
    m_mdi.tbRemG3->clear();
    lblVoice->setText(QStringLiteral("0"));
    for (QWidget *w : std::initializer_list<QWidget *>{tbAP, tbPP, lblAP, lblPP, fraHad, fraSimple})
        w->hide();
    fraVoice->setProperty("Tag", QStringLiteral("0"));
}

void GrammarPanel::SmallFacts(long long, const QString &, int) {}

void GrammarPanel::DeKlino(long color, long long lngID, int)
{
    m_lastColor = color;
    m_lastID = lngID;
}

void GrammarPanel::NounDeKlino(long, long long, int, int) {}
void GrammarPanel::DeKonju(long, long long, const QString &) {}
void GrammarPanel::DeMenos(long, long long, int, bool) {}
void GrammarPanel::OpVoiceCheck(long long) {}
void GrammarPanel::OpVoiceSwitch(int) {}
void GrammarPanel::ReturnLista(bool) {}

} // namespace tav
