// The traditional exercise (see, remember and type the meaning), the
// repetition list and the store of wrong answers, as the exercise window
// shows them. TraditionalRound decides; these handlers show.
#include "exercise/Exercise.h"

#include "exercise/PageFold.h"
#include "exercise/TileBoxes.h"
#include "exercise/rounds/WrongStore.h"
#include "exercise/ExerciseHost.h"
#include "platform/winsys/UpDown.h"
#include "platform/datactl/DataControl.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/Notice.h"
#include "store/Settings.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tav {

namespace {

const QString English = QStringLiteral("English");

// The two images of the repetition mode: a green disc with "R" while the
// repetition list is being asked, a grey one otherwise.
QPixmap RepaImage(bool on)
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(on ? QColor(0, 170, 0) : QColor(190, 190, 190));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 20, 20);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("R"));
    return pixmap;
}

QLabel *NamedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void Exercise::buildTraditional(QWidget *page, PageFold &fold)
{
    // Laid out to fit the client area of an 800x600 screen without scrolling:
    // the question beside the source and repetition settings, the timer and
    // the answer language in one line, the repetition list below taking what
    // height is left. In a narrower window these rows fold, their parts one
    // under the other, before the page scrolls. The panels are built in
    // their tab order.
    const QFont greek = winsys::GreekFont(GreekFontSize);
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(4);

    // The instruction and the prompt are one line each: a wrapping label would
    // make the scroll area size the page by its preferred heights (the
    // lists') and scroll where the least heights fit.
    lblLabels[3] = NamedLabel(QStringLiteral("lblLabels(3)"), QString(), page);
    grid->addWidget(lblLabels[3], 0, 0);
    auto *panels = new QBoxLayout(QBoxLayout::LeftToRight);
    panels->addLayout(buildQuestionPanel(page, greek), 3);
    panels->addLayout(buildSourcePanel(page), 2);
    grid->addLayout(panels, 1, 0);
    QBoxLayout *options = buildOptionRows(page);
    grid->addLayout(options, 2, 0);
    QBoxLayout *caption = buildRepaCaption(page);
    grid->addLayout(caption, 3, 0);
    grid->addLayout(buildRepaLists(page, greek), 4, 0);
    grid->setRowStretch(4, 1);
    // The rows fold from the widest down: the repetition list's caption, the
    // options, the question beside the settings.
    fold.AddRow(caption, 0);
    fold.AddRow(options, 2);
    fold.AddRow(panels, 8);
}

QBoxLayout *Exercise::buildQuestionPanel(QWidget *page, const QFont &greek)
{
    // The question, the answer box with its buttons, the markers and the
    // revealed answer.
    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    auto *question = new QHBoxLayout;
    makeField(0, page)->setFont(greek);
    makeField(1, page)->setFont(greek);
    txtFields(0)->setMaximumWidth(winsys::TwipsToPixelsX(900));
    for (int i : {0, 1}) {
        txtFields(i)->setReadOnly(true);
        question->addWidget(txtFields(i), i);
    }
    left->addLayout(question);
    lblLabels[1] = NamedLabel(QStringLiteral("lblLabels(1)"), QString(), page);
    left->addWidget(lblLabels[1]);
    left->addLayout(buildAnswerRow(page));
    buildVerdictRows(page, left);
    left->addStretch(1);
    return left;
}

QBoxLayout *Exercise::buildAnswerRow(QWidget *page)
{
    auto *answer = new QHBoxLayout;
    makeField(2, page);
    cmdReset = new QPushButton(QStringLiteral("Start"), page);
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    CmdEnter = new QPushButton(QStringLiteral("&Next"), page);
    CmdEnter->setObjectName(QStringLiteral("CmdEnter"));
    CmdEnter->setEnabled(false);
    CmdEnter->installEventFilter(this);
    answer->addWidget(txtFields(2), 1);
    answer->addWidget(cmdReset);
    answer->addWidget(CmdEnter);
    connect(cmdReset, &QPushButton::clicked, this, &Exercise::cmdReset_Click);
    connect(CmdEnter, &QPushButton::clicked, this, &Exercise::CmdEnter_Click);
    return answer;
}

