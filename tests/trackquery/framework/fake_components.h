#pragma once
// Test substitutes for the outside components the tracking window and the task order tracker
// call: a trace viewer that records what it is told and raises its events on request, a
// controller that counts the calls it receives, and the session, profile, message and middle-tier
// components. Each is registered by ProgID, as the real ones are.

#include <trackquery/contracts/message_helper.h>
#include <trackquery/contracts/middle_tier.h>
#include <trackquery/contracts/security.h>
#include <trackquery/contracts/session.h>
#include <trackquery/contracts/trace_viewer.h>
#include <trackquery/framework/ITrackQuery.h>

#include <platform/activebar/active_bar.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/registry.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace trackquery::testing {

class FakeTraceViewer : public ITraceViewer {
  public:
    FakeTraceViewer() : ownBar_(std::make_shared<activebar::ActiveBar>()) {
        for (const char* key : {"btnShowStandard", "btnShowViewer", "btnShowSelectBills",
                                "btnShowPosition", "btnRefresh", "btnSelectBills", "btnPosition",
                                "btnShowSummaryView", "btnShowDetailView", "btnShowSummaryTitle"}) {
            ownBar_->GetTools().Add(key);
        }
    }
    std::string TypeName() const override { return "TraceViewer"; }

    // --- What the test does as the user -------------------------------------------------------
    // Clicks the navigation node at `index` (selects it and raises NavigationClick).
    void ClickNode(int32_t index) { SelectNavigationNode(index, true); }
    ITraceViewerEvents* Sink() const {
        if (auto locked = weakSink_.lock()) return locked.get();
        return rawSink_;
    }

    // --- What the test reads ------------------------------------------------------------------
    std::vector<std::string> restoreBufferKeys;
    std::vector<std::pair<int32_t, bool>> selectRequests;
    std::vector<std::pair<std::string, bool>> toolsVisible;
    std::vector<std::string> navigationTitles;
    std::string detailTitle;
    ActiveBarPtr attachedBar;
    int refreshCount = 0;
    bool layoutRestored = false;
    bool keepBuffers = false;

    // --- ITraceViewer -------------------------------------------------------------------------
    void SetEventSink(ITraceViewerEvents* sink) override {
        rawSink_ = sink;
        weakSink_.reset();
    }
    void SetEventSink(std::weak_ptr<ITraceViewerEvents> sink) override {
        weakSink_ = std::move(sink);
        rawSink_ = nullptr;
    }
    NavigationModelPtr GetNavigationModel() override { return navigation_; }
    void SetNavigationModel(NavigationModelPtr model) override { navigation_ = std::move(model); }
    void SetHeadModel(HeadModelPtr model) override { head_ = std::move(model); }
    DetailModelPtr GetDetailModel() override { return detail_; }
    void SetDetailModel(DetailModelPtr model) override { detail_ = std::move(model); }
    bool RestoreBuffer(const std::string& key) override {
        restoreBufferKeys.push_back(key);
        return keepBuffers;
    }
    void ClearDetailBuffer() override {}
    void AttachMenuBar(ActiveBarPtr bar) override { attachedBar = std::move(bar); }
    void SetHost(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar) override {
        hostForm_ = hostForm;
        hostBar_ = hostBar;
    }
    ActiveBarPtr GetMenuBar() override { return ownBar_; }
    ToolPtr GetTool(const std::string& key) override {
        if (auto tool = ownBar_->GetTools().Find(key)) return tool;
        if (attachedBar) return attachedBar->GetTools().Find(key);
        return nullptr;
    }
    void SetToolsVisible(const std::string& keys, bool visible) override {
        toolsVisible.emplace_back(keys, visible);
    }
    std::string GetPositionText() override { return ""; }
    void SetNavigationTitle(const std::string& text) override { navigationTitles.push_back(text); }
    void SetHeadTitle(const std::string&) override {}
    void SetDetailTitle(const std::string& text) override { detailTitle = text; }
    bool HeadTitleAlert() const override { return alert_; }
    void SetHeadTitleAlert(bool alert) override { alert_ = alert; }
    void RefreshView() override { ++refreshCount; }
    void SelectNavigationNode(int32_t index, bool raiseEvent) override {
        selectRequests.emplace_back(index, raiseEvent);
        if (!navigation_ || index < 1 || index > navigation_->NodeCount()) return;
        selected_ = navigation_->NodeItem(index);
        if (raiseEvent) {
            if (auto* sink = Sink()) sink->OnNavigationClick(false);
        }
    }
    NavigationNodePtr SelectedNavigationNode() override { return selected_; }
    void ClearSelection() { selected_.reset(); }
    automation::ObjectPtr SelectedDetailRow() override { return nullptr; }
    std::string ActivePane() const override { return "Null"; }
    bool LayoutRestored() const override { return layoutRestored; }
    bool StandAlone() const override { return standAlone_; }
    void SetStandAlone(bool standAlone) override { standAlone_ = standAlone; }
    std::string ExportTitle() const override { return exportTitle_; }
    void SetExportTitle(const std::string& title) override { exportTitle_ = title; }
    void PrintPreview() override {}
    void Print() override {}
    void Export() override {}
    bool ViewSetting01() const override { return s01_; }
    void SetViewSetting01(bool value) override { s01_ = value; }
    int32_t ViewSetting03() const override { return s03_; }
    void SetViewSetting03(int32_t value) override { s03_ = value; }
    std::string ViewSetting05() const override { return s05_; }
    void SetViewSetting05(const std::string& value) override { s05_ = value; }
    float ViewSetting11() const override { return s11_; }
    void SetViewSetting11(float value) override { s11_ = value; }
    float ViewSetting12() const override { return s12_; }
    void SetViewSetting12(float value) override { s12_ = value; }
    bool ViewSetting13() const override { return s13_; }
    void SetViewSetting13(bool value) override { s13_ = value; }
    int32_t ViewSetting14() const override { return s14_; }
    void SetViewSetting14(int32_t value) override { s14_ = value; }
    int32_t ViewSetting15() const override { return s15_; }
    void SetViewSetting15(int32_t value) override { s15_ = value; }
    int32_t ViewSetting16() const override { return s16_; }
    void SetViewSetting16(int32_t value) override { s16_ = value; }
    int32_t ViewSetting17() const override { return s17_; }
    void SetViewSetting17(int32_t value) override { s17_ = value; }

