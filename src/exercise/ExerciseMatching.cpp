// The word-matching exercise: a round's Greek words beside their meanings,
// one side dealt as shuffled tiles that are dragged onto their rows. The
// deal and the judging are TileRound's; these handlers show them.
#include "exercise/Exercise.h"

#include "exercise/DragAutoScroll.h"
#include "exercise/TileBoxes.h"
#include "exercise/rounds/VerbForms.h"
#include "exercise/rounds/WordDraw.h"
#include "exercise/ExerciseHost.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/UpDown.h"
#include "platform/datactl/DataControl.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/WholeText.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav {

void Exercise::buildMatching(QWidget *page)
{
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(4);
    column->addLayout(buildMatchingBar(page));
    column->addWidget(buildMeaningsRow(page));
    // The rows follow the page's width (layoutRows).
    picRows = new QWidget;
    picRows->setObjectName(QStringLiteral("picRows"));
    picRows->installEventFilter(this);
    column->addWidget(RowsScroll(picRows, page), 1);
}

QBoxLayout *Exercise::buildMatchingBar(QWidget *page)
{
    // "Show", the two random deals and the number of words.
    auto *bar = new QHBoxLayout;
    cmdTest = new QPushButton(QStringLiteral("Show"), page);
    cmdTest->setObjectName(QStringLiteral("cmdTest"));
    bar->addWidget(cmdTest);
    connect(cmdTest, &QPushButton::clicked, this, &Exercise::cmdTest_Click);
    for (int i = 0; i < 2; ++i) {
        cmdGo[i] = new QPushButton(i == 0 ? QStringLiteral("Random Greek") : QStringLiteral("Random 2:nd"), page);
        cmdGo[i]->setObjectName(QStringLiteral("cmdGo(%1)").arg(i));
        bar->addWidget(cmdGo[i]);
        connect(cmdGo[i], &QPushButton::clicked, this, [this, i] { cmdGo_Click(i); });
    }
    // On a narrow window a caption with a long language name is cut.
    winsys::ShowWholeTexts({cmdGo[0], cmdGo[1]});
    lblAntal = new QLabel(page);
    lblAntal->setObjectName(QStringLiteral("lblAntal"));
    lblAntal->setAlignment(Qt::AlignCenter);
    lblAntal->setMinimumWidth(winsys::TwipsToPixelsX(300));
    UpAntal = new winsys::UpDown(page);
    UpAntal->setObjectName(QStringLiteral("UpAntal"));
    UpAntal->SetRange(1, 10);
    UpAntal->SetBuddy(lblAntal);
    connect(UpAntal, &winsys::UpDown::Change, this, &Exercise::lblAntal_Change);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("Words"), page));
    bar->addWidget(lblAntal);
    bar->addWidget(UpAntal);
    bar->addStretch(1);
    return bar;
}

QWidget *Exercise::buildMeaningsRow(QWidget *page)
{
    // The question language: a row of options after its caption.
    auto *question = new QWidget(page);
    question->setObjectName(QStringLiteral("fraMeanings"));
    auto *questionBox = new QHBoxLayout(question);
    questionBox->setContentsMargins(0, 0, 0, 0);
    questionBox->addWidget(new QLabel(QStringLiteral("Meanings in"), question));
    for (int i = 0; i < 2; ++i) {
        opOne[i] = new QRadioButton(i == 0 ? QStringLiteral("English") : QString(), question);
        opOne[i]->setObjectName(QStringLiteral("opOne(%1)").arg(i));
        questionBox->addWidget(opOne[i]);
        connect(opOne[i], &QRadioButton::clicked, this, [this, i] { opOne_Click(i); });
    }
    questionBox->addStretch(1);
    return question;
}

// ---------------------------------------------------------------------------
// Rows and layout

