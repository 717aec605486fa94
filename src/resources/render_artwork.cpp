// Build tool: rasterises the artwork's SVG sources into the PNG and JPEG files the
// application loads, and writes the resource file that lists them.
//   render_artwork <svg folder> <output folder>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        qCritical("usage: render_artwork <svg folder> <output folder>");
        return 2;
    }
    const QDir in(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QStringList entries;
    QDirIterator it(in.path(), {"*.svg"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString name = in.relativeFilePath(source).chopped(4); // "pic/start.jpg"
        QSvgRenderer renderer(source);
        if (!renderer.isValid()) {
            qCritical("render_artwork: %s is not a valid SVG", qPrintable(source));
            return 1;
        }
        const bool jpeg = name.endsWith(".jpg");
        QImage image(renderer.defaultSize(), jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32);
        image.fill(jpeg ? Qt::black : Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString target = out.filePath(name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!image.save(target, jpeg ? "JPG" : "PNG", jpeg ? 95 : -1)) {
            qCritical("render_artwork: cannot write %s", qPrintable(target));
            return 1;
        }
        entries << name;
    }
    entries.sort();
    QFile qrc(out.filePath("artwork.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    qrc.write("<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n");
    for (const QString& e : entries)
        qrc.write(QString("    <file>%1</file>\n").arg(e).toUtf8());
    qrc.write("</qresource>\n</RCC>\n");
    qInfo("render_artwork: %d pictures", int(entries.size()));
    return 0;
}
