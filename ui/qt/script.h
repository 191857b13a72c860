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
// shot-initcond FILE | shot-fuel FILE | shot-screen FILE | latency SECONDS | click BUTTON | row N |
// line X1 Y1 X2 Y2 ... | quit. Each runs from the event loop like a click.
class Script : public QObject {
    Q_OBJECT
public:
    Script(const QString& steps, Sim& sim, QtUi& ui, MainWindow& main, SplashWindow& splash);
    bool Finished() const { return next_ >= steps_.size(); }

private:
    void Tick();
    bool RunStep(const QString& step);  // false: wait and try again later
    void StartLatencyProbe(double seconds);

    struct LatencyProbe {
        QElapsedTimer total;
        qint64 limitMs = 0, worstMs = 0, sumMs = 0;
        int samples = 0;
    };

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
