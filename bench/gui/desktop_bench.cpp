// Time of the desktop back end's work, each beside the headless viewer doing the same in the same
// run, so the cost of drawing reads as a ratio:
//
// - the navigation fill: InitTrack with 32,767 task orders, until the window shows the tree
//   scrolled to its end (the fill pumps Qt's events as a person's session does);
// - the expansion of a tracked-bill node of 10,000 bills, opened in the detail tree, until the
//   rows are drawn;
// - writing the detail tree of 10,000 rows as an XLSX workbook and as a PDF;
// - how late the 500 ms navigation delay fires in a modal window on real time.
//
// Offscreen unless QT_QPA_PLATFORM says otherwise. The databases are the other benchmarks' ones
// (bench_databases.h). Run: build-*/bench/bench_desktop

#include "../bench_databases.h"

#include <components/viewer/viewer_document.h>
#include <faces/qt/output/print_document.h>
#include <faces/qt/output/print_painter.h>
#include <faces/qt/output/xlsx_export.h>
#include <faces/qt/trace_viewer/qt_viewer_face.h>
#include <faces/qt/windowing/cjk_font.h>
#include <faces/qt/windowing/qt_backend.h>
#include <harness/headless_session.h>

#include <platform/windowing/clock.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/timer.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>

#include <chrono>

namespace {

using namespace bench_data;

// The desktop back end and viewer on a session, for the life of the object; without `drawn`
// the session keeps its headless viewer and back end. Both run on real time, as a person's
// session does (the native pumps of a fill are timed by it).
class Desk {
  public:
    Desk(harness::HeadlessSession& session, bool drawn) : drawn_(drawn) {
        auto& loop = windowing::EventLoop::Instance();
        saved_ = loop.BackendPtr();
        loop.SetClock(std::make_shared<windowing::SystemClock>());
        if (!drawn_) return;
        backend_ = std::make_shared<qtgui::QtBackend>();
        loop.SetBackend(backend_);
        qtgui::RegisterQtTraceViewer(TempFolder() / "trackquery_bench_out", false);
        (void)session;
    }
    ~Desk() { windowing::EventLoop::Instance().SetBackend(saved_); }

    // Draws what changed and lets Qt lay out and paint it.
    void Show() {
        if (!drawn_) return;
        backend_->Refresh();
        QApplication::processEvents();
    }
    bool Drawn() const { return drawn_; }

