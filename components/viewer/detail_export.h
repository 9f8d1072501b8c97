#pragma once
// The detail tree as CSV (RFC 4180, UTF-8), the viewer's export format.
//
// One record per line of the tree, depth first, every loaded row included whether or not it is
// expanded. The first field is the detail path (the one ItemByPath reads), the second the kind of
// record, then the texts:
//   path,node,<label>                 a node (its first column's caption, or its Key)
//   path,columns,<caption>,...        the node's visible column headings
//   path,row,<text>,...               a row: the cell texts under the visible columns
//   path,total,<text>,...             the node's totals row
// The file starts with the header record "Path,Kind,Values".

#include <contracts/view_models/detail_model.h>

#include <string>
#include <string_view>
#include <vector>

namespace client {

std::string DetailModelToCsv(const trackquery::DetailModel& model);
// The whole CSV file of a detail tree (an empty one for nothing): the records after a UTF-8 byte
// order mark, without which spreadsheet programs do not read the file as UTF-8.
std::string DetailCsvFile(const trackquery::DetailModel* model);

// One CSV field, quoted when it holds a comma, a quote or a line break. A text a spreadsheet would
// run as a formula (it starts with "=", "+", "-", "@", a tab or a carriage return, and is no plain
// number) is written with an apostrophe in front.
std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

}  // namespace client
