// The verb-form exercise: the six person forms of a verb in one tense, dealt
// as shuffled tiles that are dragged into their order. The deal and the
// judging are TileRound's; these handlers show them.
#include "exercise/Exercise.h"

#include "exercise/DragAutoScroll.h"
#include "exercise/TileBoxes.h"
#include "exercise/rounds/VerbForms.h"
#include "exercise/rounds/WordDraw.h"
#include "exercise/ExerciseHost.h"
#include "platform/datactl/DataControl.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/WholeText.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav {

namespace {

constexpr int Forms = 6;

QString TenseTable(int index) { return QStringLiteral("KonT%1").arg(std::clamp(index, 0, 3) + 1); }

} // namespace

void Exercise::buildVerbs(QWidget *page)
{
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);
    column->addLayout(buildVerbsBar(page));

    picRowsR = new QWidget;
    picRowsR->setObjectName(QStringLiteral("picRowsR"));
    auto label = [this](const QString &name, const QString &text) {
        auto *l = new QLabel(text, picRowsR);
        l->setObjectName(name);
        return l;
    };
    lblCorrect = label(QStringLiteral("lblCorrect"), QStringLiteral("The correct order"));
    lblHit = label(QStringLiteral("lblHit"), QString());
    lblVoice = label(QStringLiteral("lblVoice"), QStringLiteral("Vocie"));
    tbEngR = new QLineEdit(picRowsR);
    tbEngR->setObjectName(QStringLiteral("tbEngR"));
    tbEngR->setReadOnly(true);
    tbEngR->setAcceptDrops(false);
    connect(tbEngR, &QLineEdit::textChanged, this, &Exercise::tbEngR_Change);
    lblAction = label(QStringLiteral("lblAction"), QStringLiteral("1  random order"));
    lblAction->hide();
    lblInstruct = label(QStringLiteral("lblInstruct"), QStringLiteral("Drag to correct order"));
    lblInstruct->hide();
    column->addWidget(RowsScroll(picRowsR, page), 1);
    BoxLoadR();
}

QBoxLayout *Exercise::buildVerbsBar(QWidget *page)
{
    // The tense, "Show" and "Random".
    auto *bar = new QHBoxLayout;
    CboTempi = new QComboBox(page);
    CboTempi->setObjectName(QStringLiteral("CboTempi"));
    connect(CboTempi, &QComboBox::activated, this, [this] { CboTempi_Click(); });
    cmdTestR = new QPushButton(QStringLiteral("Show"), page);
    cmdTestR->setObjectName(QStringLiteral("cmdTestR"));
    connect(cmdTestR, &QPushButton::clicked, this, &Exercise::cmdTestR_Click);
    cmdGoR = new QPushButton(QStringLiteral("Random"), page);
    cmdGoR->setObjectName(QStringLiteral("cmdGoR"));
    cmdGoR->setEnabled(false);
    connect(cmdGoR, &QPushButton::clicked, this, &Exercise::cmdGoR_Click);
    bar->addWidget(CboTempi);
    bar->addWidget(cmdTestR);
    bar->addWidget(cmdGoR);
    bar->addStretch(1);
    return bar;
}

// ---------------------------------------------------------------------------
// Rows and layout

