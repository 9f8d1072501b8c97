#pragma once
// The bill list of the start window: the task orders of a sub-system by number, narrowed as one
// types, checked to be tracked.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace qtgui {

class TaskOrderPicker : public QDialog {
  public:
    using Translate = std::function<QString(const char* chinese)>;
    TaskOrderPicker(const std::vector<std::string>& numbers, const Translate& text,
                    QWidget* parent = nullptr);

    // The numbers checked, in list order.
    std::vector<std::string> Picked() const;

  private:
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace qtgui
