#include "inflection/GrammarPanel.h"

#include "inflection/GrammarHost.h"
#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/TextBox.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/WholeText.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/ListWindowLink.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/SortsAndArrays.h"
#include "store/StoreQueries.h"
#include "store/WordEdits.h"
#include "store/WindowRoutines.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace tav {

using flexgrid::FlexGrid;
using winsys::TwipsToPixelsX;
using winsys::TwipsToPixelsY;

namespace {

constexpr int kHeadingHeight = 330; // twips: room for the option frames inside a heading
constexpr int kVoiceBoxHeight = 315;

QLabel *namedLabel(QWidget *parent, const QString &name, const QString &text = QString())
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

FlexGrid *namedGrid(QWidget *parent, const QString &name, int rows, int cols)
{
    auto *grid = new FlexGrid(parent);
    grid->setObjectName(name);
    grid->SetRows(rows);
    grid->SetCols(cols);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetRowHeight(0, 0);
    // Row captions in a small font fit the narrow heading column; the room
    // below the last row takes the panel's colour.
    QFont small = grid->font();
    small.setPointSizeF(kRowCaptionPoints);
    grid->SetFont(small);
    grid->SetBackColorBkg(grid->BackColorFixed());
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A form its column cuts shows whole on hover and in the focused cell.
    grid->SetWholeTextTips(true);
    return grid;
}

// A frame holding two option buttons side by side.
QFrame *optionFrame(QWidget *parent, const QString &name, QRadioButton *(&options)[2], const QString &array,
                    const QString &caption0, const QString &caption1)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setAutoFillBackground(true);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(4);
    QFont small = frame->font();
    small.setPointSizeF(7.5);
    const QString captions[2] = {caption0, caption1};
    for (int i = 0; i < 2; ++i) {
        options[i] = new QRadioButton(captions[i], frame);
        options[i]->setObjectName(QStringLiteral("%1(%2)").arg(array).arg(i));
        options[i]->setFont(small);
        row->addWidget(options[i]);
    }
    frame->resize(frame->sizeHint());
    frame->hide();
    return frame;
}

// The word whose forms build every verb's compound tenses.
bool isAuxiliary(const WordRecord &main)
{
    return HaveID != 0 && main.Field(QStringLiteral("ID")).toLongLong() == HaveID;
}

// Reads an Enter typed into a verb box as the box's KeyPress.
class EnterKey : public QObject {
public:
    EnterKey(QObject *parent, std::function<void(int &)> handler, std::function<void()> escape = {})
        : QObject(parent), m_handler(std::move(handler)), m_escape(std::move(escape))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape && m_escape) {
            m_escape();
            return true;
        }
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        int KeyAscii = 13;
        m_handler(KeyAscii);
        return KeyAscii == 0;
    }

private:
    std::function<void(int &)> m_handler;
    std::function<void()> m_escape;
};

} // namespace