void Exercise::BoxLoad()
{
    const int wanted = std::clamp(OptNbrScribble, 1, 10);
    const QFont greek = winsys::GreekFont(GreekFontSize);
    QFont plain = font();
    plain.setPointSize(GreekFontSize);
    while (rows.size() > wanted) {
        const MatchRow row = rows.takeLast();
        for (QWidget *w : std::initializer_list<QWidget *>{row.tbGre, row.tbEng, row.tbTestGre, row.tbTestEng,
                                                           row.lblSvar, row.tbMoveGre, row.tbMoveEng, row.lblMove})
            delete w;
    }
    for (int i = int(rows.size()) + 1; i <= wanted; ++i) {
        MatchRow row;
        auto name = [i](const char *control) { return QStringLiteral("%1(%2)").arg(QLatin1String(control)).arg(i); };
        row.tbGre = new TextBox(picRows);
        row.tbGre->setObjectName(name("tbGre"));
        row.tbEng = new TextBox(picRows);
        row.tbEng->setObjectName(name("tbEng"));
        for (QLineEdit *box : {row.tbGre, row.tbEng})
            box->setAcceptDrops(false);
        row.tbGre->installEventFilter(this);
        row.tbTestGre = new DropPlace(i, this, picRows);
        row.tbTestGre->setObjectName(name("tbTestGre"));
        row.tbTestGre->installEventFilter(this);
        row.tbTestEng = new DropPlace(i, this, picRows);
        row.tbTestEng->setObjectName(name("tbTestEng"));
        row.lblSvar = MarkerLabel(name("lblSvar"), picRows);
        row.tbMoveGre = new DragTile(i, this, picRows);
        row.tbMoveGre->setObjectName(name("tbMoveGre"));
        row.tbMoveEng = new DragTile(i, this, picRows);
        row.tbMoveEng->setObjectName(name("tbMoveEng"));
        row.lblMove = MarkerLabel(name("lblMove"), picRows);
        for (int side = 0; side < 2; ++side) {
            DropPlace *place = side == 0 ? row.tbTestGre : row.tbTestEng;
            DragTile *tile = side == 0 ? row.tbMoveGre : row.tbMoveEng;
            PaintBack(place, White);
            place->Over = [this, side](int index, const QString &text) { tbTest_OLEDragOver(side, index, text); };
            place->Left = [this, side](int) { paintPlaces(side); };
            place->Dropped = [this, side](int index, const QString &text) { tbTest_OLEDragDrop(side, index, text); };
            tile->Pressed = [this, side](int index) { tbMove_MouseDown(side, index); };
            tile->Completed = [this, side](int index) { tbMove_OLECompleteDrag(side, index); };
        }
        rows.append(row);
    }
    for (const MatchRow &row : rows) {
        for (QWidget *w : std::initializer_list<QWidget *>{row.tbGre, row.tbMoveGre, row.tbTestGre})
            w->setFont(greek);
        for (QWidget *w : std::initializer_list<QWidget *>{row.tbEng, row.lblSvar, row.tbMoveEng, row.lblMove,
                                                           row.tbTestEng})
            w->setFont(plain);
        row.tbGre->show();
        row.tbEng->show();
        row.lblSvar->show();
        for (QWidget *w : std::initializer_list<QWidget *>{row.tbMoveGre, row.tbMoveEng, row.lblMove,
                                                           row.tbTestGre, row.tbTestEng})
            w->hide();
    }
    layoutRows();
}