void Exercise::BoxLoadR()
{
    // One verb a round: six rows (a stored count of verbs above one is taken as one).
    const QFont greek = winsys::GreekFont(GreekFontSize);
    for (int i = int(verbRows.size()) + 1; i <= Forms; ++i) {
        VerbRow row;
        auto name = [i](const char *control) { return QStringLiteral("%1(%2)").arg(QLatin1String(control)).arg(i); };
        row.lblPers = new QLabel(QString::number(i), picRowsR);
        row.lblPers->setObjectName(name("lblPers"));
        row.lblPers->setAlignment(Qt::AlignCenter);
        row.tbGreR = new QLineEdit(picRowsR);
        row.tbGreR->setObjectName(name("tbGreR"));
        row.tbGreR->setReadOnly(true);
        row.tbGreR->setAcceptDrops(false);
        row.tbTestGreR = new DropPlace(i, this, picRowsR);
        row.tbTestGreR->setObjectName(name("tbTestGreR"));
        PaintBack(row.tbTestGreR, White);
        row.tbTestGreR->hide();
        row.lblSvarR = MarkerLabel(name("lblSvarR"), picRowsR);
        row.tbMoveGreR = new DragTile(i, this, picRowsR);
        row.tbMoveGreR->setObjectName(name("tbMoveGreR"));
        row.tbMoveGreR->hide();
        row.lblMoveR = MarkerLabel(name("lblMoveR"), picRowsR);
        row.lblMoveR->hide();
        row.tbTestGreR->Over = [this](int index, const QString &text) { tbTestGreR_OLEDragOver(index, text); };
        row.tbTestGreR->Left = [this](int) { tbTestGreR_OLEDragOver(0, QString()); };
        row.tbTestGreR->Dropped = [this](int index, const QString &text) { tbTestGreR_OLEDragDrop(index, text); };
        row.tbMoveGreR->Pressed = [this](int index) { tbMoveGreR_MouseDown(index); };
        row.tbMoveGreR->Completed = [this](int index) { tbMoveGreR_OLECompleteDrag(index); };
        for (QLineEdit *box : {row.tbGreR, static_cast<QLineEdit *>(row.tbTestGreR),
                               static_cast<QLineEdit *>(row.tbMoveGreR)})
            box->setFont(greek);
        // A form longer than its box, or a box past the window's edge.
        winsys::ShowWholeTexts({row.tbGreR, row.tbTestGreR, row.tbMoveGreR});
        verbRows.append(row);
    }
    // Lines as high as their texts need, so that the six rows fit the client
    // area of an 800x600 screen: the result and the instruction, the voice
    // and the meaning, the count above the tiles, then the rows.
    const int line = lblCorrect->sizeHint().height() + 2;
    const int edit = tbEngR->sizeHint().height();
    const int rowHeight = std::max(verbRows[0].tbGreR->sizeHint().height(), winsys::TwipsToPixelsY(360));
    lblCorrect->setGeometry(0, 0, winsys::TwipsToPixelsX(3500), line);
    lblHit->setGeometry(winsys::TwipsToPixelsX(3600), 0, winsys::TwipsToPixelsX(800), line);
    lblInstruct->setGeometry(winsys::TwipsToPixelsX(4500), 0, lblInstruct->sizeHint().width(), line);
    const int voiceTop = line + 2;
    lblVoice->setGeometry(0, voiceTop, winsys::TwipsToPixelsX(1200), edit);
    tbEngR->setGeometry(winsys::TwipsToPixelsX(1300), voiceTop, winsys::TwipsToPixelsX(2300), edit);
    const int actionTop = voiceTop + edit + 2;
    lblAction->setGeometry(winsys::TwipsToPixelsX(3600), actionTop, winsys::TwipsToPixelsX(2800), line);
    const int rowsTop = actionTop + line + 2;
    for (int i = 0; i < Forms; ++i) {
        const VerbRow &row = verbRows[i];
        const int top = rowsTop + i * rowHeight;
        const auto place = [top, rowHeight](QWidget *w, int left, int width) {
            w->setGeometry(winsys::TwipsToPixelsX(left), top, winsys::TwipsToPixelsX(width), rowHeight);
        };
        place(row.lblPers, 0, 495);
        place(row.tbGreR, 495, 2535);
        place(row.tbTestGreR, 495, 2535);
        place(row.lblSvarR, 3030, 375);
        place(row.tbMoveGreR, 3600, 2775);
        place(row.lblMoveR, 6375, 375);
    }
    picRowsR->setMinimumSize(winsys::TwipsToPixelsX(6800), rowsTop + Forms * rowHeight + 2);
}

// ---------------------------------------------------------------------------
// The verb and its forms

