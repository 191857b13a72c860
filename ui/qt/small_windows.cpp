// The splash, fuel legend, active-fuel and initial-conditions windows.
#include "ui/qt/small_windows.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#ifdef TORVEX_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

#include "app/sim.h"
#include "display/small_windows.h"
#include "ui/qt/icons.h"

namespace torvex {

namespace {

QImage ToQImage(const std::vector<uint32_t>& px, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            uint32_t c = px[static_cast<size_t>(y) * w + x];
            dst[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return img;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void CentreOver(QWidget* w, QWidget* over) {
    QRect area;
    if (over)
        area = over->frameGeometry();
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->geometry();
    else
        return;
    w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
}

// ---- frmSplash ----

SplashWindow::SplashWindow(const std::string& programDir, std::function<void()> onDismiss)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), programDir_(programDir),
      onDismiss_(std::move(onDismiss)) {
    setObjectName("frmSplash");
    setFixedSize(601, 458);
    setFocusPolicy(Qt::StrongFocus);
    setWindowIcon(WindowIcon());
    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setGeometry(0, 0, 601, 458);
    QPixmap pm(Q(ProgramPath(programDir_, kSplashPicture)));
    if (pm.isNull()) pm = DrawnSplashPicture(601, 458);
    image->setPixmap(pm);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CentreOver(this, nullptr);
}

void SplashWindow::PlayIntroSound() {
    const QString path = Q(ProgramPath(programDir_, kIntroSound));
    if (!QFileInfo::exists(path)) {
        QApplication::beep();
        return;
    }
#ifdef TORVEX_HAVE_MULTIMEDIA
    auto* effect = new QSoundEffect(this);
    // A file that is there but cannot be played is treated like a missing one.
    connect(effect, &QSoundEffect::statusChanged, this, [effect] {
        if (effect->status() == QSoundEffect::Error) QApplication::beep();
    });
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    effect->play();  // plays once the file has loaded; no wait here
    sound_ = effect;
#else
    QApplication::beep();
#endif
}

void SplashWindow::Dismiss() {
    if (dismissed_) return;
    dismissed_ = true;
    hide();
    if (onDismiss_) onDismiss_();
}

void SplashWindow::mousePressEvent(QMouseEvent*) { Dismiss(); }
void SplashWindow::keyPressEvent(QKeyEvent*) { Dismiss(); }
// A window manager may still close it; the program then goes on as after a click.
void SplashWindow::closeEvent(QCloseEvent*) { Dismiss(); }

// ---- FuelLeg ----

FuelLegendWindow::FuelLegendWindow(const Sim& sim, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("FuelLeg");
    setWindowTitle("Fuel Legend");
    setFixedSize(438, 276);

    picFuel = new QLabel(this);
    picFuel->setObjectName("picFuel");
    picFuel->setGeometry(0, 8, 257, 257);
    picFuel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (auto map = ReadMapBitmapImage(sim.lesson.MapFilePath))
        picFuel->setPixmap(QPixmap::fromImage(ToQImage(map->pixels, map->width, map->height)));

    auto* fraLegend = new QGroupBox(this);
    fraLegend->setObjectName("fraLegend");
    fraLegend->setGeometry(280, 0, 153, 265);

    const QColor bg = palette().color(QPalette::Window);
    const uint32_t background = Rgb(bg.red(), bg.green(), bg.blue());
    picLegend = new QLabel(fraLegend);
    picLegend->setObjectName("picLegend");
    picLegend->setGeometry(8, 32, kLegendSwatchWidth, kLegendSwatchHeight);
    picLegend->setEnabled(false);
    auto swatches = LegendSwatchPixels(LegendSwatchColours(sim.lesson.MapFilePath), background);
    picLegend->setPixmap(QPixmap::fromImage(ToQImage(swatches, kLegendSwatchWidth, kLegendSwatchHeight)));
    picLegend->setEnabled(true);

    const auto& captions = LegendCaptions();
    for (int i = 0; i < kLegendRows; ++i) {
        auto* l = new QLabel(QString::fromUtf8(captions[i]), fraLegend);
        l->setObjectName(i < 13 ? QString("lblF%1").arg(i + 1) : QString("lblWater"));
        l->setGeometry(32, 32 + 16 * i, 120, 17);
        labels[i] = l;
    }
}

// ---- frmFuel ----

ActiveFuelWindow::ActiveFuelWindow(const Sim& sim, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmFuel");
    setWindowTitle("Active Fuel");
    setFixedSize(258, 259);
    picPhoto = new QLabel(this);
    picPhoto->setObjectName("picPhoto");
    picPhoto->setGeometry(0, 0, 257, 257);
    picPhoto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (auto view = ActiveFuelContent(sim)) {
        picPhoto->setPixmap(QPixmap(Q(view->photoPath)));
        setWindowTitle(Q(view->caption));
    }
}

// ---- frmInitCond ----

InitCondWindow::InitCondWindow(const Sim& sim, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmInitCond");
    setWindowTitle("Initial Conditions");
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    const auto texts = InitialConditionTexts(sim.lesson.Conditions);
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
    int row = 0;
    for (const InitCondRow& r : InitCondRows()) {
        if (!group || group->title() != QString::fromUtf8(r.group)) {
            group = new QGroupBox(QString::fromUtf8(r.group), this);
            grid = new QGridLayout(group);
            outer->addWidget(group);
            row = 0;
        }
        const int i = static_cast<int>(r.box);
        auto* box = new QLineEdit(group);
        static const char* names[kInitCondBoxes] = {
            "txtWS", "txtWD", "txtTemp", "txtRH", "txt1hr", "txt10hr", "txt100hr", "txtHerb", "txtWoody",
            "txtSimulationTimeRatio", "txtRefuelTime", "txtReloadTime"};
        box->setObjectName(names[i]);
        box->setReadOnly(true);
        box->setFixedWidth(56);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, QColor(224, 224, 224));
        box->setPalette(pal);
        box->setText(Q(texts[i]));
        boxes_[i] = box;
        grid->addWidget(new QLabel(QString::fromUtf8(r.label), group), row, 0);
        grid->addWidget(box, row, 1);
        if (*r.after) grid->addWidget(new QLabel(QString::fromUtf8(r.after), group), row, 2);
        ++row;
    }
}

}  // namespace torvex
