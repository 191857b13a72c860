// frmAttack: the main window with every control at its design place, the layout rule and its handlers.
#include "ui/qt/main_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include "app/run_control.h"
#include "app/sim.h"
#include "driver/paint_log.h"
#include "lesson/lesson.h"
#include "resources/deploy.h"
#include "ui/qt/icons.h"
#include "ui/qt/map_widget.h"
#include "ui/qt/small_windows.h"

namespace torvex {

namespace {

const QColor kDesktopColour(58, 110, 165);
const QColor kMessageGrey(192, 192, 192);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bordered = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(place);
    l->setAlignment(align);
    if (bordered) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setLineWidth(1);
    }
    return l;
}

QLabel* Bordered(QWidget* parent, const char* name, QRect place, Qt::Alignment align, const QString& text = {}) {
    return MakeLabel(parent, name, text, place, align | Qt::AlignVCenter, true);
}

QToolButton* Ribbon(QWidget* parent, const char* name, ButtonPicture picture, QRect place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setIcon(ButtonIcon(picture));
    b->setIconSize(QSize(19, 19));
    b->setGeometry(place);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QGroupBox* Frame(QWidget* parent, const char* name, QRect place, const QString& title = {}) {
    auto* f = new QGroupBox(title, parent);
    f->setObjectName(name);
    f->setGeometry(place);
    return f;
}

}  // namespace