void Exercise::setRIMATag(const QString &Table)
{
    QVector<long long> verb;
    try {
        verb = DrawRound(VerbsCompleteIn(Table), 1, m_pickedVerbs, Rnd());
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
    if (verb.isEmpty()) {
        winsys::MsgBox(QStringLiteral("No verb has all six forms of a voice in this tense."), winsys::vbInformation,
                       windowTitle());
        RimaVerbID = 0;
        RimaCriteria = PickCriteriaFor({});
        return;
    }
    RimaVerbID = verb.first();
    RimaCriteria = QStringLiteral("ID = ") + QString::number(RimaVerbID);
}

void Exercise::ProcessExercise()
{
    const QString table = TenseTable(CboTempi->currentIndex());
    setRIMATag(table);
    makeExercise(*Data2, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + RimaCriteria,
                 RimaCriteria);
    GridRima();
}

void Exercise::CboTempi_Click()
{
    if (RimaVerbID == 0)
        return;
    const QString table = TenseTable(CboTempi->currentIndex());
    bool complete = false;
    try {
        complete = HasCompleteConjugation(table, RimaVerbID);
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
    if (!complete) {
        // The verb has no full row in this tense: another verb that has one.
        setRIMATag(table);
        if (RimaVerbID == 0) {
            GridRima();
            return;
        }
    }
    const QString criteria = QStringLiteral("ID = ") + QString::number(RimaVerbID);
    RimaCriteria = criteria;
    makeExercise(*Data2, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + criteria, criteria);
    GridRima();
}

void Exercise::GridRima()
{
    // The rows show the forms in order; no tile is dealt.
    for (const VerbRow &row : verbRows) {
        row.tbMoveGreR->hide();
        row.tbMoveGreR->clear();
        row.lblMoveR->hide();
        row.tbTestGreR->clear();
        row.tbTestGreR->hide();
        row.tbGreR->clear();
        row.tbGreR->show();
        row.lblSvarR->clear();
        PaintBack(row.lblSvarR, White);
    }
    lblInstruct->hide();
    lblAction->hide();
    lblHit->clear();
    lblCorrect->setText(QStringLiteral("The correct order"));
    m_verb.SetRows({}, {}, {});
    dao::Recordset *rs = Data2->Recordset();
    if (RimaVerbID == 0 || !rs || rs->RecordCount() < 1) {
        tbEngR->clear();
        lblVoice->clear();
        cmdGoR->setEnabled(false);
        return;
    }
    try {
        rs->MoveFirst();
        QStringList active, passive;
        for (const char *person : {"S1", "S2", "S3", "P1", "P2", "P3"}) {
            active << rs->Text(QLatin1String(person) + QLatin1Char('a'));
            passive << rs->Text(QLatin1String(person) + QLatin1Char('p'));
        }
        const Voice voice = ChooseVoice(rs->Text(QStringLiteral("WT")), VoiceUsable(active), VoiceUsable(passive),
                                        Rnd());
        if (voice != Voice::Keep) {
            const QStringList &forms = voice == Voice::Active ? active : passive;
            for (int i = 0; i < Forms; ++i)
                ShowText(verbRows[i].tbGreR, forms[i]);
            lblVoice->setText(voice == Voice::Active ? QStringLiteral("Active") : QStringLiteral("Passive"));
            m_verb.SetRows(forms, QStringList(Forms), QVector<long long>(Forms, RimaVerbID));
        }
        tbEngR->setText(GetMainField(RimaVerbID, QStringLiteral("English")));
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
        SetGridBusy(false);
    }
    cmdGoR->setEnabled(m_verb.Count() > 0);
}

void Exercise::tbEngR_Change()
{
    const int width = QFontMetrics(tbEngR->font()).horizontalAdvance(tbEngR->text()) + winsys::TwipsToPixelsX(300);
    tbEngR->resize(std::max(width, winsys::TwipsToPixelsX(1500)), tbEngR->height());
}

// ---------------------------------------------------------------------------
// A new verb, the deal and the progress

void Exercise::cmdTestR_Click()
{
    m_host.BaseFrase();
    m_host.DeKlino(0xFFFF, 99999);
    ProcessExercise();
}

void Exercise::PreBoxR()
{
    for (const VerbRow &row : verbRows) {
        if (BackOf(row.lblSvarR) == Red) {
            row.tbTestGreR->clear();
            PaintBack(row.lblSvarR, White);
            row.lblSvarR->clear();
        }
        row.tbMoveGreR->clear();
        row.tbMoveGreR->setEnabled(true);
        row.lblMoveR->clear();
    }
    verbProgress();
}

void Exercise::cmdGoR_Click()
{
    if (m_verb.Count() == 0)
        return;
    PreBoxR();
    m_verb.Deal(Rnd());
    for (int i = 0; i < Forms; ++i) {
        const VerbRow &row = verbRows[i];
        const TileRound::Tile &t = m_verb.TileAt(i);
        ShowText(row.tbMoveGreR, t.Text);
        row.tbMoveGreR->setProperty("Tag", QString::number(RimaVerbID));
        row.tbMoveGreR->setEnabled(t.Enabled);
        row.tbMoveGreR->show();
        PaintBack(row.lblMoveR, White);
        row.lblMoveR->show();
        row.tbTestGreR->show();
        row.tbGreR->hide();
    }
    lblAction->move(verbRows[0].tbMoveGreR->x(), lblAction->y());
    lblAction->show();
    lblInstruct->show();
}

void Exercise::verbProgress()
{
    const int n = m_verb.Solved();
    const int m = m_verb.Count();
    lblHit->setText(QString::number(n) + QLatin1Char('/') + QString::number(m));
    lblAction->setText(QString::number(m - n) + QStringLiteral(" forms in random order"));
    lblCorrect->setText(QString::number(n) + QStringLiteral(" of ") + QString::number(m) +
                        QStringLiteral(" forms in correct order"));
}

void Exercise::tbMoveGreR_MouseDown(int Index)
{
    for (const VerbRow &row : verbRows)
        if (BackOf(row.lblSvarR) != Green)
            PaintBack(row.lblSvarR, White);
    PaintBack(verbRows[Index - 1].lblMoveR, Blue);
    DropMatchedR = false;
    DragTileIndexR = Index;
    RimaVerbID = verbRows[Index - 1].tbMoveGreR->property("Tag").toLongLong();
}

void Exercise::tbTestGreR_OLEDragOver(int Index, const QString &Text)
{
    for (int i = 1; i <= int(verbRows.size()); ++i)
        PaintBack(verbRows[i - 1].tbTestGreR, i == Index ? (Text.isEmpty() ? Red : Blue) : White);
}

void Exercise::tbTestGreR_OLEDragDrop(int Index, const QString &Text)
{
    tbTestGreR_OLEDragOver(0, QString());
    const int tile = DragTileIndexR - 1;
    if (Index < 1 || Index > m_verb.Count() || tile < 0 || tile >= m_verb.Count() ||
        m_verb.TileAt(tile).Text != Text)
        return;
    const VerbRow &row = verbRows[Index - 1];
    switch (m_verb.DropTile(tile, Index - 1)) {
    case TileRound::Drop::Refused:
        break;
    case TileRound::Drop::Right:
        ShowText(row.tbTestGreR, Text);
        PaintBack(row.lblSvarR, Green);
        DropMatchedR = true;
        break;
    case TileRound::Drop::Wrong:
        row.tbTestGreR->clear();
        PaintBack(row.lblSvarR, Red);
        break;
    }
}

void Exercise::tbMoveGreR_OLECompleteDrag(int Index)
{
    tbTestGreR_OLEDragOver(0, QString());
    const VerbRow &row = verbRows[Index - 1];
    if (DropMatchedR) {
        row.tbMoveGreR->clear();
        row.lblMoveR->clear();
    } else {
        row.tbMoveGreR->selectAll();
    }
    PaintBack(row.lblMoveR, White);
    verbProgress();
    if (m_verb.Complete()) {
        m_host.SmallFacts(RimaVerbID, QString(), 0);
        lblCorrect->setText(QStringLiteral("The correct order"));
        cmdGoR->setEnabled(false);
        lblInstruct->hide();
        lblAction->hide();
        for (const VerbRow &r : verbRows) {
            r.tbMoveGreR->setEnabled(true);
            r.tbMoveGreR->hide();
            r.tbMoveGreR->clear();
            r.lblMoveR->hide();
        }
    }
}

} // namespace tav
