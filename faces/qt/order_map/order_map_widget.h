#pragma once
// The desktop's face of the document map window: the map in a graphics view (hover shows a
// bill's details, a double click opens it as the tracker would, the wheel with Ctrl zooms, a drag
// pans) under a row of buttons: zoom in, zoom out, fit to window, export (SVG, PNG or PDF) and
// print. Without dialogs (a scripted run, `--out`) export writes all three files and print a PDF
// straight into the output folder, never over a file.

#include <faces/qt/order_map/map_export.h>
#include <faces/qt/windowing/control_widget.h>

#include <components/order_map/order_map_window.h>

#include <QGraphicsView>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

namespace qtgui {

class OrderMapWidget : public QWidget {
  public:
    OrderMapWidget(std::weak_ptr<client::frmOrderMap> window, std::filesystem::path outDir,
                   bool usesDialogs, QWidget* parent);

    QGraphicsView& View() { return *view_; }
    QGraphicsScene& Scene() { return *scene_; }
    void ZoomBy(double factor);
    void FitToWindow();
    // Writes the map in `format` into the output folder; returns the path written.
    std::filesystem::path WriteFile(MapFormat format);
    void Export();
    void Print();

  private:
    std::string BaseName() const;
    std::filesystem::path OutputFolder() const;

    std::weak_ptr<client::frmOrderMap> window_;
    std::filesystem::path outDir_;
    bool usesDialogs_;
    QGraphicsScene* scene_;
    QGraphicsView* view_;
};

// Registers the face of "frmOrderMap"; files go to `outDir` (or the user's output folder when it
// is empty), through dialogs when `usesDialogs`.
void RegisterOrderMapForm(const std::filesystem::path& outDir, bool usesDialogs);

}  // namespace qtgui
