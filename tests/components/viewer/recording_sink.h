#pragma once
// A listener of the trace viewer's events that writes down every event it receives, in order, and
// answers the by-reference flags the way a test tells it to.

#include <contracts/trace_viewer.h>

#include <platform/activebar/tool.h>

#include <functional>
#include <string>
#include <vector>

namespace client::testing {

struct RecordedEvent {
    int32_t number = 0;
    std::string text;  // the arguments, written out
    automation::ObjectPtr object;
    trackquery::ToolPtr tool;
};

class RecordingSink : public trackquery::ITraceViewerEvents {
  public:
    std::vector<RecordedEvent> events;

    // Answers to the by-reference flags.
    bool cancelMenu = false;
    bool cancelExpand = false;
    bool swallowKey = false;
    // Runs inside the event, after it was written down.
    std::function<void(const RecordedEvent&)> during;

    void OnHide() override { Record({trackquery::viewer_event::Hide, "", nullptr, nullptr}); }
    void OnNavigationClick(bool bHasBuffer) override {
        Record({trackquery::viewer_event::NavigationClick, bHasBuffer ? "True" : "False", nullptr,
                nullptr});
    }
    void OnNavigationKeyPress(int16_t& KeyCode, int16_t& Shift) override {
        Record({trackquery::viewer_event::NavigationKeyPress,
                std::to_string(KeyCode) + "," + std::to_string(Shift), nullptr, nullptr});
        if (swallowKey) KeyCode = 0;
    }
    void OnDetailBeforeExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                              std::string sRowType) override {
        Record({trackquery::viewer_event::DetailBeforeExpand,
                std::to_string(lRow) + "," + sPath + "," + sRowType, objRow, nullptr});
    }
    void OnDetailExpand(int32_t lRow, std::string sPath, automation::ObjectPtr objRow,
                        std::string sRowType) override {
        Record({trackquery::viewer_event::DetailExpand,
                std::to_string(lRow) + "," + sPath + "," + sRowType, objRow, nullptr});
    }
    void OnDetailDblClick(automation::ObjectPtr objSelection, bool& bCancelExpand) override {
        Record({trackquery::viewer_event::DetailDblClick, "", objSelection, nullptr});
        bCancelExpand = cancelExpand;
    }
    void OnBeforeMenuClick(trackquery::ToolPtr Tool, bool& bCancel) override {
        Record({trackquery::viewer_event::BeforeMenuClick, Tool->Name(), nullptr, Tool});
        bCancel = cancelMenu;
    }
    void OnMenuClick(trackquery::ToolPtr Tool) override {
        Record({trackquery::viewer_event::MenuClick, Tool->Name(), nullptr, Tool});
    }
    void OnMenuTextKeyDown(int32_t lKeyCode, std::string sActiveBandName,
                           std::string sText) override {
        Record({trackquery::viewer_event::MenuTextKeyDown,
                std::to_string(lKeyCode) + "," + sActiveBandName + "," + sText, nullptr, nullptr});
    }

    std::vector<int32_t> Numbers() const {
        std::vector<int32_t> numbers;
        for (const auto& event : events) numbers.push_back(event.number);
        return numbers;
    }

  private:
    void Record(RecordedEvent event) {
        events.push_back(event);
        if (during) during(events.back());
    }
};

}  // namespace client::testing
