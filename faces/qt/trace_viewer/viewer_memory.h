#pragma once
// What the desktop viewer remembers for its user between runs, in the user's settings (QSettings,
// "trackquery/trackquery-gui"):
// - per view (the viewer's name, ViewSetting05 or "TraceViewer"): the size and place of its
//   window (apart for a stand-alone window and a page of a host window), the splitters, the view
//   choices of the viewer's bar and the column widths the user set, per kind of detail node;
// - for every view: the fonts of the titles and the tables and the ground of the detail table
//   that the user chose with the tools of the options menu.

#include <faces/qt/trace_viewer/detail_columns.h>

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>

#include <map>
#include <optional>
#include <string>

namespace qtgui {

struct RememberedView {
    std::map<QString, QByteArray> geometry;  // by the kind of window
    QByteArray outerSplitter;
    QByteArray rightSplitter;
    std::map<std::string, bool> viewChoices;  // check states of the viewer's view tools
    std::map<DetailColumnWidths::Key, int> columnWidths;
};

struct ViewerLook {
    std::optional<QFont> titleFont;
    std::optional<QFont> tableFont;
    QColor tableGround;  // invalid: the theme's

    friend bool operator==(const ViewerLook&, const ViewerLook&) = default;
};

RememberedView ReadRememberedView(const QString& viewName);
// Writes the layout; the column widths are written by WriteColumnWidths.
void WriteRememberedLayout(const QString& viewName, const RememberedView& view);
void WriteColumnWidths(const QString& viewName,
                       const std::map<DetailColumnWidths::Key, int>& widths);

ViewerLook ReadViewerLook();
void WriteViewerLook(const ViewerLook& look);

}  // namespace qtgui