    const automation::ObjectPtr& HostForm() const { return hostForm_; }

  private:
    ITraceViewerEvents* rawSink_ = nullptr;
    std::weak_ptr<ITraceViewerEvents> weakSink_;
    NavigationModelPtr navigation_;
    HeadModelPtr head_;
    DetailModelPtr detail_;
    NavigationNodePtr selected_;
    ActiveBarPtr ownBar_;
    automation::ObjectPtr hostForm_, hostBar_;
    bool alert_ = true;
    bool standAlone_ = false;
    std::string exportTitle_;
    bool s01_ = false, s13_ = true;
    int32_t s03_ = 0, s14_ = 0, s15_ = 0, s16_ = 0, s17_ = -1;
    std::string s05_;
    float s11_ = 0, s12_ = 0;
};

// A controller that counts every call and writes the by-reference flags it was told to write.
class CountingController : public ITrackQuery {
  public:
    std::string TypeName() const override { return "CountingController"; }
    std::map<std::string, int> calls;
    bool setCancelExpand = false, setCancel = false, swallowKey = false;
    std::string lastText;

    void MenuClick(const ToolPtr&) override { ++calls["MenuClick"]; }
    void NavigationClick(bool) override { ++calls["NavigationClick"]; }
    void NavigationClickSelect() override { ++calls["NavigationClickSelect"]; }
    void DetailExpand(int32_t, const std::string&, const automation::ObjectPtr&,
                      const std::string&) override {
        ++calls["DetailExpand"];
    }
    void MenuTextKeyDown(int32_t, const std::string&, const std::string& sText) override {
        ++calls["MenuTextKeyDown"];
        lastText = sText;
    }
    void DetailDblClick(const automation::ObjectPtr&, bool& bCancelExpand) override {
        ++calls["DetailDblClick"];
        if (setCancelExpand) bCancelExpand = true;
    }
    void NavigationKeyPress(int16_t& KeyCode, int16_t&) override {
        ++calls["NavigationKeyPress"];
        if (swallowKey) KeyCode = 0;
    }
    void BeforeMenuClick(const ToolPtr&, bool& bCancel) override {
        ++calls["BeforeMenuClick"];
        if (setCancel) bCancel = true;
    }
    void DetailBeforeExpand(int32_t, const std::string&, const automation::ObjectPtr&,
                            const std::string&) override {
        ++calls["DetailBeforeExpand"];
    }
    void Hide() override { ++calls["Hide"]; }
};

// A controller whose every operation is empty.
class EmptyController : public ITrackQuery {
  public:
    std::string TypeName() const override { return "EmptyController"; }
    void MenuClick(const ToolPtr&) override {}
    void NavigationClick(bool) override {}
    void NavigationClickSelect() override {}
    void DetailExpand(int32_t, const std::string&, const automation::ObjectPtr&,
                      const std::string&) override {}
    void MenuTextKeyDown(int32_t, const std::string&, const std::string&) override {}
    void DetailDblClick(const automation::ObjectPtr&, bool&) override {}
    void NavigationKeyPress(int16_t&, int16_t&) override {}
    void BeforeMenuClick(const ToolPtr&, bool&) override {}
    void DetailBeforeExpand(int32_t, const std::string&, const automation::ObjectPtr&,
                            const std::string&) override {}
    void Hide() override {}
};

class PlainObject : public automation::Object {
  public:
    std::string TypeName() const override { return "PlainObject"; }
};

