// The exercise window's frame: building the controls, Load, Activate, the
// mode tabs, the language options, the settings it writes, the remark store
// and closing.
#include "exercise/Exercise.h"

#include "exercise/PageFold.h"
#include "exercise/rounds/WordDraw.h"
#include "exercise/ExerciseHost.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/UpDown.h"
#include "platform/datactl/DataControl.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/Pointer.h"
#include "store/CaptionArrays.h"
#include "store/Dynasets.h"
#include "store/Settings.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"
#include "store/WordEdits.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tav {

namespace {

const QString English = QStringLiteral("English");

// Binds the rows of MakeExercise to a data control.
class DataControlAdapter : public DataControlLink {
public:
    explicit DataControlAdapter(datactl::DataControl &ctl) : m_ctl(ctl) {}
    void SetRecordset(dao::RecordsetPtr rows) override { m_ctl.SetRecordset(std::move(rows)); }

private:
    datactl::DataControl &m_ctl;
};

// A child's frame fitted to the work area (both in the client area's
// coordinates): a taller child moves to the area's top and takes 0.99 of its
// height, a shorter one grows to that height (moving up as far as it must to
// stay inside); a wider one moves to the area's left and takes its width.
QRect FitToWorkArea(QRect child, const QRect &area)
{
    const int height = int(0.99 * area.height());
    if (child.height() > area.height()) {
        child.moveTop(area.top());
        child.setHeight(height);
    } else if (child.height() < area.height()) {
        child.setHeight(height);
        if (child.bottom() > area.bottom())
            child.moveBottom(area.bottom());
    }
    if (child.width() > area.width()) {
        child.moveLeft(area.left());
        child.setWidth(area.width());
    }
    return child;
}

// Runs the step; a failure leaves only that step undone.
template <class Step>
void ResumeNext(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace

Exercise::Exercise(ExerciseHost &host, QWidget *parent)
    : QWidget(parent), m_host(host), m_clientView(host.ClientArea()->viewport()), m_round(Rnd())
{
    setObjectName(QStringLiteral("Exercise"));
    setWindowTitle(QStringLiteral("Exercise with Greek words"));

    DataCheck = new datactl::DataControl(this);
    DataWrong = new datactl::DataControl(this);
    Data2ndTavrinel = new datactl::DataControl(this);
    Data1 = new datactl::DataControl(this);
    Data2 = new datactl::DataControl(this);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &Exercise::Timer1_Timer);
    buildTabs();
    followHost();
    Form_Load();
}

void Exercise::buildTabs()
{
    tbsOptions = new QTabWidget(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    static const char *const tabs[ExerciseCount] = {"See, remember and type", "Match words", "Verb forms"};
    for (int i = 0; i < ExerciseCount; ++i) {
        picOptions[i] = new QWidget;
        picOptions[i]->setObjectName(QStringLiteral("picOptions(%1)").arg(i));
        if (i == 0) {
            // The typing panel folds its rows to a narrow window, and scrolls
            // as a whole only where it is still too large.
            auto *scroll = new QScrollArea;
            scroll->setWidgetResizable(true);
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidget(picOptions[i]);
            typingFold = new PageFold(scroll);
            tbsOptions->addTab(scroll, QString::fromLatin1(tabs[i]));
        } else {
            // The drag panels keep their buttons in sight: only their rows
            // scroll (RowsScroll).
            tbsOptions->addTab(picOptions[i], QString::fromLatin1(tabs[i]));
        }
    }
    buildTraditional(picOptions[0], *typingFold);
    buildMatching(picOptions[1]);
    buildVerbs(picOptions[2]);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tbsOptions);
    connect(tbsOptions, &QTabWidget::currentChanged, this, [this] { tbsOptions_Click(); });
    // The main window's MDI area takes Ctrl+Tab for its child windows: the
    // tabs change with Ctrl+PageDown and Ctrl+PageUp, from any control here.
    for (const bool next : {true, false}) {
        auto *key = new QShortcut(QKeySequence(Qt::CTRL | (next ? Qt::Key_PageDown : Qt::Key_PageUp)), this);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, next] {
            const int n = tbsOptions->count();
            tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + (next ? 1 : n - 1)) % n);
        });
    }
}

