#include "mainwindow/MDI.h"

#include "grids/ListOpeners.h"
#include "grids/ListWindow.h"
#include "help/HTMLHelp.h"
#include "inflection/GrammarPanel.h"
#include "mainwindow/About.h"
#include "mainwindow/AccessKeys.h"
#include "mainwindow/Artwork.h"
#include "mainwindow/MdiExerciseHost.h"
#include "mainwindow/MdiListHost.h"
#include "mainwindow/PanelScroll.h"
#include "mainwindow/Sorry.h"
#include "mainwindow/Splash.h"
#include "mainwindow/StartUpReport.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/font/FontLoader.h"
#include "platform/font/GreekKeys.h"
#include "platform/winsys/OnScreen.h"
#include "platform/winsys/StatusPanel.h"
#include "platform/winsys/TextBox.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/Pointer.h"
#include "printing/P001.h"
#include "store/CaptionArrays.h"
#include "store/CountsAhead.h"
#include "store/Settings.h"
#include "store/SharedState.h"
#include "store/StartUp.h"
#include "store/ListWindowLink.h"
#include "store/StoreQueries.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/WindowRoutines.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QFontMetrics>
#include <QStyle>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <exception>

namespace tav {

using winsys::PixelsToTwipsX;
using winsys::PixelsToTwipsY;
using winsys::TwipsToPixelsX;
using winsys::TwipsToPixelsY;

namespace {

// The rows a list window keeps in sight beside the whole grammar panel.
constexpr int kListRowsKept = 5;

// The print image in its three looks: flat, raised (up) and pressed (down).
enum class PrintLook { Flat, Up, Down };

QPixmap printerPixmap(PrintLook look)
{
    QPixmap pix(28, 26);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int shift = look == PrintLook::Down ? 1 : 0;
    p.translate(shift, shift);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(8, 2, 11, 8);       // paper going in
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(3, 9, 21, 9);       // body
    p.setBrush(Qt::white);
    p.drawRect(7, 15, 13, 8);      // paper coming out
    p.drawLine(9, 18, 17, 18);
    p.drawLine(9, 20, 15, 20);
    p.setPen(QColor(0, 140, 0));
    p.drawPoint(21, 11);
    p.resetTransform();
    if (look != PrintLook::Flat) {
        const QColor light(255, 255, 255), dark(110, 110, 110);
        p.setPen(look == PrintLook::Up ? light : dark);
        p.drawLine(0, 0, pix.width() - 1, 0);
        p.drawLine(0, 0, 0, pix.height() - 1);
        p.setPen(look == PrintLook::Up ? dark : light);
        p.drawLine(0, pix.height() - 1, pix.width() - 1, pix.height() - 1);
        p.drawLine(pix.width() - 1, 0, pix.width() - 1, pix.height() - 1);
    }
    return pix;
}

// Shows the program's windows again when a dialog closes: a dialog that was
// minimised (the window manager minimises its main window with it) or a busy
// box that ends while the windows are minimised would leave them hidden. A
// dialog minimised by the user hides spontaneously and is left alone.
class ShowWindowsAfterDialogs : public QObject {
public:
    explicit ShowWindowsAfterDialogs(QWidget *main) : QObject(main), m_main(main) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous() && watched != m_main && watched->isWidgetType()) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->isWindow() && m_main->isMinimized())
                m_main->setWindowState((m_main->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        }
        return false;
    }

private:
    QWidget *m_main;
};