GrammarPanel::GrammarPanel(GrammarHost &host, QWidget *picBottom)
    : QObject(picBottom), m_host(host), m_picBottom(picBottom)
{
    lblTopLine = {nullptr, namedLabel(picBottom, QStringLiteral("lblTopLine(1)"))};
    lblUnderLine = {nullptr, namedLabel(picBottom, QStringLiteral("lblUnderLine(1)"))};
    for (QLabel *l : {lblTopLine[1], lblUnderLine[1]}) {
        l->setFixedHeight(TwipsToPixelsY(kHeadingHeight));
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Box);
        l->setAutoFillBackground(true);
        DrawBordersAsGridLines(l);
    }
    lblTopLine[1]->move(0, 0);
    lblUnderLine[1]->move(0, TwipsToPixelsY(kHeadingHeight));

    msflxKlin = namedGrid(picBottom, QStringLiteral("msflxKlin"), 7, 6);
    msflXImp = namedGrid(picBottom, QStringLiteral("msflXImp"), 7, 5);
    msflxKlin->setGeometry(0, 0, TwipsToPixelsX(7200), TwipsToPixelsY(1800));
    msflXImp->setGeometry(TwipsToPixelsX(7300), 0, TwipsToPixelsX(4800), TwipsToPixelsY(1800));

    tbN = new QLineEdit(picBottom);
    tbN->setObjectName(QStringLiteral("tbN"));
    tbN->setProperty("Tag", QStringLiteral("Klino"));
    tbN->hide();
    tbImp = new QLineEdit(picBottom);
    tbImp->setObjectName(QStringLiteral("tbImp"));
    tbImp->setProperty("Tag", QStringLiteral("Imp"));
    tbImp->hide();

    lblVoice = namedLabel(picBottom, QStringLiteral("lblVoice"), QStringLiteral("0"));
    lblVoice->hide();
    fraVoice = new QFrame(picBottom);
    fraVoice->setObjectName(QStringLiteral("fraVoice"));
    fraVoice->setProperty("Tag", QStringLiteral("0"));
    fraVoice->hide();
    // The layers at (0, 0): their controls are placed in the panel's
    // coordinates.
    m_verbLayer = new QWidget(picBottom);
    m_verbLayer->setObjectName(QStringLiteral("verbLayer"));
    m_conjugationLayer = new QWidget(m_verbLayer);
    m_conjugationLayer->setObjectName(QStringLiteral("conjugationLayer"));
    fraHad = optionFrame(m_conjugationLayer, QStringLiteral("fraHad"), opHad, QStringLiteral("opHad"),
                         QStringLiteral("Perfect"), QStringLiteral("Past Perfect"));
    fraSimple = optionFrame(m_conjugationLayer, QStringLiteral("fraSimple"), opSimple, QStringLiteral("opSimple"),
                            QStringLiteral("Simple"), QStringLiteral("Continuous"));
    opHad[1]->setChecked(true);
    opSimple[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        connect(opHad[i], &QRadioButton::clicked, this, [this, i] { opHad_Click(i); });
        connect(opSimple[i], &QRadioButton::clicked, this, [this, i] { opSimple_Click(i); });
    }

    lblAP = namedLabel(m_verbLayer, QStringLiteral("lblAP"), QStringLiteral("A"));
    lblPP = namedLabel(m_verbLayer, QStringLiteral("lblPP"), QStringLiteral("P"));
    tbAP = new QLineEdit(m_conjugationLayer);
    tbAP->setObjectName(QStringLiteral("tbAP"));
    tbPP = new QLineEdit(m_conjugationLayer);
    tbPP->setObjectName(QStringLiteral("tbPP"));
    for (QLabel *l : {lblAP, lblPP}) {
        l->resize(TwipsToPixelsX(kVoiceLabelWidth), TwipsToPixelsY(kVoiceBoxHeight));
        l->setToolTip(l == lblAP ? QStringLiteral("Active form") : QStringLiteral("Passive form"));
    }
    for (QLineEdit *box : {tbAP, tbPP})
        box->resize(TwipsToPixelsX(kVoiceBoxWidth), TwipsToPixelsY(kVoiceBoxHeight));
    // A long form is cut by its box: whole on hover and while focused.
    winsys::ShowWholeTexts({tbAP, tbPP});
    // Esc in a verb box brings back the form it showed, as in a list cell.
    tbAP->installEventFilter(new EnterKey(
        tbAP, [this](int &k) { tbAP_KeyPress(k); }, [this] { restoreVoiceBox(tbAP); }));
    tbPP->installEventFilter(new EnterKey(
        tbPP, [this](int &k) { tbPP_KeyPress(k); }, [this] { restoreVoiceBox(tbPP); }));
    for (QWidget *layer : {m_conjugationLayer, m_verbLayer})
        layer->setGeometry(QRect(QPoint(0, 0), layer->childrenRect().bottomRight()));
    connectEditing();
    m_picBottom->installEventFilter(this);
}

// The grids are refilled where they stand; one that has the keyboard focus
// is hidden first, which hands the focus on to the next control, as the
// views always did. That control may show a word of its own when it takes
// the focus (an exercise's tile does): it is handed on before the view
// starts, so that such a word is shown to its end before this view changes
// anything, never in the middle of it.
void GrammarPanel::handFocusOn()
{
    for (FlexGrid *grid : {msflxKlin, msflXImp}) {
        if (grid->isHidden())
            continue;
        HideIfFocused(*grid);
        if (grid->isHidden())
            grid->show();
    }
}

void GrammarPanel::beginView(long long ID)
{
    CancelEdit();
    showFirstRows();
    m_state.viewWordID = ID == ArticleID ? 0 : ID;
}

GrammarPanel::~GrammarPanel() = default;