void Exercise::buildVerdictRows(QWidget *page, QBoxLayout *column)
{
    // The markers, "Correct answer!" and the revealed answer in one line; the
    // count fields below it are never shown.
    auto *verdict = new QHBoxLayout;
    shTestStrip = new QWidget(page);
    shTestStrip->setFixedHeight(winsys::TwipsToPixelsY(300));
    auto *spot = new QFrame(shTestStrip);
    spot->setObjectName(QStringLiteral("shTest(0)"));
    spot->setFrameShape(QFrame::Box);
    spot->setGeometry(0, 2, winsys::TwipsToPixelsX(360), winsys::TwipsToPixelsY(240));
    spot->setAutoFillBackground(true);
    spot->hide();
    shTest.append(spot);
    verdict->addWidget(shTestStrip, 1);
    lblCorr1128 = NamedLabel(QStringLiteral("lblCorr(1128)"), QStringLiteral("Correct answer!"), page);
    lblCorr1128->hide();
    verdict->addWidget(lblCorr1128);
    column->addLayout(verdict);
    for (int i : {3, 33, 6, 66}) {
        makeField(i, page)->setReadOnly(true);
        txtFields(i)->hide();
        if (i == 3 || i == 33)
            verdict->addWidget(txtFields(i), 3);
        else
            column->addWidget(txtFields(i));
    }
    connect(txtFields(6), &QLineEdit::textChanged, this, [this] { FieldSixes(AnswerField() * 2); });
    connect(txtFields(66), &QLineEdit::textChanged, this, [this] { FieldSixes(AnswerField() * 2); });
}

QBoxLayout *Exercise::buildSourcePanel(QWidget *page)
{
    // The source of the words, the repetition setting and the store.
    auto *right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(buildSourceOptions(page));
    right->addLayout(buildRepeatRow(page));
    right->addLayout(buildStoreRow(page));
    right->addStretch(1);
    return right;
}

QWidget *Exercise::buildSourceOptions(QWidget *page)
{
    auto *source = new QWidget(page); // the source options select each other out
    auto *sourceBox = new QVBoxLayout(source);
    sourceBox->setContentsMargins(0, 0, 0, 0);
    sourceBox->setSpacing(2);
    lblex[0] = NamedLabel(QStringLiteral("lblex(0)"), QStringLiteral("Select from"), source);
    sourceBox->addWidget(lblex[0]);
    opDbas[0] = new QRadioButton(QStringLiteral("all words"), source);
    opDbas[1] = new QRadioButton(QStringLiteral("errors in store"), source);
    for (int i = 0; i < 2; ++i) {
        opDbas[i]->setObjectName(QStringLiteral("opDbas(%1)").arg(i));
        sourceBox->addWidget(opDbas[i]);
    }
    opDbas[0]->setChecked(true);
    return source;
}

QBoxLayout *Exercise::buildRepeatRow(QWidget *page)
{
    // "Repeat after" the number of errors, and the image of the repetition mode.
    auto *repeat = new QHBoxLayout;
    lblex[1] = NamedLabel(QStringLiteral("lblex(1)"), QStringLiteral("Repeat after"), page);
    lblRepa = NamedLabel(QStringLiteral("lblRepa"), QString(), page);
    lblRepa->setMinimumWidth(winsys::TwipsToPixelsX(300));
    lblRepa->setAlignment(Qt::AlignCenter);
    upRepa = new winsys::UpDown(page);
    upRepa->setObjectName(QStringLiteral("upRepa"));
    upRepa->SetRange(1, 20);
    upRepa->SetBuddy(lblRepa);
    lblex[2] = NamedLabel(QStringLiteral("lblex(2)"), QStringLiteral("errors"), page);
    auto *images = new QWidget(page);
    auto *stack = new QGridLayout(images);
    stack->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        imgStatusRepa[i] = NamedLabel(QStringLiteral("imgStatusRepa(%1)").arg(i), QString(), images);
        imgStatusRepa[i]->setPixmap(RepaImage(i == 0));
        imgStatusRepa[i]->setToolTip(i == 0 ? QStringLiteral("Repeating the wrong answers")
                                            : QStringLiteral("Not repeating"));
        stack->addWidget(imgStatusRepa[i], 0, 0);
    }
    imgStatusRepa[1]->raise();
    repeat->addWidget(lblex[1]);
    repeat->addWidget(lblRepa);
    repeat->addWidget(upRepa);
    repeat->addWidget(lblex[2]);
    repeat->addWidget(images);
    repeat->addStretch(1);
    connect(upRepa, &winsys::UpDown::Change, this, &Exercise::lblRepa_Change);
    return repeat;
}