// The menu key, Shift+F10, and the context menu event a key press makes.
bool IsContextMenuRequest(QEvent *event)
{
    if (event->type() == QEvent::ContextMenu)
        return static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    return key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

QAction *namedAction(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu *namedMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace

MDI::MDI(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(QStringLiteral("Tavrinel"));
    // The program's logo, also on the child windows and dialogs.
    setWindowIcon(QIcon(LogoPicture(64)));
    // Every window and dialog of the program opens whole on the screen; the
    // main window fits itself to the work area (MDIForm_Resize).
    winsys::KeepWindowsOnScreen(true);
    winsys::PlacesItself(this);

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    buildMenus();
    buildToolbar();
    column->addWidget(picToolbar);

    auto *middle = m_middle = new QWidget(central);
    auto *row = new QHBoxLayout(middle);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    buildLeftPanel();
    picRemarks->setParent(middle);
    row->addWidget(picRemarks);
    mdiClient = new QMdiArea(middle);
    mdiClient->setObjectName(QStringLiteral("mdiClient"));
    mdiClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(mdiClient, 1);
    column->addWidget(middle, 1);

    picBottom = new QWidget(central);
    picBottom->setObjectName(QStringLiteral("picBottom"));
    picBottom->setFixedHeight(TwipsToPixelsY(2400));
    grammar = new GrammarPanel(*this, picBottom);
    picsGreysUpsAndDowns = new QWidget(picBottom);
    picsGreysUpsAndDowns->setObjectName(QStringLiteral("picsGreysUpsAndDowns"));
    picsGreysUpsAndDowns->hide();
    imgPrintUp = printerPixmap(PrintLook::Up);
    imgPrintDn = printerPixmap(PrintLook::Down);
    m_panelScroll = new PanelScroll(picBottom, central);
    m_panelScroll->FollowGrid(grammar->FormsGrid());
    m_panelScroll->FollowGrid(grammar->ImperativesGrid());
    column->addWidget(m_panelScroll);
    setCentralWidget(central);

    buildStatusBar();
    connectTreeAndSearch();
    buildKeys();

    connect(mdiClient, &QMdiArea::subWindowActivated, this, &MDI::onChildActivated);
    if (QScreen *s = screen())
        m_screenWatch = connect(s, &QScreen::availableGeometryChanged, this, [this] { MDIForm_Resize(); });
    m_dialogWatch = new ShowWindowsAfterDialogs(this);
    qApp->installEventFilter(m_dialogWatch);

    Pause = [] { PauseBriefly(); };
    EndProgram = [] { QCoreApplication::quit(); };
    // A dialog of this window: minimised, it does not leave the window
    // blocked behind it.
    m_print = std::make_unique<P001>(this);
    // F1 in the print dialog: its page, in a help window the dialog owns
    // (a window of its own would wait behind the modal dialog).
    m_print->SetShowHelp([this](const QString &page, QWidget *dialog) {
        HTMLHelp &help = helpFile();
        help.HHTopicURL = page;
        help.HHShowOnTop = true;
        help.HHDisplayTopicURL(long(dialog->winId()));
        help.HHShowOnTop = false;
    });
    // The print command is off while a run prints.
    connect(m_print.get(), &P001::PrintingChanged, this, [this] {
        QMdiSubWindow *sub = mdiClient->activeSubWindow();
        onChildActivated(sub ? sub : mdiClient->currentSubWindow());
    });
}

MDI::~MDI()
{
    // What the whole application tells this window ends before its
    // children go.
    qApp->removeEventFilter(m_dialogWatch);
    disconnect(m_screenWatch);
    // The client area and its children go after this class's part of the
    // object: they must not call back into it while they do.
    for (QMdiSubWindow *sub : mdiClient->subWindowList()) {
        sub->disconnect(this);
        if (sub->widget())
            sub->widget()->removeEventFilter(this);
    }
    mdiClient->disconnect(this);
    if (m_splash)
        delete m_splash.data();
    if (m_about)
        delete m_about.data();
    if (m_sorry)
        delete m_sorry.data();
    if (&Link() == this)
        SetLink(nullptr);
}

QObject *MDI::findControl(const QString &name, const QMetaObject &type) const
{
    const QList<QObject *> found = findChildren<QObject *>(name);
    for (QObject *object : found) {
        const auto *widget = qobject_cast<const QWidget *>(object);
        const bool inChildWindow = widget && widget != mdiClient && mdiClient && mdiClient->isAncestorOf(widget);
        if (type.cast(object) && !inChildWindow)
            return object;
    }
    return nullptr;
}

void MDI::buildMenus()
{
    QMenuBar *bar = menuBar();

    mnuArkiv = bar->addMenu(QStringLiteral("&File"));
    mnuArkiv->setObjectName(QStringLiteral("mnuArkiv"));
    mnuPrint = namedMenu(mnuArkiv, QStringLiteral("mnuPrint"), QStringLiteral("&Print.."));
    mnuPrintParts0 = namedAction(mnuPrint, QStringLiteral("mnuPrintParts(0)"), WithAccessKey(QStringLiteral("No active form to print..")));
    mnuPrintParts0->setEnabled(false);
    connect(mnuPrintParts0, &QAction::triggered, this, [this] { mnuPrintParts_Click(0); });
    mnuArkivs1004 = namedAction(mnuArkiv, QStringLiteral("mnuArkivs(1004)"), QStringLiteral("E&xit"));
    connect(mnuArkivs1004, &QAction::triggered, this, [this] { mnuArkivs_Click(1004); });

    mnuEx = bar->addMenu(QStringLiteral("&Exercise with words"));
    mnuEx->setObjectName(QStringLiteral("mnuEx"));
    const QString exCaptions[ExerciseCount] = {QStringLiteral("by &reading and typing"),
                                               QStringLiteral("by &choosing alternatives"),
                                               QStringLiteral("choose only &verbs")};
    for (int i = 0; i < ExerciseCount; ++i) {
        mnuExParts[i] = namedAction(mnuEx, QStringLiteral("mnuExParts(%1)").arg(i), exCaptions[i]);
        connect(mnuExParts[i], &QAction::triggered, this, [this, i] { mnuExParts_Click(i); });
    }

    mnuWindows = bar->addMenu(QStringLiteral("&Window"));
    mnuWindows->setObjectName(QStringLiteral("mnuWindows"));
    mnuWindows->menuAction()->setEnabled(false);
    mnuCloseAll = namedAction(mnuWindows, QStringLiteral("mnuCloseAll"), QStringLiteral("&Close all windows"));
    mnuCloseAll->setEnabled(false);
    connect(mnuCloseAll, &QAction::triggered, this, [this] { mnuCloseAll_Click(); });
    connect(mnuWindows, &QMenu::aboutToShow, this, [this] { fillWindowList(); });

    mnuOption = bar->addMenu(QStringLiteral("&Tools"));
    mnuOption->setObjectName(QStringLiteral("mnuOption"));
    mnuOptionParts[0] = namedAction(mnuOption, QStringLiteral("mnuOptionParts(0)"), QStringLiteral("&Settings"));
    mnuOptionParts[1] = namedAction(mnuOption, QStringLiteral("mnuOptionParts(1)"), QStringLiteral("Hide &left controls"));
    for (int i = 0; i < 2; ++i)
        connect(mnuOptionParts[i], &QAction::triggered, this, [this, i] { mnuOptionParts_Click(i); });

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpParts[0] = namedAction(mnuHelp, QStringLiteral("mnuHelpParts(0)"), QStringLiteral("Show &helpfile"));
    mnuHelpParts[1] = namedAction(mnuHelp, QStringLiteral("mnuHelpParts(1)"), QStringLiteral("&About"));
    for (int i = 0; i < 2; ++i)
        connect(mnuHelpParts[i], &QAction::triggered, this, [this, i] { mnuHelpParts_Click(i); });

    // Never shown in the bar: the grammar panel keeps the check marks of the
    // Conjugations entries, and the tree pops the Nodes menu up.
    mnuConjugations = new QMenu(QStringLiteral("Conjugations"), this);
    mnuConjugations->setObjectName(QStringLiteral("mnuConjugations"));
    mnuFirst = namedMenu(mnuConjugations, QStringLiteral("mnuFirst"), QStringLiteral("&Show..."));
    const QString voices[3] = {QStringLiteral("&Active Voice"), QStringLiteral("&Passive Voice"),
                               QStringLiteral("Participles and &Imperatives")};
    for (int i = 0; i < 3; ++i) {
        mnuFirstParts[i] = namedAction(mnuFirst, QStringLiteral("mnuFirstParts(%1)").arg(i), voices[i]);
        mnuFirstParts[i]->setCheckable(true);
        connect(mnuFirstParts[i], &QAction::triggered, this, [this, i] { mnuFirstParts_Click(i); });
    }
    mnuFirstParts[0]->setChecked(true);

    mnuNodes = new QMenu(QStringLiteral("Nodes"), this);
    mnuNodes->setObjectName(QStringLiteral("mnuNodes"));
    mnuNodeFirst = namedMenu(mnuNodes, QStringLiteral("mnuNodeFirst"), QStringLiteral("&Show"));
    mnuNodeFirstParts0 = namedAction(mnuNodeFirst, QStringLiteral("mnuNodeFirstParts(0)"), QStringLiteral("&ToBeSelected"));
    connect(mnuNodeFirstParts0, &QAction::triggered, this, [this] { mnuNodeFirstParts_Click(0); });
}

void MDI::buildToolbar()
{
    picToolbar = new QWidget(this);
    picToolbar->setObjectName(QStringLiteral("picToolbar"));
    // Two groups: the print image with the search's caption and options,
    // and the search box with its buttons and result boxes. They stand side
    // by side, or one above the other where the window is too narrow for
    // both (fitToolbarRows), so that the strip never widens the frame.
    m_toolbarRows = new QGridLayout(picToolbar);
    m_toolbarRows->setContentsMargins(TwipsToPixelsX(60), TwipsToPixelsY(30), TwipsToPixelsX(60), TwipsToPixelsY(30));
    m_toolbarRows->setVerticalSpacing(TwipsToPixelsY(30));
    m_searchLead = new QWidget(picToolbar);
    auto *lead = new QHBoxLayout(m_searchLead);
    lead->setContentsMargins(0, 0, 0, 0);
    m_searchBoxes = new QWidget(picToolbar);
    auto *boxes = new QHBoxLayout(m_searchBoxes);
    boxes->setContentsMargins(0, 0, 0, 0);

    imgPrintNorm = new QLabel(m_searchLead);
    imgPrintNorm->setObjectName(QStringLiteral("imgPrintNorm"));
    imgPrintNorm->setPixmap(printerPixmap(PrintLook::Flat));
    imgPrintNorm->setToolTip(QStringLiteral("No active form to print.. "));
    imgPrintNorm->setEnabled(false);
    imgPrintNorm->installEventFilter(this);
    lead->addWidget(imgPrintNorm);
    lead->addSpacing(TwipsToPixelsX(240));

    lblFlag = new QLabel(QStringLiteral("Search for Greek"), m_searchLead);
    lblFlag->setObjectName(QStringLiteral("lblFlag"));
    lead->addWidget(lblFlag);

    auto *options = new QWidget(m_searchLead);
    auto *optionColumn = new QVBoxLayout(options);
    optionColumn->setContentsMargins(0, 0, 0, 0);
    optionColumn->setSpacing(0);
    opForm[0] = new QRadioButton(QStringLiteral("Nominative \"Basic\" forms"), options);
    opForm[1] = new QRadioButton(QStringLiteral("Conjugated or declined forms"), options);
    for (int i = 0; i < 2; ++i) {
        opForm[i]->setObjectName(QStringLiteral("opForm(%1)").arg(i));
        optionColumn->addWidget(opForm[i]);
    }
    opForm[0]->setChecked(true);
    lead->addWidget(options);

    tbSearch = new QLineEdit(m_searchBoxes);
    tbSearch->setObjectName(QStringLiteral("tbSearch"));
    tbSearch->setMinimumWidth(TwipsToPixelsX(1200));
    boxes->addWidget(tbSearch, 1);
    cmdSearch = new QPushButton(QStringLiteral("Search"), m_searchBoxes);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    boxes->addWidget(cmdSearch);
    cmdClear = new QPushButton(QStringLiteral("Clear"), m_searchBoxes);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setEnabled(false);
    boxes->addWidget(cmdClear);

    // The empty-result boxes show the start of their text (on a narrow screen
    // the message is longer than its box) and the whole text as a tool tip.
    for (int i = 0; i < 2; ++i) {
        tbFind[i] = new QLineEdit(m_searchBoxes);
        tbFind[i]->setObjectName(QStringLiteral("tbFind(%1)").arg(i));
        tbFind[i]->setReadOnly(true);
        tbFind[i]->setMinimumWidth(TwipsToPixelsX(900));
        boxes->addWidget(tbFind[i], i == 0 ? 2 : 1);
        QLineEdit *box = tbFind[i];
        connect(box, &QLineEdit::textChanged, box, [box](const QString &text) {
            box->setCursorPosition(0);
            box->setToolTip(winsys::TextOutsideFont(box->font(), text));
        });
    }
    // The strip is never narrower than the wider group, in two rows.
    const QMargins margins = m_toolbarRows->contentsMargins();
    picToolbar->setMinimumWidth(std::max(m_searchLead->minimumSizeHint().width(), m_searchBoxes->minimumSizeHint().width()) +
                                margins.left() + margins.right());
    m_toolbarRows->addWidget(m_searchLead, 0, 0);
    m_toolbarRows->addWidget(m_searchBoxes, 0, 1);
    m_toolbarRows->setColumnStretch(1, 1);
    m_toolbarTwoRows = false;
    picToolbar->installEventFilter(this);
    fitToolbarRows();
}

// One row where the strip holds both groups at their smallest, else two.
void MDI::fitToolbarRows()
{
    const QMargins margins = m_toolbarRows->contentsMargins();
    const int oneRow = m_searchLead->minimumSizeHint().width() + m_toolbarRows->horizontalSpacing() +
                       m_searchBoxes->minimumSizeHint().width() + margins.left() + margins.right();
    const bool twoRows = picToolbar->width() < oneRow;
    if (twoRows == m_toolbarTwoRows)
        return;
    m_toolbarTwoRows = twoRows;
    m_toolbarRows->removeWidget(m_searchLead);
    m_toolbarRows->removeWidget(m_searchBoxes);
    if (twoRows) {
        m_toolbarRows->addWidget(m_searchLead, 0, 0, 1, 2, Qt::AlignLeft);
        m_toolbarRows->addWidget(m_searchBoxes, 1, 0, 1, 2);
        m_toolbarRows->setColumnStretch(1, 0);
    } else {
        m_toolbarRows->addWidget(m_searchLead, 0, 0);
        m_toolbarRows->addWidget(m_searchBoxes, 0, 1);
        m_toolbarRows->setColumnStretch(1, 1);
    }
}

void MDI::buildLeftPanel()
{
    picRemarks = new QWidget(this);
    picRemarks->setObjectName(QStringLiteral("picRemarks"));
    picRemarks->setFixedWidth(TwipsToPixelsX(DefaultLeftPanelWidth));
    picRemarks->installEventFilter(this);

    tv1 = new QTreeWidget(picRemarks);
    tv1->setObjectName(QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    tv1->setColumnCount(1);

    cboTree = new QComboBox(picRemarks);
    cboTree->setObjectName(QStringLiteral("cboTree"));
    cboTree->setEditable(false);
    cboTree->setFixedWidth(TwipsToPixelsX(900));

    cmdShow = new QPushButton(QStringLiteral("Show"), picRemarks);
    cmdShow->setObjectName(QStringLiteral("cmdShow"));
    cmdShow->setFixedWidth(TwipsToPixelsX(800));
    connect(cmdShow, &QPushButton::clicked, this, [this] { cmdShow_Click(); });

    // Plain-text boxes that paste safely (see winsys::TextBox).
    tbRem = new winsys::TextBox(picRemarks);
    tbRem->setObjectName(QStringLiteral("tbRem"));
    tbRemG3 = new winsys::TextBox(picRemarks);
    tbRemG3->setObjectName(QStringLiteral("tbRemG3"));

    lblRem = new QLabel(QStringLiteral("Remarks"), picRemarks);
    lblRem->setObjectName(QStringLiteral("lblRem"));
    lblRem3 = new QLabel(QStringLiteral("Remarks 2"), picRemarks);
    lblRem3->setObjectName(QStringLiteral("lblRem3"));
    for (QLabel *l : {lblRem, lblRem3})
        l->setFixedHeight(TwipsToPixelsY(240));

    // The grip: a press widens the panel; dragging it moves the panel's edge.
    lblGrip = new QLabel(QStringLiteral("\u25E2"), picRemarks);
    lblGrip->setObjectName(QStringLiteral("lblGrip"));
    lblGrip->setAlignment(Qt::AlignCenter);
    lblGrip->setFixedSize(TwipsToPixelsX(240), TwipsToPixelsY(240));
    lblGrip->setCursor(Qt::SizeHorCursor);
    lblGrip->setToolTip(QStringLiteral("Drag to widen or narrow the left panel"));
    lblGrip->installEventFilter(this);
}

void MDI::buildStatusBar()
{
    stsStatusBar = new QStatusBar(this);
    stsStatusBar->setObjectName(QStringLiteral("stsStatusBar"));
    stsStatusBar->setSizeGripEnabled(false);
    // The messages (1) and the word's other meanings (4) are free texts: the
    // messages ask for their text's width, the meanings take the room left
    // over. The others are as wide as their texts and are never cut.
    for (int i = 0; i < 7; ++i) {
        const bool free = i == 0 || i == 3;
        m_panels[i] = new winsys::StatusPanel(free ? winsys::StatusPanel::Free : winsys::StatusPanel::Fixed,
                                              stsStatusBar);
        m_panels[i]->setObjectName(QStringLiteral("Panels(%1)").arg(i + 1));
        stsStatusBar->addWidget(m_panels[i], i == 3 ? 1 : 0);
    }
    setStatusBar(stsStatusBar);
}

// ---------------------------------------------------------------------------
// Load

void MDI::loadStep(const QString &what, const std::function<void()> &step)
{
    try {
        step();
    } catch (const dao::DaoError &e) {
        m_loadFailures << what + QStringLiteral(" (") + e.Description() + QLatin1Char(')');
    } catch (const std::exception &e) {
        m_loadFailures << what + QStringLiteral(" (") + QString::fromUtf8(e.what()) + QLatin1Char(')');
    }
}

void MDI::MDIForm_Load()
{
    m_loadFailures.clear();
    MainLoading = true;

    // The store's routines take the connection as given; without one, each
    // step that needs it is reported instead of run.
    auto requireDb = [] {
        if (!WordDbIsOpen())
            throw std::runtime_error("no word database is open");
    };
    // Interface texts: every caption array, a pause after the first.
    bool capsOpen = false;
    loadStep(QStringLiteral("interface texts"), [&] {
        requireDb();
        CapsRs = OpenCaptionTexts();
        capsOpen = true;
    });
    const QVector<CaptionArray *> &arrays = MainCaptionArrays();
    for (int i = 0; i < arrays.size(); ++i) {
        if (capsOpen) {
            loadStep(QStringLiteral("interface texts"), [&] { FillCaptionArray(*CapsRs, CapsLanguage, *arrays[i]); });
        }
        if (i == 0) {
            // The category tree's counts are made while the start pauses.
            loadStep(QStringLiteral("category tree"), [] { BeginStartCountsAhead(); });
            Pause();
        }
    }
    if (CapsRs) {
        CapsRs->Close();
        CapsRs.reset();
    }

    setWindowTitle(QStringLiteral("Tavrinel"));

    // The grammar panel: grids under the heading rows, seven rows high.
    stsStatusBar->setVisible(true);
    grammar->PlaceGrids(); // the panel's heights
    picBottom->setVisible(true);
    // On a low screen the child windows keep room for a list of five rows
    // (its buttons, sort row and frame above them), and the panel all the
    // rest, up to its whole height; lower still, the panel scrolls.
    const int listRow = QFontMetrics(winsys::GreekFont(GreekFontSize)).height() + 4;
    const int listFrame = TwipsToPixelsY(1200) + style()->pixelMetric(QStyle::PM_TitleBarHeight);
    m_listRoom = kListRowsKept * listRow + listFrame;
    m_panelScroll->SetRoomAbove(m_middle, m_listRoom);

    Pause();
    loadStep(QStringLiteral("word count"), [&] {
        requireDb();
        ShowWordCount();
    });

    clearSearchBoxes();
    setSearchFont(winsys::GreekFamily, GreekFontSize - 2);

    QString wrongs = QStringLiteral("?");
    loadStep(QStringLiteral("stored wrong answers"), [&] {
        requireDb();
        wrongs = QString::number(CountWrongIDs());
    });
    SetPanelText(5, WrongAnswersPanelText(wrongs));
    SetPanelText(4, CheckAllPanelText());
    SetPanelText(6, ThirdLanguagePanelText());

    MainLoading = false;
    StartingUp = false;

    BaseFrase();
    lblFlag->setText(QStringLiteral("Search for Greek"));

    Pause();
    loadStep(QStringLiteral("category tree"), [&] {
        requireDb();
        JulGran();
    });

    LetterFont = winsys::GreekFamily;
    grammar->SetVoiceMenuChoice(0, true);

    // A failed step does not stop the Load, but the user is told.
    if (!m_loadFailures.isEmpty()) {
        m_loadFailures.removeDuplicates();
        SetPanelText(1, QStringLiteral("Not loaded: ") + m_loadFailures.join(QStringLiteral("; ")));
    }
}

// ---------------------------------------------------------------------------
// Size and closing

QRect ClientAreaIn(const QRect &area, const QMargins &frame)
{
    const bool believable = frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0 &&
                            frame.left() + frame.right() < area.width() / 4 &&
                            frame.top() + frame.bottom() < area.height() / 4;
    return believable ? area.marginsRemoved(frame) : area;
}

QMargins MDI::frameWidths() const
{
    const QWindow *window = windowHandle();
    return window && isVisible() ? window->frameMargins() : QMargins();
}

void MDI::MDIForm_Resize()
{
    if (m_resizing || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QScreen *s = screen();
    if (!s)
        return;
    // The whole frame, title bar included, takes the work area. The window
    // is placed by its client area, whose place on the screen does not
    // depend on how the window manager reads a requested position.
    m_placedFrame = frameWidths();
    const QRect wanted = ClientAreaIn(s->availableGeometry(), m_placedFrame);
    if (geometry() == wanted) {
        m_resizeAttempts = 0;
        return;
    }
    // A window manager that keeps refusing the size is asked again only
    // after a while, never in a tight loop.
    if (++m_resizeAttempts > 3) {
        if (m_resizeAttempts == 4)
            QTimer::singleShot(1000, this, [this] {
                m_resizeAttempts = 0;
                MDIForm_Resize();
            });
        return;
    }
    m_resizing = true;
    setGeometry(wanted);
    m_resizing = false;
}

// While the exercise is open the child windows keep the height its page asks
// for (the verb page's six rows), where the window has it: the grammar panel
// below gives way and scrolls. Without it they keep room for a list.
void MDI::KeepRoomForExercise(bool open)
{
    int room = m_listRoom;
    if (open && m_exerciseWindow)
        room = std::max(room, m_exerciseWindow->sizeHint().height() + style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                                  2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth));
    m_panelScroll->SetRoomAbove(m_middle, room);
}

bool MDI::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // The frame's widths are known only once the window manager has framed
    // the shown window; then the window is placed again.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
        if (frameWidths() != m_placedFrame)
            MDIForm_Resize();
        break;
    default:
        break;
    }
    return handled;
}

void MDI::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
    fitLeftPanel();
    // A narrower frame keeps room for the client area.
    if (LeftPanelWidth() > MaxLeftPanelWidth())
        setLeftPanelWidth(MaxLeftPanelWidth());
}

