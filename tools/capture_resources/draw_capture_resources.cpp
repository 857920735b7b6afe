// Draws the two pictures of the capture window:
//   capture_cursor.png  32 x 32 arrow pointer, black outline, filled with
//                       bands of blue, magenta, red, yellow, cyan and green
//                       from tip to tail; the program sets its hot spot (2, 4).
//   help_box.bmp        172 x 146, 24 bits: a blue panel with a small
//                       landscape icon and the title 截图 in its top-left
//                       corner and a white wave along the bottom edge.
// Usage: draw_capture_resources <output folder>   (needs a Chinese font, e.g.
// fonts-arphic-uming; run with QT_QPA_PLATFORM=offscreen)
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <cstdio>

namespace {

QImage DrawCursor() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    // The arrow, tip at the hot spot (2, 4), tail towards the bottom right.
    const QPolygon arrow({{2, 4}, {2, 26}, {7, 21}, {11, 30}, {15, 28}, {11, 19}, {18, 19}});
    const QColor bands[] = {QColor(0, 0, 255),   QColor(255, 0, 255), QColor(255, 0, 0),
                            QColor(255, 255, 0), QColor(0, 255, 255), QColor(0, 255, 0)};
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRegion(QRegion(arrow, Qt::WindingFill));
    const int top = 4, bottom = 31;
    for (int i = 0; i < 6; ++i) {
        const int y0 = top + (bottom - top) * i / 6;
        const int y1 = top + (bottom - top) * (i + 1) / 6;
        p.fillRect(QRect(0, y0, 32, y1 - y0), bands[i]);
    }
    p.setClipping(false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(arrow);
    return img;
}

// The title is 截图, or 截圖 in a traditional-Chinese face for the windows in
// traditional Chinese.
QImage DrawHelpBox(bool traditional) {
    QImage img(172, 146, QImage::Format_RGB32);
    QPainter p(&img);
    // Panel: light blue at the top to a deeper blue at the bottom, light
    // enough for black text.
    QLinearGradient panel(0, 0, 0, 146);
    panel.setColorAt(0, QColor(178, 210, 248));
    panel.setColorAt(1, QColor(120, 170, 236));
    p.fillRect(img.rect(), panel);
    p.setPen(QColor(70, 110, 190));
    p.drawRect(0, 0, 171, 145);

    // Landscape icon: a framed picture with sky, sun and two hills.
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect icon(5, 4, 18, 14);
    p.fillRect(icon, QColor(235, 245, 255));
    p.setBrush(QColor(255, 200, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(17.5, 8), 2.2, 2.2);
    QPainterPath hills;
    hills.moveTo(5, 18);
    hills.lineTo(10, 11);
    hills.lineTo(14, 15);
    hills.lineTo(17, 12);
    hills.lineTo(23, 18);
    hills.closeSubpath();
    p.fillPath(hills, QColor(40, 150, 60));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 60, 130), 1));
    p.drawRect(QRectF(icon).adjusted(0.5, 0.5, -0.5, -0.5));

    // Title.
    QFont title;
    title.setFamilies(
        traditional ? QStringList{QStringLiteral("AR PL UMing TW")}
                    : QStringList{QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")});
    title.setPixelSize(13);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(20, 40, 110));
    p.drawText(QRect(27, 3, 60, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(traditional ? "截圖" : "截图"));

    // White wave along the bottom edge.
    QPainterPath wave;
    wave.moveTo(0, 146);
    for (int x = 0; x <= 172; ++x) {
        wave.lineTo(x, 136 + 4 * std::sin(x * 2 * M_PI / 86.0));
    }
    wave.lineTo(172, 146);
    wave.closeSubpath();
    p.fillPath(wave, Qt::white);
    p.end();
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = DrawCursor().save(out.filePath("capture_cursor.png"), "PNG");
    for (const bool traditional : {false, true}) {
        ok = DrawHelpBox(traditional)
                 .convertToFormat(QImage::Format_RGB888)
                 .save(out.filePath(traditional ? "help_box_hant.bmp" : "help_box.bmp"), "BMP") &&
             ok;
    }
    if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", argv[1]);
    return ok ? 0 : 1;
}