MainWindow::MainWindow(Sim& sim) : sim_(sim) {
    setObjectName("frmAttack");
    setWindowTitle("Torvex");
    setWindowIcon(WindowIcon());
    // A sizable border without a maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildMenus();
    BuildControls();
    Wire();
    resize(kDesignClientWidth, kDesignClientHeight + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->setObjectName("mnuFile");
    QAction* open = fileMenu_->addAction("&Open Lesson");
    open->setObjectName("mnuOpen");
    fileMenu_->addSeparator();
    QAction* reset = fileMenu_->addAction("&Reset");
    reset->setObjectName("mnuReset");
    fileMenu_->addSeparator();
    QAction* exit = fileMenu_->addAction("E&xit");
    exit->setObjectName("mnuExit");
    showMenu_ = menuBar()->addMenu("&Show");
    showMenu_->setObjectName("mnuShow");
    QAction* legend = showMenu_->addAction("&Legend");
    legend->setObjectName("mnuLegend");
    QAction* initCond = showMenu_->addAction("&Initial Conditions");
    initCond->setObjectName("mnuInitCond");
    showMenu_->menuAction()->setEnabled(false);  // until a lesson is loaded

    connect(open, &QAction::triggered, this, [this] { OpenLesson(sim_); });
    connect(reset, &QAction::triggered, this, [this] { ResetLesson(sim_); });
    connect(exit, &QAction::triggered, this, [this] { close(); });
    connect(legend, &QAction::triggered, this, [this] { OpenLegend(); });
    connect(initCond, &QAction::triggered, this, [this] { OpenInitialConditions(); });
}

QAction* MainWindow::ShowMenuAction() const { return showMenu_->menuAction(); }

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    setCentralWidget(client);
    client->installEventFilter(this);

    // Run control, and the replay controls that take their place once a run has stopped.
    SetControl(Control::btnPlay, Ribbon(client, "btnPlay", ButtonPicture::Play, {17, 3, 25, 25}));
    SetControl(Control::btnPause, Ribbon(client, "btnPause", ButtonPicture::Pause, {57, 3, 25, 25}));
    SetControl(Control::btnStop, Ribbon(client, "btnStop", ButtonPicture::Stop, {97, 3, 25, 25}));
    auto* replay = new QPushButton("Replay", client);
    replay->setObjectName("cmdReplay");
    replay->setGeometry(17, 7, 49, 17);
    SetControl(Control::cmdReplay, replay);
    auto* spin = new QWidget(client);
    spin->setObjectName("spnReplay");
    spin->setGeometry(81, 4, 41, 23);
    replayBack_ = new QToolButton(spin);
    replayBack_->setObjectName("spnReplayBack");
    replayBack_->setArrowType(Qt::LeftArrow);
    replayBack_->setGeometry(0, 0, 20, 23);
    replayBack_->setAutoRepeat(true);
    replayForward_ = new QToolButton(spin);
    replayForward_->setObjectName("spnReplayForward");
    replayForward_->setArrowType(Qt::RightArrow);
    replayForward_->setGeometry(21, 0, 20, 23);
    replayForward_->setAutoRepeat(true);
    SetControl(Control::spnReplay, spin);

    // Status panel.
    QGroupBox* fraSim = Frame(client, "fraSim", {8, 32, 121, 132});
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(9.75);
    QLabel* day = Bordered(fraSim, "lblDay", {8, 19, 33, 20}, Qt::AlignHCenter, "0");
    QLabel* time = Bordered(fraSim, "lblTime", {56, 19, 57, 20}, Qt::AlignHCenter, "00:00");
    day->setFont(bold);
    time->setFont(bold);
    SetControl(Control::lblDay, day);
    SetControl(Control::lblTime, time);
    MakeLabel(fraSim, "lbltxtDay", "Day", {8, 40, 33, 17}, Qt::AlignCenter);
    MakeLabel(fraSim, "lblTxtTime", "Time", {56, 40, 57, 17}, Qt::AlignCenter);
    MakeLabel(fraSim, "lblTxtElapse", "Elapse", {8, 60, 33, 17});
    SetControl(Control::lblElapse, Bordered(fraSim, "lblElapse", {56, 59, 57, 17}, Qt::AlignRight));
    MakeLabel(fraSim, "lblTxtAcres", "Hectares", {8, 84, 43, 17});
    SetControl(Control::lblAcres, Bordered(fraSim, "lblAcres", {56, 83, 57, 17}, Qt::AlignRight));
    MakeLabel(fraSim, "lbltxtCost", "Cost", {8, 108, 41, 17});
    SetControl(Control::lblCost, Bordered(fraSim, "lblCost", {56, 107, 57, 17}, Qt::AlignRight));

    QGroupBox* fraWind = Frame(client, "fraWind", {8, 169, 121, 70});
    MakeLabel(fraWind, "lblTxtWS", "Speed", {8, 21, 41, 17});
    SetControl(Control::lblWS, Bordered(fraWind, "lblWS", {64, 21, 41, 17}, Qt::AlignLeft));
    MakeLabel(fraWind, "lblTxtWD", "Direction", {8, 45, 49, 17});
    SetControl(Control::lblWD, Bordered(fraWind, "lblWD", {64, 45, 41, 17}, Qt::AlignLeft));

    // Deployment buttons, the active-fuel picture and the Resource frame that covers it.
    frame1_ = new QWidget(client);
    frame1_->setObjectName("Frame1");
    frame1_->setGeometry(8, 249, 121, 155);
    MakeLabel(frame1_, "lblRes", "Resources", {17, 0, 89, 17}, Qt::AlignCenter);
    SetControl(Control::btnHel, Ribbon(frame1_, "btnHel", ButtonPicture::Helicopter, {0, 16, 25, 25}));
    SetControl(Control::btnAT, Ribbon(frame1_, "btnAT", ButtonPicture::AirTanker, {32, 16, 25, 25}));
    SetControl(Control::btnBull, Ribbon(frame1_, "btnBull", ButtonPicture::Bulldozer, {64, 16, 25, 25}));
    SetControl(Control::btnCrew, Ribbon(frame1_, "btnCrew", ButtonPicture::Crew, {96, 16, 25, 25}));
    auto* picFuel = new ClickLabel(frame1_);
    picFuel->setObjectName("picFuel");
    picFuel->setGeometry(0, 44, 121, 111);
    picFuel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picFuel->onClick = [this] { OpenActiveFuel(); };
    SetControl(Control::picFuel, picFuel);
    MakeLabel(picFuel, "lblFuel", "Active Fuel", {24, 94, 65, 17}, Qt::AlignCenter)->setAutoFillBackground(true);

    QGroupBox* fraRes = Frame(frame1_, "fraRes", {0, 44, 121, 111}, "Resource");
    fraRes->setAutoFillBackground(true);  // covers the photograph while shown
    fraRes->hide();
    SetControl(Control::fraRes, fraRes);
    MakeLabel(fraRes, "lblTxtDist", "Distance", {8, 18, 49, 17});
    SetControl(Control::lblDist, Bordered(fraRes, "lblDist", {64, 18, 41, 17}, Qt::AlignRight));
    auto* burn = new QCheckBox("BurnOut", fraRes);
    burn->setObjectName("chkBurn");
    burn->setGeometry(8, 41, 65, 17);
    SetControl(Control::chkBurn, burn);
    auto* left = new QRadioButton("Left", fraRes);
    left->setObjectName("optBurn0");
    left->setGeometry(16, 62, 49, 17);
    SetControl(Control::optBurnLeft, left);
    auto* right = new QRadioButton(" Right", fraRes);
    right->setObjectName("optBurn1");
    right->setGeometry(64, 62, 49, 17);
    SetControl(Control::optBurnRight, right);
    auto* ok = new QPushButton("Accept", fraRes);
    ok->setObjectName("cmdOK");
    ok->setGeometry(8, 85, 49, 17);
    SetControl(Control::cmdOK, ok);
    auto* cancel = new QPushButton("Cancel", fraRes);
    cancel->setObjectName("cmdCancel");
    cancel->setGeometry(64, 85, 49, 17);
    SetControl(Control::cmdCancel, cancel);

    // The map viewport, its scroll bars and the message line; the layout rule places them.
    picture1_ = new QWidget(client);
    picture1_->setObjectName("Picture1");
    picture1_->setGeometry(kViewportLeft, kViewportTop, 681, 593);
    picture1_->setAutoFillBackground(true);
    QPalette desk = picture1_->palette();
    desk.setColor(QPalette::Window, kDesktopColour);
    picture1_->setPalette(desk);
    picAir_ = new MapWidget(sim_.picture, picture1_);
    picAir_->setObjectName("picAir");
    picAir_->move(0, 0);

    hScroll_ = new QScrollBar(Qt::Horizontal, client);
    hScroll_->setObjectName("HScroll1");
    hScroll_->setGeometry(144, 600, 681, 17);
    vScroll_ = new QScrollBar(Qt::Vertical, client);
    vScroll_->setObjectName("VScroll1");
    vScroll_->setGeometry(824, 8, 17, 593);
    hScroll_->hide();
    vScroll_->hide();

    lblMsg_ = MakeLabel(client, "lblMsg", {}, {144, 616, 681, 17}, Qt::AlignCenter, true);
    lblMsg_->setAutoFillBackground(true);
    QPalette grey = lblMsg_->palette();
    grey.setColor(QPalette::Window, kMessageGrey);
    lblMsg_->setPalette(grey);
    SetControl(Control::lblMsg, lblMsg_);
    SetControl(Control::frmAttack, this);
}

