#pragma once
// What the headless trace viewer shows, gathered in one place so that the text rendering, the
// print files and the export read the same state.

#include <trackquery/contracts/detail_model.h>
#include <trackquery/contracts/head_model.h>
#include <trackquery/contracts/navigation_model.h>

#include <string>

namespace client {

struct ViewState {
    trackquery::NavigationModelPtr navigation;
    trackquery::HeadModelPtr head;
    trackquery::DetailModelPtr detail;

    std::string navigationTitle;
    std::string headTitle;
    std::string detailTitle;
    bool headTitleAlert = false;
    // The status line under the panes (what the last read the user asked for ran into).
    std::string statusText;

    // The selected navigation node (only while it is still in the model) and detail object.
    trackquery::NavigationNodePtr selectedNode;
    automation::ObjectPtr selectedDetail;

    // The view tools of the viewer's bar.
    bool showTitles = true;
    bool showHeadTitle = true;
    bool showHead = true;
    bool showDetail = true;
};

}  // namespace client