QBoxLayout *Exercise::buildStoreRow(QWidget *page)
{
    // "Flush store" and the count of words in the store of wrong answers.
    auto *store = new QHBoxLayout;
    CmdFlush = new QPushButton(QStringLiteral("&Flush store"), page);
    CmdFlush->setObjectName(QStringLiteral("CmdFlush"));
    CmdFlush->setEnabled(false);
    lblFails = NamedLabel(QStringLiteral("lblFails"), QString(), page);
    lblFails->setToolTip(QStringLiteral("Words in the store of wrong answers"));
    store->addWidget(CmdFlush);
    store->addWidget(lblFails);
    store->addStretch(1);
    connect(CmdFlush, &QPushButton::clicked, this, &Exercise::CmdFlush_Click);
    return store;
}

QBoxLayout *Exercise::buildOptionRows(QWidget *page)
{
    // The timer and the answer language, each a row of options after its caption.
    auto *settings = new QBoxLayout(QBoxLayout::LeftToRight);
    settings->setSpacing(16);
    auto optionRow = [page](const QString &name, const QString &caption) {
        auto *row = new QWidget(page);
        row->setObjectName(name);
        auto *box = new QHBoxLayout(row);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(new QLabel(caption, row));
        return row;
    };
    fraTimer = optionRow(QStringLiteral("fraTimer"), QStringLiteral("Timer Settings"));
    static const char *const speeds[] = {"Off", "Slow", "Quick"};
    for (int i = 0; i < 3; ++i) {
        opTimer[i] = new QRadioButton(QString::fromLatin1(speeds[i]), fraTimer);
        opTimer[i]->setObjectName(QStringLiteral("opTimer(%1)").arg(i));
        fraTimer->layout()->addWidget(opTimer[i]);
    }
    opTimer[0]->setChecked(true);
    settings->addWidget(fraTimer, 0, Qt::AlignLeft);
    Frame2 = optionRow(QStringLiteral("Frame2"), QStringLiteral("Answer in"));
    for (int i = 0; i < 2; ++i) {
        opZero[i] = new QRadioButton(i == 0 ? English : QString(), Frame2);
        opZero[i]->setObjectName(QStringLiteral("opZero(%1)").arg(i));
        Frame2->layout()->addWidget(opZero[i]);
        connect(opZero[i], &QRadioButton::clicked, this, [this, i] { opZero_Click(i); });
    }
    settings->addWidget(Frame2, 1, Qt::AlignLeft);
    return settings;
}

QBoxLayout *Exercise::buildRepaCaption(QWidget *page)
{
    // The repetition list's caption, and its count with its switch.
    auto *listBar = new QBoxLayout(QBoxLayout::LeftToRight);
    auto *count = new QHBoxLayout;
    lblex[4] = NamedLabel(QStringLiteral("lblex(4)"), QStringLiteral("These word will be repeated "), page);
    lblex[3] = NamedLabel(QStringLiteral("lblex(3)"), QStringLiteral("Errors in list"), page);
    tbErr = new QLineEdit(QStringLiteral("0"), page);
    tbErr->setObjectName(QStringLiteral("tbErr"));
    tbErr->setReadOnly(true);
    tbErr->setMaximumWidth(winsys::TwipsToPixelsX(600));
    checkDbs = new QCheckBox(Caps1322(1331), page);
    checkDbs->setObjectName(QStringLiteral("checkDbs"));
    checkDbs->setChecked(true);
    connect(checkDbs, &QCheckBox::clicked, this, &Exercise::checkDbs_Click);
    listBar->addWidget(lblex[4], 1, Qt::AlignLeft);
    count->addWidget(lblex[3]);
    count->addWidget(tbErr);
    count->addSpacing(12);
    count->addWidget(checkDbs);
    count->addStretch(1); // folded, the count stays at the left
    listBar->addLayout(count);
    return listBar;
}

