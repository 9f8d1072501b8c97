#pragma once
// The client's form that hosts an embedded tracking window. The library only asks it to close the
// page: it hands over a bare menu bar tool named "close", as if the host's own close tool had been
// clicked. The tool is passed by reference, so the host may replace it.

#include <platform/automation/object.h>

#include <memory>

namespace activebar {
class Tool;
}

namespace trackquery {

class IHostForm : public automation::Object {
  public:
    virtual void FireToolBarClick(std::shared_ptr<activebar::Tool>& Tool) = 0;
};

}  // namespace trackquery