void Exercise::followHost()
{
    // The window keeps the client area's height when that changes (the
    // toolbar hidden for the exercise, the main window resized).
    m_clientView->installEventFilter(this);
    // A panel or a new resolution changes a screen's work area.
    const auto watchScreen = [this](QScreen *screen) {
        m_appWatch << connect(screen, &QScreen::availableGeometryChanged, this, [this, screen](const QRect &area) {
            if (screen == this->screen())
                SysInfo1_DisplayChanged(area);
        });
    };
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    m_appWatch << connect(qApp, &QGuiApplication::screenAdded, this, watchScreen);
    connect(m_host.ClientArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (sub && sub->widget() == this)
            Form_Activate();
    });
}

Exercise::~Exercise()
{
    Timer1->stop();
    // What the screens tell the window ends before its children go.
    for (const QMetaObject::Connection &c : m_appWatch)
        disconnect(c);
}

QSize Exercise::sizeHint() const
{
    // Wide enough for a word-matching row with its tile; Form_Resize fits the height.
    return {winsys::TwipsToPixelsX(10500), winsys::TwipsToPixelsY(7500)};
}

QLineEdit *Exercise::makeField(int index, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("txtFields(%1)").arg(index));
    field->installEventFilter(this);
    m_txtFields.insert(index, field);
    return field;
}

void Exercise::setCaption(const QString &text)
{
    setWindowTitle(text);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->setWindowTitle(text);
}

// ---------------------------------------------------------------------------
// Load and Activate

void Exercise::Form_Load()
{
    boLoading = true;
    ResumeNext([&] {
        for (int i = 1104; i <= 1107; ++i)
            Caps1104.Set(i, LangCapsText(i));
        Caption1099 = LangCapsText(1099);
        lblLabels[3]->setText(Caption1099);
        lblLabels[1]->setText(Caps1130(1134));
        for (int i = 1112; i <= 1118; ++i)
            Caps1112.Set(i, LangCapsText(i));
    });
    // Fewer than one repeat would put every wrong answer in repetition mode at once.
    OptNbrRepeats = std::max(OptNbrRepeats, 1);
    upRepa->SetValue(OptNbrRepeats);
    ResumeNext([&] {
        StoreCount = CountWrongIDs();
        if (StoreCount >= 1)
            CmdFlush->setEnabled(true);
        showStoreCount(std::max(StoreCount, 0LL));
    });
    // A round has 1 to 10 words: the rows' layout holds ten.
    OptNbrScribble = std::clamp(OptNbrScribble, 1, 10);
    UpAntal->SetValue(OptNbrScribble);
    ResumeNext([&] {
        DataCheck->Database = WordDb;
        DataCheck->RecordSource = QStringLiteral("Main");
        DataCheck->Refresh();
    });
    ResumeNext([&] {
        DataWrong->Database = WordDb;
        DataWrong->RecordSource = QStringLiteral("WrongIDs");
        DataWrong->Refresh();
    });
    ResumeNext([&] {
        if (Lang3Complete) {
            Data2ndTavrinel->Database = WordDb;
            Data2ndTavrinel->RecordSource = Lang3Table;
            Data2ndTavrinel->Refresh();
        }
    });
    CboTempi->clear();
    for (int i = 1262; i <= 1265; ++i)
        CboTempi->addItem(Caps1262(i));
    CboTempi->setCurrentIndex(0);
}