void MDI::closeEvent(QCloseEvent *event)
{
    // Typing not yet stored is stored as Enter would store it; what cannot
    // be stored keeps the program open when the user goes back to it. An
    // end on a signal drops it and always closes.
    if (!m_unloaded && !LeaveOpenTyping() && !winsys::EndingProgram()) {
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        MDIForm_QueryUnload();
        MDIForm_Unload();
    }
    event->accept();
}

void MDI::MDIForm_QueryUnload()
{
    winsys::PushPointer(winsys::PointerShape::ArrowHourglass);
    SetStatusText(Caps1185(1185), true);
}

void MDI::MDIForm_Unload()
{
    m_unloaded = true;
    for (QMdiSubWindow *sub : mdiClient->subWindowList())
        sub->close();
    if (m_splash)
        m_splash->close();
    if (m_about)
        m_about->close();
    if (m_sorry)
        m_sorry->close();
    // The help windows belong to no window: they close with this one.
    if (HelpObject)
        HelpObject->HHClose();
    EndProgram();
    winsys::PopPointer();
}

void MDI::mnuArkivs_Click(int Index)
{
    if (Index == 1004)
        close();
}

// ---------------------------------------------------------------------------
// The left panel

int MDI::LeftPanelWidth() const { return PixelsToTwipsX(picRemarks->width()); }

