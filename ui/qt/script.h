// Scripted runs: trainee actions played into the live program, for demonstrations and screenshots.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace torvex {

struct Sim;
class MainWindow;
class QtUi;
class SplashWindow;

// Steps separated by ";": splash | ok | open PATH | play | pause | stop | replay | back N | forward N |
// wait SECONDS | until-stopped SECONDS | legend | initcond | fuel | shot FILE | shot-legend FILE |
// shot-initcond FILE | shot-fuel FILE | quit. Each runs from the event loop like a click.
class Script : public QObject {
    Q_OBJECT
public:
    Script(const QString& steps, Sim& sim, QtUi& ui, MainWindow& main, SplashWindow& splash);
    bool Finished() const { return next_ >= steps_.size(); }

private:
    void Tick();
    bool RunStep(const QString& step);  // false: wait and try again later

    QStringList steps_;
    qsizetype next_ = 0;
    Sim& sim_;
    QtUi& ui_;
    MainWindow& main_;
    SplashWindow& splash_;
    QTimer timer_;
    QElapsedTimer waiting_;
    bool inWait_ = false;
};

}  // namespace torvex
