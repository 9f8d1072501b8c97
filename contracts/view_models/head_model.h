#pragma once
// The head panel of the trace viewer: an ordered list of text lines under the head title. The
// controllers create and fill it; the viewer only shows it.

#include <platform/automation/object.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trackquery {

class HeadModel : public automation::Object {
  public:
    std::string TypeName() const override { return "HeadModel"; }

    void AddLine(const std::string& text) { lines_.push_back(text); }
    int32_t LineCount() const { return static_cast<int32_t>(lines_.size()); }
    // Line by 1-based index, read and written in place; outside 1..LineCount is error 9.
    const std::string& Line(int32_t index) const;
    void SetLine(int32_t index, const std::string& text);
    // Forgets every line.
    void Clear() { lines_.clear(); }

    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    std::vector<std::string> lines_;
};

using HeadModelPtr = std::shared_ptr<HeadModel>;

}  // namespace trackquery
