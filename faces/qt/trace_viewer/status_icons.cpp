#include <faces/qt/trace_viewer/status_icons.h>

#include <QPainter>
#include <QPixmap>

#include <map>

namespace qtgui {

QColor StatusColour(int32_t image) {
    switch (image) {
        case 16:
            return QColor(150, 150, 150);  // planned
        case 17:
            return QColor(40, 110, 210);  // released, checked
        case 18:
            return QColor(20, 140, 70);  // closed, finished
        case 19:
            return QColor(200, 40, 40);  // cancelled
        case 20:
            return QColor(100, 60, 170);  // confirmed
        case 21:
            return QColor(0, 150, 150);  // converted
        case 22:
            return QColor(170, 120, 0);  // changed
        case 23:
            return QColor(230, 130, 0);  // suspended
        default:
            return QColor();
    }
}

namespace {

QIcon Draw(int32_t image) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (image == 1) {
        painter.setBrush(QColor(235, 190, 70));
        painter.setPen(QColor(160, 120, 20));
        painter.drawRect(2, 4, 12, 9);
        painter.drawRect(2, 2, 5, 3);
        return QIcon(pixmap);
    }
    const QColor color = StatusColour(image);
    if (!color.isValid()) return QIcon();
    painter.setBrush(color);
    painter.setPen(color.darker(140));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

}  // namespace

std::vector<int32_t> StatusImages() { return {16, 17, 18, 19, 20, 21, 22, 23}; }

std::vector<std::string> StatusWords(int32_t image) {
    switch (image) {
        case 16:
            return {"计划"};
        case 17:
            return {"下达", "审核"};
        case 18:
            return {"结案", "关闭"};
        case 19:
            return {"作废"};
        case 20:
            return {"确认"};
        case 21:
            return {"改制"};
        case 22:
            return {"变更"};
        case 23:
            return {"挂起"};
        default:
            return {};
    }
}

QIcon StatusIcon(int32_t image) {
    static std::map<int32_t, QIcon> icons;
    auto found = icons.find(image);
    if (found == icons.end()) found = icons.emplace(image, Draw(image)).first;
    return found->second;
}

}  // namespace qtgui