int MDI::MaxLeftPanelWidth() const
{
    return std::max(MinLeftPanelWidth, PixelsToTwipsX(width()) - MinClientWidth);
}

int MDI::FittedLeftPanelWidth() const
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tv1);
    const int wanted = m_treeTextWidth + 2 * tv1->frameWidth() + scrollBar + cboTree->width();
    // Two fifths of the window: on an 800 pixel screen the tree's captions
    // fit whole beside the letter filter.
    const int share = PixelsToTwipsX(width()) * 2 / 5;
    return std::max(int(DefaultLeftPanelWidth), std::min(PixelsToTwipsX(wanted), share));
}

void MDI::fitLeftPanel()
{
    if (!m_panelWidthChosen && m_treeTextWidth > 0)
        setLeftPanelWidth(FittedLeftPanelWidth());
}

void MDI::setLeftPanelWidth(int twips)
{
    const int bounded = std::clamp(twips, int(MinLeftPanelWidth), MaxLeftPanelWidth());
    picRemarks->setFixedWidth(TwipsToPixelsX(bounded));
}

void MDI::mnuOptionParts_Click(int Index)
{
    if (Index == 0) {
        frmOptions_Show();
        return;
    }
    if (Index != 1)
        return;
    QAction *item = mnuOptionParts[1];
    const QString caption = WithoutAccessKey(item->text());
    if (caption == QLatin1String("Hide left controls")) {
        picRemarks->hide();
        item->setText(QStringLiteral("Show &left controls"));
    } else if (caption == QLatin1String("Show left controls")) {
        picRemarks->show();
        item->setText(QStringLiteral("Hide &left controls"));
    }
    // The exercise window, when active, refits itself to the changed client
    // area; a list window keeps its size.
    if (ExerciseWindowLink *exercise = ExerciseInstance(); exercise && exercise->Form() == ActiveForm())
        exercise->Form_Resize();
}