void Exercise::Form_Activate()
{
    UpdateWindowMenus(false);
    ResumeNext([&] { StoreCount = CountWrongIDs(); });
    if (StoreCount == 0) {
        opDbas[1]->setEnabled(false);
    } else if (OptNbrWrongs > 0 && StoreCount >= OptNbrWrongs) {
        // A full store is practised first; a limit of 0 keeps no store.
        opDbas[0]->setEnabled(false);
        opDbas[1]->setEnabled(true);
        opDbas[1]->setChecked(true);
    }
    opDbas[1]->setText(Caps1322(1325) + QStringLiteral(" (") + QString::number(StoreCount) + QLatin1Char(')'));
    m_host.SetPanelText(5, WrongAnswersPanelText(QString::number(StoreCount)));
    // The deal buttons keep their state (a deal disables the other one until
    // the next round), and the language options are set here without their
    // click behaviour: only a user's click starts a new round or writes a
    // setting.
    opZero[1]->setText(Opt3rdLang);
    opOne[1]->setText(Opt3rdLang);
    if (Lang3Complete) {
        opZero[1]->setEnabled(true);
        opOne[1]->setEnabled(true);
        if (Opt2ndScribble != English) {
            cmdGo[1]->setText(QStringLiteral("Random ") + Opt2ndScribble);
            opOne[1]->setChecked(true);
        } else {
            cmdGo[1]->setText(QStringLiteral("Random ") + English);
            opOne[0]->setChecked(true);
        }
        if (Opt2ndTavrinel != English) {
            opZero[1]->setChecked(true);
            AnswerLangText = Opt3rdLang;
        } else {
            opZero[0]->setChecked(true);
            AnswerLangText = English;
        }
    } else {
        cmdGo[1]->setText(QStringLiteral("Random ") + English);
        opZero[0]->setChecked(true);
        opZero[1]->setEnabled(false);
        opOne[0]->setChecked(true);
        opOne[1]->setEnabled(false);
        AnswerLangText = English;
    }
    boLoading = false;
}

// ---------------------------------------------------------------------------
// The mode tabs

int Exercise::CurrentTab() const { return tbsOptions->currentIndex() + 1; }

void Exercise::SelectTab(int n)
{
    const int index = std::clamp(n, 1, ExerciseCount) - 1;
    if (tbsOptions->currentIndex() == index)
        tbsOptions_Click();
    else
        tbsOptions->setCurrentIndex(index); // runs tbsOptions_Click
}