void Exercise::layoutRows()
{
    if (rows.isEmpty())
        return;
    const MatchRow &first = rows.first();
    const int height = std::max({winsys::TwipsToPixelsY(405), first.tbGre->sizeHint().height(),
                                 first.tbEng->sizeHint().height()});
    // The widest text of each column: the Greek words, the meanings and, once
    // dealt, the tiles (the texts of the side dealt). Before a deal the tiles'
    // column is empty and the other two take its room.
    const auto widest = [this](const QStringList &texts, const QLineEdit *box) {
        int w = 0;
        for (const QString &t : texts)
            w = std::max(w, static_cast<const TextBox *>(box)->WidthFor(t));
        return w;
    };
    const bool dealt = m_dealSide == 0 || m_dealSide == 1;
    int natural[3] = {widest(m_matchTexts[0], first.tbGre), widest(m_matchTexts[1], first.tbEng), 0};
    if (dealt)
        natural[2] = natural[m_dealSide];
    int tag = winsys::TwipsToPixelsX(500);
    for (const QString &t : m_matchTags)
        tag = std::max(tag, first.lblMove->fontMetrics().horizontalAdvance(t) + 8);
    // The text columns share the width the marker and the tag leave. When all
    // texts fit, each column gets its widest text and a share of the rest in
    // proportion; when they do not, the narrower columns keep their texts
    // whole and the wider ones share what is left, so that a cut falls on the
    // longest texts. Each keeps a readable least width.
    const int marker = winsys::TwipsToPixelsX(375);
    const int least = winsys::TwipsToPixelsX(1200);
    const int columns = dealt ? 3 : 2;
    const int room = std::max(columns * least, picRows->width() - marker - (dealt ? tag : 0));
    int sum = 0;
    for (int c = 0; c < columns; ++c) {
        natural[c] = std::max(natural[c], least);
        sum += natural[c];
    }
    int widths[3] = {0, 0, 0};
    if (sum <= room) {
        int spare = room - sum;
        for (int c = 0; c < columns; ++c) {
            const int extra = c + 1 < columns ? int(qint64(room - sum) * natural[c] / sum) : spare;
            widths[c] = natural[c] + extra;
            spare -= extra;
        }
    } else {
        int order[3] = {0, 1, 2};
        std::sort(order, order + columns, [&natural](int a, int b) { return natural[a] < natural[b]; });
        int left = room;
        for (int k = 0; k < columns; ++k) {
            const int c = order[k];
            const int share = left / (columns - k);
            widths[c] = k + 1 < columns ? std::min(natural[c], share) : left;
            left -= widths[c];
        }
    }
    const int greekLeft = 0, engLeft = widths[0], markerLeft = engLeft + widths[1];
    const int tileLeft = markerLeft + marker, tagLeft = tileLeft + widths[2];
    for (int i = 0; i < int(rows.size()); ++i) {
        const MatchRow &row = rows[i];
        const int top = i * height;
        row.tbGre->setGeometry(greekLeft, top, widths[0], height);
        row.tbTestGre->setGeometry(greekLeft, top, widths[0], height);
        row.tbEng->setGeometry(engLeft, top, widths[1], height);
        row.tbTestEng->setGeometry(engLeft, top, widths[1], height);
        row.lblSvar->setGeometry(markerLeft, top, marker, height);
        row.tbMoveGre->setGeometry(tileLeft, top, widths[2], height);
        row.tbMoveEng->setGeometry(tileLeft, top, widths[2], height);
        row.lblMove->setGeometry(tagLeft, top, tag, height);
    }
    picRows->setMinimumSize(3 * least + marker + tag, height * int(rows.size()));
}

