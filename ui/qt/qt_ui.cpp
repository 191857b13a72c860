// The window-system interface over the Qt widgets of the main window.
#include "ui/qt/qt_ui.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>

#include "display/small_windows.h"
#include "ui/qt/main_window.h"
#include "ui/qt/map_widget.h"
#include "ui/qt/resource_list_dialog.h"

namespace torvex {

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
// Buttons and frames take "&" as an access key; the logic's texts mean it literally.
QString Literal(std::string_view s) { return Q(s).replace('&', "&&"); }
}  // namespace

QString QtFileFilter(std::string_view filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << (desc.contains('(') ? desc : desc + " (" + patterns + ")");
    }
    if (out.isEmpty() && !filter.empty()) out << Q(filter);
    return out.join(";;");
}

QtUi::QtUi() { wake_.setSingleShot(true); }

void QtUi::Attach(MainWindow* window, std::string programDir) {
    window_ = window;
    programDir_ = std::move(programDir);
}

void QtUi::SetText(Control c, std::string_view text) {
    if (!window_) return;
    QWidget* w = window_->Widget(c);
    if (c == Control::frmAttack) {
        window_->setWindowTitle(Q(text));
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(Q(text));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(Literal(text));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(Literal(text));
    }
}

void QtUi::SetPressed(Control c, bool pressed) {
    if (!window_) return;
    if (auto* b = qobject_cast<QAbstractButton*>(window_->Widget(c))) b->setChecked(pressed);
}

void QtUi::SetEnabled(Control c, bool enabled) {
    if (!window_) return;
    if (c == Control::mnuShow) {
        window_->ShowMenuAction()->setEnabled(enabled);
    } else if (QWidget* w = window_->Widget(c)) {
        w->setEnabled(enabled);
    }
}

void QtUi::SetVisible(Control c, bool visible) {
    if (!window_) return;
    if (c == Control::mnuShow) {
        window_->ShowMenuAction()->setVisible(visible);
    } else if (c != Control::frmAttack) {
        if (QWidget* w = window_->Widget(c)) w->setVisible(visible);
    }
}

bool QtUi::IsChecked(Control c) const {
    if (!window_) return false;
    auto* b = qobject_cast<QAbstractButton*>(window_->Widget(c));
    return b && b->isChecked();
}

void QtUi::SetChecked(Control c, bool checked) {
    if (!window_) return;
    auto* b = qobject_cast<QAbstractButton*>(window_->Widget(c));
    if (!b) return;
    if (checked || !b->autoExclusive()) {
        b->setChecked(checked);
        return;
    }
    // An option button of a group refuses to be cleared while the group is exclusive.
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

void QtUi::SetMarker(int index, bool visible, int left, int top, uint32_t fill, uint32_t border) {
    if (window_) window_->Map()->SetMarker(index, visible, left, top, fill, border);
}

void QtUi::SetPointer(Pointer p) {
    if (!window_) return;
    switch (p) {
        case Pointer::Arrow:
            window_->unsetCursor();
            window_->Map()->unsetCursor();
            break;
        case Pointer::Crosshair:
            window_->Map()->setCursor(Qt::CrossCursor);
            break;
        case Pointer::Hourglass:
            window_->setCursor(Qt::WaitCursor);
            window_->Map()->setCursor(Qt::WaitCursor);
            break;
    }
}

void QtUi::ShowFuelPhoto(const std::string& path) {
    if (!window_) return;
    auto* pic = qobject_cast<QLabel*>(window_->Widget(Control::picFuel));
    if (!pic) return;
    // Shown at its own size from the top-left corner; the label cuts it off beyond its area.
    QPixmap pm;
    if (!path.empty()) pm.load(Q(ProgramPath(programDir_, path)));
    if (pm.isNull())
        pic->clear();
    else
        pic->setPixmap(pm);
}

void QtUi::MessageBox(std::string_view text) {
    if (recordMessageBoxes) {
        messageBoxes.emplace_back(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, "Torvex", Q(text), QMessageBox::Ok, window_);
    box.exec();
}

std::optional<std::string> QtUi::OpenFileDialog(std::string_view title, std::string_view filter) {
    if (!presetFileAnswers.empty()) {
        std::string answer = presetFileAnswers.front();
        presetFileAnswers.pop_front();
        if (answer.empty()) return std::nullopt;
        return answer;
    }
    QString name = QFileDialog::getOpenFileName(window_, Q(title), QString(), QtFileFilter(filter));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

void QtUi::ShowResourceList(ResourceListWindow& window) { ShowResourceListDialog(window_, window); }

void QtUi::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtUi::WaitForEvents(int maxMs) {
    // The pacing wait can hold one loop pass for seconds; what handlers drew meanwhile (a fireline,
    // its rubber band) must show before the pass ends, so each wait shows the picture's changes first.
    RefreshMap();
    // The timer guarantees a wake-up, so the wait blocks for at most maxMs and never spins.
    wake_.start(std::max(0, maxMs));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_.stop();
    // Windows closed with deleteLater go now: this is the top of the loop, nothing of theirs is running.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtUi::RefreshMap() {
    if (window_) window_->Map()->RefreshFromPicture();
}

}  // namespace torvex
