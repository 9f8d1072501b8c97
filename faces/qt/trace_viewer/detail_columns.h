#pragma once
// The widths of the detail pane's columns, kept per kind of node (a bill kind, a phase: the
// node's Key) and column (its Key): every node of a kind shows its columns at the same widths
// wherever it stands, and opening a node of another kind never moves them.
//
// A column gets a width the first time a node of its kind is shown with rows: wide enough for its
// caption and the rows loaded then (within bounds). After that only the user changes it, by
// dragging the edge of its heading; the widths the user chose are the ones remembered.

#include <contracts/view_models/detail_model.h>

#include <QFontMetrics>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qtgui {

class DetailColumnWidths {
  public:
    using Key = std::pair<std::string, std::string>;  // kind, column

    // The widths of a node's visible columns, in order (a column without a width yet: the
    // default).
    std::vector<int> Layout(const trackquery::DetailNode& node) const;
    // Gives the columns of the node's kind that have no width yet one that fits the caption and
    // the loaded cells. Returns whether any width was set.
    bool FitNewColumns(const trackquery::DetailNode& node, const QFontMetrics& metrics);
    // The user's width for the visible column at `position` of a node.
    void SetUserWidth(const trackquery::DetailNode& node, size_t position, int width);
    // The width that fits the caption and the loaded cells of that column of the node.
    int FittingWidth(const trackquery::DetailNode& node, size_t position,
                     const QFontMetrics& metrics) const;

    // Drops the widths the user did not choose, so that they are fitted again (to a new font).
    void ForgetFitted() { widths_ = userWidths_; }

    // The widths the user chose, to be remembered, and the remembered ones back.
    const std::map<Key, int>& UserWidths() const { return userWidths_; }
    void RestoreUserWidths(std::map<Key, int> widths);

    static constexpr int kMinimum = 24;
    static constexpr int kDefault = 90;

  private:
    static Key KeyOf(const trackquery::DetailNode& node, const trackquery::DetailColumn& column);

    std::map<Key, int> widths_;
    std::map<Key, int> userWidths_;
};

}  // namespace qtgui