void MainWindow::Wire() {
    auto ribbon = [this](Control c) { return static_cast<QToolButton*>(Widget(c)); };
    connect(ribbon(Control::btnPlay), &QToolButton::clicked, this, [this](bool on) { PlayClicked(sim_, on); });
    connect(ribbon(Control::btnPause), &QToolButton::clicked, this, [this](bool) { PauseClicked(sim_); });
    connect(ribbon(Control::btnStop), &QToolButton::clicked, this, [this](bool on) { StopClicked(sim_, on); });
    connect(static_cast<QPushButton*>(Widget(Control::cmdReplay)), &QPushButton::clicked, this,
            [this] { StartReplay(sim_); });
    connect(replayBack_, &QToolButton::clicked, this, [this] { ReplayBack(sim_); });
    connect(replayForward_, &QToolButton::clicked, this, [this] { ReplayForward(sim_); });

    const std::pair<Control, DeployKind> deploy[] = {{Control::btnHel, DeployKind::Helicopter},
                                                     {Control::btnAT, DeployKind::Tanker},
                                                     {Control::btnBull, DeployKind::Equipment},
                                                     {Control::btnCrew, DeployKind::Crew}};
    for (auto [c, kind] : deploy)
        connect(ribbon(c), &QToolButton::clicked, this, [this, kind = kind](bool on) {
            DeployButtonClicked(sim_, kind, on);
        });
    connect(static_cast<QCheckBox*>(Widget(Control::chkBurn)), &QCheckBox::clicked, this,
            [this] { BurnOutClicked(sim_); });
    connect(static_cast<QPushButton*>(Widget(Control::cmdOK)), &QPushButton::clicked, this,
            [this] { AcceptClicked(sim_); });
    connect(static_cast<QPushButton*>(Widget(Control::cmdCancel)), &QPushButton::clicked, this,
            [this] { CancelClicked(sim_); });

    picAir_->onPress = [this](float x, float y) { MapMouseDown(sim_, x, y); };
    picAir_->onMove = [this](float x, float y) { MapMouseMove(sim_, x, y); };
    picAir_->onRelease = [this](float x, float y) { MapMouseUp(sim_, x, y); };

    // The viewport shows the map shifted by the bars' values.
    connect(hScroll_, &QScrollBar::valueChanged, this, [this](int u) { picAir_->move(MapOffset(u), picAir_->y()); });
    connect(vScroll_, &QScrollBar::valueChanged, this, [this](int v) { picAir_->move(picAir_->x(), MapOffset(v)); });
}

