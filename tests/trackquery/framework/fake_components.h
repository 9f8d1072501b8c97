#pragma once
// Test substitutes for the tracking window's tests: a trace viewer that keeps what it is told and
// raises its events on request, and controllers that count the calls they receive or do nothing.

#include <contracts/trace_viewer.h>
#include <trackquery/framework/ITrackQuery.h>

#include <platform/activebar/active_bar.h>

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

    // The window listening to the viewer's events, as the test raises them.
    ITraceViewerEvents* Sink() const {
        if (auto locked = weakSink_.lock()) return locked.get();
        return rawSink_;
    }

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
    bool RestoreBuffer(const std::string&) override { return false; }
    void ClearDetailBuffer() override {}
    void AttachMenuBar(ActiveBarPtr bar) override { attachedBar_ = std::move(bar); }
    void SetHost(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar) override {
        hostForm_ = hostForm;
        hostBar_ = hostBar;
    }
    ActiveBarPtr GetMenuBar() override { return ownBar_; }
    ToolPtr GetTool(const std::string& key) override {
        if (auto tool = ownBar_->GetTools().Find(key)) return tool;
        if (attachedBar_) return attachedBar_->GetTools().Find(key);
        return nullptr;
    }
    void SetToolsVisible(const std::string&, bool) override {}
    std::string GetPositionText() override { return ""; }
    void SetNavigationTitle(const std::string&) override {}
    void SetHeadTitle(const std::string&) override {}
    void SetDetailTitle(const std::string&) override {}
    bool HeadTitleAlert() const override { return alert_; }
    void SetHeadTitleAlert(bool alert) override { alert_ = alert; }
    std::string StatusText() const override { return status_; }
    void SetStatusText(const std::string& text) override { status_ = text; }
    void RefreshView() override {}
    void SelectNavigationNode(int32_t index, bool raiseEvent) override {
        if (!navigation_ || index < 1 || index > navigation_->NodeCount()) return;
        selected_ = navigation_->NodeItem(index);
        if (raiseEvent) {
            if (auto* sink = Sink()) sink->OnNavigationClick(false);
        }
    }
    NavigationNodePtr SelectedNavigationNode() override { return selected_; }
    automation::ObjectPtr SelectedDetailRow() override { return nullptr; }
    std::string ActivePane() const override { return "Null"; }
    bool LayoutRestored() const override { return false; }
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

  private:
    ITraceViewerEvents* rawSink_ = nullptr;
    std::weak_ptr<ITraceViewerEvents> weakSink_;
    NavigationModelPtr navigation_;
    HeadModelPtr head_;
    DetailModelPtr detail_;
    NavigationNodePtr selected_;
    ActiveBarPtr ownBar_;
    ActiveBarPtr attachedBar_;
    automation::ObjectPtr hostForm_, hostBar_;
    bool alert_ = true;
    std::string status_;
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

}  // namespace trackquery::testing