QBoxLayout *Exercise::buildRepaLists(QWidget *page, const QFont &greek)
{
    // The repetition list: article, Greek word and answer side by side.
    auto *lists = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        lstRepa[i] = new QListWidget(page);
        lstRepa[i]->setObjectName(QStringLiteral("lstRepa(%1)").arg(i));
        // One size in all three lists, so that their lines stay side by side.
        if (i < 2) {
            lstRepa[i]->setFont(greek);
        } else {
            QFont plain = lstRepa[i]->font();
            plain.setPointSize(GreekFontSize);
            lstRepa[i]->setFont(plain);
        }
        // Two lines at least; the list takes the height the window has.
        lstRepa[i]->setMinimumHeight(2 * QFontMetrics(lstRepa[i]->font()).height() + 2 * lstRepa[i]->frameWidth() + 4);
        lists->addWidget(lstRepa[i], i == 0 ? 1 : 3);
    }
    for (int i = 0; i < 3; ++i) {
        // Scrolling one list scrolls the other two.
        connect(lstRepa[i]->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, i](int value) {
            for (int j = 0; j < 3; ++j)
                if (j != i && lstRepa[j]->verticalScrollBar()->value() != value)
                    lstRepa[j]->verticalScrollBar()->setValue(value);
        });
    }
    return lists;
}

// ---------------------------------------------------------------------------
// Start, drawing and showing a word

int Exercise::AnswerField() const
{
    return Lang3Complete && Opt2ndTavrinel != English && Opt2ndTavrinel == Opt3rdLang ? 33 : 3;
}

void Exercise::cmdReset_Click()
{
    if (!m_started) {
        m_started = true;
        cmdReset->setText(QStringLiteral("Reset"));
        boLoading = false;
        DataCheck->Bind(txtFields(0), QStringLiteral("Art"));
        DataCheck->Bind(txtFields(1), QStringLiteral("Greek"));
        DataCheck->Bind(txtFields(3), QStringLiteral("English"));
        DataCheck->Bind(txtFields(6), QStringLiteral("Emeans"));
        Data2ndTavrinel->Bind(txtFields(33), QStringLiteral("Lat"));
        Data2ndTavrinel->Bind(txtFields(66), QStringLiteral("Means"));
    }
    setTimerOptionsEnabled(false);
    Timer1->stop();
    m_round.Start();
    fillRepaLists();
    SetboRepa();
    CleanColorSpots();
    txtFields(2)->setEnabled(true);
    txtFields(3)->hide();
    txtFields(33)->hide();
    lblCorr1128->hide();
    CmdEnter->setEnabled(false);
    lblLabels[3]->setText(Caps1104(1104));
    m_host.SetPanelText(1, Caps1104(1104));
    PrepareExerciseWords();
}

void Exercise::PrepareExerciseWords()
{
    txtFields(2)->clear();
    m_round.WordSource = opDbas[1]->isChecked() ? TraditionalRound::Source::Store
                                                : TraditionalRound::Source::AllWords;
    showDrawnWord(m_round.Next());
}

