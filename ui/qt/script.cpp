// Scripted runs: trainee actions played into the live program, for demonstrations and screenshots.
#include "ui/qt/script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QToolButton>
#include <cstdio>

#include "app/sim.h"
#include "lesson/lesson.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/small_windows.h"

namespace torvex {

Script::Script(const QString& steps, Sim& sim, QtUi& ui, MainWindow& main, SplashWindow& splash)
    : steps_(steps.split(';', Qt::SkipEmptyParts)), sim_(sim), ui_(ui), main_(main), splash_(splash) {
    connect(&timer_, &QTimer::timeout, this, &Script::Tick);
    timer_.start(50);
}

void Script::Tick() {
    while (next_ < steps_.size()) {
        const QString step = steps_[next_].trimmed();
        const QString word = step.section(' ', 0, 0);
        if (word == "wait" || word == "until-stopped" || word == "ok") {
            if (!RunStep(step)) return;
        } else {
            // Actions run from their own timer event: one that opens a modal window must not hold up
            // this timer, whose later steps may be the ones that answer it.
            QTimer::singleShot(0, this, [this, step] { RunStep(step); });
            ++next_;
            inWait_ = false;
            return;
        }
        ++next_;
        inWait_ = false;
    }
    timer_.stop();
}

bool Script::RunStep(const QString& step) {
    const QString word = step.section(' ', 0, 0);
    const QString arg = step.section(' ', 1).trimmed();
    auto click = [&](Control c) {
        if (auto* b = qobject_cast<QAbstractButton*>(main_.Widget(c))) b->click();
    };
    auto shoot = [&](QWidget* w) {
        if (!w || !w->grab().save(arg)) std::fprintf(stderr, "torvex: could not save %s\n", qPrintable(arg));
    };
    if (word == "wait" || word == "until-stopped") {
        if (!inWait_) {
            inWait_ = true;
            waiting_.start();
        }
        const bool timeUp = waiting_.elapsed() >= static_cast<qint64>(arg.toDouble() * 1000);
        if (word == "until-stopped") return timeUp || sim_.run.RunState != "RUN";
        return timeUp;
    }
    if (word == "ok") {  // answers the open message box
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return false;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->accept();
        else
            modal->close();
    } else if (word == "splash") {
        splash_.Dismiss();
    } else if (word == "open") {
        ui_.presetFileAnswers.push_back(arg.toStdString());
        OpenLesson(sim_);
    } else if (word == "play") {
        click(Control::btnPlay);
    } else if (word == "pause") {
        click(Control::btnPause);
    } else if (word == "stop") {
        click(Control::btnStop);
    } else if (word == "replay") {
        click(Control::cmdReplay);
    } else if (word == "back" || word == "forward") {
        QToolButton* arrow = word == "back" ? main_.ReplayBackArrow() : main_.ReplayForwardArrow();
        for (int i = 0, n = std::max(1, arg.toInt()); i < n; ++i) arrow->click();
    } else if (word == "legend") {
        main_.OpenLegend();
    } else if (word == "initcond") {
        main_.OpenInitialConditions();
    } else if (word == "fuel") {
        main_.OpenActiveFuel();
    } else if (word == "shot") {
        shoot(&main_);
    } else if (word == "shot-legend") {
        shoot(main_.Legend());
    } else if (word == "shot-initcond") {
        shoot(main_.InitCond());
    } else if (word == "shot-fuel") {
        shoot(main_.ActiveFuel());
    } else if (word == "quit") {
        main_.close();
    } else {
        std::fprintf(stderr, "torvex: unknown script step '%s'\n", qPrintable(step));
    }
    return true;
}

}  // namespace torvex
