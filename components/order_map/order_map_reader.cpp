#include <components/order_map/order_map_reader.h>

#include <components/resources/session_captions.h>
#include <contracts/erp_kinds.h>
#include <contracts/middle_tier.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/dates.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <utility>

namespace client {

namespace {

using automation::Variant;
using trackquery::RecordsetPtr;

constexpr int32_t kWriteOffKind = -10000;

struct KindName {
    int32_t kind;
    const char* name;
};

constexpr KindName kKindNames[] = {
    {81, "销售订单"},    {1007100, "外销订单"},   {85, "生产任务单"},      {571, "委外加工任务单"},
    {-24, "生产领料单"}, {-28, "委外加工出库单"}, {-2, "产品入库单"},      {-5, "委外加工入库单"},
    {82, "发货通知单"},  {21, "销售出库单"},      {80, "销售发票(专用)"},  {86, "销售发票(普通)"},
    {1000005, "收款单"}, {1000015, "预收单"},     {kWriteOffKind, "核销"},
};

// The tracked kinds of a task order's bills that the map shows, with their lane.
constexpr std::pair<int32_t, MapLane> kTaskOrderBillKinds[] = {
    {-24, MapLane::Materials},
    {-28, MapLane::Materials},
    {-2, MapLane::ProductReceipts},
    {-5, MapLane::ProductReceipts},
};

struct StatusLook {
    const char* keyword;
    int32_t image;
    const char* caption;
};

// The status words of the tracking views, with the image the trackers give them. Checked and
// unchecked phase bills take the images of checked and planned task order bills.
constexpr StatusLook kStatusLooks[] = {
    {"Checked", 17, "已审核"}, {"UnChecked", 16, "未审核"}, {"Check", 17, "审核"},
    {"Plan", 16, "计划"},      {"Close", 18, "关闭"},       {"End", 18, "结案"},
    {"Cancel", 19, "作废"},    {"Confirm", 20, "确认"},     {"Suspend", 23, "挂起"},
};

// YYYY-MM-DD of a day number (days from 1899-12-30), by the proleptic Gregorian calendar: read
// for every bill, so done here rather than through the general Format.
std::string IsoDate(double serial) {
    const int64_t z = static_cast<int64_t>(serial) - 25569 + 719468;  // days from 0000-03-01
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return text;
}

// The fields of a record set's current row by name, the name looked up once per record set
// (letter case ignored); Empty for a field the record set lacks.
class Columns {
  public:
    explicit Columns(RecordsetPtr rs) : rs_(std::move(rs)) {
        for (int32_t i = 0; i < rs_->FieldCount(); ++i) {
            ordinals_.emplace(automation::UCase(rs_->FieldAt(i).Name), i);
        }
    }
    const RecordsetPtr& Rows() const { return rs_; }
    // `name` is one of this file's literals: its address finds the ordinal after the first use.
    Variant operator()(const char* name) {
        for (const auto& [known, ordinal] : cache_) {
            if (known == name) return ordinal < 0 ? Variant() : rs_->Value(ordinal);
        }
        const auto found = ordinals_.find(automation::UCase(name));
        const int32_t ordinal = found == ordinals_.end() ? -1 : found->second;
        cache_.emplace_back(name, ordinal);
        return ordinal < 0 ? Variant() : rs_->Value(ordinal);
    }

  private:
    RecordsetPtr rs_;
    std::map<std::string, int32_t> ordinals_;
    std::vector<std::pair<const char*, int32_t>> cache_;
};

int32_t WholeOf(Columns& row, const char* name) { return automation::CLngOr(row(name), 0); }

std::optional<double> FigureOf(Columns& row, const char* name) {
    const Variant value = row(name);
    if (value.IsEmpty() || value.IsNull() || !automation::IsNumeric(value)) return std::nullopt;
    return automation::CDbl(value);
}

class CourseReader {
  public:
    CourseReader(std::string props, const MapRequest& request)
        : props_(std::move(props)), request_(request) {
        map_.amountsShown = request.showAmount;
    }

    OrderMap Read() {
        MapRequest entry = request_;
        if (request_.taskOrderId > 0 && !FindOrderEntry(entry)) {
            ReadLoneTaskOrder();
        } else {
            ReadOrderEntry(entry);
        }
        ReadTaskOrderBills();
        AddShares();
        SortLanes(map_);
        return std::move(map_);
    }

