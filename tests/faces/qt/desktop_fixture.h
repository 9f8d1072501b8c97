#pragma once
// What the desktop tests share: a demo ERP database built once per program, a client session on
// it with the Qt back end and the desktop trace viewer in place, pictures under the build folder,
// and the answering of a message box the way a person does (a click on its button).

#include <components/erp_database/demo_database.h>
#include <faces/qt/bills/bill_forms.h>
#include <faces/qt/trace_viewer/qt_viewer_face.h>
#include <faces/qt/windowing/form_window.h>
#include <faces/qt/windowing/message_box.h>
#include <faces/qt/windowing/qt_backend.h>
#include <harness/headless_session.h>

#include <platform/windowing/event_loop.h>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <unistd.h>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace desktop_test {

namespace fs = std::filesystem;

inline fs::path TempPath(const std::string& name) {
    return fs::path(::testing::TempDir()) / ("qt_" + std::to_string(::getpid()) + "_" + name);
}

// A demo database of `orders` task orders, built once per program.
inline std::string DemoDatabase(int32_t orders = 40) {
    static std::map<int32_t, std::string> built;
    auto& path = built[orders];
    if (path.empty()) {
        path = TempPath("demo_" + std::to_string(orders) + ".db").string();
        client::erp_database::DemoDefinition definition;
        definition.taskOrders = orders;
        client::erp_database::BuildDemoDatabase(path, definition);
    }
    return path;
}

// Where the tests leave their pictures for people to look at.
inline fs::path ScreenshotFolder(const std::string& test) {
    return fs::path(TRACKQUERY_BINARY_DIR) / "screenshots" / "qt-tests" / test;
}

// A fresh folder for a test's output files.
inline fs::path OutputFolder(const std::string& name) {
    const fs::path folder = TempPath("out_" + name);
    fs::remove_all(folder);
    return folder;
}

// A session on the demo database drawn by the Qt back end: the virtual clock of the harness (a
// test says when time passes), real widgets, a person's message boxes.
class DesktopSession {
  public:
    explicit DesktopSession(const std::string& test, int32_t orders = 40)
        : session_(Options(orders)), output_(OutputFolder(test)) {
        auto& loop = windowing::EventLoop::Instance();
        saved_ = loop.BackendPtr();
        backend_ = std::make_shared<qtgui::QtBackend>();
        fs::remove_all(ScreenshotFolder(test));
        backend_->SetScreenshotDirectory(ScreenshotFolder(test));
        loop.SetBackend(backend_);
        qtgui::RegisterQtTraceViewer(output_, false);
        qtgui::RegisterBillForms();
    }
    ~DesktopSession() {
        windowing::EventLoop::Instance().SetBackend(saved_);
        backend_.reset();
    }

    harness::HeadlessSession& Session() { return session_; }
    qtgui::QtBackend& Backend() { return *backend_; }
    const fs::path& Output() const { return output_; }

  private:
    static harness::HeadlessSessionOptions Options(int32_t orders) {
        harness::HeadlessSessionOptions options;
        options.databasePath = DemoDatabase(orders);
        return options;
    }

    harness::HeadlessSession session_;
    fs::path output_;
    std::shared_ptr<windowing::Backend> saved_;
    std::shared_ptr<qtgui::QtBackend> backend_;
};

// Clicks `result`'s button on the next message box that comes up, as a person would; the text
// of the box is kept in `seen`. A box that does not come within the time fails the test through
// the caller's assertion on `seen`.
inline void AnswerNextBox(int32_t result, std::string& seen) {
    auto attempts = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    // Each timer runs a copy of the function, which holds itself to re-arm the next; the copy
    // that stops lets go of the held one, or the two would keep each other alive for good.
    *poll = [result, &seen, attempts, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++*attempts < 200) {
                QTimer::singleShot(10, *poll);
            } else {
                *poll = nullptr;
            }
            return;
        }
        *poll = nullptr;
        seen = box->text().toStdString();
        if (auto* button = qtgui::ButtonFor(*box, result))
            QTest::mouseClick(button, Qt::LeftButton);
    };
    QTimer::singleShot(0, *poll);
}

// Runs `act` once the window of form `formName` is shown, as a person waits for it; gives up (and
// the caller's assertions fail) when it does not come within two seconds.
inline void WhenShown(qtgui::QtBackend& backend, const std::string& formName,
                      std::function<void(qtgui::FormWindow&)> act) {
    auto attempts = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    // As in AnswerNextBox, the copy that stops lets go of the function held for re-arming.
    *poll = [&backend, formName, act, attempts, poll] {
        auto* window = backend.WindowOf(formName);
        if (!window || !window->isVisible()) {
            if (++*attempts < 200) {
                QTimer::singleShot(10, *poll);
                return;
            }
            *poll = nullptr;
            return;
        }
        *poll = nullptr;
        act(*window);
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace desktop_test
