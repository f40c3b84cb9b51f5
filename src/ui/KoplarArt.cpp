#include "ui/KoplarArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// A four-bar linkage in a box of the given size: frame, crank, coupler and rocker with joints.
void PaintLinkage(QPainter& P, const QRectF& Box, const QColor& Colour) {
    const auto At = [&](double X, double Y) {
        return QPointF(Box.left() + X * Box.width(), Box.top() + Y * Box.height());
    };
    const QPointF A = At(0.15, 0.85), B = At(0.3, 0.3), C = At(0.8, 0.2), D = At(0.85, 0.85);
    P.setPen(QPen(Colour, std::max(1.0, Box.width() / 24), Qt::SolidLine, Qt::RoundCap));
    P.drawLine(A, B);
    P.drawLine(B, C);
    P.drawLine(C, D);
    P.setPen(QPen(Colour, std::max(1.0, Box.width() / 40), Qt::DashLine));
    P.drawLine(A, D);
    const double R = std::max(1.5, Box.width() / 14);
    P.setPen(QPen(Colour, std::max(1.0, Box.width() / 40)));
    P.setBrush(Qt::NoBrush);
    for (const QPointF& J : {A, B, C, D})
        P.drawEllipse(J, R, R);
}

QPixmap Canvas(int W, int H, qreal Ratio) {
    QPixmap Pixmap(qRound(W * Ratio), qRound(H * Ratio));
    Pixmap.setDevicePixelRatio(Ratio);
    return Pixmap;
}

QPixmap Transparent(int W, int H, qreal Ratio) {
    QPixmap Pixmap = Canvas(W, H, Ratio);
    Pixmap.fill(Qt::transparent);
    return Pixmap;
}

} // namespace

QPixmap DrawLogo(qreal Ratio) {
    QPixmap Logo = Transparent(206, 60, Ratio);
    QPainter P(&Logo);
    P.setRenderHint(QPainter::Antialiasing);
    PaintLinkage(P, QRectF(4, 4, 52, 52), Qt::white);
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(34);
    Font.setBold(true);
    P.setFont(Font);
    P.setPen(Qt::white);
    P.drawText(QRectF(64, 0, 142, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KOPLAR"));
    return Logo;
}

QPixmap DrawStartGlyph(qreal Ratio) {
    QPixmap Glyph = Transparent(32, 32, Ratio);
    QPainter P(&Glyph);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    P.drawArc(QRectF(4, 4, 24, 24), 30 * 16, 280 * 16);
    QPainterPath Head;
    Head.moveTo(27, 4);
    Head.lineTo(27, 13);
    Head.lineTo(18, 11);
    Head.closeSubpath();
    P.fillPath(Head, Qt::white);
    P.drawLine(QPointF(16, 16), QPointF(24, 10));
    P.setBrush(Qt::white);
    P.drawEllipse(QPointF(16, 16), 3, 3);
    return Glyph;
}

QPixmap DrawAboutPicture(int Width, int Height, qreal Ratio) {
    QPixmap Picture = Canvas(std::max(1, Width), std::max(1, Height), Ratio);
    const QRectF Area(QPointF(), Picture.deviceIndependentSize());
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing);
    QLinearGradient Sky(0, 0, 0, Area.height());
    Sky.setColorAt(0, QColor(12, 30, 70));
    Sky.setColorAt(1, QColor(20, 80, 110));
    P.fillRect(Area, Sky);
    const double Side = std::min(Area.width(), Area.height()) * 0.8;
    PaintLinkage(P, QRectF((Area.width() - Side) / 2, (Area.height() - Side) / 2, Side, Side),
                 QColor(220, 235, 245));
    return Picture;
}
