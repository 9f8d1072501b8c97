#pragma once
// CICMOQuery: the controller of production task order tracking. A host creates it (by ProgID
// "QzICMOTrackQuery.CICMOQuery" or CreateCICMOQuery), may set TranType, and calls InitTrack with
// the task orders to track. The controller owns its window and its navigation, head and detail
// models; the window holds the controller only as CTrackModel.
//
// The work is spread over one source file per concern: lifecycle.cpp (creation, start-up,
// closing, saved window options), navigation.cpp (the navigation tree and the selection of
// task orders), head_model.cpp, detail_model.cpp (tracked bill kinds and bill options),
// oper_package.cpp (operation nodes), detail_expansion.cpp, open_bill.cpp, commands.cpp (the
// command table), sales_order_jump.cpp and module_name.cpp.

#include <contracts/middle_tier.h>
#include <contracts/trackers.h>
#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/head_model.h>
#include <contracts/view_models/navigation_model.h>
#include <trackquery/framework/ITrackQuery.h>
#include <trackquery/framework/frmICMOQuery.h>

#include <platform/automation/collections.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace trackquery {

class CICMOQuery : public ITrackQuery, public ICICMOQuery {
  public:
    // Class_Initialize: creates the models and reads the user-group switch from the system
    // profile ("UlmBase.SystemProfile"). A failure is raised again with the source
    // "QzICMOTrackQuery.CICMOQuery.Class_Initialize".
    CICMOQuery();
    ~CICMOQuery() override;
    std::string TypeName() const override { return "CICMOQuery"; }
    CICMOQuery(const CICMOQuery&) = delete;
    CICMOQuery& operator=(const CICMOQuery&) = delete;

    // --- Public interface (ICICMOQuery) ---------------------------------------------------------
    int32_t TranType() const override { return m_TranType; }
    void SetTranType(int32_t tranType) override { m_TranType = tranType; }
    int32_t Hwnd() const override;
    // Starts tracking: creates a window, configures the viewer, restores the saved window
    // options, builds the navigation tree and shows the window.
    bool InitTrack(automation::ObjectPtr* oThisForm = nullptr, int32_t lHwnd = 0,
                   automation::ObjectPtr* oBar = nullptr,
                   const automation::VectorPtr& vctBillInterID = nullptr,
                   const automation::DictionaryPtr& dctBillStatus = nullptr) override;

    // --- ITrackQuery ----------------------------------------------------------------------------
    void MenuClick(const ToolPtr& Tool) override;
    void NavigationClick(bool bHasBuffer) override;
    void NavigationClickSelect() override;
    void DetailExpand(int32_t lRow, const std::string& sPath, const automation::ObjectPtr& objRow,
                      const std::string& sRowType) override;
    void MenuTextKeyDown(int32_t lKeyCode, const std::string& sActiveBandName,
                         const std::string& sText) override;
    void DetailDblClick(const automation::ObjectPtr& objSelection, bool& bCancelExpand) override;
    void NavigationKeyPress(int16_t& KeyCode, int16_t& Shift) override;
    void BeforeMenuClick(const ToolPtr& Tool, bool& bCancel) override;
    void DetailBeforeExpand(int32_t lRow, const std::string& sPath,
                            const automation::ObjectPtr& objRow,
                            const std::string& sRowType) override;
    void Hide() override;

    // --- Read access for hosts and tests --------------------------------------------------------
    const std::string& OptionKey() const { return m_OptionKey; }
    const std::string& LastKey() const { return m_LastKey; }
    int32_t FInterID() const { return m_FInterID; }
    bool CheckUserGroup() const { return m_CheckUserGroup; }
    const frmICMOQueryPtr& Window() const { return m_frmQuery; }

    // The module that owns a bill kind (transaction type), for opening a tracked bill.
    std::string GetModuleName(int32_t lTranType) const;

    // The exit command: saves the window options and closes the window (stand-alone) or asks the
    // host to close its page (embedded). Continues past every error.
    void CloseMe();

  private:
    // --- lifecycle.cpp ---
    void EnsureModels();
    void DecideTrackedKind();
    void ConfigureViewer(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar,
                         const automation::DictionaryPtr& dctBillStatus, int32_t lHwnd);
    void RestoreFrameOptions();
    bool LoadNavigation(const automation::VectorPtr& vctBillInterID,
                        const automation::DictionaryPtr& dctBillStatus, std::string& sError);
    void SaveFrameOptions();
    void ShowInitFailure(const std::string& sError);
    const TraceViewerPtr& Viewer() const { return m_frmQuery->Viewer(); }