  private:
    // The order entry a task order was made for, from its tracked sales or export order rows.
    bool FindOrderEntry(MapRequest& entry) {
        for (const int32_t kind : {-81, int32_t{trackquery::kExportOrderClass}}) {
            RecordsetPtr rs = IcmoQuery()->GetICMOQuery(props_, request_.taskOrderId,
                                                        trackquery::kTrackedKindsType,
                                                        Variant(std::to_string(kind)));
            Require(rs, "GetICMOQuery");
            if (rs->RecordCount() == 0) continue;
            rs->MoveFirst();
            Columns row(rs);
            entry.orderId = WholeOf(row, "FBillInterID");
            entry.entryId = WholeOf(row, "FEntryID");
            entry.classTypeId = kind == -81 ? trackquery::kSalesOrderClass : kind;
            return true;
        }
        return false;
    }

    void ReadLoneTaskOrder() {
        RecordsetPtr rs = IcmoQuery()->GetICMOQuery(props_, request_.taskOrderId,
                                                    trackquery::kTaskOrderHeadType, Variant(85));
        Require(rs, "GetICMOQuery");
        if (rs->RecordCount() == 0) Refuse("没有找到任务单。");
        rs->MoveFirst();
        Columns row(rs);
        const int32_t index =
            AddBox(MapLane::TaskOrders, WholeOf(row, "FTranType"), row, "FInterID", "FBillNO");
        map_.title = map_.boxes[index].kindName + " " + map_.boxes[index].number;
        taskOrders_.push_back(index);
    }

    void ReadOrderEntry(const MapRequest& entry) {
        const std::pair<int32_t, MapLane> phases[] = {
            {81, MapLane::OrderEntry}, {85, MapLane::TaskOrders}, {82, MapLane::Notices},
            {21, MapLane::Outbound},   {80, MapLane::Invoices},   {1000034, MapLane::Payments}};
        for (const auto& [phase, lane] : phases) {
            auto para = EntryPara(entry);
            para->SetItem("FTranTypeID", Variant(phase));
            automation::VectorPtr bills = OrderQuery()->GetSeOrderPerforms(props_, para);
            if (!bills) Refuse("读取订单执行情况失败！");
            for (const Variant& item : bills->Items())
                AddPhaseRows(item.As<adodb::Recordset>(), lane);
        }
        const auto entryBoxes = map_.LaneBoxes(MapLane::OrderEntry);
        if (entryBoxes.empty()) Refuse("没有找到订单分录。");
        orderEntry_ = entryBoxes.front();
        const MapBox& head = map_.boxes[orderEntry_];
        map_.title = head.kindName + " " + head.number + " / " + std::to_string(entry.entryId);
        for (const int32_t taskOrder : map_.LaneBoxes(MapLane::TaskOrders)) {
            taskOrders_.push_back(taskOrder);
            map_.arrows.push_back({taskOrder, orderEntry_});
        }
        ReadLinks(entry);
    }

    automation::DictionaryPtr EntryPara(const MapRequest& entry) const {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("FInterID", Variant(entry.orderId));
        para->SetItem("FEntryID", Variant(entry.entryId));
        para->SetItem("FClassTypeID", Variant(entry.classTypeId));
        return para;
    }

    void AddPhaseRows(const RecordsetPtr& rs, MapLane lane) {
        if (!rs || rs->RecordCount() == 0) return;
        Columns row(rs);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            AddBox(lane, WholeOf(row, "FClassTypeID"), row, "FInterID", "FBillNo");
        }
    }

    void ReadLinks(const MapRequest& entry) {
        RecordsetPtr links = OrderQuery()->GetOrderBillLinks(props_, EntryPara(entry));
        Require(links, "GetOrderBillLinks");
        if (links->RecordCount() == 0) return;
        Columns row(links);
        for (links->MoveFirst(); !links->Eof(); links->MoveNext()) {
            const auto from = Find(WholeOf(row, "FFromKind"), WholeOf(row, "FFromID"));
            const auto to = Find(WholeOf(row, "FToKind"), WholeOf(row, "FToID"));
            if (from && to) map_.arrows.push_back({*from, *to});
        }
    }

