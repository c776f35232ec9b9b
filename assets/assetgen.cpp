// Draws the splash pictures (English and Chinese) and the tiled background pictures of the main
// window into a program folder.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <cstdio>

namespace {

QImage splash(const QString &tagline)
{
    QImage image(480, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, QColor(18, 38, 66));
    gradient.setColorAt(1, QColor(6, 14, 28));
    painter.fillRect(image.rect(), gradient);

    painter.setPen(QPen(QColor(240, 160, 40), 3));
    painter.drawLine(40, 190, 440, 190);

    QFont title(QStringLiteral("Sans Serif"), 44, QFont::Bold);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 70, image.width(), 100), Qt::AlignCenter, QStringLiteral("ORX-740"));

    QFont small(QStringLiteral("Sans Serif"), 14);
    painter.setFont(small);
    painter.setPen(QColor(200, 210, 225));
    painter.drawText(QRect(0, 200, image.width(), 40), Qt::AlignCenter, tagline);
    painter.drawText(QRect(0, 240, image.width(), 30), Qt::AlignCenter,
                     QStringLiteral("CB / HF / 10 m"));
    return image;
}

QImage background(const QString &caption)
{
    QImage image(258, 130, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(226, 231, 238));
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Sans Serif"), 12, QFont::Bold);
    painter.setFont(font);
    painter.setPen(QColor(205, 212, 222));
    painter.drawText(QRect(1, 1, 256, 128), Qt::AlignCenter, caption);
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "JPG", 92))
        return true;
    std::fprintf(stderr, "orx740-assetgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orx740-assetgen PROGRAM_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("PIC")))
        return 1;
    const bool ok =
        save(splash(QStringLiteral("Programming Software")),
             folder.filePath(QStringLiteral("StartE.jpg"))) &&
        save(splash(QStringLiteral("写频软件")), folder.filePath(QStringLiteral("StartC.jpg"))) &&
        save(background(QStringLiteral("ORX-740")),
             folder.filePath(QStringLiteral("PIC/BK_1.jpg"))) &&
        save(background(QStringLiteral("ORX-740 写频软件")),
             folder.filePath(QStringLiteral("PIC/BK_2.jpg")));
    return ok ? 0 : 1;
}
