// Pictures of the ribbon buttons and the window icon, drawn with QPainter at start-up.
#include "ui/qt/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace torvex {

namespace {

constexpr int kIconSize = 19;

QPixmap Canvas(int size = kIconSize) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

void DrawPlay(QPainter& p) {
    QPainterPath tri;
    tri.moveTo(5, 3);
    tri.lineTo(16, 9.5);
    tri.lineTo(5, 16);
    tri.closeSubpath();
    p.fillPath(tri, QColor(20, 140, 40));
    p.setPen(QPen(QColor(10, 70, 20), 1));
    p.drawPath(tri);
}

void DrawPause(QPainter& p) {
    p.setPen(QPen(QColor(40, 60, 140), 1));
    p.setBrush(QColor(60, 100, 210));
    p.drawRect(QRectF(4.5, 3.5, 3.5, 12));
    p.drawRect(QRectF(11, 3.5, 3.5, 12));
}

void DrawStop(QPainter& p) {
    p.setPen(QPen(QColor(110, 10, 10), 1));
    p.setBrush(QColor(200, 30, 30));
    p.drawRect(QRectF(4.5, 4.5, 10, 10));
}

void DrawHelicopter(QPainter& p) {
    const QColor body(190, 40, 30), dark(40, 40, 40);
    p.setPen(QPen(dark, 1.2));
    p.drawLine(QPointF(2, 4), QPointF(16, 4));  // rotor
    p.drawLine(QPointF(8, 4), QPointF(8, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QRectF(3, 6.5, 9, 6.5));           // cabin
    p.drawRect(QRectF(11, 8.5, 6, 2));                // tail boom
    p.drawRect(QRectF(16, 6.5, 1.5, 4.5));            // tail fin
    p.setBrush(QColor(170, 215, 240));
    p.drawEllipse(QRectF(3.8, 7.5, 3.5, 3));          // window
    p.setPen(QPen(dark, 1));
    p.drawLine(QPointF(4, 15), QPointF(12, 15));      // skid
    p.drawLine(QPointF(6, 13), QPointF(6, 15));
    p.drawLine(QPointF(10, 13), QPointF(10, 15));
}

void DrawAirTanker(QPainter& p) {
    const QColor body(220, 120, 20), dark(60, 40, 20);
    QPainterPath fuselage;
    fuselage.moveTo(1.5, 9.5);
    fuselage.quadTo(3, 7.5, 6, 7.5);
    fuselage.lineTo(15, 7.5);
    fuselage.lineTo(17.5, 4);
    fuselage.lineTo(18, 10.5);
    fuselage.lineTo(4, 11.5);
    fuselage.quadTo(2, 11, 1.5, 9.5);
    p.setPen(QPen(dark, 0.8));
    p.setBrush(body);
    p.drawPath(fuselage);
    QPainterPath wing;
    wing.moveTo(7, 9);
    wing.lineTo(12, 9);
    wing.lineTo(8.5, 15.5);
    wing.lineTo(6.5, 15.5);
    wing.closeSubpath();
    p.setBrush(body.darker(125));
    p.drawPath(wing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40, 200));  // the drop
    p.drawEllipse(QRectF(12, 13, 2.5, 2.5));
    p.drawEllipse(QRectF(14.5, 15, 2.5, 2.5));
}

void DrawBulldozer(QPainter& p) {
    const QColor yellow(235, 190, 20), dark(50, 45, 30);
    p.setPen(QPen(dark, 0.8));
    p.setBrush(yellow);
    p.drawRect(QRectF(5.5, 5.5, 6, 5));    // cab
    p.drawRect(QRectF(4.5, 9.5, 11, 3));   // body
    p.setBrush(QColor(160, 210, 235));
    p.drawRect(QRectF(7, 6.5, 3, 2.5));    // window
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(4, 12.5, 12, 4), 2, 2);  // track
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(1, 8.5, 2, 8));      // blade
    p.setPen(QPen(dark, 1));
    p.drawLine(QPointF(3, 12), QPointF(5, 11));
}