void MDI::picRemarks_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    // The boxes share the height left by the two label rows, so that the
    // lower label row with the grip always stays inside the panel. The tree
    // takes half of it and each remarks box a quarter: on a small screen the
    // tree still shows several rows.
    const int outer = PixelsToTwipsX(picRemarks->width());
    const int W = outer;
    const int H = PixelsToTwipsY(picRemarks->height());
    const int g = PixelsToTwipsY(lblGrip->height());
    const int labelRow = std::max({PixelsToTwipsY(lblRem->height()), PixelsToTwipsY(lblRem3->height()), g});
    const int free = std::max(0, H - 2 * labelRow);
    const int box = free / 4;
    const int treeHeight = free - 2 * box;

    auto place = [](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
    };
    auto moveTo = [](QWidget *w, int left, int top) { w->move(TwipsToPixelsX(left), TwipsToPixelsY(top)); };

    const int comboWidth = PixelsToTwipsX(cboTree->width());
    place(tv1, 0, 0, std::max(0, W - comboWidth), treeHeight);
    const int treeWidth = PixelsToTwipsX(tv1->width());
    moveTo(cboTree, treeWidth, 0);
    const int showWidth = PixelsToTwipsX(cmdShow->width());
    const int showHeight = PixelsToTwipsY(cmdShow->height());
    const int comboBottom = PixelsToTwipsY(cboTree->height());
    const int showTop = std::max(comboBottom, treeHeight - 4 * showHeight - 50);
    moveTo(cmdShow, treeWidth + (outer - treeWidth) / 2 - showWidth / 2, showTop);

    const int remTop = treeHeight;
    place(tbRem, 0, remTop, W, box);
    moveTo(lblRem, 50, remTop + box);
    const int rem3Top = remTop + box + labelRow;
    place(tbRemG3, 0, rem3Top, W, box);
    moveTo(lblRem3, 50, rem3Top + box);
    moveTo(lblGrip, outer - PixelsToTwipsX(lblGrip->width()), rem3Top + box);
    lblRem->resize(TwipsToPixelsX(std::max(0, W - 100)), lblRem->height());
    lblRem3->resize(TwipsToPixelsX(std::max(0, W - 150 - PixelsToTwipsX(lblGrip->width()))), lblRem3->height());
}

