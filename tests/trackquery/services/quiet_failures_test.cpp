// Failures the trackers handle without a box: a viewer that cannot show one keeps its status line,
// and a fault of the program is not taken for such a failure.

#include "services_test_support.h"

#include <trackquery/framework/fake_components.h>
#include <trackquery/services/quiet_failures.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// A viewer whose status line fails as the test says.
class StatusFailingViewer : public trackquery::testing::FakeTraceViewer {
  public:
    std::string StatusText() const override {
        fail();
        return FakeTraceViewer::StatusText();
    }
    void SetStatusText(const std::string& text) override {
        fail();
        FakeTraceViewer::SetStatusText(text);
    }
    std::function<void()> fail = [] {};
};

using QuietFailures = ServicesTest;

TEST_F(QuietFailures, OnlyTheViewersRunTimeErrorsAreQuiet) {
    const automation::RuntimeError failure(3021, "", "no current record [SQL: SELECT 1]");
    auto viewer = std::make_shared<StatusFailingViewer>();
    trackquery::ReportQuietFailure(viewer, "P", failure);
    EXPECT_NE(viewer->FakeTraceViewer::StatusText().find("no current record"), std::string::npos);

    viewer->fail = [] { automation::Raise(91, "QzTraceViewer.TraceViewer", "gone"); };
    EXPECT_NO_THROW(trackquery::ReportQuietFailure(viewer, "P", failure));
    EXPECT_NO_THROW(trackquery::ClearQuietFailure(viewer));
    EXPECT_NE(viewer->FakeTraceViewer::StatusText(), "") << "the line stays as it was";

    viewer->fail = [] { throw std::logic_error("a fault of the program"); };
    EXPECT_THROW(trackquery::ReportQuietFailure(viewer, "P", failure), std::logic_error);
    EXPECT_THROW(trackquery::ClearQuietFailure(viewer), std::logic_error);
}

}  // namespace
