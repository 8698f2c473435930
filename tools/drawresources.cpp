// Draws the pictures the program compiles in: the colour legend of the Euler
// cycle dialog, with Polish and with English captions, and the application
// icon in the sizes desktops use (PNG files and a Windows .ico). Run it with
// the resources folder as its argument and commit what it writes.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QFontMetricsF>
#include <QtEndian>

#include <cstdio>

namespace {

void drawVertex(QPainter &p, QPointF centre, qreal radius, const QColor &fill, const QColor &outline,
                qreal outlineWidth, const QString &letter)
{
    p.setPen(QPen(outline, outlineWidth));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
    if (!letter.isEmpty()) {
        p.setPen(Qt::black);
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        p.drawText(box, Qt::AlignCenter, letter);
    }
}

QImage drawLegend(const QStringList &captions)
{
    QImage image(171, 98, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont letterFont(QStringLiteral("DejaVu Sans"));
    letterFont.setPixelSize(10);
    const qreal captionX = 31;
    // The largest caption size at which every caption fits the picture.
    QFont captionFont(QStringLiteral("DejaVu Sans"));
    for (int pixels = 12; pixels > 6; --pixels) {
        captionFont.setPixelSize(pixels);
        const QFontMetricsF metrics(captionFont);
        bool fits = true;
        for (const QString &caption : captions)
            fits = fits && captionX + metrics.horizontalAdvance(caption) <= 169;
        if (fits)
            break;
    }

    const qreal sampleX = 14;
    const qreal rowHeight = 24.5;
    auto rowCentre = [&](int row) { return 12.25 + row * rowHeight; };

    p.setFont(letterFont);
    drawVertex(p, {sampleX, rowCentre(0)}, 8, Qt::white, Qt::green, 3, QStringLiteral("C"));
    drawVertex(p, {sampleX, rowCentre(1)}, 10.5, Qt::green, Qt::black, 3, QStringLiteral("A"));
    drawVertex(p, {sampleX, rowCentre(2)}, 8, Qt::green, Qt::black, 3, QStringLiteral("B"));
    QPen removed(Qt::gray, 1.5, Qt::DashLine);
    p.setPen(removed);
    p.drawLine(QPointF(2, rowCentre(3)), QPointF(26, rowCentre(3)));

    p.setFont(captionFont);
    p.setPen(Qt::black);
    for (int row = 0; row < captions.size(); ++row) {
        const QRectF box(captionX, rowCentre(row) - rowHeight / 2, 171 - captionX, rowHeight);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, captions.at(row));
    }
    return image;
}

// The icon is drawn on a 256 x 256 grid and scaled: a small graph as the
// program draws it, one edge chosen (green), one removed (grey, dashed).
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    QLinearGradient ground(0, 0, 0, 256);
    ground.setColorAt(0, QColor(0, 255, 127));
    ground.setColorAt(1, QColor(0, 170, 84));
    p.setPen(QPen(QColor(0, 127, 63), 8));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);

    const QPointF a(70, 78), b(186, 70), c(190, 184), d(66, 186);
    p.setPen(QPen(Qt::black, 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.drawLine(b, c);
    p.setPen(QPen(QColor(0, 100, 0), 16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, d);
    p.drawLine(d, c);
    p.setPen(QPen(QColor(90, 90, 90), 12, Qt::DashLine, Qt::FlatCap));
    p.drawLine(a, c);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    const bool letters = size >= 48;
    drawVertex(p, a, 34, Qt::white, Qt::black, 8, letters ? QStringLiteral("A") : QString());
    drawVertex(p, b, 28, Qt::white, Qt::black, 8, letters ? QStringLiteral("B") : QString());
    drawVertex(p, c, 28, Qt::white, Qt::black, 8, letters ? QStringLiteral("C") : QString());
    drawVertex(p, d, 28, QColor(0, 200, 0), Qt::black, 8, letters ? QStringLiteral("D") : QString());
    return image;
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A Windows icon file whose images are stored as PNG, as Windows reads them since Vista.
QByteArray ico(const QList<QImage> &images)
{
    auto le16 = [](QByteArray &out, quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    auto le32 = [](QByteArray &out, quint32 v) {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    };

    QList<QByteArray> payloads;
    for (const QImage &image : images)
        payloads.append(png(image));

    QByteArray out;
    le16(out, 0);
    le16(out, 1);
    le16(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int size = images.at(i).width();
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(0));
        out.append(char(0));
        le16(out, 1);
        le16(out, 32);
        le32(out, quint32(payloads.at(i).size()));
        le32(out, offset);
        offset += quint32(payloads.at(i).size());
    }
    for (const QByteArray &payload : payloads)
        out.append(payload);
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawresources <resources folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);

    // The Polish captions as the dialog has always shown them, and their English version.
    bool ok = writeFile(root + QStringLiteral("/descriptions/legenda.png"),
                        png(drawLegend({QStringLiteral("wierzcholek incydentny"), QStringLiteral("wierzcholek poczatkwowy"),
                                        QStringLiteral("obecny wierzcholek"), QStringLiteral("usunieta krawedz")})));
    ok = writeFile(root + QStringLiteral("/descriptions/legend_en.png"),
                   png(drawLegend({QStringLiteral("adjacent vertex"), QStringLiteral("start vertex"),
                                   QStringLiteral("current vertex"), QStringLiteral("removed edge")})))
         && ok;

    QList<QImage> icoImages;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = drawIcon(size);
        ok = writeFile(QStringLiteral("%1/icons/hicolor/%2x%2/perewal.png").arg(root).arg(size), png(icon)) && ok;
        if (size == 16 || size == 32 || size == 48 || size == 256)
            icoImages.append(icon);
    }
    ok = writeFile(root + QStringLiteral("/perewal.ico"), ico(icoImages)) && ok;
    return ok ? 0 : 1;
}
