// The document map apart from any database: figures and shares as a clerk reads them, lanes
// sorted in time with their arrows kept on the same bills, the placement on the time axis (no two
// boxes of a lane overlap, a later bill stands further right, every box inside its lane's band),
// and the Graphviz graph (a cluster per lane, a node per bill, an edge per arrow).

#include <components/order_map/map_dot.h>
#include <components/order_map/map_layout.h>
#include <components/order_map/map_outline.h>
#include <components/order_map/order_map.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using client::MapBox;
using client::MapLane;

MapBox Box(MapLane lane, const std::string& number, double day, double qty) {
    MapBox box;
    box.lane = lane;
    box.number = number;
    box.kindName = "单据";
    box.day = day;
    box.date = "day " + std::to_string(static_cast<int>(day));
    box.qty = qty;
    box.hasQty = true;
    box.isRed = qty < 0;
    return box;
}

// Three deliveries on the same day, one a week later, an invoice in between; the later
// delivery named first so that sorting has work to do.
client::OrderMap Course() {
    client::OrderMap map;
    map.title = "SEORD000001 / 1";
    map.boxes = {
        Box(MapLane::Outbound, "OUT4", 107, 100), Box(MapLane::Outbound, "OUT1", 100, 300),
        Box(MapLane::Outbound, "OUT2", 100, 200), Box(MapLane::Outbound, "OUT3", 100, -25),
        Box(MapLane::Invoices, "INV1", 103, 500), Box(MapLane::OrderEntry, "SO", 95, 1000)};
    map.arrows = {{0, 5}, {4, 1}};
    map.shares = {{MapLane::Outbound, "发货", 575, 1000, false}};
    return map;
}

TEST(OrderMapModel, FiguresAndSharesReadAsAClerkReadsThem) {
    const std::pair<double, const char*> figures[] = {{0, "0"},          {625, "625"},
                                                      {1000, "1,000"},   {1234567.5, "1,234,567.5"},
                                                      {-3750, "-3,750"}, {62.5, "62.5"},
                                                      {0.5, "0.5"},      {-0.001, "0"},
                                                      {100.10, "100.1"}, {999999.999, "1,000,000"}};
    for (const auto& [value, text] : figures) EXPECT_EQ(client::FigureText(value), text) << value;
    EXPECT_EQ(client::ShareText({MapLane::Outbound, "发货", 625, 1000, false}),
              "发货 625 / 1,000, 62.5%");
    EXPECT_EQ(client::ShareText({MapLane::Payments, "收款", 30000, 50000, true}),
              "收款 30,000 / 50,000, 60%");
    // Without a target there is no share to give.
    EXPECT_EQ(client::ShareText({MapLane::Invoices, "开票", 5, 0, false}), "开票 5 / 0");
}