void MDI::lblGrip_MouseDown(Qt::MouseButton Button, int X)
{
    if (Button != Qt::LeftButton)
        return;
    setLeftPanelWidth(std::max(LeftPanelWidth() + X, int(MinLeftPanelWidth)));
}

// ---------------------------------------------------------------------------
// The print image's look

void MDI::imgPrintNorm_MouseDown(Qt::MouseButton Button)
{
    if (Button == Qt::LeftButton)
        imgPrintNorm->setPixmap(imgPrintDn);
}

void MDI::imgPrintNorm_MouseMove(Qt::MouseButtons Buttons, const QPoint &pos)
{
    if (!(Buttons & Qt::LeftButton))
        return;
    const bool inside = imgPrintNorm->rect().contains(pos);
    imgPrintNorm->setPixmap(inside ? imgPrintDn : imgPrintUp);
}

void MDI::imgPrintNorm_MouseUp(Qt::MouseButton) { imgPrintNorm->setPixmap(imgPrintUp); }

bool MDI::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picRemarks && event->type() == QEvent::Resize) {
        picRemarks_Resize();
    } else if (watched == picToolbar && event->type() == QEvent::Resize) {
        fitToolbarRows();
    } else if (watched == tv1 && IsContextMenuRequest(event)) {
        ShowCurrentNodePopup();
        return true;
    } else if (event->type() == QEvent::WindowTitleChange && !m_unloaded && watched->isWidgetType()
               && watched == ActiveForm()) {
        onChildActivated(mdiClient->currentSubWindow());
    } else if (watched == lblGrip && dynamic_cast<QMouseEvent *>(event)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            lblGrip_MouseDown(mouse->button(), PixelsToTwipsX(mouse->position().x()));
            m_panelWidthChosen = m_panelWidthChosen || mouse->button() == Qt::LeftButton;
            m_gripDragging = mouse->button() == Qt::LeftButton;
            m_gripPressX = int(mouse->globalPosition().x()) - picRemarks->width();
            return true;
        }
        if (event->type() == QEvent::MouseMove && m_gripDragging && (mouse->buttons() & Qt::LeftButton)) {
            setLeftPanelWidth(PixelsToTwipsX(int(mouse->globalPosition().x()) - m_gripPressX));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            m_gripDragging = false;
            return true;
        }
    } else if (watched == imgPrintNorm && dynamic_cast<QMouseEvent *>(event)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            imgPrintNorm_MouseDown(mouse->button());
            return true;
        case QEvent::MouseMove:
            imgPrintNorm_MouseMove(mouse->buttons(), mouse->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            imgPrintNorm_MouseUp(mouse->button());
            if (mouse->button() == Qt::LeftButton && imgPrintNorm->rect().contains(mouse->position().toPoint()))
                imgPrintNorm_Click();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tav
