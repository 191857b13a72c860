// frmAttack: the main window with every control at its design place, the layout rule and its handlers.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "display/layout.h"
#include "lesson/startup.h"
#include "ui/qt/small_windows.h"
#include "ui/ui.h"

class QAbstractButton;
class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QScrollBar;
class QToolButton;

namespace torvex {

struct Sim;
class MapWidget;

// A label that reports clicks (picFuel).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent*) override {
        if (onClick) onClick();
    }
};

class MainWindow : public QMainWindow, public StartupWindow {
    Q_OBJECT
public:
    explicit MainWindow(Sim& sim);
    ~MainWindow() override;

    // The load handler; runs once, before the window is first shown.
    void Load();
    bool Loaded() const { return loaded_; }

    // The widget standing for a control (the spin control is the pair of arrows' box).
    QWidget* Widget(Control c) const { return controls_[static_cast<size_t>(c)]; }
    QAction* ShowMenuAction() const;
    MapWidget* Map() const { return picAir_; }
    QWidget* Viewport() const { return picture1_; }
    QScrollBar* HScroll() const { return hScroll_; }
    QScrollBar* VScroll() const { return vScroll_; }
    QWidget* Client() const { return centralWidget(); }
    QToolButton* ReplayBackArrow() const { return replayBack_; }
    QToolButton* ReplayForwardArrow() const { return replayForward_; }
    QWidget* Frame1() const { return frame1_; }
    QLabel* Message() const { return lblMsg_; }
    QMenu* FileMenu() const { return fileMenu_; }

    // Opened windows (null until opened, or once closed and reopened they are rebuilt).
    FuelLegendWindow* Legend() const { return legend_; }
    ActiveFuelWindow* ActiveFuel() const { return activeFuel_; }
    InitCondWindow* InitCond() const { return initCond_; }
    void OpenLegend();
    void OpenInitialConditions();
    void OpenActiveFuel();

    // The layout rule for the current client size.
    void ApplyLayout();
    // Outer size limits (frame included), as far as the platform reports the frame.
    QSize FrameExtra() const;

    // StartupWindow
    void InstallSizeLimits() override;
    bool DisplayTooSmall() override;
    void MoveToCornerAtMinimumSize() override;
    void SetScrollSteps(int small, int large) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    void BuildMenus();
    void Wire();
    void ApplySizeLimits();
    void RemoveSizeLimits();
    void SetControl(Control c, QWidget* w) { controls_[static_cast<size_t>(c)] = w; }

    Sim& sim_;
    std::array<QWidget*, static_cast<size_t>(Control::Count)> controls_{};
    QMenu* fileMenu_ = nullptr;
    QMenu* showMenu_ = nullptr;
    QWidget* picture1_ = nullptr;
    MapWidget* picAir_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    QLabel* lblMsg_ = nullptr;
    QWidget* frame1_ = nullptr;
    QToolButton* replayBack_ = nullptr;
    QToolButton* replayForward_ = nullptr;
    bool barsShown_ = false;
    bool loaded_ = false;
    bool limitsInstalled_ = false;
    bool cornerPending_ = false;
    QPointer<FuelLegendWindow> legend_;
    QPointer<ActiveFuelWindow> activeFuel_;
    QPointer<InitCondWindow> initCond_;
};

}  // namespace torvex
