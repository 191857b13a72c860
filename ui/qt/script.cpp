// Scripted runs: trainee actions played into the live program, for demonstrations and screenshots.
#include "ui/qt/script.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/sim.h"
#include "lesson/lesson.h"
#include "ui/qt/main_window.h"
#include "ui/qt/map_widget.h"
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

// Posts an event every 20 ms and measures how long the loop takes to deliver it: the delay a click
// would see. Prints the worst and the mean delay when the time is up.
void Script::StartLatencyProbe(double seconds) {
    auto probe = std::make_shared<LatencyProbe>();
    probe->total.start();
    probe->limitMs = static_cast<qint64>(seconds * 1000);
    auto post = std::make_shared<std::function<void()>>();
    *post = [this, probe, post] {
        if (probe->total.elapsed() >= probe->limitMs) {
            std::fprintf(stderr, "torvex: event delay over %d samples: worst %lld ms, mean %.1f ms\n", probe->samples,
                         static_cast<long long>(probe->worstMs),
                         probe->samples ? double(probe->sumMs) / probe->samples : 0.0);
            return;
        }
        QElapsedTimer posted;
        posted.start();
        QTimer::singleShot(0, this, [probe, posted] {
            const qint64 ms = posted.elapsed();
            probe->worstMs = std::max(probe->worstMs, ms);
            probe->sumMs += ms;
            ++probe->samples;
        });
        QTimer::singleShot(20, this, *post);
    };
    (*post)();
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
    } else if (word == "shot-screen") {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen || !screen->grabWindow(0).save(arg))
            std::fprintf(stderr, "torvex: could not save %s\n", qPrintable(arg));
    } else if (word == "latency") {
        StartLatencyProbe(arg.toDouble());
    } else if (word == "click") {  // any button of any window, by its name
        for (QWidget* w : QApplication::allWidgets()) {
            auto* b = qobject_cast<QAbstractButton*>(w);
            if (b && b->objectName() == arg && b->isVisible() && b->isEnabled()) {
                b->click();
                break;
            }
        }
    } else if (word == "row") {  // a row of the list in the open modal window
        QWidget* modal = QApplication::activeModalWidget();
        if (QTreeWidget* list = modal ? modal->findChild<QTreeWidget*>() : nullptr) {
            if (QTreeWidgetItem* item = list->topLevelItem(arg.toInt())) {
                list->setCurrentItem(item);
                emit list->itemClicked(item, 0);
            }
        }
    } else if (word == "line") {  // press, drag and release on the map from point to point
        const QStringList n = arg.split(' ', Qt::SkipEmptyParts);
        QWidget* map = main_.Map();
        auto send = [map](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
            QMouseEvent e(type, at, map->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
            QCoreApplication::sendEvent(map, &e);
        };
        for (qsizetype i = 0; i + 3 < n.size(); i += 2) {
            const QPointF a(n[i].toDouble(), n[i + 1].toDouble()), b(n[i + 2].toDouble(), n[i + 3].toDouble());
            send(QEvent::MouseButtonPress, a, Qt::LeftButton);
            for (int k = 1; k <= 8; ++k) send(QEvent::MouseMove, a + (b - a) * (k / 8.0), Qt::LeftButton);
            send(QEvent::MouseButtonRelease, b, Qt::NoButton);
        }
    } else if (word == "quit") {
        main_.close();
    } else {
        std::fprintf(stderr, "torvex: unknown script step '%s'\n", qPrintable(step));
    }
    return true;
}

}  // namespace torvex
