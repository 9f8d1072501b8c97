#pragma once
// CSeOrderQuery: the controller of sales order tracking, for domestic sales orders (class type 81)
// and export orders (1007100). A host, or task order tracking, creates it by ProgID
// ("QzICMOTrackQuery.CSeOrderQuery") and calls Load once; from then on the tracking window
// forwards every user event to it. The controller owns its window and its models; the window holds
// the controller only as CTrackModel.
//
// One source file per concern: lifecycle.cpp (creation, Load, release), navigation.cpp (the order
// list and the navigation tree), order_summary.cpp (the execution summary and the detail
// skeleton), phase_detail.cpp (the execution phase nodes), entry_head.cpp (the order entry head),
// options.cpp (the user's tracking options), commands.cpp (the command table, position search,
// closing) and open_bill.cpp (opening bills, the jump to task order tracking).

#include <contracts/erp_kinds.h>
#include <contracts/middle_tier.h>
#include <contracts/trackers.h>
#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/head_model.h>
#include <contracts/view_models/navigation_model.h>
#include <trackquery/framework/ITrackQuery.h>
#include <trackquery/framework/frmICMOQuery.h>

#include <platform/automation/collections.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trackquery {

class CSeOrderQuery : public ITrackQuery, public ICSeOrderQuery {
  public:
    // Class_Initialize: creates the models and reads the user-group switch from the system
    // profile. A failure is raised again with the source
    // "QzICMOTrackQuery.CSeOrderQuery.Class_Initialize".
    CSeOrderQuery();
    ~CSeOrderQuery() override;
    CSeOrderQuery(const CSeOrderQuery&) = delete;
    CSeOrderQuery& operator=(const CSeOrderQuery&) = delete;
    std::string TypeName() const override { return "CSeOrderQuery"; }

    // --- Public interface (ICSeOrderQuery) ------------------------------------------------------
    int32_t ClassTypeID() const override { return m_ClassTypeID; }
    int32_t Hwnd() const override;
    void Load(const automation::DictionaryPtr& DctPara) override;

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
    int32_t FInterID() const { return m_FInterID; }
    int32_t FEntryID() const { return m_FEntryID; }
    int32_t FDetailID() const { return m_FDetailID; }
    const std::string& LastKey() const { return m_LastKey; }
    const automation::DictionaryPtr& Options() const { return m_dctOption; }
    const frmICMOQueryPtr& Window() const { return m_frmQuery; }

  private:
    // --- lifecycle.cpp ---
    void ConfigureViewer(automation::ObjectPtr& parForm, automation::ObjectPtr& parBar,
                         bool calledByIcmoTrack, int32_t hwnd);
    bool OpenOrderList(const automation::DictionaryPtr& DctPara);
    void ShowWindow(int32_t hwnd);
    void DropRefusedWindow();
    const TraceViewerPtr& Viewer() const { return m_frmQuery->Viewer(); }

    // --- navigation.cpp ---
    bool LoadOrderList(const automation::DictionaryPtr& filter);
    bool CreateNavigationModel(const RecordsetPtr& rs);
    void ShowCurrentEntry(bool bForce);
    void SelectOrdersByNumber(const std::string& sText);
    void SelectOrdersFromList(bool approvedOnly);
    void ReadEntryKey(const std::string& key);

    // --- order_summary.cpp ---
    bool CreateDetailModel();
    void LoadOrderSummary();
    DetailRowPtr CreateSummaryRow(const std::string& key, const RecordsetPtr& rs);
    bool AmountsShown() const;
    std::string QuantityText(const automation::Variant& value) const;

    // --- phase_detail.cpp ---
    // The captions of the status keywords met in one fill, read from the resources once each.
    using StatusCaptions = std::vector<std::pair<std::string, std::string>>;
    // A field of the phase template that the rows show.
    struct PhaseField {
        std::string key;
        std::string trimmedKey;
        automation::Variant ctlType;
        bool billNumber = false;
        // The control type as a number, read at the field's first cell.
        std::optional<int32_t> control;
    };
    // The shown fields of the phase being filled, read from the template at its first row.
    struct PhaseTemplate {
        std::vector<PhaseField> fields;
        CellKeyList keys;  // the rows' shared keys, when the fields' keys differ
        bool read = false;
        StatusCaptions captions;
    };
    void ReadPhaseTemplate(PhaseTemplate& shown) const;
    DetailNodePtr CreatePhaseNode(const std::string& type, const RecordsetPtr& rsTemplate);
    void FillPhaseDetail(int32_t lRow, const std::string& sPath,
                         const automation::ObjectPtr& objRow, const std::string& sRowType);
    std::string FormatCellText(const automation::Variant& value, int32_t control,
                               StatusCaptions& captions) const;
    void ResetPhaseNodes();

    // --- entry_head.cpp ---
    void CreateHeadModel();

    // --- options.cpp ---
    bool GetBillOption();
    bool SaveBillOption();
    bool ShowOption();
    bool IsFieldShown(const std::string& key, const automation::Variant& ctlType) const;
    bool OptionOn(const std::string& key) const;
    std::string OptionSetName() const;

    // --- commands.cpp ---
    void RunCommand(const ToolPtr& Tool);
    void ApplyChangedOptions();
    bool GuardedOutput(int32_t action);
    void PrintView();
    void ExportView();
    bool FindPosition();
    void CloseMe();

    // --- open_bill.cpp ---
    bool CallDetailBill(const DetailRowPtr& row);
    bool OpenClassTemplateBill(const DetailRowPtr& row, const DetailNodePtr& node, int32_t kind);
    bool OpenOrdinaryBill(const DetailRowPtr& row, const DetailNodePtr& node, int32_t kind);
    void ViewICMOTrack();
    // The document map of the selected order entry's course.
    void OpenOrderMap();

    frmICMOQueryPtr m_frmQuery;
    DetailModelPtr m_DetailModel;
    NavigationModelPtr m_NavigationModel;
    HeadModelPtr m_HeadModel;
    int32_t m_ClassTypeID = 0;
    automation::DictionaryPtr m_dctOption;
    // Whether m_dctOption holds what the user saved: options that could not be read are never
    // saved over, as the dialog would show defaults in their place.
    bool m_OptionsRead = false;
    int32_t m_FInterID = 0;
    int32_t m_FEntryID = 0;
    int32_t m_FDetailID = 0;
    bool m_AmountRight = false;
    int32_t m_QtyDecimal = 0;
    RecordsetPtr m_rsTemplate;
    std::string m_LastKey;
    bool m_CheckUserGroup = false;
    std::string m_SubID;
};

using CSeOrderQueryPtr = std::shared_ptr<CSeOrderQuery>;

// Creates a controller (what CreateObject("QzICMOTrackQuery.CSeOrderQuery") does).
CSeOrderQueryPtr CreateCSeOrderQuery();

}  // namespace trackquery
