#include <faces/qt/order_map/map_export.h>

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

namespace qtgui {

namespace {

QByteArray Svg(QGraphicsScene& scene, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(title);
    const QRectF area = scene.sceneRect();
    generator.setSize(area.size().toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), area.size()));
    QPainter painter(&generator);
    scene.render(&painter, QRectF(QPointF(0, 0), area.size()), area);
    painter.end();
    return buffer.data();
}

QByteArray Png(QGraphicsScene& scene) {
    const QRectF area = scene.sceneRect();
    QImage image((area.size() * 2).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), area.size() * 2), area);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray Pdf(QGraphicsScene& scene, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setResolution(96);
        const QRectF area = scene.sceneRect();
        writer.setPageSize(QPageSize(area.size(), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        scene.render(&painter, QRectF(), area);
    }
    return buffer.data();
}

}  // namespace

std::string MapFileBytes(QGraphicsScene& scene, MapFormat format, const std::string& title) {
    const QString name = QString::fromStdString(title);
    QByteArray bytes;
    switch (format) {
        case MapFormat::Svg:
            bytes = Svg(scene, name);
            break;
        case MapFormat::Png:
            bytes = Png(scene);
            break;
        case MapFormat::Pdf:
            bytes = Pdf(scene, name);
            break;
    }
    return bytes.toStdString();
}

const char* MapExtension(MapFormat format) {
    switch (format) {
        case MapFormat::Svg:
            return ".svg";
        case MapFormat::Png:
            return ".png";
        case MapFormat::Pdf:
            return ".pdf";
    }
    return "";
}

void PrintMap(QGraphicsScene& scene, QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter(&printer);
    scene.render(&painter, QRectF(), scene.sceneRect(), Qt::KeepAspectRatio);
}

}  // namespace qtgui