    // The picks, issues and receipts of every task order on the map; each names its task order.
    void ReadTaskOrderBills() {
        for (const int32_t taskOrder : taskOrders_) {
            const int32_t id = map_.boxes[taskOrder].interId;
            for (const auto& [kind, lane] : kTaskOrderBillKinds) {
                RecordsetPtr rs = IcmoQuery()->GetICMOQuery(
                    props_, id, trackquery::kTrackedKindsType, Variant(std::to_string(kind)));
                Require(rs, "GetICMOQuery");
                if (rs->RecordCount() == 0) continue;
                Columns row(rs);
                for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
                    const int32_t box = AddBox(lane, kind, row, "FBillInterID", "FBillNO");
                    map_.boxes[box].parentTaskOrder = id;
                    AddArrowOnce(box, taskOrder);
                }
            }
        }
    }

    // Adds the bill of the current row, or adds the row's figures to the bill's box when another
    // entry of the same bill came first. Returns the box's index.
    int32_t AddBox(MapLane lane, int32_t kind, Columns& rs, const char* idField,
                   const char* numberField) {
        const int32_t interId = WholeOf(rs, idField);
        const auto qty = FigureOf(rs, "FQty");
        std::optional<double> amount;
        if (map_.amountsShown) amount = FigureOf(rs, "FAmount");
        if (const auto known = Find(kind, interId)) {
            MapBox& box = map_.boxes[*known];
            if (qty) box.qty += *qty;
            if (amount) box.amount += *amount;
            MarkRed(box);
            return *known;
        }
        MapBox box;
        box.lane = lane;
        box.kind = kind;
        box.interId = interId;
        box.billerId = WholeOf(rs, "FBillerID");
        box.taskOrderType = WholeOf(rs, "FType");
        box.kindName = Text(KindNameKey(kind));
        box.number = automation::TextOrEmpty(rs(numberField));
        SetDate(box, rs("FDate"));
        box.hasQty = qty.has_value();
        box.qty = qty.value_or(0);
        box.hasAmount = amount.has_value();
        box.amount = amount.value_or(0);
        box.cancelled = WholeOf(rs, "FCancellation") == 1;
        SetStatus(box, automation::TextOrEmpty(rs("FStatus")));
        MarkRed(box);
        if (box.isReturn && lane == MapLane::Notices) box.kindName = Text("退货通知单");
        map_.boxes.push_back(std::move(box));
        const auto index = static_cast<int32_t>(map_.boxes.size() - 1);
        byBill_[{kind, interId}] = index;
        return index;
    }

    static void MarkRed(MapBox& box) {
        box.isRed = (box.hasQty && box.qty < 0) || (box.hasAmount && box.amount < 0);
        box.isReturn = box.isRed && (box.lane == MapLane::Notices || box.lane == MapLane::Outbound);
    }

    // Dates come as dates, or as the database keeps them, most often as ISO text already: that
    // text is the box's date as it stands, and only other forms go through the general
    // conversion.
    static void SetDate(MapBox& box, const Variant& value) {
        if (value.IsString() && automation::IsIsoDateText(value.AsString())) {
            const std::string& text = value.AsString();
            try {
                box.day = automation::DateSerial(std::stoi(text.substr(0, 4)),
                                                 std::stoi(text.substr(5, 2)),
                                                 std::stoi(text.substr(8, 2)))
                              .serial;
                box.date = text;
            } catch (const automation::RuntimeError&) {
                // A day no calendar has (2026-02-30): the bill stands without a date.
            }
            return;
        }
        if (value.Type() == automation::VarType::Date) {
            box.day = std::floor(value.AsDate().serial);
        } else if (value.IsEmpty() || value.IsNull() || !automation::IsDate(value)) {
            return;
        } else {
            box.day = std::floor(automation::CDate(value).serial);
        }
        box.date = IsoDate(box.day);
    }

    void SetStatus(MapBox& box, const std::string& keyword) {
        if (box.cancelled) {
            box.statusImage = 19;
            box.statusText = Text("作废");
            return;
        }
        for (const auto& look : kStatusLooks) {
            if (!automation::EqualsIgnoreCase(keyword, look.keyword)) continue;
            box.statusImage = look.image;
            box.cancelled = look.image == 19;
            // Task orders are released where other bills are checked, as the trackers say.
            const bool released = box.lane == MapLane::TaskOrders && look.image == 17;
            box.statusText = Text(released ? "下达" : look.caption);
            return;
        }
        box.statusText = keyword;
    }

