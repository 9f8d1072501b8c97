#include <contracts/view_models/head_model.h>

#include <platform/automation/errors.h>

namespace trackquery {

using automation::Raise;
namespace vberr = automation::vberr;

const std::string& HeadModel::Line(int32_t index) const {
    if (index < 1 || index > LineCount()) Raise(vberr::SubscriptOutOfRange, "HeadModel.Line");
    return lines_[static_cast<size_t>(index - 1)];
}

void HeadModel::SetLine(int32_t index, const std::string& text) {
    if (index < 1 || index > LineCount()) Raise(vberr::SubscriptOutOfRange, "HeadModel.Line");
    lines_[static_cast<size_t>(index - 1)] = text;
}

}  // namespace trackquery
