#pragma once
// A list of bills as the person picks from it: the rows under captioned columns, as the list's
// sheet shows them (components/bills/list_sheet.h), "*" before the selected ones.
//
//   search TEXT            show only the bills whose number holds TEXT (where the list can)
//   row N[,N...]           select these rows
//   check N on|off         select row N, or drop it from the selection
//   click N                select row N, or drop it when it is selected
//   all | clear            select every row, or none
//   ok | cancel            take the selection, or leave without one
//
// Two lists are drawn so, as on the desktop: the bill list control ("序时薄") of the list
// selection form, and the look-up of a class of bills (export orders).

#include "form_content.h"

#include <components/bills/list_binding.h>

namespace textface {

std::unique_ptr<FormContent> MakeListContent(client::ListBinding binding);

}  // namespace textface
