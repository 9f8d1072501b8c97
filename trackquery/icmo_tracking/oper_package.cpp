// The operation package and the operation nodes of the detail panel. A task order produced
// through routed operations shows one node per operation type (ordinary and rework), one row per
// operation, under each row a copy of the operation record node, and under each operation record
// row the other chosen package kinds. The package holds the template nodes of those lower levels;
// the rows of the lower levels are loaded when the user expands them.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CICMOQuery.";

// The operation record kind and the kinds that are shown only under an operation record row.
constexpr const char* kPackageKindsFilter =
    " FID = '-52' OR FID='-502' OR FID='-581' OR FID='-582' OR FID='-710' OR FID='-715' OR "
    "FID='1002504' ";

constexpr int32_t kRowColor = 5662310;

// VB's "value = 1" on a record set field: Null, Empty and texts that are not numbers never match.
bool IsOne(const automation::Variant& value) {
    if (value.IsNull() || value.IsEmpty() || !automation::IsNumeric(value)) return false;
    return automation::CDbl(value) == 1;
}

// VB's "&" on a value: Null and Empty join as nothing.
std::string JoinText(const automation::Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return "";
    return automation::CStr(value);
}

struct OperationType {
    int32_t billType;
    const char* caption;
    const char* columnKey;
};

constexpr OperationType kCommonOper{11620, "普通工序", "CommonOper"};
constexpr OperationType kRepairOper{11621, "返修工序", "RepairOper"};

// An operation node: its rows are built at once, so it is never loaded on expansion. Only the
// ordinary node carries the task order in its Tag and in its column's CtlType.
DetailNodePtr NewOperationNode(const OperationType& type, int32_t lInterID) {
    auto node = std::make_shared<DetailNode>();
    node->Key = std::to_string(type.billType);
    node->IsExpanded = false;
    node->CanExpand = true;
    node->FillStatus = 1;
    const bool common = type.billType == kCommonOper.billType;
    node->Tag = common ? automation::Variant(lInterID) : automation::Variant("");
    auto column = std::make_shared<DetailColumn>();
    column->Caption = LoadResText(type.caption);
    column->Key = type.columnKey;
    column->CtlType = common ? automation::Variant(lInterID) : automation::Variant("");
    column->Visible = true;
    node->AddColumn(column);
    return node;
}

// One operation of the task order, with the operation record node of that operation under it.
DetailRowPtr NewOperationRow(const RecordsetPtr& rsOper, const OperationType& type,
                             const automation::VectorPtr& package) {
    auto row = std::make_shared<DetailRow>();
    row->RowColor = kRowColor;
    row->IsExpanded = false;
    row->CanExpand = true;
    automation::Variant operId = rsOper->Value("FOperID");
    std::string text =
        JoinText(rsOper->Value("FOperSN")) + "-" + JoinText(rsOper->Value("FOperName"));
    automation::Variant operSN = rsOper->Value("FOperSN");
    row->AddCell(type.columnKey, std::move(text), std::move(operId));
    row->SetCellTag(0, std::move(operSN));
    // The first package node is the operation record kind; without a package there is no node
    // to hang here, which fails the build of the operation nodes.
    auto recordNode = package ? package->Item(1).As<DetailNode>() : nullptr;
    if (!recordNode) automation::Raise(automation::vberr::ObjectVariableNotSet);
    row->AddChild(recordNode->CloneHead(), -1, false);
    return row;
}

void AddOperationRows(const DetailNodePtr& node, const RecordsetPtr& rsOper,
                      const OperationType& type, const automation::VectorPtr& package) {
    while (!rsOper->BOF() && !rsOper->Eof()) {
        node->AddRow(NewOperationRow(rsOper, type, package), -1, false);
        rsOper->MoveNext();
    }
}

}  // namespace

void CICMOQuery::CreateOperPackage(RecordsetPtr& rsOption, const RecordsetPtr& rsFields) {
    ProcLog log(std::string(kSource) + "CreateOperPackage");
    try {
        rsOption->SetFilter("");
        if (rsOption->RecordCount() > 0) {
            rsOption->MoveFirst();
            m_vctOperPackage = std::make_shared<automation::Vector>();
            rsOption->SetFilter(kPackageKindsFilter);
            // The option keys sort the operation record kind first (see the package order).
            rsOption->SetSort("  FKey");
            while (!rsOption->BOF() && !rsOption->Eof()) {
                if (IsOne(rsOption->Value("FValue"))) {
                    m_vctOperPackage->Add(NewPackageNode(rsOption, rsFields));
                    rsOption->Delete();
                }
                rsOption->MoveNext();
            }
        }
    } catch (const automation::RuntimeError& error) {
        // The package keeps the nodes built so far.
        log.MarkFailed();
        ReportQuietFailure(Viewer(), std::string(kSource) + "CreateOperPackage", error);
    }
    try {
        rsOption->SetFilter("");
    } catch (const automation::RuntimeError&) {
        // A record set that cannot drop its filter has nothing more to give.
    }
}

DetailNodePtr CICMOQuery::NewPackageNode(const RecordsetPtr& rsOption,
                                         const RecordsetPtr& rsFields) {
    const automation::Variant fid = rsOption->Value("FID");
    auto node = std::make_shared<DetailNode>();
    node->IsExpanded = false;
    node->CanExpand = true;
    node->FillStatus = 0;
    node->Tag = m_FInterID;
    node->Key = automation::CStr(fid);
    if (rsFields) {
        rsFields->SetFilter(" FTranType = " + automation::CStr(fid));
        if (rsFields->RecordCount() > 0) BuildNodeColumns(node, rsFields, rsOption);
    }
    return node;
}

void CICMOQuery::CreateOperDetail(DetailModelPtr& model, int32_t lInterID,
                                  const RecordsetPtr& rsOption, const RecordsetPtr& rsFields,
                                  int32_t& lResult) {
    (void)rsOption, (void)rsFields;
    ProcLog log(std::string(kSource) + "CreateOperDetail");
    try {
        lResult = 0;
        auto server = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        RecordsetPtr rsOper = server->GetICMOOper(GetPropsString(), lInterID);
        if (rsOper && rsOper->RecordCount() > 0) {
            lResult = rsOper->RecordCount();

            rsOper->SetFilter(" FBillType= 11620");
            if (!rsOper->Eof()) {
                auto node = NewOperationNode(kCommonOper, lInterID);
                AddOperationRows(node, rsOper, kCommonOper, m_vctOperPackage);
                model->Add(node, -1, false);
            }

            rsOper->SetFilter(" FBillType =11621");
            if (!rsOper->Eof()) {
                // The rework node is in the model before its rows are built, so the rows built
                // before a failure stay visible.
                auto node = NewOperationNode(kRepairOper, lInterID);
                model->Add(node, -1, false);
                AddOperationRows(node, rsOper, kRepairOper, m_vctOperPackage);
            }
        }
    } catch (const automation::RuntimeError& error) {
        lResult = -1;
        log.MarkFailed();
        ReportQuietFailure(Viewer(), std::string(kSource) + "CreateOperDetail", error);
    }
}

}  // namespace trackquery
