#pragma once
// The status bar under the viewer: the failure the last read ran into (the view's status line),
// a note while the head and detail panels do not show the node selected, the counts (orders in
// the navigation tree, rows of the detail node at hand) and the legend of the status colours,
// each mark with its status word as its tooltip.

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;

namespace qtgui {

class ViewerStatusBar : public QWidget {
  public:
    // `caption` gives a text of the bar in the session's language.
    ViewerStatusBar(std::function<QString(const std::string&)> caption, QWidget* parent);

    // The view's status line: shown while there is something to say.
    void SetFailure(const QString& text);
    void SetNote(const QString& text);
    // Orders in the tree; the rows of the detail node at hand (its caption empty: none).
    void SetCounts(int orders, const QString& node, int rows);

    QLabel* FailureLine() const { return failure_; }
    QLabel* Note() const { return note_; }
    QLabel* Counts() const { return counts_; }
    QWidget* Legend() const { return legend_; }

  private:
    QWidget* MakeLegend();

    std::function<QString(const std::string&)> caption_;
    QLabel* failure_;
    QLabel* note_;
    QLabel* counts_;
    QWidget* legend_;
};

// The tooltip of a status mark: its words in the session's language.
QString StatusWordsText(int32_t image, const std::function<QString(const std::string&)>& caption);

}  // namespace qtgui