    void AddArrowOnce(int32_t from, int32_t to) {
        for (const auto& arrow : map_.arrows) {
            if (arrow.from == from && arrow.to == to) return;
        }
        map_.arrows.push_back({from, to});
    }

    // Done against target per lane: against the entry's quantity (amount for payments), and the
    // product receipts against the task orders' quantity. Cancelled bills carry out nothing.
    void AddShares() {
        const MapBox* entry = orderEntry_ >= 0 ? &map_.boxes[orderEntry_] : nullptr;
        const double taskOrderQty = LaneSum(MapLane::TaskOrders, false);
        if (entry) {
            AddShare(MapLane::TaskOrders, "投产", LaneSum(MapLane::TaskOrders, false), entry->qty);
            AddShare(MapLane::Notices, "通知", LaneSum(MapLane::Notices, false), entry->qty);
            AddShare(MapLane::Outbound, "发货", LaneSum(MapLane::Outbound, false), entry->qty);
            AddShare(MapLane::Invoices, "开票", LaneSum(MapLane::Invoices, false), entry->qty);
            if (map_.amountsShown && entry->hasAmount) {
                AddShare(MapLane::Payments, "收款", LaneSum(MapLane::Payments, true), entry->amount,
                         true);
            }
        }
        if (taskOrderQty != 0) {
            AddShare(MapLane::ProductReceipts, "入库", LaneSum(MapLane::ProductReceipts, false),
                     taskOrderQty);
        }
    }

    double LaneSum(MapLane lane, bool amounts) const {
        double sum = 0;
        for (const auto& box : map_.boxes) {
            // Write-off lines settle receipts already counted.
            if (box.lane != lane || box.cancelled || box.kind == kWriteOffKind) continue;
            sum += amounts ? box.amount : box.qty;
        }
        return sum;
    }

    void AddShare(MapLane lane, const char* caption, double done, double target,
                  bool byAmount = false) {
        map_.shares.push_back({lane, Text(caption), done, target, byAmount});
    }

    std::optional<int32_t> Find(int32_t kind, int32_t interId) const {
        const auto it = byBill_.find({kind, interId});
        if (it == byBill_.end()) return std::nullopt;
        return it->second;
    }

    static const char* KindNameKey(int32_t kind) {
        for (const auto& known : kKindNames) {
            if (known.kind == kind) return known.name;
        }
        return "单据";
    }

    std::string Text(const char* key) { return captions_(key); }

    [[noreturn]] void Refuse(const char* key) {
        automation::Raise(automation::vberr::ObjectError + 1, "QzOrderMap.OrderMap", Text(key));
    }

    void Require(const RecordsetPtr& rs, const char*) {
        if (!rs) Refuse("读取订单执行情况失败！");
    }

    std::shared_ptr<trackquery::CGetICMOQuery> IcmoQuery() {
        if (!icmoQuery_) {
            icmoQuery_ = automation::CreateObject<trackquery::CGetICMOQuery>(
                trackquery::kProgIdGetICMOQuery);
        }
        return icmoQuery_;
    }

    std::shared_ptr<trackquery::CGetOrderQuery> OrderQuery() {
        if (!orderQuery_) {
            orderQuery_ = automation::CreateObject<trackquery::CGetOrderQuery>(
                trackquery::kProgIdGetOrderQuery);
        }
        return orderQuery_;
    }

    std::string props_;
    MapRequest request_;
    OrderMap map_;
    SessionCaptions captions_;
    int32_t orderEntry_ = -1;
    std::vector<int32_t> taskOrders_;
    std::map<std::pair<int32_t, int32_t>, int32_t> byBill_;
    std::shared_ptr<trackquery::CGetICMOQuery> icmoQuery_;
    std::shared_ptr<trackquery::CGetOrderQuery> orderQuery_;
};

}  // namespace

OrderMap ReadOrderMap(const std::string& props, const MapRequest& request) {
    return CourseReader(props, request).Read();
}

}  // namespace client
