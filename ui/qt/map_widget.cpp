// picAir: shows the logic's 512 x 512 map picture with the ground markers over it, and reports the mouse.
#include "ui/qt/map_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace torvex {

namespace {
QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
}  // namespace

MapWidget::MapWidget(MapPicture& picture, QWidget* parent)
    : QWidget(parent), picture_(picture), image_(MapPicture::kSize, MapPicture::kSize, QImage::Format_RGB32) {
    setFixedSize(MapPicture::kSize, MapPicture::kSize);
    setMouseTracking(true);  // moves arrive without a button too, as the drawing tools expect
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_.MarkDirty(0, 0, MapPicture::kSize - 1, MapPicture::kSize - 1);
    RefreshFromPicture();
}

void MapWidget::RefreshFromPicture() {
    if (!picture_.Dirty()) return;
    const int x0 = std::max(0, picture_.dirtyX0), y0 = std::max(0, picture_.dirtyY0);
    const int x1 = std::min(MapPicture::kSize - 1, picture_.dirtyX1);
    const int y1 = std::min(MapPicture::kSize - 1, picture_.dirtyY1);
    for (int y = y0; y <= y1; ++y) {
        const uint32_t* src = &picture_.pixels[static_cast<size_t>(y) * MapPicture::kSize];
        auto* dst = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = x0; x <= x1; ++x) {
            uint32_t c = src[x];  // 0x00BBGGRR to 0xFFRRGGBB
            dst[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    picture_.ClearDirty();
    update(QRect(QPoint(x0, y0), QPoint(x1, y1)));
}

void MapWidget::SetMarker(int index, bool visible, int left, int top, uint32_t fill, uint32_t border) {
    if (index < 0 || index >= static_cast<int>(markers_.size())) return;
    Marker& m = markers_[index];
    const Marker before = m;
    m = {visible, left, top, fill, border};
    if (before.visible) update(MarkerBox(before));
    if (m.visible) update(MarkerBox(m));
}

void MapWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r.topLeft(), image_, r);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Marker& m : markers_) {
        if (!m.visible || !MarkerBox(m).intersects(r)) continue;
        // A circle shape in its box: the box's height is the diameter, centred across.
        p.setPen(QPen(ToQColor(m.border), 1));
        p.setBrush(ToQColor(m.fill));
        p.drawEllipse(QRectF(m.left + 4.5, m.top + 0.5, 8, 8));
    }
}

void MapWidget::mousePressEvent(QMouseEvent* e) {
    if (onPress) onPress(static_cast<float>(e->position().x()), static_cast<float>(e->position().y()));
}
void MapWidget::mouseMoveEvent(QMouseEvent* e) {
    if (onMove) onMove(static_cast<float>(e->position().x()), static_cast<float>(e->position().y()));
}
void MapWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (onRelease) onRelease(static_cast<float>(e->position().x()), static_cast<float>(e->position().y()));
}

}  // namespace torvex
