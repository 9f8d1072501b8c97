#pragma once
// What a print of the trace viewer holds, as lines, and how the lines fall onto pages.
//
// The lines are the head panel's lines, then the detail tree as it is shown: every node, and the
// rows of expanded nodes (with the child nodes of expanded rows), each node's rows under a line of
// its visible column headings. A page break inside a node's rows repeats that node's headings at
// the top of the next page. Every page carries the tracking title and the date at its top and its
// number at its foot (see print_painter.h).

#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/navigation_model.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qtgui {

struct PrintLine {
    enum class Kind { Title, Text, Node, Heading, Row, Total };
    Kind kind = Kind::Text;
    int depth = 0;
    std::vector<std::string> texts;
    std::vector<int32_t> aligns;  // per text: 0 left, 1 right, 2 centre
    // For rows and totals: the line that holds the headings of their node.
    std::optional<size_t> heading;
    // How many lines of text it takes on paper (a wrapped caption or text takes more than one).
    int height = 1;
};

struct PrintDocument {
    std::string title;     // the tracking title, on every page
    std::string date;      // YYYY-MM-DD, on every page
    std::string subtitle;  // the order shown, on every page
    std::vector<PrintLine> lines;
    // The panes the lines were made of, for an export that lays them out its own way.
    std::string headTitle;
    std::vector<std::string> headLines;
    std::string detailTitle;
};

// The document of a view. `detail` may be nothing.
PrintDocument BuildPrintDocument(std::string title, std::string date, std::string subtitle,
                                 const std::string& headTitle,
                                 const std::vector<std::string>& headLines,
                                 const std::string& detailTitle,
                                 const trackquery::DetailModel* detail);

// The texts of a navigation node and of the nodes above it, the outermost first and the root
// left out: the order, then (for a sales order entry) the entry. Names the order on a print, in an
// export's subtitle and in its file name.
std::vector<std::string> NavigationPath(const trackquery::NavigationModel& model,
                                        const trackquery::NavigationNode& node);

struct PageSlice {
    std::optional<size_t> repeatedHeading;  // a heading line drawn first, from an earlier page
    size_t first = 0;                       // the first line of the document on the page
    size_t count = 0;                       // how many document lines follow it
};

// The pages of a document when a page holds `linesPerPage` lines (at least 2), each line taking
// its height. A line taller than a page has a page of its own. A document without lines still has
// one page.
std::vector<PageSlice> Paginate(const PrintDocument& document, int linesPerPage);

}  // namespace qtgui