int GrammarPanel::PlaceGrids()
{
    using namespace winsys;
    // The Greek font's size is known once the program has started: rows high
    // enough for it, and the verb boxes in it.
    const QFontMetrics greek(GreekFont(GreekFontSize));
    for (FlexGrid *g : {msflxKlin, msflXImp})
        g->SetRowHeightMin(PixelsToTwipsY(greek.height() + 4));
    for (QLineEdit *box : {tbAP, tbPP})
        box->setFont(GreekFont(std::max(8, GreekFontSize - 3)));
    const int headings = lblUnderLine[1]->height() + lblTopLine[1]->height();
    msflxKlin->setGeometry(msflxKlin->x(), headings, msflxKlin->width(), rowsHeight(*msflxKlin));
    msflXImp->setGeometry(msflXImp->x(), headings, msflXImp->width(), rowsHeight(*msflXImp));
    fitPanelHeight();
    return PixelsToTwipsY(headings + rowsHeight(*msflxKlin));
}

// A grid as high as its rows (the first `rows`, all when -1): every row
// shows, with no blank below the last, so that the panel needs no more
// height than its headings and rows.
int GrammarPanel::rowsHeight(const FlexGrid &grid, int rows) const
{
    int height = grid.height() - grid.contentsRect().height();
    for (int r = 0; r < (rows < 0 ? grid.Rows() : std::min(rows, grid.Rows())); ++r)
        height += grid.TwipsToPixelsY(grid.RowHeight(r));
    return height;
}

// The panel is given its heading rows and as many rows of forms as the room
// below the child windows leaves: all of them where it can, never fewer than
// two. With fewer than all, the grids scroll their rows below the headings,
// which stay in view, as the row captions do in the grids' fixed column.
void GrammarPanel::fitPanelHeight()
{
    const int headings = lblTopLine[1]->height() + lblUnderLine[1]->height();
    m_picBottom->setMinimumHeight(headings + rowsHeight(*msflxKlin, 3));
    m_picBottom->setMaximumHeight(headings + rowsHeight(*msflxKlin));
    fitGridHeights();
    showFirstRows();
}

// A word is shown from its first row ("1 sg", "Nom sg") where the rows do
// not all fit; a grid the user is in keeps its current cell in sight.
void GrammarPanel::showFirstRows()
{
    for (FlexGrid *grid : {msflxKlin, msflXImp})
        if (!grid->hasFocus())
            grid->SetTopRow(grid->FixedRows());
}

void GrammarPanel::fitGridHeights()
{
    const int room = m_picBottom->height() - lblTopLine[1]->height() - lblUnderLine[1]->height();
    for (FlexGrid *grid : {msflxKlin, msflXImp}) {
        const int height = std::max(0, std::min(rowsHeight(*grid), room));
        if (grid->height() != height)
            grid->setFixedHeight(height);
    }
}

bool GrammarPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picBottom && event->type() == QEvent::Resize)
        fitGridHeights();
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// State and its mirrors

void GrammarPanel::setVoice(const QString &voice)
{
    m_state.voice = voice;
    lblVoice->setText(voice);
}

void GrammarPanel::setVerb(long long ID)
{
    m_state.verbID = ID;
    fraVoice->setProperty("Tag", QString::number(ID));
}

void GrammarPanel::setShownWord(long long ID)
{
    m_state.wordID = ID;
    m_host.ShowWordID(ID);
}

void GrammarPanel::setEditorTag(QLineEdit *editor, const QString &tag) { editor->setProperty("Tag", tag); }

ListWindowLink *GrammarPanel::activeList() const { return m_host.ActiveList(); }

// The panel's own text boxes and the main window's result boxes; the search
// box, and any other box that lives under the panel, stays as it is.
void GrammarPanel::setMainTextBoxesEnabled(bool enabled, bool clear)
{
    QList<QLineEdit *> boxes = {tbN, tbImp, tbAP, tbPP};
    boxes << m_host.ResultBoxes();
    for (QLineEdit *box : std::as_const(boxes)) {
        box->setEnabled(enabled);
        if (clear)
            box->clear();
    }
}

// ---------------------------------------------------------------------------
// The word facts

// The A and P captions are always shown in the verb layer: the layer shows
// or hides them.
void GrammarPanel::showVoiceCaptions(bool shown)
{
    if (m_verbLayer->isHidden() == shown)
        m_verbLayer->setVisible(shown);
}

void GrammarPanel::hideConjugationFrames()
{
    fraSimple->hide();
    fraHad->hide();
}