class FakeShareProps : public IShareProps {
  public:
    explicit FakeShareProps(std::string props) : props_(std::move(props)) {}
    std::string TypeName() const override { return "ShareProps"; }
    automation::Variant GetProperty(int32_t, const std::string& name) override {
        if (name == "PropsString") return props_;
        return automation::Variant();
    }

  private:
    std::string props_;
};

class FakeSystemProfile : public ISystemProfile {
  public:
    explicit FakeSystemProfile(automation::Variant value) : value_(std::move(value)) {}
    std::string TypeName() const override { return "SystemProfile"; }
    automation::Variant GetProfile(const std::string&, const std::string& category,
                                   const std::string& key) override {
        if (category == "IC" && key == "CheckUserGroup") return value_;
        return automation::Null;
    }

  private:
    automation::Variant value_;
};

class FakeMessageHelper : public IMessageHelper {
  public:
    std::string TypeName() const override { return "MessageHelper"; }
    void ShowMessage(const std::string& text) override { messages->push_back(text); }
    std::shared_ptr<std::vector<std::string>> messages =
        std::make_shared<std::vector<std::string>>();
};

// The middle tier's window options: GetFrmOption reads the rows stored under a key, SetFrmOption
// records what is saved.
struct FrameOptionStore {
    std::map<std::string, std::vector<std::pair<std::string, automation::Variant>>> rows;
    std::vector<std::string> readKeys;
    struct Saved {
        std::string key;
        int32_t userId;
        automation::DictionaryPtr options;
    };
    std::vector<Saved> saved;
    bool missingRecordset = false;
};

inline RecordsetPtr MakeOptionRecordset(
    const std::vector<std::pair<std::string, automation::Variant>>& rows) {
    auto rs = adodb::Recordset::OpenWithFields(
        {adodb::FieldInfo{"FKey", adodb::adVarChar}, adodb::FieldInfo{"FValue", adodb::adVarChar}});
    for (const auto& [key, value] : rows) rs->LoadRow({key, value});
    if (rs->RecordCount() > 0) rs->MoveFirst();
    return rs;
}

class FakeGetICMOQuery : public CGetICMOQuery {
  public:
    explicit FakeGetICMOQuery(std::shared_ptr<FrameOptionStore> store) : store_(std::move(store)) {}
    // A server without templates: it answers, with no field definitions.
    RecordsetPtr GetQueryFields(const std::string&, int16_t, const automation::Variant&) override {
        return MakeOptionRecordset({});
    }
    // Every task order exists: its head row is due today and numbered after its id.
    RecordsetPtr GetICMOQuery(const std::string&, int32_t lInterID, int16_t,
                              const automation::Variant&, const std::string&) override {
        auto rs = adodb::Recordset::OpenWithFields(
            {adodb::FieldInfo{"FBillNO", adodb::adVarChar},
             adodb::FieldInfo{"FStatus", adodb::adVarChar},
             adodb::FieldInfo{"FStockPercent", adodb::adVarChar},
             adodb::FieldInfo{"FPlanFinishDate", adodb::adVarChar},
             adodb::FieldInfo{"FSysDate", adodb::adVarChar}});
        rs->LoadRow({"MO" + std::to_string(lInterID), "Check", "0", "2026-06-30", "2026-06-30"});
        rs->MoveFirst();
        return rs;
    }
    RecordsetPtr GetICMOOper(const std::string&, int32_t) override { return nullptr; }
    RecordsetPtr GetICMOInfo(const std::string&, const automation::VectorPtr&) override {
        return nullptr;
    }
    automation::DictionaryPtr GetStockQty(const std::string&, RecordsetPtr&) override {
        return nullptr;
    }
    RecordsetPtr GetRs(const std::string&, const std::string&) override { return nullptr; }
    RecordsetPtr GetFrmOption(const std::string&, const std::string& sKey) override {
        store_->readKeys.push_back(sKey);
        if (store_->missingRecordset) return nullptr;
        return MakeOptionRecordset(store_->rows[sKey]);
    }
    RecordsetPtr GetBillOption(const std::string&, const std::string&, const automation::Variant&,
                               bool) override {
        return nullptr;
    }

  private:
    std::shared_ptr<FrameOptionStore> store_;
};

class FakeSetICMOQuery : public CSetICMOQuery {
  public:
    explicit FakeSetICMOQuery(std::shared_ptr<FrameOptionStore> store) : store_(std::move(store)) {}
    bool SetFrmOption(const std::string&, const std::string& sKey, int32_t lUserID,
                      const automation::DictionaryPtr& dctOption) override {
        store_->saved.push_back({sKey, lUserID, dctOption});
        return true;
    }
    bool SetBillOption(const std::string&, const std::string&, int32_t,
                       const std::string&) override {
        return true;
    }

  private:
    std::shared_ptr<FrameOptionStore> store_;
};

}  // namespace trackquery::testing
