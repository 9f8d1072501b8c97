#pragma once
// A paint device that keeps every text painted on it, where it was painted and how wide, page by
// page, so that a test can see what a print would show: whether a value is whole, cut or elided,
// and whether it stays on the page and clear of its neighbours. Pages are A4 at 300 dots an inch
// inside 12 mm margins, as the program's PDF.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QTextItem>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace desktop_test {

struct PaintedText {
    int page = 0;
    double x = 0;
    double baseline = 0;
    double width = 0;
    std::string text;
};

class RecordingEngine : public QPaintEngine {
  public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        texts.push_back({page, at.x(), at.y(), item.width(), item.text().toStdString()});
    }
    int page = 1;
    std::vector<PaintedText> texts;
};

class RecordingDevice : public QPaintDevice {
  public:
    static constexpr int kDpi = 300;
    // A4 less two margins of 12 mm, in dots.
    static constexpr int kWidth = static_cast<int>((210 - 24) / 25.4 * kDpi);
    static constexpr int kHeight = static_cast<int>((297 - 24) / 25.4 * kDpi);

    QPaintEngine* paintEngine() const override { return &engine_; }
    void NewPage() { ++engine_.page; }

    // The texts of each painted line: pieces that touch on one baseline joined into one run.
    std::vector<PaintedText> Runs() const {
        auto texts = engine_.texts;
        std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
            return std::tie(a.page, a.baseline, a.x) < std::tie(b.page, b.baseline, b.x);
        });
        std::vector<PaintedText> runs;
        for (const auto& piece : texts) {
            if (!runs.empty()) {
                auto& last = runs.back();
                if (last.page == piece.page && last.baseline == piece.baseline &&
                    std::abs(last.x + last.width - piece.x) < 1.0) {
                    last.text += piece.text;
                    last.width = piece.x + piece.width - last.x;
                    continue;
                }
            }
            runs.push_back(piece);
        }
        return runs;
    }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        if (metric == PdmWidth || metric == PdmHeight) return metric == PdmWidth ? kWidth : kHeight;
        if (metric == PdmWidthMM || metric == PdmHeightMM) return metric == PdmWidthMM ? 186 : 273;
        if (metric == PdmDevicePixelRatioScaled) return static_cast<int>(devicePixelRatioFScale());
        if (metric == PdmDepth || metric == PdmDevicePixelRatio) return metric == PdmDepth ? 32 : 1;
        const bool dpi = metric == PdmDpiX || metric == PdmDpiY || metric == PdmPhysicalDpiX ||
                         metric == PdmPhysicalDpiY;
        return dpi ? kDpi : metric == PdmNumColors ? INT_MAX : 0;
    }

  private:
    mutable RecordingEngine engine_;
};

}  // namespace desktop_test