void GrammarPanel::SmallFacts(long long lngID, const QString &StrLat, int iGridType)
{
    handFocusOn();
    CancelEdit();
    setVoice(QStringLiteral("0"));
    // The conjugation's frames go with every other view, hidden at the end:
    // the conjugation shows them again, and a frame hidden and shown in one
    // go would repaint the panel under it for every verb arrowed through.
    bool conjugationShown = false;
    msflXImp->setVisible(iGridType == 33);

    try {
        // One read of the word's row serves the voice entries and the facts.
        const WordRecord main = ReadWordRecord(QStringLiteral("Main"), lngID);
        clearVoiceChecks();
        if (main.Found()) {
            showVoiceForms(main);
            if (iGridType == 66) {
                ListWindowLink *list = activeList();
                if (list && list->HasLblInfo())
                    list->SetLblInfo(main.Text(QStringLiteral("English")));
            }
            m_host.SetPanelText(7, QStringLiteral("Timestamp= ") +
                                       main.Text(QStringLiteral("MadeDate")).replace(QLatin1Char('T'), QLatin1Char(' ')));

            const QVariant WT = main.Field(QStringLiteral("WT"));
            const QVariant genus = main.Field(QStringLiteral("Genus"));
            const WordClass kind = ClassifyWord(WT, genus);
            WordKind = int(kind);
            if (kind == KindNoun)
                WordGenus = genus;
            // The verb's captions show with its view (showing them here
            // would show them apart from the conjugation's controls); a
            // word of any other kind shows none of them.
            if (kind == KindVerb) {
                tbAP->show();
                tbPP->show();
            } else {
                tbAP->hide();
                tbPP->hide();
                showVoiceCaptions(false);
            }
            if (!m_host.RemarksBox()->isEnabled()) {
                m_host.RemarksBox()->setEnabled(true);
                m_host.RemarksBox3()->setEnabled(true);
            }

            if (WT.isNull()) {
                DeKlino(ColorYellow, ArticleID);
            } else if (kind == KindAdjective) {
                DeKlino(ColorGreen, lngID, kind);
            } else if (kind == KindNoun) {
                NounDeKlino(ColorGreen, lngID, genus.toInt(), kind);
            } else if (kind == KindVerb && iGridType == 33) {
                setVerb(lngID);
                DeMenos(ColorGreen, lngID, kind, false);
            } else if (kind == KindVerb) {
                setVerb(lngID);
                QAction *active = m_host.ConjugationEntry(0);
                QAction *passive = m_host.ConjugationEntry(1);
                if (m_voiceMenuChoice[0]) {
                    OpVoiceSwitch(active->isEnabled() ? 0 : 1);
                    DeKonju(ColorWhite, lngID, active->isEnabled() ? QStringLiteral("a") : QStringLiteral("p"));
                    conjugationShown = true;
                } else if (m_voiceMenuChoice[1]) {
                    OpVoiceSwitch(passive->isEnabled() ? 1 : 0);
                    DeKonju(ColorWhite, lngID, passive->isEnabled() ? QStringLiteral("p") : QStringLiteral("a"));
                    conjugationShown = true;
                } else if (m_voiceMenuChoice[2]) {
                    m_host.ConjugationEntry(2)->setChecked(true);
                    DeMenos(ColorGreen, lngID, kind, true);
                } else {
                    showVoiceCaptions(true);
                }
            } else {
                DeKlino(ColorYellow, ArticleID);
            }

            fitPanelHeight();

            // The word's third-language row, when the third language shows
            // or a simple list asks for its meanings.
            WordRecord lang;
            if (iGridType == 3 || !OptBoHide3)
                lang = ReadWordRecord(Lang3Table, lngID);
            if (iGridType == 3)
                showThirdLanguage(lang, StrLat);
            setMainTextBoxesEnabled(true, false);
            m_host.RemarksBox()->ShowStored(main.Text(QStringLiteral("Remarks")));
            m_host.RemarksBox3()->ShowStored(OptBoHide3 ? main.Text(QStringLiteral("Remarks2"))
                                                        : lang.Text(QStringLiteral("Remarks")));
            setShownWord(lngID);
        }
        if (!conjugationShown)
            hideConjugationFrames();
    } catch (const std::exception &error) {
        if (!conjugationShown)
            hideConjugationFrames();
        winsys::ShowErrorBox(error);
    }
    // The status line's default text. Unlike SetStatusText this leaves the
    // painting to the event loop: moving through a list with the arrow keys
    // must not repaint the whole status bar for every word.
    m_host.SetPanelText(1, Caps1185(1186));
}