void Exercise::GridScribble()
{
    m_matchTexts[0].clear();
    m_matchTexts[1].clear();
    m_matchTags.clear();
    m_matchIds.clear();
    try {
        dao::Recordset *rs = Data1->Recordset();
        if (rs && rs->RecordCount() > 0) {
            const bool third = Lang3Complete && Opt2ndScribble != QLatin1String("English");
            for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
                // The round's rows: 1 ID, 2 WT, 3 Art, 4 Greek, 5 English, 6 the third language.
                const QString art = rs->Text(3);
                m_matchTexts[0] << (art.isEmpty() ? rs->Text(4) : art + QLatin1Char(' ') + rs->Text(4));
                m_matchTexts[1] << (third && rs->FieldCount() > 6 ? rs->Text(6) : rs->Text(5));
                m_matchTags << WordClassTag(rs->Text(2));
                m_matchIds << rs->Long(1);
            }
            rs->MoveFirst();
        }
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
        SetGridBusy(false);
    }
    if (int(rows.size()) != std::clamp(OptNbrScribble, 1, 10))
        BoxLoad();
    // A round never has more rows than places: the draw takes at most
    // OptNbrScribble words; places beyond the round's rows stay empty.
    const int n = std::min<int>(int(m_matchTexts[0].size()), int(rows.size()));
    for (auto &texts : m_matchTexts)
        texts = texts.mid(0, n);
    m_matchTags = m_matchTags.mid(0, n);
    m_matchIds = m_matchIds.mid(0, n);
    m_match.SetRows({}, {}, {});
    m_dealSide = -1;
    for (int i = 1; i <= int(rows.size()); ++i) {
        const MatchRow &row = rows[i - 1];
        const bool used = i <= n;
        row.tbMoveEng->clear();
        row.lblMove->clear();
        ShowText(row.tbGre, used ? m_matchTexts[0][i - 1] : QString());
        row.tbGre->setProperty("Tag", QString());
        ShowText(row.tbEng, used ? m_matchTexts[1][i - 1] : QString());
        row.tbGre->setVisible(used);
        row.tbEng->setVisible(used);
        row.lblSvar->setVisible(used);
        row.tbTestEng->hide();
    }
    for (QPushButton *go : cmdGo)
        go->setEnabled(n > 0);
    layoutRows();
}

// ---------------------------------------------------------------------------
// A new round and the number of words

