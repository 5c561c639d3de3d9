#include "mainwindow/FrmOptions.h"

#include "mainwindow/AccessKeys.h"

#include "platform/winsys/UpDown.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/AdminSubs.h"
#include "store/CaptionArrays.h"
#include "store/GreekLetters.h"
#include "store/MainWindowLink.h"
#include "store/Settings.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/ThirdLanguages.h"
#include "store/WindowRoutines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');

// The tab strip's tabs and the pages they show. The third tab makes the
// maintenance page reachable; page 2 is not used.
constexpr int TabPage[] = {0, 1, 3};
constexpr int TabCount = 3;

// The access keys of the tabs and of OK, Apply and Cancel, which no control
// of a page may take.
const QString SharedKeys = QStringLiteral("TLMOAC");

// Str() of a count: a blank where the sign of a negative number would stand.
QString SignedText(long long n) { return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n); }

} // namespace

frmOptions::frmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);
    // Modal to the main window only: the help window that F1 opens takes
    // input beside it.
    setWindowModality(Qt::WindowModal);

    auto *outer = new QVBoxLayout(this);
    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    // The tab strip is a stop of the Tab order (arrows then change the tab)
    // and each tab has an access key.
    tbsOptions->addTab(QStringLiteral("&Tavrinel Type words"));
    tbsOptions->setTabToolTip(0, QStringLiteral("Set Excercise Options"));
    tbsOptions->addTab(QStringLiteral("Add &language"));
    tbsOptions->setTabToolTip(1, QStringLiteral("Add, Choose 3:rd language"));
    tbsOptions->addTab(QStringLiteral("&Maintenance"));
    tbsOptions->setTabToolTip(2, QStringLiteral("Compact base, Update field GENUS"));
    tbsOptions->setFocusPolicy(Qt::StrongFocus);
    outer->addWidget(tbsOptions);

    pages = new QStackedWidget(this);
    pages->setFrameShape(QFrame::StyledPanel);
    for (int i : TabPage) {
        picOptions[i] = new QWidget(pages);
        picOptions[i]->setObjectName(QStringLiteral("picOptions(%1)").arg(i));
        pages->addWidget(picOptions[i]);
    }
    buildPage0();
    buildPage1();
    buildPage3();
    outer->addWidget(pages, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdApply = new QPushButton(QStringLiteral("&Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdOK, cmdApply, cmdCancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);

    connect(tbsOptions, &QTabBar::currentChanged, this, [this] { tbsOptions_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);

    setAccessKeys();
    watchKeys(this);
}

frmOptions::~frmOptions() = default;

void frmOptions::buildPage0()
{
    QWidget *page = picOptions[0];
    auto *layout = new QVBoxLayout(page);

    fraStore = new QGroupBox(page);
    fraStore->setObjectName(QStringLiteral("fraStore"));
    auto *store = new QGridLayout(fraStore);
    for (int i = 0; i < 4; ++i) {
        lblex[i] = new QLabel(fraStore);
        lblex[i]->setObjectName(QStringLiteral("lblex(%1)").arg(i));
        lblex[i]->setWordWrap(true);
    }
    lblWrong = new QLabel(fraStore);
    lblWrong->setObjectName(QStringLiteral("lblWrong"));
    lblWrong->setFrameShape(QFrame::Panel);
    lblWrong->setFrameShadow(QFrame::Sunken);
    lblWrong->setMinimumWidth(40);
    lblWrong->setAlignment(Qt::AlignCenter);
    UpStore = new winsys::UpDown(fraStore);
    UpStore->setObjectName(QStringLiteral("UpStore"));
    UpStore->SetRange(0, 100);
    UpStore->SetIncrement(5);
    UpStore->SetValue(15);
    UpStore->SetBuddy(lblWrong);
    TbFailedInStore = new QLineEdit(fraStore);
    TbFailedInStore->setObjectName(QStringLiteral("TbFailedInStore"));
    TbFailedInStore->setReadOnly(true);
    TbFailedInStore->setMaximumWidth(60);
    lblex[0]->setBuddy(UpStore);
    lblex[1]->setBuddy(TbFailedInStore);
    // The limit with its up-down, the stored count, then the two notes.
    store->addWidget(lblex[0], 0, 0);
    store->addWidget(lblWrong, 0, 1);
    store->addWidget(UpStore, 0, 2, Qt::AlignLeft);
    store->addWidget(lblex[1], 1, 0);
    store->addWidget(TbFailedInStore, 1, 1);
    store->addWidget(lblex[2], 2, 0, 1, 3);
    store->addWidget(lblex[3], 3, 0, 1, 3);
    store->setColumnStretch(0, 1);
    layout->addWidget(fraStore);

    fraMultiple = new QGroupBox(QStringLiteral("Words with multiple meanings gives right if"), page);
    fraMultiple->setObjectName(QStringLiteral("fraMultiple"));
    auto *multiple = new QVBoxLayout(fraMultiple);
    opTreat1110 = new QRadioButton(QStringLiteral("all answers are right"), fraMultiple);
    opTreat1110->setObjectName(QStringLiteral("opTreat(1110)"));
    opTreat1111 = new QRadioButton(QStringLiteral("only one answer is correct, or"), fraMultiple);
    opTreat1111->setObjectName(QStringLiteral("opTreat(1111)"));
    multiple->addWidget(opTreat1110);
    multiple->addWidget(opTreat1111);
    layout->addWidget(fraMultiple);
    layout->addStretch(1);

    connect(UpStore, &winsys::UpDown::Change, this, [this] { lblWrong_Change(); });
    connect(opTreat1110, &QRadioButton::clicked, this, [this] { opTreat_Click(1110); });
    connect(opTreat1111, &QRadioButton::clicked, this, [this] { opTreat_Click(1111); });
}

void frmOptions::buildPage1()
{
    QWidget *page = picOptions[1];
    auto *layout = new QGridLayout(page);

    Frame2 = new QGroupBox(QStringLiteral("I am OK with Greek-English only....."), page);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *f2 = new QVBoxLayout(Frame2);
    chk3rd = new QCheckBox(QStringLiteral("please hide any 3:rd language!"), Frame2);
    chk3rd->setObjectName(QStringLiteral("chk3rd"));
    f2->addWidget(chk3rd);
    layout->addWidget(Frame2, 0, 0);

    fra3langYttre = new QGroupBox(QStringLiteral("Select 3:rd language to show"), page);
    fra3langYttre->setObjectName(QStringLiteral("fra3langYttre"));
    auto *select = new QVBoxLayout(fra3langYttre);
    cboLangs = new QComboBox(fra3langYttre);
    cboLangs->setObjectName(QStringLiteral("cboLangs"));
    cboLangs->setEditable(false);
    cmdSelect = new QPushButton(QStringLiteral("Select another language"), fra3langYttre);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setAutoDefault(false);
    select->addWidget(cboLangs);
    select->addWidget(cmdSelect);
    layout->addWidget(fra3langYttre, 1, 0);

    fra3lang = new QGroupBox(QStringLiteral("Add your 3:rd language"), page);
    fra3lang->setObjectName(QStringLiteral("fra3lang"));
    auto *add = new QVBoxLayout(fra3lang);
    tbAddLang = new QLineEdit(AddLangPrompt, fra3lang);
    tbAddLang->setObjectName(QStringLiteral("tbAddLang"));
    lblWelcome = new QLabel(QStringLiteral("Type  ") + Q + QStringLiteral("Welcome") + Q +
                                QStringLiteral(" in Your language"),
                            fra3lang);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    tbWelCome = new QLineEdit(WelcomePrompt, fra3lang);
    tbWelCome->setObjectName(QStringLiteral("tbWelCome"));
    cmdAdd = new QPushButton(QStringLiteral("Add"), fra3lang);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setAutoDefault(false);
    add->addWidget(tbAddLang);
    add->addWidget(lblWelcome);
    add->addWidget(tbWelCome);
    add->addWidget(cmdAdd);
    layout->addWidget(fra3lang, 0, 1, 2, 1);

    Frame1 = new QGroupBox(QStringLiteral("Delete 3:rd language"), page);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setToolTip(QStringLiteral("You may delete user added languages!"));
    auto *del = new QHBoxLayout(Frame1);
    cboUserAdded = new QComboBox(Frame1);
    cboUserAdded->setObjectName(QStringLiteral("cboUserAdded"));
    cboUserAdded->setEditable(false);
    cboUserAdded->setMinimumWidth(150);
    cmdDelete = new QPushButton(QStringLiteral("Delete"), Frame1);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setAutoDefault(false);
    del->addWidget(cboUserAdded, 1);
    del->addWidget(cmdDelete);
    layout->addWidget(Frame1, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);

    tbAddLang->installEventFilter(this);
    tbWelCome->installEventFilter(this);
    cboLangs->installEventFilter(this);

    connect(chk3rd, &QCheckBox::clicked, this, [this] { chk3rd_Click(); });
    connect(cboLangs, &QComboBox::activated, this, [this] { cboLangs_Click(); });
    connect(cmdSelect, &QPushButton::clicked, this, &frmOptions::cmdSelect_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmOptions::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmOptions::cmdDelete_Click);
}

void frmOptions::buildPage3()
{
    QWidget *page = picOptions[3];
    auto *layout = new QVBoxLayout(page);
    cmdKomprimera = new QPushButton(QStringLiteral("Compact base"), page);
    cmdKomprimera->setObjectName(QStringLiteral("cmdKomprimera"));
    cmdGenus = new QPushButton(QStringLiteral("Update field GENUS"), page);
    cmdGenus->setObjectName(QStringLiteral("cmdGenus"));
    for (QPushButton *b : {cmdKomprimera, cmdGenus}) {
        b->setAutoDefault(false);
        layout->addWidget(b, 0, Qt::AlignLeft);
    }
    layout->addStretch(1);
    connect(cmdKomprimera, &QPushButton::clicked, this, &frmOptions::cmdKomprimera_Click);
    connect(cmdGenus, &QPushButton::clicked, this, &frmOptions::cmdGenus_Click);
}

// Access keys, unique on each page together with the tabs and the dialog's
// buttons. The language button's caption changes as it is used; it follows
// the language list in the Tab order.
void frmOptions::setAccessKeys()
{
    QString taken;
    auto key = [&taken](const QString &text) { return WithAccessKey(text, &taken); };
    taken = SharedKeys;
    for (QRadioButton *b : {opTreat1110, opTreat1111})
        b->setText(key(b->text()));
    m_page0Keys = taken;

    taken = SharedKeys;
    for (QPushButton *b : {cmdAdd, cmdDelete})
        b->setText(key(b->text()));
    chk3rd->setText(key(chk3rd->text()));
    for (QGroupBox *g : {fra3langYttre, fra3lang})
        g->setTitle(key(g->title()));
    lblWelcome->setBuddy(tbWelCome);
    lblWelcome->setText(key(lblWelcome->text()));
    Frame1->setTitle(key(Frame1->title()));

    taken = SharedKeys;
    for (QPushButton *b : {cmdKomprimera, cmdGenus})
        b->setText(key(b->text()));
}

// Every key reaches the dialog's key-down handler before the control that
// has the focus.
void frmOptions::watchKeys(QWidget *root)
{
    for (QWidget *w : root->findChildren<QWidget *>())
        w->installEventFilter(this);
}

void frmOptions::Form_Load()
{
    adjustSize();
    // Centred left to right and 1400 twips above the vertical centre, but
    // never outside the work area.
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    int left = area.left() + (area.width() - size.width()) / 2;
    int top = area.top() + (area.height() - size.height()) / 2 - winsys::TwipsToPixelsY(1400);
    left = std::clamp(left, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    top = std::clamp(top, area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    move(left, top);
}

void frmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    Form_Activate();
}

void frmOptions::Form_Activate()
{
    // 1. The rule for several meanings.
    rule = OptBoChecka;
    (rule ? opTreat1110 : opTreat1111)->setChecked(true);
    // 2. The limit.
    limit = OptNbrWrongs;
    // 3. Hiding: the box shows the setting, and its handler sets the rest.
    chk3rd->setChecked(OptBoHide3);
    chk3rd_Click();
    // 4. Interface texts.
    fraStore->setTitle(Caps1335(1335));
    // The limit's two labels come from the language captions: their access
    // keys are chosen after the page's fixed ones.
    QString taken = m_page0Keys;
    for (int i = 0; i < 4; ++i)
        lblex[i]->setText(i < 2 ? WithAccessKey(Caps1335(1336 + i), &taken) : Caps1335(1336 + i));
    // 5. Stored wrong answers and the limit; the up-down starts at the limit.
    try {
        TbFailedInStore->setText(QString::number(CountWrongIDs()));
    } catch (const dao::DaoError &e) {
        TbFailedInStore->clear();
        winsys::ShowErrorBox(e);
    }
    UpStore->SetValue(OptNbrWrongs);
    lblWrong->setText(QString::number(OptNbrWrongs));
    // 6. The language lists.
    FillLanguageLists();
    // 7. Page 0 to the front.
    tbsOptions->setCurrentIndex(0);
    showPage(0);
}

void frmOptions::showPage(int tab)
{
    for (int t = 0; t < TabCount; ++t) {
        QWidget *page = picOptions[TabPage[t]];
        page->setEnabled(t == tab);
    }
    pages->setCurrentWidget(picOptions[TabPage[std::clamp(tab, 0, TabCount - 1)]]);
}

void frmOptions::tbsOptions_Click() { showPage(tbsOptions->currentIndex()); }

QString frmOptions::HelpTopic() const
{
    return tbsOptions->currentIndex() == 1 ? QStringLiteral("third-language.html") : QStringLiteral("settings.html");
}

bool frmOptions::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    if (KeyCode == Qt::Key_F1 && Shift == Qt::NoModifier) {
        if (HelpRequested)
            HelpRequested();
        return true;
    }
    int step = 0;
    if (Shift == Qt::ControlModifier && (KeyCode == Qt::Key_Tab || KeyCode == Qt::Key_PageDown))
        step = 1;
    else if ((Shift == Qt::ControlModifier && KeyCode == Qt::Key_PageUp) ||
             (Shift == (Qt::ControlModifier | Qt::ShiftModifier) && (KeyCode == Qt::Key_Backtab || KeyCode == Qt::Key_Tab)))
        step = -1;
    if (step == 0)
        return false;
    // Round the tabs: after the last the first, before the first the last.
    const int n = tbsOptions->count();
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + step + n) % n); // runs tbsOptions_Click
    return true;
}

void frmOptions::keyPressEvent(QKeyEvent *event)
{
    if (Form_KeyDown(event->key(), event->modifiers()))
        return;
    QDialog::keyPressEvent(event);
}

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (Form_KeyDown(key->key(), key->modifiers()))
            return true;
    } else if (event->type() == QEvent::FocusIn && (watched == tbAddLang || watched == tbWelCome)) {
        // The whole text is selected, also after a click into the box.
        QLineEdit *box = static_cast<QLineEdit *>(watched);
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (event->type() == QEvent::FocusOut && watched == cboLangs) {
        cboLangs_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::opTreat_Click(int)
{
    if (opTreat1110->isChecked())
        rule = true;
    else if (opTreat1111->isChecked())
        rule = false;
}

void frmOptions::lblWrong_Change()
{
    limit = UpStore->Value();
    lblWrong->setText(QString::number(limit));
}

void frmOptions::chk3rd_Click()
{
    if (!chk3rd->isChecked()) {
        hide = false;
        fra3langYttre->setEnabled(true);
        cmdSelect->setText(Opt3rdLang + QStringLiteral(" is selected"));
    } else {
        hide = true;
        fra3langYttre->setEnabled(false);
    }
}

void frmOptions::ApplyOKRoutines()
{
    winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
    // The rule is written directly: no exercise window is opened for it; an
    // open one is told the new value.
    if (rule != OptBoChecka && Done(SaveBoChecka(rule)) && RuleChanged)
        RuleChanged(rule);
    if (hide != OptBoHide3) {
        OptBoHide3 = hide;
        Done(SaveBoHide3(hide));
        // The open lists show or hide the third language's column at once.
        RefreshGridForms();
        ShowCurrentListRow();
    }
    if (limit != OptNbrWrongs) {
        OptNbrWrongs = limit;
        Done(SaveNbrWrongs());
        // Written after the save, so that the panel shows what is stored
        // also when the write failed.
        try {
            ShowWrongAnswersCount();
        } catch (const dao::DaoError &e) {
            winsys::ShowErrorBox(e);
        }
    }
}

void frmOptions::cmdApply_Click() { ApplyOKRoutines(); }

void frmOptions::cmdOK_Click()
{
    ApplyOKRoutines();
    accept();
}

void frmOptions::cmdCancel_Click() { reject(); }

void frmOptions::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    QDialog::closeEvent(event);
}

void frmOptions::Form_QueryUnload() { TbFailedInStore->clear(); }

// The message of a failure is read with the normal pointer.
void frmOptions::cmdKomprimera_Click()
{
    Outcome outcome;
    {
        winsys::BusyPointer busy(winsys::PointerShape::Hourglass);
        outcome = CompactWordDatabase();
    }
    Tell(outcome.Failure);
}

void frmOptions::cmdGenus_Click()
{
    std::optional<Notice> failure;
    {
        winsys::BusyPointer busy(winsys::PointerShape::Hourglass);
        failure = SetGenderFromArticle();
    }
    Tell(failure);
}

// ---- third languages ------------------------------------------------------

void frmOptions::FillLanguageLists()
{
    QStringList names;
    try {
        names = LanguageNames();
    } catch (const dao::DaoError &e) {
        winsys::ShowErrorBox(e);
    }
    cboLangs->clear();
    cboLangs->addItems(names);
    cboLangs->setCurrentIndex(cboLangs->findText(Opt3rdLang, Qt::MatchExactly | Qt::MatchCaseSensitive));

    cboUserAdded->clear();
    for (const QString &name : names)
        if (name != BuiltInLanguage)
            cboUserAdded->addItem(name);
    if (cboUserAdded->count() > 0) {
        cboUserAdded->setCurrentIndex(0);
        cmdDelete->setEnabled(true);
    } else {
        cboUserAdded->setPlaceholderText(QStringLiteral("No user language added"));
        cboUserAdded->setCurrentIndex(-1);
        cmdDelete->setEnabled(false);
    }
}

void frmOptions::ClearLanguageLists()
{
    cboLangs->clear();
    cboUserAdded->clear();
}

void frmOptions::ResetAddLanguage()
{
    SetNewLang(QString());
    tbAddLang->setText(AddLangPrompt);
    SetNewWelCome(QString());
    tbWelCome->setText(WelcomePrompt);
    cmdApply->setEnabled(true);
    cmdCancel->setEnabled(true);
}

void frmOptions::cboLangs_Click()
{
    if (cboLangs->currentText() != Opt3rdLang)
        cmdSelect->setText(QStringLiteral("Click to select ") + cboLangs->currentText());
}

void frmOptions::cboLangs_LostFocus()
{
    if (cboLangs->currentText() == Opt3rdLang)
        cmdSelect->setText(Opt3rdLang + QStringLiteral(" is selected"));
}

void frmOptions::cmdSelect_Click()
{
    const QString L = cboLangs->currentText();
    if (L.isEmpty() || L == Opt3rdLang)
        return;
    cmdSelect->setText(L + QStringLiteral(" will be selected"));
    {
        winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
        cmdApply->setEnabled(false);
        cmdCancel->setEnabled(false);
        // Refuses a language whose tables do not answer.
        const ThirdLanguageSaved saved = Save3rdLang(L);
        Tell(saved.ListsClosed);
        if (Done(saved))
            ShowCurrentListRow();
    }
    cmdSelect->setText(Opt3rdLang + QStringLiteral(" is selected"));
    cboLangs->setCurrentIndex(cboLangs->findText(Opt3rdLang, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void frmOptions::cmdAdd_Click()
{
    if (tbAddLang->text().trimmed().isEmpty()) {
        tbAddLang->setFocus();
        return;
    }
    // A name that cannot be a language is refused before anything changes.
    const QString name = FirstToUpper(tbAddLang->text()).normalized(QString::NormalizationForm_C);
    const QString refusal = LanguageNameRefusal(name);
    if (!refusal.isEmpty()) {
        winsys::MsgBox(refusal, winsys::vbExclamation, winsys::AppTitle);
        tbAddLang->setFocus();
        tbAddLang->selectAll();
        return;
    }
    cmdApply->setEnabled(false);
    cmdCancel->setEnabled(false);
    SetNewLang(name);
    // Always the word in the box now, never one left from an earlier try.
    SetNewWelCome(tbWelCome->text());

    const QString question = QStringLiteral("You want to add the ") + NewLang() + QStringLiteral(" language \n") +
                             QStringLiteral("with the word ") + Q + NewWelCome() + Q + QStringLiteral(" for ") + Q +
                             QStringLiteral("Welcome") + Q + QStringLiteral("\nto ") + winsys::AppTitle +
                             QStringLiteral("´s database!");
    if (winsys::MsgBox(question, winsys::vbYesNoCancel | winsys::vbQuestion, winsys::AppTitle) != winsys::vbYes) {
        ResetAddLanguage();
        return;
    }
    bool present = false;
    try {
        present = LanguageExists(NewLang());
    } catch (const dao::DaoError &e) {
        winsys::ShowErrorBox(e);
        ResetAddLanguage();
        return;
    }
    if (present) {
        winsys::MsgBox(ExistingLanguageMessage(NewLang()), winsys::vbCritical, winsys::AppTitle);
        return;
    }
    AddLanguage();
    ResetAddLanguage();
}

void frmOptions::AddLanguage()
{
    winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
    try {
        AddThirdLanguage(NewLang(), NewWelCome());
    } catch (const dao::DaoError &e) {
        // Nothing of the language was kept: the add runs as one transaction.
        winsys::ShowErrorBox(e);
    }
    ClearLanguageLists();
    FillLanguageLists();
}

void frmOptions::cmdDelete_Click()
{
    const QString L = cboUserAdded->currentIndex() >= 0 ? cboUserAdded->currentText() : QString();
    if (L.isEmpty())
        return;
    const QString refusal = DeleteLanguageRefusal(L);
    if (!refusal.isEmpty()) {
        winsys::MsgBox(refusal, winsys::vbInformation, winsys::AppTitle);
        return;
    }
    long long n = 0;
    try {
        n = LanguageIndexRows(L);
    } catch (const dao::DaoError &e) {
        winsys::ShowErrorBox(e);
        return;
    }
    const QString question = QStringLiteral("You want to delete the ") + L + QStringLiteral(" language \n") +
                             QStringLiteral("and it´s ") + SignedText(n) + QStringLiteral(" posts from\n") +
                             QStringLiteral("the ") + winsys::AppTitle + QStringLiteral("´s database!");
    if (winsys::MsgBox(question, winsys::vbYesNo | winsys::vbCritical | winsys::vbDefaultButton2, winsys::AppTitle) !=
        winsys::vbYes)
        return;
    winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
    cmdOK->setEnabled(false);
    ClearLanguageLists();
    tbAddLang->setText(AddLangPrompt);
    tbWelCome->setText(WelcomePrompt);
    DeleteLanguage(L);
    cmdOK->setEnabled(true);
}

void frmOptions::DeleteLanguage(const QString &L)
{
    try {
        DeleteThirdLanguage(L);
        // A list that shows the language's meanings cannot be refreshed any more.
        CloseListsReading({LanguageWordTable(L), LanguageIndexTable(L)});
    } catch (const dao::DaoError &e) {
        // The row and both tables go together or not at all.
        winsys::ShowErrorBox(e);
    }
    FillLanguageLists();
}

} // namespace tav
