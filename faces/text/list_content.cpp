#include "list_content.h"

#include "command_words.h"

#include <components/bills/list_sheet.h>

#include <platform/adodb/recordset.h>

#include <algorithm>

namespace textface {

namespace {

void RequireArgs(const std::vector<std::string>& args, size_t count, const std::string& usage) {
    if (args.size() != count) throw UsageError("usage: " + usage);
}

class ListContent : public FormContent {
  public:
    explicit ListContent(client::ListBinding binding) : list_(std::move(binding)) {}

    std::string Render() const override {
        return client::RenderListSheet(client::ReadListSheet(list_.layout(), list_.rows()),
                                       list_.selected());
    }

    std::string Help() const override {
        return std::string(list_.search ? "  search TEXT            show only the bills whose "
                                          "number holds TEXT\n"
                                        : "") +
               "  row N[,N...]           select these rows (* marks the selection)\n"
               "  check N on|off         select row N, or drop it from the selection\n"
               "  click N                select row N, or drop it when it is selected\n"
               "  all | clear            select every row, or none\n"
               "  ok | cancel            take the selection, or leave without one\n";
    }

    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string& rest,
             std::ostream& out) override {
        if (verb == "search" && list_.search) {
            Search(rest, out);
        } else if (verb == "row") {
            RequireArgs(args, 1, "row N[,N...]");
            for (int32_t row : ParsePositions(args[0], "the rows"))
                list_.selectRow(CheckedRow(row));
        } else if (verb == "check") {
            RequireArgs(args, 2, "check N on|off");
            SetRow(CheckedRow(ParsePosition(args[0], "the row")), ParseOnOff(args[1]));
        } else if (verb == "click") {
            RequireArgs(args, 1, "click N");
            const int32_t row = CheckedRow(ParsePosition(args[0], "the row"));
            SetRow(row, !IsSelected(row));
        } else if (verb == "all") {
            list_.selectAll();
        } else if (verb == "clear") {
            list_.clearSelection();
        } else if (verb == "ok" || verb == "cancel") {
            list_.close(verb == "ok");
        } else {
            return false;
        }
        return true;
    }

  private:
    void Search(const std::string& text, std::ostream& out) {
        const std::string failure = list_.search(text);
        if (!failure.empty()) throw UsageError(failure);
        if (RowCount() > 0) return;
        out << (text.empty() ? std::string("The list has no bills.")
                             : "No bill number holds \"" + text + "\".")
            << "\n";
    }
    int32_t RowCount() const {
        const auto rows = list_.rows();
        return rows ? rows->RecordCount() : 0;
    }
    // A row of the list as it is shown now; any other is named with the rows there are.
    int32_t CheckedRow(int32_t row) const {
        const int32_t count = RowCount();
        if (row <= count) return row;
        throw UsageError("there is no row " + std::to_string(row) + ": the list shows " +
                         (count == 1 ? std::string("1 row") : std::to_string(count) + " rows"));
    }
    bool IsSelected(int32_t row) const {
        const auto rows = list_.selected();
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }
    void SetRow(int32_t row, bool selected) {
        if (selected == IsSelected(row)) return;
        if (selected) {
            list_.selectRow(row);
            return;
        }
        std::vector<int32_t> keep = list_.selected();
        std::erase(keep, row);
        list_.clearSelection();
        for (int32_t other : keep) list_.selectRow(other);
    }

    client::ListBinding list_;
};

}  // namespace

std::unique_ptr<FormContent> MakeListContent(client::ListBinding binding) {
    return std::make_unique<ListContent>(std::move(binding));
}

}  // namespace textface