    // --- navigation.cpp: the navigation tree, the selection of a node, selection by number,
    // the bill list and the position search ---
    bool CreateNavigationModel(const automation::VectorPtr& vctBillInterID,
                               const automation::DictionaryPtr& dctBillStatus);
    NavigationNodePtr CreateBillNode(const automation::Variant& item,
                                     const automation::DictionaryPtr& dctBillStatus) const;
    void SelectBillsByNumber(const std::string& sText);
    void ShowSelBillList();
    void FindPosition();

    // --- commands.cpp: the command table ---
    // Each command leaves the message it has for the user in sMessage (shown after the command).
    void RunCommand(const ToolPtr& Tool, std::string& sMessage);
    void RefreshTaskOrder(std::string& sMessage);
    void ShowItem(std::string& sMessage);
    void ShowBOM(std::string& sMessage);
    void ShowRouting(std::string& sMessage);
    void ShowSelectedBill(std::string& sMessage);
    void ShowTaskOrder(std::string& sMessage);
    void PrintView(bool bPreview);
    void ExportView();

    // --- sales_order_jump.cpp: sales order tracking for a sales or export order row ---
    void SEOrderTrack();

    // --- order_map.cpp: the document map of the shown task order's course ---
    void OpenOrderMap();

    // --- head_model.cpp: the head panel ---
    bool CreateHeadModel(int32_t& lInterID);
    // The links recorded when the head of `key` was built (none: all 0).
    void RestoreHeadLinks(const std::string& key);

    // --- detail_model.cpp: the detail model and the bill options ---
    bool CreateDetailModel(int32_t lInterID, std::string& sError);
    void BuildNodeColumns(const DetailNodePtr& node, const RecordsetPtr& rsFields,
                          const RecordsetPtr& rsOption);
    RecordsetPtr GetBillOption(bool bChosenOnly);
    void ShowBillOption();
    void ApplyBillOption(RecordsetPtr& options);

    // --- oper_package.cpp: the operation package and the operation nodes ---
    void CreateOperPackage(RecordsetPtr& rsOption, const RecordsetPtr& rsFields);
    void CreateOperDetail(DetailModelPtr& model, int32_t lInterID, const RecordsetPtr& rsOption,
                          const RecordsetPtr& rsFields, int32_t& lResult);
    // A template node of one chosen package kind, from the option row the record set is on.
    DetailNodePtr NewPackageNode(const RecordsetPtr& rsOption, const RecordsetPtr& rsFields);

    // --- detail_expansion.cpp: expanding detail nodes and operation record rows ---
    // Loads the bills of a tracked kind's node at its first expansion.
    void ExpandDetailNode(const DetailNodePtr& node);
    // Hangs the package kinds under an operation record row at its first expansion.
    void ExpandOperationRecordRow(const DetailRowPtr& row);

    // --- open_bill.cpp: opening a tracked bill ---
    bool CallDetailBill(const automation::ObjectPtr& objSelection);
    bool OpenBillOfRow(const DetailRowPtr& row);
    bool OpenClassicBill(const DetailRowPtr& row, const DetailNodePtr& node, int32_t kind,
                         int32_t sharedGroups);
    bool OpenClassTemplateBill(const DetailRowPtr& row, const DetailNodePtr& node, int32_t kind,
                               int32_t sharedGroups);

    frmICMOQueryPtr m_frmQuery;
    DetailModelPtr m_DetailModel;
    std::string m_LastKey;
    NavigationModelPtr m_NavigationModel;
    HeadModelPtr m_HeadModel;
    automation::VectorPtr m_vctOperPackage;
    int32_t m_TranType = 0;
    int32_t m_RoutingID = 0;
    int32_t m_BOMID = 0;
    int32_t m_ItemID = 0;
    std::string m_SubID;
    int32_t m_FInterID = 0;
    std::string m_OptionKey;
    bool m_CheckUserGroup = false;

    // The routing, BOM and item of each task order whose head was built, by node key: a node the
    // viewer shows again from its buffer brings its own back for the view commands.
    struct HeadLinks {
        int32_t routing = 0;
        int32_t bom = 0;
        int32_t item = 0;
    };
    std::map<std::string, HeadLinks> m_HeadLinks;
};

using CICMOQueryPtr = std::shared_ptr<CICMOQuery>;

// Creates a controller (what CreateObject("QzICMOTrackQuery.CICMOQuery") does).
CICMOQueryPtr CreateCICMOQuery();

}  // namespace trackquery