void MainWindow::Load() {
    if (loaded_) return;
    loaded_ = true;
    LoadMainWindow(sim_, *this);
}

void MainWindow::ApplyLayout() {
    QWidget* client = centralWidget();
    const MainLayout l = LayoutMainWindow(client->width(), client->height(),
                                          ScrollState{barsShown_, hScroll_->value(), vScroll_->value()});
    picture1_->setGeometry(l.viewport.left, l.viewport.top, std::max(0, l.viewport.width),
                           std::max(0, l.viewport.height));
    if (l.barsVisible) {
        hScroll_->setGeometry(l.hBar.left, l.hBar.top, l.hBar.width, l.hBar.height);
        vScroll_->setGeometry(l.vBar.left, l.vBar.top, l.vBar.width, l.vBar.height);
        hScroll_->setRange(0, l.hMax);
        vScroll_->setRange(0, l.vMax);
        hScroll_->setValue(l.hValue);
        vScroll_->setValue(l.vValue);
        hScroll_->show();
        vScroll_->show();
        picAir_->move(MapOffset(hScroll_->value()), MapOffset(vScroll_->value()));
    } else {
        hScroll_->hide();
        vScroll_->hide();
        picAir_->move(0, 0);
    }
    barsShown_ = l.barsVisible;
    lblMsg_->setGeometry(l.message.left, l.message.top, std::max(0, l.message.width), l.message.height);
    frame1_->move(frame1_->x(), l.frame1Top);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == centralWidget() && e->type() == QEvent::Resize) ApplyLayout();
    return QMainWindow::eventFilter(watched, e);
}

// ---- size limits and the small-display test ----

QSize MainWindow::FrameExtra() const {
    if (!isVisible()) return {0, 0};
    return frameGeometry().size() - size();
}

void MainWindow::ApplySizeLimits() {
    if (!limitsInstalled_) return;
    const QSize extra = FrameExtra();
    setMinimumSize(kMinOuterWidth - extra.width(), kMinOuterHeight - extra.height());
    setMaximumSize(kMaxOuterWidth - extra.width(), kMaxOuterHeight - extra.height());
    if (cornerPending_ && !extra.isNull()) {
        cornerPending_ = false;
        resize(minimumSize());
    }
}

void MainWindow::RemoveSizeLimits() {
    limitsInstalled_ = false;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void MainWindow::InstallSizeLimits() {
    limitsInstalled_ = true;
    ApplySizeLimits();
}

bool MainWindow::DisplayTooSmall() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return CheckDisplaySize(std::nullopt, std::nullopt);
    return CheckDisplaySize(s->geometry().width(), s->geometry().height());
}

void MainWindow::MoveToCornerAtMinimumSize() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    move(s ? s->geometry().topLeft() : QPoint(0, 0));
    const QSize extra = FrameExtra();
    resize(kMinOuterWidth - extra.width(), kMinOuterHeight - extra.height());
    // Before the window is up its frame is unknown; the outer size is corrected once it is.
    cornerPending_ = extra.isNull();
}

void MainWindow::SetScrollSteps(int small, int large) {
    for (QScrollBar* b : {hScroll_, vScroll_}) {
        b->setSingleStep(small);
        b->setPageStep(large);
    }
}

// The window manager's frame is known only once the window is up; the limits follow it.
void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    ApplySizeLimits();
}
void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    ApplySizeLimits();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    RemoveSizeLimits();
    sim_.run.EndRequested = kTrue;
    e->accept();
}

// ---- the small windows ----

namespace {

// An open window is only brought forward; otherwise it is built anew from the state of this moment.
template <class Window>
void OpenOrRaise(QPointer<Window>& window, Sim& sim, QWidget* parent, bool fitToContents = false) {
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    delete window;
    window = new Window(sim, parent);
    if (fitToContents) window->adjustSize();
    CentreOver(window, parent);
    window->show();
}

}  // namespace

void MainWindow::OpenLegend() { OpenOrRaise(legend_, sim_, this); }

void MainWindow::OpenInitialConditions() { OpenOrRaise(initCond_, sim_, this, /*fitToContents=*/true); }

void MainWindow::OpenActiveFuel() {
    if (sim_.clock.ShownFuel <= 0) return;
    OpenOrRaise(activeFuel_, sim_, this);
}

}  // namespace torvex