// Panel 4 for a simple list's row: the word's third-language meaning, or,
// with several, its other meanings. A word without a third-language meaning
// shows nothing there.
void GrammarPanel::showThirdLanguage(const WordRecord &lang, const QString &StrLat)
{
    if (!lang.Found() || lang.Text(QStringLiteral("Lat")).trimmed().isEmpty()) {
        m_host.SetPanelText(4, QString());
        return;
    }
    bool numeric = false;
    const double means = lang.Text(QStringLiteral("Means")).trimmed().toDouble(&numeric);
    if (!numeric || means <= 1) {
        m_host.SetPanelText(4, lang.Text(QStringLiteral("Lat")) + QStringLiteral("  "));
    } else {
        QString meanings = lang.Text(QStringLiteral("Lat"));
        SortsObj.ArrayFill(meanings);
        SortsObj.DelOrdGsortArr(StrLat.trimmed());
        m_host.SetPanelText(4, Caps1185(1214) + SortsObj.StringBack(GsortArr) + QStringLiteral("  "));
    }
}

void GrammarPanel::BaseFrase()
{
    CancelEdit();
    m_host.SetPanelText(1, QStringLiteral("Ready"));
    m_host.SetPanelText(7, QString());
    msflXImp->hide();
    try {
        DeKlino(ColorYellow, ArticleID);
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
    }
    setMainTextBoxesEnabled(false, true);
    for (winsys::TextBox *box : {m_host.RemarksBox(), m_host.RemarksBox3()}) {
        box->setEnabled(false);
        box->ShowStored(QString());
    }
    setShownWord(0);
    m_host.SetPanelText(4, QString());
    setVoice(QStringLiteral("0"));
    for (QWidget *w : std::initializer_list<QWidget *>{tbAP, tbPP, fraHad, fraSimple})
        w->hide();
    showVoiceCaptions(false);
    m_state.verbID = 0;
    fraVoice->setProperty("Tag", QStringLiteral("0"));
}

// ---------------------------------------------------------------------------
// The voices

void GrammarPanel::OpVoiceCheck(long long lngID)
{
    clearVoiceChecks();
    const WordRecord main = ReadWordRecord(QStringLiteral("Main"), lngID);
    if (main.Found())
        showVoiceForms(main);
}

void GrammarPanel::clearVoiceChecks()
{
    for (int i = 0; i < 3; ++i)
        m_host.ConjugationEntry(i)->setChecked(false);
}

// A voice is offered when the word has its form (AP active, PP passive).
void GrammarPanel::showVoiceForms(const WordRecord &main)
{
    const QVariant AP = main.Field(QStringLiteral("AP"));
    const QVariant PP = main.Field(QStringLiteral("PP"));
    m_host.ConjugationEntry(0)->setEnabled(!AP.isNull());
    // The auxiliary's AP holds its marker, no form: the box shows the word.
    if (isAuxiliary(main))
        tbAP->setText(main.Text(QStringLiteral("Greek")));
    else
        tbAP->setText(AP.isNull() ? QString() : AP.toString());
    m_host.ConjugationEntry(1)->setEnabled(!PP.isNull());
    tbPP->setText(PP.isNull() ? QString() : PP.toString());
    m_voiceShown[0] = tbAP->text();
    m_voiceShown[1] = tbPP->text();
    // A form wider than its box shows its beginning, not its end.
    for (QLineEdit *box : {tbAP, tbPP})
        box->setCursorPosition(0);
}

void GrammarPanel::restoreVoiceBox(QLineEdit *box)
{
    box->setText(m_voiceShown[box == tbPP ? 1 : 0]);
    box->setCursorPosition(0);
}