  private:
    bool drawn_;
    std::shared_ptr<windowing::Backend> saved_;
    std::shared_ptr<qtgui::QtBackend> backend_;
};

qtgui::TraceViewerWidget* WidgetOf(harness::HeadlessSession& session) {
    auto viewer = session.Viewer();
    auto* face = viewer ? qtgui::QtViewerFace::Of(*viewer) : nullptr;
    return face ? face->ExistingWidget() : nullptr;
}

// The view closes as its page does: the viewer reports Hide, then the window unloads.
void Close(harness::HeadlessSession& session) {
    auto viewer = session.Viewer();
    if (auto window = viewer ? viewer->Window() : nullptr) {
        viewer->Close();
        window->Unload();
    }
}

void NavigationFill(benchmark::State& state, bool drawn) {
    const auto orders = ReadTaskOrders(NavigationDatabase(), kNavigationOrders);
    harness::HeadlessSession session({.databasePath = NavigationDatabase()});
    Desk desk(session, drawn);
    int32_t nodes = 0;
    for (auto _ : state) {
        auto tracker = session.CreateICMOQuery();
        if (!session.StartEmbedded(tracker, orders.bills, orders.status)) {
            state.SkipWithError("InitTrack failed");
            break;
        }
        desk.Show();
        if (auto* widget = drawn ? WidgetOf(session) : nullptr) {
            widget->NavigationTree()->scrollToBottom();
            QApplication::processEvents();
            nodes = widget->NavigationItems().ShownNodeCount();
        } else {
            nodes = session.Viewer()->GetNavigationModel()->NodeCount();
        }
        state.PauseTiming();
        Close(session);
        desk.Show();
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}

void BM_NavigationFillHeadless(benchmark::State& state) { NavigationFill(state, false); }
void BM_NavigationFillDesktop(benchmark::State& state) { NavigationFill(state, true); }

std::string NodePath(const trackquery::DetailModelPtr& model, const std::string& kind) {
    for (int32_t i = 1; model && i <= model->Count(); ++i) {
        if (model->Item(i)->Key == kind) return std::to_string(i);
    }
    return "";
}

void ExpandNode(benchmark::State& state, bool drawn) {
    harness::HeadlessSession session({.databasePath = ExpansionDatabase()});
    Desk desk(session, drawn);
    auto tracker = session.CreateICMOQuery();
    auto list = harness::HeadlessSession::BillList({{ExpandedTaskOrder(), "bench"}});
    if (!session.StartEmbedded(tracker, list)) {
        state.SkipWithError("InitTrack failed");
        return;
    }
    auto viewer = session.Viewer();
    size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.ClickTool("btnRefresh");
        desk.Show();
        const std::string path = NodePath(viewer->GetDetailModel(), "-24");
        state.ResumeTiming();
        if (path.empty()) {
            state.SkipWithError("no production issue node to expand");
            break;
        }
        if (auto* widget = drawn ? WidgetOf(session) : nullptr) {
            // The person opens the node in the tree; the rows load and are drawn.
            widget->DetailTree()->expand(widget->DetailItems().index(std::stoi(path) - 1, 0));
            desk.Show();
        } else {
            session.ExpandDetail(path);
        }
        rows = viewer->GetDetailModel()->Item(std::stoi(path))->Rows().size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    Close(session);
}

void BM_ExpandNodeHeadless(benchmark::State& state) { ExpandNode(state, false); }
void BM_ExpandNodeDesktop(benchmark::State& state) { ExpandNode(state, true); }

// A detail tree of one node with `rows` bills of eight columns and a totals row, as the tracker
// builds production issues.
trackquery::DetailModel BillTree(int rows) {
    using namespace trackquery;
    auto node = std::make_shared<DetailNode>();
    const char* keys[] = {"FBillNO",   "FStatus", "FDate", "FItemNumber",
                          "FItemName", "FUnit",   "FQty",  "FAmount"};
    const char* captions[] = {"生产领料单", "状态", "日期", "物料代码",
                              "物料名称",   "单位", "数量", "金额"};
    for (int c = 0; c < 8; ++c) {
        auto column = std::make_shared<DetailColumn>();
        column->Key = keys[c];
        column->Caption = captions[c];
        column->CtlType = std::string(c >= 6 ? "1" : "0");
        column->Align = c >= 6 ? 1 : 0;
        node->AddColumn(column);
    }
    for (int i = 1; i <= rows; ++i) {
        auto row = std::make_shared<DetailRow>();
        row->RowColor = 5662310;
        row->StatusIcon = 17;
        row->AddCell("FBillNO", "SOUT" + std::to_string(100000 + i), "SOUT");
        row->AddCell("FStatus", "审核", 1);
        row->AddCell("FDate", "2026-05-01", "2026-05-01");
        row->AddCell("FItemNumber", "02.000024", "02.000024");
        row->AddCell("FItemName", "材料24", "材料24");
        row->AddCell("FUnit", "千克", "千克");
        row->AddCell("FQty", "2.50", 2.5);
        row->AddCell("FAmount", "7.50", 7.5);
        node->AddRow(row);
    }
    node->IsExpanded = true;
    DetailModel model;
    model.Add(node);
    return model;
}

void BM_WriteXlsx10000(benchmark::State& state) {
    const auto model = BillTree(10000);
    size_t bytes = 0;
    for (auto _ : state)
        bytes =
            qtgui::DetailModelToXlsx(model, {"生产任务单全程跟踪", "2026-05-01", "bench"}).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_WritePdf10000(benchmark::State& state) {
    const auto model = BillTree(10000);
    const auto document = qtgui::BuildPrintDocument("生产任务单全程跟踪", "2026-05-01", "bench", "",
                                                    {}, "详细跟踪信息", &model);
    size_t bytes = 0;
    for (auto _ : state) bytes = qtgui::DocumentToPdf(document).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}

// How late a 500 ms timer fires in a modal window that waits on Qt's events on real time.
void BM_NavigationDelayLateness(benchmark::State& state) {
    auto& loop = windowing::EventLoop::Instance();
    const auto saved = loop.BackendPtr();
    loop.SetClock(std::make_shared<windowing::SystemClock>());
    loop.SetBackend(std::make_shared<qtgui::QtBackend>());
    double worst = 0;
    for (auto _ : state) {
        auto form = std::make_shared<windowing::Form>("frmDelay");
        auto timer = form->Add<windowing::Timer>("tmrQuery");
        timer->SetInterval(500);
        std::chrono::steady_clock::time_point fired;
        timer->OnTimer = [&] {
            fired = std::chrono::steady_clock::now();
            timer->SetEnabled(false);
            form->Hide();
        };
        const auto start = std::chrono::steady_clock::now();
        form->Show(windowing::vbModal);
        const double late = std::chrono::duration<double, std::milli>(fired - start).count() - 500;
        worst = std::max(worst, late);
        state.SetIterationTime(late / 1000);
        form->Unload();
    }
    state.counters["worst_late_ms"] = worst;
    loop.SetBackend(saved);
}

}  // namespace

BENCHMARK(BM_NavigationFillHeadless)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NavigationFillDesktop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExpandNodeHeadless)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExpandNodeDesktop)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WriteXlsx10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePdf10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NavigationDelayLateness)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qtgui::UseCjkFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
