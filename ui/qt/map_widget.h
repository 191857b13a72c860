// picAir: shows the logic's 512 x 512 map picture with the ground markers over it, and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "display/picture.h"

namespace torvex {

class MapWidget : public QWidget {
    Q_OBJECT
public:
    MapWidget(MapPicture& picture, QWidget* parent = nullptr);

    // Copies the picture's dirty area into the shown image and repaints only that area.
    void RefreshFromPicture();
    // GrndRes(index): a circle in a 17 x 9 box whose left/top are map pixels.
    void SetMarker(int index, bool visible, int left, int top, uint32_t fill, uint32_t border);
    bool MarkerVisible(int index) const { return markers_[index].visible; }
    // The shown image (tests and screenshots).
    const QImage& Shown() const { return image_; }

    std::function<void(float, float)> onPress, onMove, onRelease;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    struct Marker {
        bool visible = false;
        int left = 0, top = 0;
        uint32_t fill = 0, border = 0;
    };
    static QRect MarkerBox(const Marker& m) { return QRect(m.left, m.top, 17, 9); }

    MapPicture& picture_;
    QImage image_;
    std::array<Marker, 10> markers_{};
};

}  // namespace torvex
