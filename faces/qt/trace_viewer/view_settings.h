#pragma once
// What the viewer's start-up settings mean in this viewer (the controllers set them; their meaning
// is the viewer's own):
//
//   ViewSetting01  True: the navigation tree shows the status image of each node.
//   ViewSetting03  the point size of the panes' text (0: the system's size), unless the user
//                  chose a table font.
//   ViewSetting05  the name under which the viewer keeps its layout for the user ("TraceViewer"
//                  when none is set); names the viewer's widget. The layout kept is taken back
//                  when the view is first shown, over the shares below, so LayoutRestored stays
//                  False and the trackers set their shares as always.
//   ViewSetting11  the navigation pane's share of the view's width (0 to 1; 0: the default 0.3),
//                  until the user moves the splitter.
//   ViewSetting12  the head pane's share of the right side's height (0 to 1; 0: the default 0.25),
//                  likewise.
//   ViewSetting13  True: the navigation pane stands above the others instead of beside them.
//   ViewSetting14  kept; the head lines always flow into as many columns as the pane's height
//                  needs.
//   ViewSetting15  the detail cells' horizontal padding, in pixels.
//   ViewSetting16  the detail rows' vertical padding, in pixels.
//   ViewSetting17  kept; this viewer draws no grid either way.

#include <contracts/trace_viewer.h>

namespace qtgui {

struct ViewSettings {
    bool statusImages = true;
    int fontPointSize = 0;
    double navigationShare = 0.3;
    double headShare = 0.25;
    bool navigationOnTop = false;
    int cellPadding = 0;
    int rowPadding = 0;

    friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

inline ViewSettings ReadViewSettings(const trackquery::ITraceViewer& viewer) {
    ViewSettings settings;
    settings.statusImages = viewer.ViewSetting01();
    settings.fontPointSize = viewer.ViewSetting03();
    if (viewer.ViewSetting11() > 0 && viewer.ViewSetting11() < 1) {
        settings.navigationShare = viewer.ViewSetting11();
    }
    if (viewer.ViewSetting12() > 0 && viewer.ViewSetting12() < 1) {
        settings.headShare = viewer.ViewSetting12();
    }
    settings.navigationOnTop = viewer.ViewSetting13();
    settings.cellPadding = viewer.ViewSetting15();
    settings.rowPadding = viewer.ViewSetting16();
    return settings;
}

}  // namespace qtgui
