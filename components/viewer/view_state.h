#pragma once
// What the viewer's document shows, gathered in one place so that every face draws, prints and
// exports the same state.

#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/head_model.h>
#include <contracts/view_models/navigation_model.h>

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