void DrawCrew(QPainter& p) {
    const QColor shirt(230, 200, 20), helmet(240, 240, 240), dark(50, 40, 30);
    for (int k = 0; k < 2; ++k) {
        qreal dx = k == 0 ? 1.5 : 8.5;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 180, 140));
        p.drawEllipse(QRectF(dx + 2, 4.5, 3.5, 3.5));  // head
        p.setBrush(helmet);
        p.drawChord(QRectF(dx + 1.5, 3.5, 4.5, 4), 0, 180 * 16);
        p.setBrush(shirt);
        p.drawRoundedRect(QRectF(dx + 1.5, 8, 4.5, 5), 1, 1);
        p.setPen(QPen(dark, 1.2));
        p.drawLine(QPointF(dx + 2.5, 13), QPointF(dx + 2.5, 17));
        p.drawLine(QPointF(dx + 5, 13), QPointF(dx + 5, 17));
    }
    p.setPen(QPen(QColor(110, 70, 30), 1.2));  // a tool handle
    p.drawLine(QPointF(16.5, 4), QPointF(14, 15));
    p.setPen(QPen(QColor(90, 90, 90), 1.6));
    p.drawLine(QPointF(15, 4), QPointF(18, 4.8));
}

void DrawFlame(QPainter& p, const QRectF& r) {
    QPainterPath flame;
    const qreal x = r.left(), y = r.top(), w = r.width(), h = r.height();
    flame.moveTo(x + 0.5 * w, y);
    flame.cubicTo(x + 0.9 * w, y + 0.35 * h, x + 1.0 * w, y + 0.7 * h, x + 0.5 * w, y + h);
    flame.cubicTo(x + 0.0 * w, y + 0.7 * h, x + 0.15 * w, y + 0.45 * h, x + 0.35 * w, y + 0.3 * h);
    flame.cubicTo(x + 0.35 * w, y + 0.45 * h, x + 0.45 * w, y + 0.5 * h, x + 0.5 * w, y + 0.5 * h);
    flame.cubicTo(x + 0.6 * w, y + 0.35 * h, x + 0.45 * w, y + 0.15 * h, x + 0.5 * w, y);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 220, 60));
    g.setColorAt(1, QColor(220, 50, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(flame);
}

}  // namespace

QIcon ButtonIcon(ButtonPicture picture) {
    QPixmap pm = Canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
        case ButtonPicture::Play: DrawPlay(p); break;
        case ButtonPicture::Pause: DrawPause(p); break;
        case ButtonPicture::Stop: DrawStop(p); break;
        case ButtonPicture::Helicopter: DrawHelicopter(p); break;
        case ButtonPicture::AirTanker: DrawAirTanker(p); break;
        case ButtonPicture::Bulldozer: DrawBulldozer(p); break;
        case ButtonPicture::Crew: DrawCrew(p); break;
    }
    p.end();
    return QIcon(pm);
}

QIcon WindowIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pm = Canvas(size);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 40));
        QPainterPath ridge;
        ridge.moveTo(0, 32);
        ridge.lineTo(0, 24);
        ridge.lineTo(10, 17);
        ridge.lineTo(17, 22);
        ridge.lineTo(25, 15);
        ridge.lineTo(32, 21);
        ridge.lineTo(32, 32);
        ridge.closeSubpath();
        p.drawPath(ridge);
        DrawFlame(p, QRectF(8, 1, 16, 27));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap DrawnSplashPicture(int width, int height) {
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(30, 20, 40));
    sky.setColorAt(0.6, QColor(170, 70, 30));
    sky.setColorAt(1, QColor(60, 30, 15));
    p.fillRect(pm.rect(), sky);
    QPainterPath hills;
    hills.moveTo(0, height);
    hills.lineTo(0, height * 0.72);
    hills.cubicTo(width * 0.25, height * 0.6, width * 0.4, height * 0.8, width * 0.6, height * 0.68);
    hills.cubicTo(width * 0.75, height * 0.6, width * 0.9, height * 0.7, width, height * 0.66);
    hills.lineTo(width, height);
    hills.closeSubpath();
    p.fillPath(hills, QColor(25, 30, 20));
    DrawFlame(p, QRectF(width * 0.44, height * 0.38, width * 0.12, height * 0.34));
    QFont f = p.font();
    f.setPixelSize(height / 6);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 235, 200));
    p.drawText(QRectF(0, height * 0.08, width, height * 0.25), Qt::AlignCenter, QStringLiteral("Torvex"));
    f.setPixelSize(height / 26);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRectF(0, height * 0.3, width, height * 0.08), Qt::AlignCenter,
               QStringLiteral("Wildland fire suppression training"));
    p.drawText(QRectF(0, height * 0.9, width, height * 0.08), Qt::AlignCenter,
               QStringLiteral("Click or press any key"));
    p.end();
    return pm;
}

}  // namespace torvex