TEST(OrderMapModel, LanesSortInTimeAndArrowsStayOnTheirBills) {
    client::OrderMap map = Course();
    client::SortLanes(map);
    std::vector<std::string> numbers;
    for (const auto& box : map.boxes) numbers.push_back(box.number);
    EXPECT_EQ(numbers, (std::vector<std::string>{"SO", "OUT1", "OUT2", "OUT3", "OUT4", "INV1"}));
    ASSERT_EQ(map.arrows.size(), 2u);
    EXPECT_EQ(map.boxes[map.arrows[0].from].number, "OUT4");
    EXPECT_EQ(map.boxes[map.arrows[0].to].number, "SO");
    EXPECT_EQ(map.boxes[map.arrows[1].from].number, "INV1");
    EXPECT_EQ(map.boxes[map.arrows[1].to].number, "OUT1");
    EXPECT_EQ(map.LaneBoxes(MapLane::Outbound), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(map.LaneBoxes(MapLane::Materials).empty());
}

TEST(OrderMapModel, PlacementPutsBillsAtTheirDatesWithoutOverlapInsideTheirLanes) {
    client::OrderMap map = Course();
    client::SortLanes(map);
    const client::MapPlacement placement = client::PlaceMap(map);
    ASSERT_EQ(placement.boxes.size(), map.boxes.size());
    EXPECT_EQ(placement.firstDay, 95);
    const auto lanes = client::AllLanes();
    for (size_t a = 0; a < map.boxes.size(); ++a) {
        const client::MapRect& box = placement.boxes[a];
        EXPECT_DOUBLE_EQ(box.x, client::DayX(placement, map.boxes[a].day)) << map.boxes[a].number;
        const size_t lane =
            std::find(lanes.begin(), lanes.end(), map.boxes[a].lane) - lanes.begin();
        const client::MapRect& band = placement.lanes[lane];
        EXPECT_GE(box.y, band.y);
        EXPECT_LE(box.y + box.height, band.y + band.height) << map.boxes[a].number;
        EXPECT_LE(box.x + box.width, placement.width);
        for (size_t b = a + 1; b < map.boxes.size(); ++b) {
            const client::MapRect& other = placement.boxes[b];
            const bool apart = box.x + box.width <= other.x || other.x + other.width <= box.x ||
                               box.y + box.height <= other.y || other.y + other.height <= box.y;
            EXPECT_TRUE(apart) << map.boxes[a].number << " and " << map.boxes[b].number;
        }
    }
    // Three bills of one day stack on three tracks; the bill a week later goes back to the first.
    EXPECT_LT(placement.boxes[1].y, placement.boxes[2].y);
    EXPECT_LT(placement.boxes[2].y, placement.boxes[3].y);
    EXPECT_DOUBLE_EQ(placement.boxes[4].y, placement.boxes[1].y);
    EXPECT_GT(placement.boxes[4].x, placement.boxes[1].x);
    // Lanes follow one another without gaps, the empty ones one track tall.
    for (size_t l = 1; l < lanes.size(); ++l) {
        EXPECT_DOUBLE_EQ(placement.lanes[l].y,
                         placement.lanes[l - 1].y + placement.lanes[l - 1].height);
    }
    EXPECT_DOUBLE_EQ(placement.height, placement.lanes.back().y + placement.lanes.back().height);
}

TEST(OrderMapModel, TheOutlineAndTheDotGraphHoldEveryBillLaneAndArrow) {
    client::OrderMap map = Course();
    client::SortLanes(map);
    const std::string outline = client::MapOutline(map);
    EXPECT_NE(outline.find("== 销售出库 ==  发货 575 / 1,000, 57.5%\n  #2 单据 OUT1  day 100"),
              std::string::npos)
        << outline;
    EXPECT_NE(outline.find("#5 单据 OUT4  day 107  数量 100 -> #1\n"), std::string::npos)
        << outline;
    EXPECT_NE(outline.find("OUT3  day 100  数量 -25  [红字]"), std::string::npos) << outline;
    EXPECT_NE(outline.find("== 领料与发料 ==\n  (无)\n"), std::string::npos) << outline;

    const std::string dot = client::MapDot(map);
    EXPECT_EQ(dot.rfind("digraph", 0), 0u) << dot;
    for (int lane = 1; lane <= client::kMapLaneCount; ++lane) {
        EXPECT_NE(dot.find("subgraph cluster_" + std::to_string(lane)), std::string::npos);
    }
    EXPECT_NE(dot.find("b5 -> b1"), std::string::npos) << dot;
    EXPECT_NE(dot.find("b6 -> b2"), std::string::npos) << dot;

    // Written into a new file each time, never over an earlier one.
    const auto folder = std::filesystem::path(::testing::TempDir()) /
                        ("order_map_dot_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    const auto first = client::WriteMapDot(map, folder / "course.dot");
    const auto second = client::WriteMapDot(map, folder / "course.dot");
    EXPECT_EQ(first.filename(), "course.dot");
    EXPECT_EQ(second.filename(), "course (2).dot");
    std::ifstream in(first);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), dot);
    std::filesystem::remove_all(folder);
}

}  // namespace
