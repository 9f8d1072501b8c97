#pragma once
// A form for the tests that writes down every handler it runs, and can be told to cancel its
// unload or to act inside a handler.

#include <platform/windowing/form.h>

#include <functional>
#include <string>
#include <vector>

namespace windowing_test {

class RecordingForm : public windowing::Form {
  public:
    explicit RecordingForm(std::string name = "frmRecording") : Form(std::move(name)) {}

    std::vector<std::string> log;
    int16_t cancelQueryUnload = 0;
    int16_t cancelUnload = 0;
    int16_t lastUnloadMode = -1;
    std::function<void()> onLoad;
    std::function<void()> onActivate;
    std::function<void()> onResize;
    std::function<void(int16_t&, int16_t&)> onKeyDown;

  protected:
    void Form_Load() override {
        log.push_back("Load");
        if (onLoad) onLoad();
    }
    void Form_Activate() override {
        log.push_back("Activate");
        if (onActivate) onActivate();
    }
    void Form_Resize() override {
        log.push_back("Resize " + std::to_string(ScaleWidth()) + "x" +
                      std::to_string(ScaleHeight()));
        if (onResize) onResize();
    }
    void Form_KeyDown(int16_t& KeyCode, int16_t& Shift) override {
        log.push_back("KeyDown " + std::to_string(KeyCode) + "/" + std::to_string(Shift));
        if (onKeyDown) onKeyDown(KeyCode, Shift);
    }
    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override {
        log.push_back("QueryUnload " + std::to_string(UnloadMode));
        lastUnloadMode = UnloadMode;
        Cancel = cancelQueryUnload;
    }
    void Form_Unload(int16_t& Cancel) override {
        log.push_back("Unload");
        Cancel = cancelUnload;
    }
};

}  // namespace windowing_test