void Exercise::cmdTest_Click()
{
    m_host.BaseFrase();
    m_host.DeKlino(0xFFFF, 99999);
    ShownWordID = 0;
    for (const MatchRow &row : rows) {
        for (QLineEdit *place : {static_cast<QLineEdit *>(row.tbTestGre), static_cast<QLineEdit *>(row.tbTestEng)}) {
            place->clear();
            place->hide();
        }
        row.lblSvar->clear();
        PaintBack(row.lblSvar, White);
        for (DragTile *tile : {row.tbMoveGre, row.tbMoveEng}) {
            tile->setEnabled(true);
            tile->hide();
            tile->clear();
        }
        row.lblMove->hide();
        row.tbGre->clear();
        row.tbGre->setProperty("Tag", QString());
        row.tbGre->show();
        row.tbEng->clear();
        row.tbEng->show();
    }
    try {
        PickRandomWords();
        BindRound(SqlLang3, PickCriteria);
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
    GridScribble();
    UpAntal->setEnabled(true);
}

void Exercise::lblAntal_Change(int value)
{
    if (value == OptNbrScribble)
        return;
    if (!UpDateScribble(value))
        return; // reported; the count stays as stored
    BoxLoad();
    cmdTest_Click();
}

// ---------------------------------------------------------------------------
// The deal

void Exercise::PreBox(int Index)
{
    for (int i = 0; i < int(rows.size()); ++i) {
        const MatchRow &row = rows[i];
        if (BackOf(row.lblSvar) == Red) {
            (Index == 1 ? row.tbTestEng : row.tbTestGre)->clear();
            PaintBack(row.lblSvar, White);
            row.lblSvar->clear();
        }
        for (DragTile *tile : {row.tbMoveGre, row.tbMoveEng}) {
            tile->clear();
            tile->setEnabled(true);
        }
        row.lblMove->clear();
    }
}

void Exercise::cmdGo_Click(int Index)
{
    if (m_dealSide != Index) {
        m_match.SetRows(m_matchTexts[Index], m_matchTags, m_matchIds);
        m_dealSide = Index;
    }
    if (m_match.Count() == 0)
        return; // an empty round deals nothing
    cmdGo[1 - Index]->setEnabled(false);
    PreBox(Index);
    m_match.Deal(Rnd());
    for (int i = 1; i <= int(rows.size()); ++i) {
        const MatchRow &row = rows[i - 1];
        const bool used = i <= m_match.Count();
        DragTile *tile = Index == 0 ? row.tbMoveGre : row.tbMoveEng;
        if (used) {
            const TileRound::Tile &t = m_match.TileAt(i - 1);
            ShowText(tile, t.Text);
            tile->setProperty("Tag", QString::number(t.ID));
            tile->setEnabled(t.Enabled);
            row.lblMove->setText(t.Tag);
            PaintBack(row.lblMove, White);
        }
        tile->setVisible(used);
        row.lblMove->setVisible(used);
        (Index == 0 ? row.tbMoveEng : row.tbMoveGre)->hide();
        (Index == 0 ? row.tbTestGre : row.tbTestEng)->setVisible(used);
        (Index == 0 ? row.tbGre : row.tbEng)->hide();
        (Index == 0 ? row.tbEng : row.tbGre)->setVisible(used);
    }
    layoutRows(); // the tiles' column now holds the dealt side
    UpAntal->setEnabled(false);
}

// ---------------------------------------------------------------------------
// Dragging

void Exercise::paintPlaces(int Side, int Hovered, long HoverColor)
{
    for (int i = 0; i < int(rows.size()); ++i)
        PaintBack(Side == 0 ? rows[i].tbTestGre : rows[i].tbTestEng, i + 1 == Hovered ? HoverColor : White);
}

void Exercise::tbMove_MouseDown(int Side, int Index)
{
    m_host.BaseFrase();
    m_host.DeKlino(0xFFFF, 99999);
    for (const MatchRow &row : rows)
        if (BackOf(row.lblSvar) != Green)
            PaintBack(row.lblSvar, White);
    const MatchRow &row = rows[Index - 1];
    PaintBack(row.lblMove, Blue);
    DropMatched = false;
    DragTileIndex = Index;
    ShownWordID = (Side == 0 ? row.tbMoveGre : row.tbMoveEng)->property("Tag").toLongLong();
}

void Exercise::tbTest_OLEDragOver(int Side, int Index, const QString &Text)
{
    paintPlaces(Side, Index, Text.isEmpty() ? Red : Blue);
}

void Exercise::tbTest_OLEDragDrop(int Side, int Index, const QString &Text)
{
    paintPlaces(Side);
    if (Side != m_dealSide || Index < 1 || Index > int(rows.size()))
        return;
    const MatchRow &row = rows[Index - 1];
    DropPlace *place = Side == 0 ? row.tbTestGre : row.tbTestEng;
    const int tile = DragTileIndex - 1;
    if (tile < 0 || tile >= m_match.Count() || m_match.TileAt(tile).Text != Text)
        return; // not the tile whose drag started here
    switch (m_match.DropTile(tile, Index - 1)) {
    case TileRound::Drop::Refused:
        break;
    case TileRound::Drop::Right:
        ShowText(place, Text);
        PaintBack(row.lblSvar, Green);
        DropMatched = true;
        m_host.SmallFacts(ShownWordID, QString(), 0);
        row.tbGre->setProperty("Tag", QString::number(ShownWordID));
        break;
    case TileRound::Drop::Wrong:
        place->clear();
        PaintBack(row.lblSvar, Red);
        break;
    }
}

void Exercise::tbMove_OLECompleteDrag(int Side, int Index)
{
    paintPlaces(Side);
    const MatchRow &row = rows[Index - 1];
    DragTile *tile = Side == 0 ? row.tbMoveGre : row.tbMoveEng;
    if (DropMatched) {
        tile->clear();
        row.lblMove->clear();
    } else {
        tile->selectAll();
    }
    PaintBack(row.lblMove, White);
}

void Exercise::tbGre_GotFocus(int Index)
{
    if (Index < 1 || Index > int(rows.size()))
        return;
    const MatchRow &row = rows[Index - 1];
    if (BackOf(row.lblSvar) == Green && row.lblSvar->isVisible()) {
        m_host.SmallFacts(row.tbGre->property("Tag").toLongLong(), QString(), 0);
        GreRowIndex = Index;
    }
}

bool Exercise::matchFocus(QObject *watched)
{
    for (int i = 0; i < int(rows.size()); ++i) {
        if (watched == rows[i].tbGre || watched == rows[i].tbTestGre) {
            tbGre_GotFocus(i + 1);
            return true;
        }
    }
    return false;
}

} // namespace tav
