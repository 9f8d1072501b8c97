// The detail tree of the task order being tracked: one node per bill kind the user chose, with
// the columns of that kind, the operation nodes when operation records are chosen, and the bill
// option dialog that changes the choice and updates the tree in place.

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <contracts/middle_tier.h>
#include <trackquery/dialogs/frmBillSel.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/messages.h>
#include <trackquery/services/modYqLogMsg.h>
#include <trackquery/services/quiet_failures.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/comparison.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

#include <string>
#include <vector>

namespace trackquery {

namespace {

constexpr const char* kSource = "QzICMOTrackQuery.CICMOQuery.";

// The kinds shown as top-level nodes: everything but the operation record kind and the kinds
// shown under an operation record.
constexpr const char* kOrdinaryKinds =
    " FID <> '-52' AND FID<>'-502' AND FID<>'-581' AND FID<>'-582' AND FID<>'-710' AND "
    "FID<>'-715' AND FID<>'1002504' ";

// A top-level node of one bill kind, not loaded yet; its rows are read at its first expansion.
DetailNodePtr NewOrdinaryNode(const std::string& fid, int32_t lInterID) {
    auto node = std::make_shared<DetailNode>();
    node->IsExpanded = false;
    node->CanExpand = true;
    node->FillStatus = 0;
    node->Tag = automation::Variant(lInterID);
    node->Key = fid;
    return node;
}

std::string FidOf(const RecordsetPtr& options) { return automation::CStr(options->Value("FID")); }

// The kinds of every row of the option record set as the middle tier takes them: each FID
// followed by a blank and a comma, the last comma removed.
std::string FidList(const RecordsetPtr& options) {
    std::string list;
    if (options->RecordCount() == 0) return list;
    options->MoveFirst();
    for (; !options->Eof(); options->MoveNext()) list += FidOf(options) + " ,";
    if (!list.empty()) list.pop_back();
    return list;
}

void MoveFirstIfAny(const RecordsetPtr& rs) {
    if (rs->RecordCount() > 0) rs->MoveFirst();
}

// Narrows the option record set to one criteria text; true when a row matches.
bool AnyMatch(const RecordsetPtr& options, const std::string& criteria) {
    options->SetFilter(criteria);
    return !options->BOF() && !options->Eof();
}

RecordsetPtr QueryFieldsOf(const std::string& fidList) {
    auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
    return middleTier->GetQueryFields(GetPropsString(), kTrackedKindsType,
                                      automation::Variant(fidList));
}

// Narrows the query fields to one kind's columns; true when the kind has any. Without a query
// field record set (the middle tier gave none) no kind has columns.
bool NarrowToKind(const RecordsetPtr& fields, const std::string& fid) {
    if (!fields) return false;
    fields->SetFilter(" FTranType = " + fid);
    return !fields->BOF() && !fields->Eof();
}

// A copy of an operation record row with its cells and looks but without the package nodes hung
// under it, ready to take the package kinds of a new choice.
DetailRowPtr WithoutPackageChildren(const DetailRowPtr& row) {
    auto copy = std::make_shared<DetailRow>();
    copy->RowColor = row->RowColor;
    copy->IsExpanded = false;
    copy->StatusIcon = row->StatusIcon;
    copy->IsTotal = row->IsTotal;
    for (int32_t i = 0; i < row->CellCount(); ++i) {
        const DetailCell& cell = row->CellAt(i);
        copy->AddCell(row->CellKey(i), cell.Text, cell.Value);
        if (!row->CellTag(i).IsEmpty()) copy->SetCellTag(i, row->CellTag(i));
    }
    return copy;
}

// The operation record rows under an operation node build their package children again at their
// next expansion, with the new choice of package kinds. A row that already carries package nodes
// is replaced in place by a copy without them, so that the next expansion does not hang the new
// package nodes beside the old ones; a row once found to have no package kinds can be expanded
// again.
void ResetPackageChildren(const DetailNodePtr& operationNode) {
    for (const automation::ObjectPtr& item : operationNode->Rows()) {
        auto operationRow = std::dynamic_pointer_cast<DetailRow>(item);
        if (!operationRow || operationRow->ChildCount() < 1) continue;
        DetailNodePtr records = operationRow->GetChild(1);
        for (int32_t i = 1; i <= records->RowCount(); ++i) {
            auto recordRow = std::dynamic_pointer_cast<DetailRow>(records->Row(i));
            if (!recordRow || recordRow->IsTotal) continue;
            if (recordRow->ChildCount() > 0) {
                recordRow = WithoutPackageChildren(recordRow);
                records->SetRow(i, recordRow);
            }
            recordRow->ChildState = 0;
            recordRow->CanExpand = true;
        }
    }
}

// Walks the model from its last node to its first, removes the nodes of kinds no longer chosen
// and takes the kinds that keep their nodes out of the option record set, so that only newly
// chosen kinds remain in it. True when the operation nodes stay.
bool KeepChosenNodes(const DetailModelPtr& model, const RecordsetPtr& options) {
    bool operationNodesKept = false;
    for (int32_t i = model->Count(); i >= 1; --i) {
        DetailNodePtr node = model->Item(i);
        const int32_t keyType = node->KeyType();
        if (keyType == 11620 || keyType == 11621) {
            if (!AnyMatch(options, " FID = -52 ")) {
                model->Remove(i);
            } else {
                operationNodesKept = true;
                ResetPackageChildren(node);
            }
        } else if (!AnyMatch(options, " FID =" + node->Key)) {
            model->Remove(i);
        } else {
            options->Delete();
        }
        options->SetFilter("");
    }
    return operationNodesKept;
}

// Shows the bill option dialog modally and tells whether the user confirmed it. The dialog is
// unloaded on every way out, a failure included, so that no hidden form outlives the call.
bool RunBillSelDialog(const std::string& optionKey, int32_t userId) {
    auto dialog = std::make_shared<frmBillSel>();
    windowing::UnloadOnExit unload(dialog);
    dialog->SetBillType(optionKey);
    dialog->SetUserID(userId);
    dialog->Show(windowing::vbModal);
    return dialog->OK();
}

}  // namespace

bool CICMOQuery::CreateDetailModel(int32_t lInterID, std::string& sError) {
    ProcLog log(std::string(kSource) + "CreateDetailModel");
    try {
        // Without a window there is no viewer to show the tree in.
        if (!m_frmQuery) automation::Raise(automation::vberr::ObjectVariableNotSet);
        auto model = std::make_shared<DetailModel>();
        if (RecordsetPtr options = GetBillOption(true)) {
            RecordsetPtr fields;
            // Operation records stay away while the user has not chosen them: a package kept
            // from an earlier choice would otherwise bring the operation nodes back.
            if (!AnyMatch(options, " FID = '-52' ")) {
                m_vctOperPackage = std::make_shared<automation::Vector>();
            }
            options->SetFilter("");
            if (lInterID > 0) {
                fields = QueryFieldsOf(FidList(options));
                MoveFirstIfAny(options);
                if (AnyMatch(options, " FID = '-52' ")) CreateOperPackage(options, fields);
            }

            options->SetFilter(kOrdinaryKinds);
            for (MoveFirstIfAny(options); !options->BOF() && !options->Eof(); options->MoveNext()) {
                const std::string fid = FidOf(options);
                auto node = NewOrdinaryNode(fid, lInterID);
                if (lInterID < 1) {
                    BuildNodeColumns(node, nullptr, options);
                } else if (NarrowToKind(fields, fid)) {
                    BuildNodeColumns(node, fields, options);
                }
                model->Add(node, -1, false);
            }

            if (m_vctOperPackage && m_vctOperPackage->Count() >= 1 && lInterID > 0) {
                int32_t lResult = 0;
                CreateOperDetail(model, lInterID, options, fields, lResult);
                if (lResult == -1) {
                    sError = LoadResText("获取工序信息失败。");
                    log.MarkFailed();
                    return false;
                }
            }
        }
        m_DetailModel = model;
        Viewer()->SetDetailModel(model);
        return true;
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        automation::RaiseAgain(error, std::string(kSource) + "CreateDetailModel");
    }
}

void CICMOQuery::BuildNodeColumns(const DetailNodePtr& node, const RecordsetPtr& rsFields,
                                  const RecordsetPtr& rsOption) {
    const std::string kindCaption = automation::CStr(rsOption->Value("FCaption"));
    if (!rsFields) {
        // The navigation root lists the kinds only: one column headed by the kind's name.
        auto column = std::make_shared<DetailColumn>();
        column->Caption = kindCaption;
        column->Key = "FBillNO";
        column->CtlType = automation::Variant("");
        column->Visible = true;
        column->Align = 0;
        node->AddColumn(column);
        return;
    }
    for (; !rsFields->BOF() && !rsFields->Eof(); rsFields->MoveNext()) {
        auto column = std::make_shared<DetailColumn>();
        const std::string key = automation::CStr(rsFields->Value("FKey"));
        column->Caption = automation::UCase(key) == "FBILLNO"
                              ? kindCaption
                              : automation::CStr(rsFields->Value("FCaption"));
        column->Key = key;
        column->CtlType = rsFields->Value("FCtlType");
        column->Visible =
            automation::VbEquals(rsFields->Value("FVisible"), automation::Variant(int32_t{1}));
        column->Align = automation::CLng(rsFields->Value("FAlign"));
        node->AddColumn(column);
    }
    // Every bill carries its internal id in a hidden last column, from which it is opened.
    auto idColumn = std::make_shared<DetailColumn>();
    idColumn->Caption = LoadResText("单据内码");
    idColumn->Key = "FBillInterID";
    idColumn->CtlType = automation::Variant("");
    idColumn->Visible = false;
    idColumn->Align = 0;
    node->AddColumn(idColumn);
}

RecordsetPtr CICMOQuery::GetBillOption(bool bChosenOnly) {
    ProcLog log(std::string(kSource) + "GetBillOption");
    try {
        auto middleTier = automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
        return middleTier->GetBillOption(GetPropsString(), m_OptionKey,
                                         automation::Variant(GetUserID()), bChosenOnly);
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        ReportQuietFailure(Viewer(), std::string(kSource) + "GetBillOption", error);
        return nullptr;
    }
}

void CICMOQuery::ShowBillOption() {
    ProcLog log(std::string(kSource) + "ShowBillOption");
    try {
        if (!m_frmQuery) automation::Raise(automation::vberr::ObjectVariableNotSet);
        const bool confirmed = RunBillSelDialog(m_OptionKey, GetUserID());
        if (!confirmed) return;
        Viewer()->ClearDetailBuffer();
        if (RecordsetPtr options = GetBillOption(true)) ApplyBillOption(options);
    } catch (const automation::RuntimeError& error) {
        log.MarkFailed();
        try {
            ShowMessage(error.Description());
        } catch (const automation::RuntimeError&) {
            // Without the client's message object there is nobody to tell.
        }
    }
}

// Brings the detail model the viewer holds in line with a new choice of kinds: kept kinds keep
// their nodes and loaded rows, unchosen kinds lose theirs, newly chosen kinds are inserted where
// the option list puts them.
void CICMOQuery::ApplyBillOption(RecordsetPtr& options) {
    if (!m_DetailModel) {
        m_DetailModel = std::make_shared<DetailModel>();
        Viewer()->SetDetailModel(m_DetailModel);
    }
    DetailModelPtr model = m_DetailModel;

    std::vector<std::string> chosenKinds;
    options->SetFilter(kOrdinaryKinds);
    for (MoveFirstIfAny(options); !options->BOF() && !options->Eof(); options->MoveNext()) {
        chosenKinds.push_back(FidOf(options));
    }
    // A package from the earlier choice must not outlive the operation record kind.
    if (!AnyMatch(options, " FID = -52 "))
        m_vctOperPackage = std::make_shared<automation::Vector>();
    options->SetFilter("");
    MoveFirstIfAny(options);

    const bool operationNodesKept = KeepChosenNodes(model, options);

    if (options->RecordCount() == 0) return;
    RecordsetPtr fields = QueryFieldsOf(FidList(options));
    if (operationNodesKept) {
        CreateOperPackage(options, fields);
    } else {
        MoveFirstIfAny(options);
        if (AnyMatch(options, " FID = -52 ")) {
            CreateOperPackage(options, fields);
            // The navigation root has no operations to show.
            if (m_FInterID > 0) {
                int32_t lResult = 0;
                CreateOperDetail(model, m_FInterID, options, fields, lResult);
            }
        }
    }
    options->SetFilter("");
    if (options->RecordCount() == 0) return;
    for (size_t i = 0; i < chosenKinds.size(); ++i) {
        const std::string& fid = chosenKinds[i];
        if (!AnyMatch(options, " FID = " + fid)) continue;
        auto node = NewOrdinaryNode(fid, m_FInterID);
        if (NarrowToKind(fields, fid)) BuildNodeColumns(node, fields, options);
        model->Add(node, static_cast<int32_t>(i) + 1, true);
    }
    options->SetFilter("");
}

}  // namespace trackquery