void Exercise::showDrawnWord(const TraditionalRound::Draw &draw)
{
    Tell(draw.Error);
    if (draw.SwitchedToAllWords) {
        showSource();
        fillRepaLists();
        SetboRepa();
        showStoreCount(0);
    }
    if (draw.NothingToDraw)
        winsys::MsgBox(TraditionalRound::NothingToDrawText(), winsys::vbInformation, winsys::AppTitle);
    if (!draw.ID)
        return;
    const QString criteria = QStringLiteral("ID = ") + QString::number(*draw.ID);
    QString failure;
    try {
        if (!DataCheck->FindFirst(criteria))
            failure = QStringLiteral("it is no longer in the word database");
        else if (Data2ndTavrinel->IsBound())
            Data2ndTavrinel->FindFirst(criteria);
    } catch (const std::exception &error) {
        failure = ErrorDescription(error);
    }
    if (!failure.isEmpty()) {
        // The fields may show another word or none: no answer is judged
        // (nor stored) against a word the user was not shown. Next draws
        // again.
        m_round.Withdraw();
        txtFields(2)->setEnabled(false);
        CmdEnter->setEnabled(true);
        winsys::MsgBox(QStringLiteral("The word drawn (ID ") + QString::number(*draw.ID) +
                           QStringLiteral(") cannot be shown: ") + failure +
                           QStringLiteral(".\r\nPress Next for another word."),
                       winsys::vbExclamation, winsys::AppTitle);
        return;
    }
    FieldSixes(AnswerField() * 2);
    txtFields(3)->hide();
    txtFields(33)->hide();
    lblCorr1128->hide();
    m_host.ShowWordID(CurrentWordID);
    m_host.SmallFacts(CurrentWordID, QString(), 0);
    txtFields(2)->setEnabled(true);
    txtFields(2)->setFocus();
    txtFields_GotFocus(2);
}

void Exercise::showSource()
{
    const bool store = m_round.WordSource == TraditionalRound::Source::Store;
    if (!store) {
        opDbas[1]->setChecked(false);
        opDbas[1]->setEnabled(false);
    }
    opDbas[0]->setEnabled(true);
    opDbas[store ? 1 : 0]->setChecked(true);
}

void Exercise::FieldSixes(int Index)
{
    const QLineEdit *field = txtFields(Index);
    bool numeric = false;
    const double n = field ? field->text().trimmed().toDouble(&numeric) : 0;
    if (numeric)
        lblLabels[1]->setText(field->text().trimmed() +
                              (n <= 1 ? QStringLiteral(" meaning in ") : QStringLiteral(" meanings in ")) +
                              AnswerLangText);
    else
        lblLabels[1]->setText(QStringLiteral("Greek Art if any and Greek word"));
}

// ---------------------------------------------------------------------------
// Answering and the timer

