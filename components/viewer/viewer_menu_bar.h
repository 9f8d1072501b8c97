#pragma once
// The trace viewer's own menu bar: the refresh and output tools, the bill selection and position
// boxes, and the view menu whose checkable tools show or hide the panes, titles and tool bands.

#include <platform/activebar/active_bar.h>

namespace client {

// Bands of the viewer's bar.
inline constexpr const char* kBandStandard = "bndStandard";
inline constexpr const char* kBandViewer = "bndViewer";
inline constexpr const char* kBandViewerTitle = "bndViewerTitle";
inline constexpr const char* kBandFilter = "bndfilter";
inline constexpr const char* kBandSearch = "bndSearch";

// The viewer's own output tools. The host's bar usually brings guarded tools for the same purpose
// (btnPrintPreview, btnPrint, btnExport); the viewer then hides these (see AttachMenuBar).
inline constexpr const char* kToolViewerPrintPreview = "btnViewerPrintPreview";
inline constexpr const char* kToolViewerPrint = "btnViewerPrint";
inline constexpr const char* kToolViewerExport = "btnViewerExport";

// A new bar with every band and tool of the viewer; the view tools start checked.
activebar::ActiveBarPtr CreateViewerMenuBar();

}  // namespace client
