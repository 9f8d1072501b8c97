#include <components/order_map/map_outline.h>

#include <components/resources/session_captions.h>

namespace client {

namespace {

std::string ArrowsFrom(const OrderMap& map, int32_t index) {
    std::string text;
    for (const auto& arrow : map.arrows) {
        if (arrow.from == index) text += " -> #" + std::to_string(arrow.to + 1);
    }
    return text;
}

}  // namespace

SummaryWords SessionSummaryWords() {
    SessionCaptions text;
    return {text("数量"), text("金额"), text("退货"), text("红字")};
}

std::string BoxSummary(const MapBox& box, const SummaryWords& words) {
    std::string line = box.kindName + " " + box.number + "  " + box.date;
    if (box.hasQty) line += "  " + words.qty + " " + FigureText(box.qty);
    if (box.hasAmount) line += "  " + words.amount + " " + FigureText(box.amount);
    if (!box.statusText.empty()) line += "  " + box.statusText;
    if (box.isReturn) line += "  [" + words.returned + "]";
    if (box.isRed) line += "  [" + words.red + "]";
    return line;
}

std::string BoxSummary(const MapBox& box) { return BoxSummary(box, SessionSummaryWords()); }

std::string MapOutline(const OrderMap& map) {
    SessionCaptions text;
    const SummaryWords words = SessionSummaryWords();
    std::string out = text("单据关系图") + ": " + map.title + "\n";
    if (!map.amountsShown) out += "(" + text("无金额权限，不显示金额") + ")\n";
    for (const MapLane lane : AllLanes()) {
        out += "== " + text(LaneCaptionKey(lane)) + " ==";
        if (const LaneShare* share = map.ShareOf(lane)) out += "  " + ShareText(*share);
        out += "\n";
        const auto boxes = map.LaneBoxes(lane);
        if (boxes.empty()) out += "  (" + text("无") + ")\n";
        for (const int32_t index : boxes) {
            out += "  #" + std::to_string(index + 1) + " " + BoxSummary(map.boxes[index], words) +
                   ArrowsFrom(map, index) + "\n";
        }
    }
    return out;
}

}  // namespace client