void GrammarPanel::fitVoiceBoxes()
{
    int text = 0;
    for (QLineEdit *box : {tbAP, tbPP})
        text = std::max(text, box->fontMetrics().horizontalAdvance(box->text()));
    // The box's frame, the line edit's own margins on both sides and the
    // text cursor.
    const int frame = tbAP->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tbAP);
    const int wanted = text + 2 * frame + 2 * 2 + 2;
    int captions = 0;
    for (int i = 0; i < 2; ++i) {
        const QLabel *label = i == 0 ? lblTopLine[1] : lblUnderLine[1];
        CaptionWidth &known = m_captionWidths[i];
        if (known.text != label->text() || known.font != label->font())
            known = {label->text(), label->font(), label->fontMetrics().horizontalAdvance(label->text())};
        captions = std::max(captions, known.width + 2 * label->frameWidth());
    }
    const int room = lblTopLine[1]->geometry().right() + 1 - captions - tbAP->x();
    const int width = std::max(TwipsToPixelsX(kVoiceBoxWidth), std::min(wanted, room));
    for (QLineEdit *box : {tbAP, tbPP}) {
        box->resize(width, box->height());
        box->setCursorPosition(0);
    }
}

void GrammarPanel::OpVoiceSwitch(int intVoice)
{
    if (intVoice == 0 || intVoice == 1)
        m_host.ConjugationEntry(intVoice)->setChecked(true);
}

void GrammarPanel::mnuFirstParts_Click(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    for (int i = 0; i < 3; ++i) {
        m_host.ConjugationEntry(i)->setChecked(false);
        m_voiceMenuChoice[i] = false;
    }
    msflXImp->hide();
    const long long ID = m_state.verbID;
    try {
        if (ID != 0) {
            if (Index == 0) {
                DeKonju(ColorWhite, ID, QStringLiteral("a"));
            } else if (Index == 1) {
                DeKonju(ColorWhite, ID, QStringLiteral("p"));
            } else {
                hideConjugationFrames();
                DeMenos(ColorGreen, ID, WordKind.toInt(), true);
                msflXImp->show();
            }
        }
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
    }
    m_host.ConjugationEntry(Index)->setChecked(true);
    m_voiceMenuChoice[Index] = true;
}

// Enter in a verb box stores its text as the word's form of that voice: the
// text as typed, quotes included, without blanks around it; a box of blanks
// stores Null, so that the voice is no longer offered. The auxiliary's A box
// shows its headword, not its marker: Enter on it unchanged stores nothing.
// A failed or refused write is reported, the box gets the stored form back
// and the list stays on the word, so that the user sees which word it was
// and can try again. A blank box that would take a voice away is asked
// first: No (the default) gives the box its stored form back.
void GrammarPanel::storeVoiceForm(QLineEdit *box, const QString &field, int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    const long long ID = m_state.wordID;
    if (ID == 0)
        return;
    bool stored = true;
    try {
        const bool shownHeadword = box == tbAP && ID == HaveID &&
                                   box->text().trimmed() == GetMainField(ID, QStringLiteral("Greek"));
        if (!shownHeadword && EmptiesVoice(ID, field, box->text()) &&
            winsys::MsgBox(VoiceEmptyQuestion(field), winsys::vbYesNo | winsys::vbExclamation | winsys::vbDefaultButton2,
                           winsys::AppTitle) != winsys::vbYes) {
            restoreVoiceBox(box);
            return;
        }
        if (!shownHeadword)
            UpdateVoiceForm(ID, field, box->text());
    } catch (const std::exception &error) {
        stored = false;
        winsys::ShowErrorBox(error);
    }
    try {
        OpVoiceCheck(ID);
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
    }
    if (stored)
        ReturnLista(false);
}

void GrammarPanel::tbAP_KeyPress(int &KeyAscii) { storeVoiceForm(tbAP, QStringLiteral("AP"), KeyAscii); }
void GrammarPanel::tbPP_KeyPress(int &KeyAscii) { storeVoiceForm(tbPP, QStringLiteral("PP"), KeyAscii); }

void GrammarPanel::ReturnLista(bool NoJump)
{
    ListWindowLink *list = activeList();
    if (!list)
        return;
    GridLink &grid = list->msFlxMulti();
    grid.SetFocus();
    bool ok = false;
    const int col = list->lblCol().toInt(&ok);
    if (ok)
        grid.SetCol(col);
    if (NoJump)
        return;
    if (grid.Row() == grid.Rows() - 1) {
        grid.SetRow(1);
    } else {
        const int row = list->lblRow().toInt(&ok);
        grid.SetRow(ok ? row + 1 : grid.Row() + 1);
    }
    grid.SetFocus();
    // The next row scrolls into view only if it is not in it already.
    grid.EnsureVisible(grid.Row(), grid.Col());
}

} // namespace tav