bool Exercise::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_clientView) {
        Form_Resize();
        return false;
    }
    if (watched == picRows && event->type() == QEvent::Resize) {
        layoutRows();
        return false;
    }
    if (event->type() == QEvent::FocusIn && matchFocus(watched))
        return QWidget::eventFilter(watched, event);
    if (watched == CmdEnter && event->type() == QEvent::KeyPress) {
        // Return on the focused Next button asks the next word, as a click does.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CmdEnter->click();
            return true;
        }
    }
    for (auto it = m_txtFields.cbegin(); it != m_txtFields.cend(); ++it) {
        if (it.value() != watched)
            continue;
        if (event->type() == QEvent::KeyPress) {
            txtFields_KeyDown(it.key());
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                int ascii = 13;
                txtFields_KeyPress(it.key(), ascii);
                if (ascii == 0)
                    return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            txtFields_GotFocus(it.key());
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Exercise::txtFields_KeyDown(int) { Timer1->stop(); }

void Exercise::txtFields_GotFocus(int)
{
    // The timer runs only while a word is asked and no key has been pressed.
    if (!m_started || !m_round.Asking())
        return;
    int selected = 0;
    for (int i = 2; i >= 0; --i)
        if (opTimer[i]->isChecked()) {
            selected = i;
            break;
        }
    if (selected == 0) {
        Timer1->stop();
        return;
    }
    Timer1->setInterval(selected == 1 ? 10000 : 5000);
    Timer1->start();
}

void Exercise::Timer1_Timer()
{
    int ascii = 13;
    txtFields_KeyPress(22, ascii);
}

void Exercise::CmdEnter_Click()
{
    int ascii = 13;
    txtFields_KeyPress(3, ascii);
}

void Exercise::txtFields_KeyPress(int Index, int &KeyAscii)
{
    const int AF = AnswerField();
    if (Index == 2 && KeyAscii == 13 && m_started) {
        if (m_round.Asking()) {
            txtSets(AF);
            CheckAnswer(AF);
        }
        KeyAscii = 0;
    } else if (Index == 3 && KeyAscii == 13) {
        if (m_round.Asking()) {
            KeyAscii = 0;
            return; // Next is for an answered word
        }
        setAnswerOptionsEnabled(true);
        SetboRepa();
        CleanColorSpots();
        Timer1->stop();
        setTimerOptionsEnabled(false);
        txtFields(2)->setEnabled(true);
        txtFields(2)->clear();
        lblLabels[3]->setText(Caps1104(1104));
        m_host.SetPanelText(1, Caps1104(1104));
        txtFields(AF)->hide();
        lblCorr1128->hide();
        CmdEnter->setEnabled(false);
        PrepareExerciseWords();
        KeyAscii = 0;
    } else if (Index == 22) {
        Timer1->stop();
        if (m_round.Asking()) {
            txtFields(2)->setEnabled(false);
            txtSets(AF);
            CheckAnswer(AF);
        }
        KeyAscii = 0;
    }
}

void Exercise::txtSets(int AF)
{
    Timer1->stop();
    txtFields(2)->setEnabled(false);
    txtFields(AF)->show();
    txtFields(AF)->selectAll();
    lblCorr1128->show();
    setAnswerOptionsEnabled(false);
    setTimerOptionsEnabled(true);
    CmdEnter->setEnabled(true);
    CmdEnter->setFocus();
}

void Exercise::setAnswerOptionsEnabled(bool enabled)
{
    opZero[0]->setEnabled(enabled);
    opZero[1]->setEnabled(enabled && Lang3Complete);
}

void Exercise::setTimerOptionsEnabled(bool enabled)
{
    for (QRadioButton *option : opTimer)
        option->setEnabled(enabled);
}

void Exercise::CheckAnswer(int AF)
{
    txtFields(AF)->show();
    lblCorr1128->show();
    bool numeric = false;
    const int count = txtFields(AF * 2)->text().trimmed().toInt(&numeric);
    const int meanings = numeric ? count : 1;
    const TraditionalRound::RepaLine shown{txtFields(0)->text(), txtFields(1)->text(), txtFields(AF)->text()};
    TraditionalRound::Judgement j = m_round.Judge(txtFields(2)->text(), txtFields(AF)->text(), meanings, shown);
    if (!j.Judged)
        return;
    Tell(j.Error);
    if (j.Then == TraditionalRound::After::AskStoreFull) {
        // The store is full: practise it now, or empty it and start again.
        // Both answers act, so only a button answers; a box closed as the
        // program ends keeps the store and the round as they are.
        MsgAnswer = winsys::MsgBox(TraditionalRound::StoreFullQuestion(),
                                   winsys::vbYesNo | winsys::vbCritical | winsys::NoSafeAnswer, winsys::AppTitle);
        j.Then = TraditionalRound::After::Nothing;
        if (MsgAnswer == winsys::vbYes || MsgAnswer == winsys::vbNo) {
            const TraditionalRound::StoreFullOutcome answered = m_round.StoreFullAnswered(MsgAnswer == winsys::vbYes);
            Tell(answered.Error);
            j.Then = answered.Then;
        }
    }
    txtFields(2)->setText(j.Check.Shown);
    LoadShapes(j.Check.Right, meanings, j.Verdict);
    fillRepaLists();
    if (j.StoreChanged) {
        try {
            showStoreCount(CountWrongIDs());
        } catch (const std::exception &e) {
            winsys::ShowErrorBox(e);
        }
    }
    switch (j.Then) {
    case TraditionalRound::After::AskNext:
        showSource();
        fillRepaLists();
        CmdEnter_Click();
        break;
    case TraditionalRound::After::Restart:
        showStoreCount(0);
        CmdFlush->setEnabled(false);
        cmdReset_Click();
        break;
    case TraditionalRound::After::Nothing:
    case TraditionalRound::After::AskStoreFull:
        break;
    }
}

// ---------------------------------------------------------------------------
// Markers and the verdict line

void Exercise::LoadShapes(const QVector<bool> &SpotColors, int MeaningCount, int Verdict)
{
    CleanColorSpots();
    const int shown = MeaningCount != 1 ? int(SpotColors.size()) : std::min<int>(1, int(SpotColors.size()));
    for (int k = 0; k < shown; ++k) {
        if (k >= shTest.size()) {
            auto *spot = new QFrame(shTestStrip);
            spot->setObjectName(QStringLiteral("shTest(%1)").arg(k));
            spot->setFrameShape(QFrame::Box);
            spot->setAutoFillBackground(true);
            shTest.append(spot);
        }
        QFrame *spot = shTest[k];
        spot->setGeometry(shTest[0]->x() + winsys::TwipsToPixelsX(480 * k), shTest[0]->y(), shTest[0]->width(),
                          shTest[0]->height());
        QPalette palette = spot->palette();
        palette.setColor(QPalette::Window, winsys::FromVbColor(SpotColors[k] ? Green : Red));
        spot->setPalette(palette);
        spot->show();
    }
    m_shapesShown = shown > 0;
    // The strip widens to hold every marker.
    shTestStrip->setMinimumWidth(shown > 0 ? shTest[shown - 1]->geometry().right() + 1 : 0);
    if (Verdict != 0) {
        lblLabels[3]->setText(Caps1104(Verdict));
        m_host.SetPanelText(1, Caps1104(Verdict));
    }
}

void Exercise::CleanColorSpots()
{
    if (!m_shapesShown)
        return;
    shTest[0]->hide();
    while (shTest.size() > 1)
        delete shTest.takeLast();
    m_shapesShown = false;
}

// ---------------------------------------------------------------------------
// The repetition list

void Exercise::SetboRepa()
{
    m_round.SetboRepa();
    // The image in front shows the mode.
    imgStatusRepa[boRepa ? 0 : 1]->raise();
}

void Exercise::fillRepaLists()
{
    for (QListWidget *list : lstRepa)
        list->clear();
    for (const TraditionalRound::RepaLine &line : m_round.RepaLines()) {
        lstRepa[0]->addItem(line.Art);
        lstRepa[1]->addItem(line.Greek);
        lstRepa[2]->addItem(line.Answer);
    }
    tbErr->setText(QString::number(RepaIDs.size()));
}

void Exercise::lblRepa_Change(int value)
{
    if (boLoading)
        return;
    OptNbrRepeats = std::max(value, 1);
    if (!Done(SaveNbrRepeats()))
        upRepa->SetValue(OptNbrRepeats); // the stored value, after the reported failure
}

void Exercise::checkDbs_Click()
{
    const bool shown = checkDbs->isChecked();
    checkDbs->setText(Caps1322(shown ? 1331 : 1332));
    for (QListWidget *list : lstRepa)
        list->setVisible(shown);
    lblex[4]->setVisible(shown);
}

// ---------------------------------------------------------------------------
// The store of wrong answers

void Exercise::showStoreCount(long long count)
{
    lblFails->setText(QString::number(count));
    lblFails_Change(count);
}

void Exercise::lblFails_Change(long long n)
{
    if (MainLoading)
        return;
    if (n == 0) {
        opDbas[1]->setEnabled(false);
        opDbas[0]->setEnabled(true);
        opDbas[0]->setChecked(true);
    } else {
        // A store with words can be chosen as the source at once, not only
        // after the window was activated again.
        CmdFlush->setEnabled(true);
        opDbas[1]->setEnabled(true);
    }
    m_host.SetPanelText(5, WrongAnswersPanelText(QString::number(n)));
    opDbas[1]->setText(Caps1322(1325) + QStringLiteral(" (") + QString::number(n) + QStringLiteral(")  "));
    try {
        DataWrong->Requery();
    } catch (const std::exception &) {
        // The control only mirrors the store; the count above is what counts.
    }
}

void Exercise::CmdFlush_Click()
{
    // Yes empties the store: Enter, the key that goes on, answers No.
    if (winsys::MsgBox(Caps1322(1322), winsys::vbYesNo | winsys::vbCritical | winsys::vbDefaultButton2,
                       windowTitle()) == winsys::vbYes)
        ClearWrongIDs();
}

void Exercise::ClearWrongIDs()
{
    try {
        EmptyWrongAnswers();
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
        return; // the store keeps its words, and the count shows them
    }
    showStoreCount(0);
    CmdFlush->setEnabled(false);
    if (m_round.Started())
        cmdReset_Click();
}

} // namespace tav
