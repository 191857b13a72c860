// The window-system interface over the Qt widgets of the main window.
#pragma once

#include <QTimer>
#include <deque>
#include <string>

#include "ui/ui.h"

namespace torvex {

class MainWindow;

class QtUi : public Ui {
public:
    QtUi();
    void Attach(MainWindow* window, std::string programDir);
    MainWindow* Window() const { return window_; }

    void SetText(Control c, std::string_view text) override;
    void SetPressed(Control c, bool pressed) override;
    void SetEnabled(Control c, bool enabled) override;
    void SetVisible(Control c, bool visible) override;
    bool IsChecked(Control c) const override;
    void SetChecked(Control c, bool checked) override;
    void SetMarker(int index, bool visible, int left, int top, uint32_t fill, uint32_t border) override;
    void SetPointer(Pointer p) override;
    void ShowFuelPhoto(const std::string& path) override;
    void MessageBox(std::string_view text) override;
    std::optional<std::string> OpenFileDialog(std::string_view title, std::string_view filter) override;
    void ShowResourceList(ResourceListWindow& window) override;
    void ProcessEvents() override;
    void WaitForEvents(int maxMs) override;
    void RefreshMap() override;

    // Answers the next file dialogs without showing them (scripted runs and tests).
    std::deque<std::string> presetFileAnswers;
    // Message boxes are recorded instead of shown (tests on the offscreen platform).
    bool recordMessageBoxes = false;
    std::vector<std::string> messageBoxes;

private:
    MainWindow* window_ = nullptr;
    std::string programDir_;
    QTimer wake_;
};

// "Description (*.ext)|*.ext|..." as Qt's "Description (*.ext);;..." filter.
QString QtFileFilter(std::string_view filter);

}  // namespace torvex
