// The splash, fuel legend, active-fuel and initial-conditions windows.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "lesson/init_cond.h"

namespace torvex {

struct Sim;

// Name of the title picture in the program folder.
inline constexpr const char* kSplashPicture = "Splash.bmp";
inline constexpr const char* kIntroSound = "TorvexIntroSound.wav";

// frmSplash: the title picture; a click on it or any key dismisses it once.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow(const std::string& programDir, std::function<void()> onDismiss);
    // Plays the introduction sound without waiting; the system beep when the file is missing.
    void PlayIntroSound();
    void Dismiss();
    bool Dismissed() const { return dismissed_; }

protected:
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    std::string programDir_;
    std::function<void()> onDismiss_;
    bool dismissed_ = false;
    QObject* sound_ = nullptr;
};

// FuelLeg: the lesson's map at one pixel per cell beside the colour key.
class FuelLegendWindow : public QDialog {
    Q_OBJECT
public:
    FuelLegendWindow(const Sim& sim, QWidget* parent);
    QLabel* picFuel = nullptr;
    QLabel* picLegend = nullptr;
    std::array<QLabel*, 14> labels{};
};

// frmFuel: a large photograph of the active fuel.
class ActiveFuelWindow : public QDialog {
    Q_OBJECT
public:
    ActiveFuelWindow(const Sim& sim, QWidget* parent);
    QLabel* picPhoto = nullptr;
};

// frmInitCond: the lesson's starting conditions, read-only, as they were when the window opened.
class InitCondWindow : public QDialog {
    Q_OBJECT
public:
    InitCondWindow(const Sim& sim, QWidget* parent);
    QLineEdit* Box(InitCondBox b) const { return boxes_[static_cast<int>(b)]; }

private:
    std::array<QLineEdit*, kInitCondBoxes> boxes_{};
};

// Centres w over the centre of over (or of its screen when over is null).
void CentreOver(QWidget* w, QWidget* over);

}  // namespace torvex