void Exercise::tbsOptions_Click()
{
    const int selected = tbsOptions->currentIndex();
    if (selected != 0)
        Timer1->stop();
    auto clearPanel = [this] {
        m_host.DeKlino(0xFFFF, 99999);
        m_host.BaseFrase();
    };
    switch (selected) {
    case 0:
        setCaption(QStringLiteral("Exercise the traditional way, see, remember and type..."));
        if (m_round.Asking())
            txtFields_GotFocus(2); // the timer runs again while a word is asked
        if (CurrentWordID != 0)
            m_host.SmallFacts(CurrentWordID, QString(), 0);
        else
            clearPanel();
        break;
    case 1:
        setCaption(QStringLiteral("Exercise the modern way, check, mix, drag and drop.Click Random to start"));
        if (ShownWordID != 0)
            m_host.SmallFacts(ShownWordID, QString(), 0);
        else
            clearPanel();
        break;
    case 2:
        setCaption(QStringLiteral(
            "Exercise with verbs in different tenses, check, mix, drag and drop. Click Random to start"));
        if (RimaVerbID == 0)
            clearPanel();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Language options

void Exercise::opOne_Click(int Index)
{
    if (boLoading)
        return;
    winsys::BusyPointer busy;
    Opt2ndScribble = Index == 0 ? English : Opt3rdLang;
    if (!Done(Save2ndScribble())) {
        // The write failed and was reported: the option shows what is stored.
        opOne[Opt2ndScribble == English ? 0 : 1]->setChecked(true);
    }
    cmdGo[1]->setText(QStringLiteral("Random ") + Opt2ndScribble);
    cmdTest_Click();
}

void Exercise::opZero_Click(int Index)
{
    if (boLoading)
        return;
    winsys::BusyPointer busy;
    Opt2ndTavrinel = Index == 0 ? English : Opt3rdLang;
    if (!Done(Save2ndTavrinel()))
        opZero[Opt2ndTavrinel == English ? 0 : 1]->setChecked(true);
    AnswerLangText = (Opt2ndTavrinel == English ? English : Opt3rdLang) + QLatin1Char('.');
    cmdReset_Click(); // a new round in the chosen language, also before the first Start
}

// ---------------------------------------------------------------------------
// Settings the window writes

bool Exercise::UpDateOptions_BoChecka(bool Value) { return Done(SaveBoChecka(Value)); }

bool Exercise::UpDateScribble(int Value)
{
    OptNbrScribble = std::clamp(Value, 1, 10);
    const bool saved = Done(SaveNbrScribble());
    UpAntal->SetValue(OptNbrScribble);
    return saved;
}

// ---------------------------------------------------------------------------
// Remarks

void Exercise::GetPos(long long ID, const QString &Text, int FieldIndex)
{
    // SaveBusy is cleared however the routine ends.
    struct ClearBusy {
        ~ClearBusy() { SaveBusy = false; }
    } clearBusy;
    try {
        WriteMainFieldAt(ID, FieldIndex, Text);
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error); // the remark is not stored: say so, never in silence
        return;
    }
    // The focus goes back to the solved row's Greek word, when it is there.
    if (GreRowIndex >= 1 && GreRowIndex <= int(rows.size()) && rows[GreRowIndex - 1].tbGre->isVisible())
        rows[GreRowIndex - 1].tbGre->setFocus();
}

// ---------------------------------------------------------------------------
// Resize and closing

void Exercise::Form_Resize()
{
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!sub || sub->isMaximized() || sub->isMinimized())
        return;
    const QWidget *client = m_host.ClientArea()->viewport();
    // The window keeps its width unless it would reach beyond the client area.
    const int height = int(0.999 * client->height());
    sub->setGeometry(0, 0, std::min(sub->width(), client->width()), height);
}

void Exercise::SysInfo1_DisplayChanged(const QRect &WorkArea)
{
    QMdiSubWindow *child = m_host.ClientArea()->currentSubWindow();
    if (!child || child->isMaximized() || child->isMinimized())
        return;
    const QWidget *client = m_host.ClientArea()->viewport();
    const QRect area = QRect(client->mapFromGlobal(WorkArea.topLeft()), WorkArea.size()) & client->rect();
    if (area.isEmpty())
        return;
    child->setGeometry(FitToWorkArea(child->geometry(), area));
}

void Exercise::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] { Form_Resize(); });
}

void Exercise::Form_QueryUnload()
{
    Timer1->stop();
    m_host.ShowToolbar(true);
    ShownWordID = 0;
    RimaVerbID = 0;
    UpdateWindowMenus(true);
    SetStatusText(QString(), false);
}

void Exercise::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

// ---------------------------------------------------------------------------
// The routines for the main window

ExerciseRoutines ExerciseWindowRoutines()
{
    ExerciseRoutines routines;
    routines.PickRandomWords = [] {
        try {
            PickRandomWords();
        } catch (const std::exception &e) {
            winsys::ShowErrorBox(e);
        }
    };
    routines.CreateWindow = [](ExerciseHost &host) -> ExerciseWindowLink * { return new Exercise(host); };
    return routines;
}

void Exercise::BindRound(const QString &sql, const QString &criteria) { makeExercise(*Data1, sql, criteria); }

void Exercise::makeExercise(datactl::DataControl &control, const QString &sql, const QString &criteria)
{
    DataControlAdapter adapter(control);
    Tell(DynasetsObj.MakeExercise(adapter, sql, criteria).Failure);
}

} // namespace tav
