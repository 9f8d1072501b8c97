#include <faces/qt/order_map/map_scene.h>

#include <faces/qt/trace_viewer/status_icons.h>

#include <components/order_map/map_layout.h>
#include <components/order_map/map_outline.h>
#include <components/resources/session_captions.h>

#include <QCursor>
#include <QDate>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace qtgui {

namespace {

constexpr double kPad = 6;
constexpr double kArrowHead = 7;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QGraphicsSimpleTextItem* AddText(QGraphicsScene& scene, const QString& text, QPointF at,
                                 QGraphicsItem* parent = nullptr, bool bold = false) {
    auto* item = new QGraphicsSimpleTextItem(text, parent);
    QFont font = item->font();
    font.setBold(bold);
    item->setFont(font);
    item->setPos(at);
    if (!parent) scene.addItem(item);
    return item;
}

void DrawLanes(QGraphicsScene& scene, const client::OrderMap& map,
               const client::MapPlacement& placement) {
    client::SessionCaptions text;
    const auto lanes = client::AllLanes();
    for (size_t l = 0; l < lanes.size(); ++l) {
        const client::MapRect& band = placement.lanes[l];
        const QColor ground = l % 2 == 0 ? QColor(246, 247, 250) : QColor(236, 239, 245);
        scene.addRect(band.x, band.y, band.width, band.height, QPen(QColor(210, 214, 222)), ground);
        AddText(scene, Q(text(client::LaneCaptionKey(lanes[l]))), {kPad, band.y + kPad}, nullptr,
                true);
        if (const client::LaneShare* share = map.ShareOf(lanes[l])) {
            AddText(scene, Q(client::ShareText(*share)), {kPad, band.y + kPad + 20});
        }
    }
}

// A mark and its date every seven days from the first bill's date (day numbers count from
// 1899-12-30, as the ERP's dates do).
void DrawAxis(QGraphicsScene& scene, const client::MapPlacement& placement) {
    const double lastDay =
        placement.firstDay + (placement.width - placement.axisLeft) / placement.dayWidth;
    const QDate origin(1899, 12, 30);
    QPen pen(QColor(160, 165, 175));
    for (double day = placement.firstDay; day <= lastDay; day += 7) {
        const double x = client::DayX(placement, day);
        scene.addLine(x, 28, x, placement.height, pen);
        const QDate date = origin.addDays(static_cast<qint64>(std::floor(day)));
        AddText(scene, date.toString(Qt::ISODate), {x + 2, 8});
    }
}

QColor BorderOf(const client::MapBox& box) {
    if (box.isRed) return QColor(200, 30, 30);
    const QColor status = StatusColour(box.statusImage);
    return status.isValid() ? status : QColor(120, 120, 120);
}

void DrawBox(QGraphicsScene& scene, const client::MapBox& box, int index,
             const client::MapRect& place) {
    const QColor border = BorderOf(box);
    QColor ground = border.lighter(185);
    if (box.cancelled) ground = QColor(235, 235, 235);
    QPen pen(border, box.isRed ? 2.5 : 1.5);
    if (box.cancelled) pen.setStyle(Qt::DashLine);
    auto* item = scene.addRect(place.x, place.y, place.width, place.height, pen, ground);
    item->setData(kBoxIndexKey, index);
    item->setToolTip(Q(client::BoxSummary(box)));
    item->setCursor(Qt::PointingHandCursor);
    QString lines = Q("#" + std::to_string(index + 1) + " " + box.kindName) + "\n" +
                    Q(box.number + "  " + box.date);
    std::string figures;
    if (box.hasQty) figures = client::FigureText(box.qty);
    if (box.hasAmount) figures += (figures.empty() ? "" : "  ¥") + client::FigureText(box.amount);
    lines += "\n" + Q(figures + (box.statusText.empty() ? "" : "  " + box.statusText));
    auto* label = AddText(scene, lines, {place.x + kPad, place.y + kPad / 2}, item);
    label->setData(kBoxIndexKey, index);
    if (box.isRed) label->setBrush(QColor(170, 0, 0));
}

void DrawArrow(QGraphicsScene& scene, const client::MapRect& from, const client::MapRect& to) {
    // From the edge of one box facing the other to the facing edge of the other.
    const bool forward = to.x + to.width / 2 >= from.x + from.width / 2;
    const bool sameColumn = std::abs(to.x - from.x) < from.width;
    QPointF start, end;
    if (sameColumn) {
        const bool down = to.y > from.y;
        start = {from.x + from.width / 2, down ? from.y + from.height : from.y};
        end = {to.x + to.width / 2, down ? to.y : to.y + to.height};
    } else {
        start = {forward ? from.x + from.width : from.x, from.y + from.height / 2};
        end = {forward ? to.x : to.x + to.width, to.y + to.height / 2};
    }
    QPainterPath path(start);
    const QPointF middle((start.x() + end.x()) / 2, (start.y() + end.y()) / 2);
    path.quadTo(QPointF(middle.x(), start.y()), middle);
    path.quadTo(QPointF(middle.x(), end.y()), end);
    QPen pen(QColor(90, 100, 120), 1.2);
    scene.addPath(path, pen);
    const QLineF tail(end, path.pointAtPercent(0.97));
    QLineF wing1 = tail, wing2 = tail;
    wing1.setLength(kArrowHead);
    wing2.setLength(kArrowHead);
    wing1.setAngle(tail.angle() + 25);
    wing2.setAngle(tail.angle() - 25);
    QPainterPath head(wing1.p2());
    head.lineTo(end);
    head.lineTo(wing2.p2());
    scene.addPath(head, pen);
}

}  // namespace

void DrawOrderMap(QGraphicsScene& scene, const client::OrderMap& map) {
    const client::MapPlacement placement = client::PlaceMap(map);
    scene.setSceneRect(0, 0, placement.width, placement.height);
    DrawLanes(scene, map, placement);
    DrawAxis(scene, placement);
    for (const auto& arrow : map.arrows) {
        DrawArrow(scene, placement.boxes[arrow.from], placement.boxes[arrow.to]);
    }
    for (size_t i = 0; i < map.boxes.size(); ++i) {
        DrawBox(scene, map.boxes[i], static_cast<int>(i), placement.boxes[i]);
    }
}

int BoxIndexOf(const QGraphicsItem* item) {
    for (; item; item = item->parentItem()) {
        const QVariant index = item->data(kBoxIndexKey);
        if (index.isValid()) return index.toInt();
    }
    return -1;
}

}  // namespace qtgui
