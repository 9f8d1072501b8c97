// The commands of the dialogs the host drives: the bill option dialog, the order tracking option
// dialog, the bill list, and the class bill filter and look-up. Each is printed with its state, so
// that what a command changed can be read.

#include "dialog_commands.h"

#include "command_words.h"

#include <client/bills/class_bills.h>
#include <client/bills/ic_list.h>

#include <trackquery/dialogs/frmBillSel.h>
#include <trackquery/dialogs/frmList.h>
#include <trackquery/dialogs/frmOrderOption.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <sstream>

namespace apps {

namespace {

using trackquery::frmBillSel;
using trackquery::frmList;
using trackquery::frmOrderOption;

// A caption as the user reads it: the "&" that marks the access key is not shown.
std::string Shown(const std::string& caption) { return automation::Replace(caption, "&", ""); }

std::string Mark(bool on) { return on ? "[x]" : "[ ]"; }

std::string Title(const windowing::Form& form) {
    if (form.Caption().empty()) return "+-- " + form.Name() + " --\n";
    return "+-- " + form.Caption() + " (" + form.Name() + ") --\n";
}

void RequireArgs(const std::vector<std::string>& args, size_t count, const std::string& usage) {
    if (args.size() != count) throw UsageError("usage: " + usage);
}

// What the dialogs share: check ITEM on|off and click ITEM over boxes found by name.
template <class Box>
class BoxDialogCommands : public WindowCommands {
  protected:
    virtual Box Find(const std::string& item) = 0;
    virtual bool IsOn(const Box& box) const = 0;
    virtual void UserClick(const Box& box) = 0;

    // check ITEM on|off: the user's click when the box is not as asked already.
    void Check(const std::vector<std::string>& args) {
        RequireArgs(args, 2, "check ITEM on|off");
        const bool wanted = ParseOnOff(args[1]);
        Box box = Find(args[0]);
        if (IsOn(box) != wanted) UserClick(box);
    }
    void Click(const std::vector<std::string>& args) {
        RequireArgs(args, 1, "click ITEM");
        UserClick(Find(args[0]));
    }
};

// --- The bill option dialog ------------------------------------------------------------------

class BillSelCommands : public BoxDialogCommands<windowing::ListItemPtr> {
  public:
    explicit BillSelCommands(frmBillSel& dialog) : dialog_(dialog) {}

    std::string Name() const override { return dialog_.Name(); }

    std::string Render() const override {
        std::ostringstream out;
        out << Title(dialog_);
        int32_t number = 0;
        for (const auto& item : dialog_.lvwBillType->GetListItems().Items()) {
            out << "  " << ++number << " " << Mark(item->Checked()) << " " << item->Text() << "  ("
                << item->Key() << ")\n";
        }
        out << "  [" << Shown(dialog_.cmdAll->Caption()) << "] ["
            << Shown(dialog_.cmdClear->Caption()) << "] [" << Shown(dialog_.CmdOK->Caption())
            << "] [" << Shown(dialog_.cmdExit->Caption()) << "]\n";
        return out.str();
    }

    std::string Help() const override {
        return "  check ITEM on|off      check or uncheck a bill kind (its number, key or name)\n"
               "  click ITEM             click a bill kind's box\n"
               "  all | clear            check or uncheck every kind\n"
               "  ok | cancel            save the choice, or leave without saving\n";
    }

    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string&,
             std::ostream&) override {
        if (verb == "check") {
            Check(args);
        } else if (verb == "click") {
            Click(args);
        } else if (verb == "all") {
            dialog_.cmdAll->Click();
        } else if (verb == "clear") {
            dialog_.cmdClear->Click();
        } else if (verb == "ok") {
            dialog_.CmdOK->Click();
        } else if (verb == "cancel") {
            dialog_.cmdExit->Click();
        } else {
            return false;
        }
        return true;
    }

  protected:
    windowing::ListItemPtr Find(const std::string& item) override {
        const auto& items = dialog_.lvwBillType->GetListItems().Items();
        // A small number is the item's place; a kind's own id ("1007100") is looked up as one.
        const bool digits = !item.empty() && item.size() < 9 &&
                            std::all_of(item.begin(), item.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
        if (digits && std::stoi(item) >= 1 && std::stoul(item) <= items.size()) {
            return items[std::stoul(item) - 1];
        }
        for (const auto& candidate : items) {
            if (candidate->Key() == item || candidate->Tag() == item || candidate->Text() == item)
                return candidate;
        }
        throw UsageError("no bill kind \"" + item + "\" in the list (a number, key or name)");
    }
    bool IsOn(const windowing::ListItemPtr& item) const override { return item->Checked(); }
    void UserClick(const windowing::ListItemPtr& item) override {
        dialog_.lvwBillType->ClickCheckBox(item);
    }

  private:
    frmBillSel& dialog_;
};

// --- The order tracking option dialog --------------------------------------------------------

class OrderOptionCommands : public BoxDialogCommands<std::shared_ptr<windowing::CheckBox>> {
  public:
    explicit OrderOptionCommands(frmOrderOption& dialog) : dialog_(dialog) {}

    std::string Name() const override { return dialog_.Name(); }

    std::string Render() const override {
        std::ostringstream out;
        out << Title(dialog_);
        out << "  " << dialog_.FrmBill->Caption() << "\n";
        for (const auto& box : BillBoxes()) Line(out, *box);
        out << "  " << dialog_.FrmOther->Caption() << "\n";
        Line(out, *dialog_.ChkAmount);
        Line(out, *dialog_.ChkFilter);
        out << "  [" << Shown(dialog_.CmdOK->Caption()) << "] ["
            << Shown(dialog_.CmdCancel->Caption()) << "]\n";
        return out.str();
    }

    std::string Help() const override {
        return "  check ITEM on|off      check or uncheck a box (ChkMO, ShowMO or its caption)\n"
               "  click ITEM             click a box\n"
               "  all | clear            check or uncheck every box the dialog shows\n"
               "  ok | cancel            take the options, or leave them as they were\n";
    }

    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string&,
             std::ostream&) override {
        if (verb == "check") {
            Check(args);
        } else if (verb == "click") {
            Click(args);
        } else if (verb == "all" || verb == "clear") {
            for (const auto& box : AllBoxes()) {
                if (box->Visible() && box->Enabled() && IsOn(box) != (verb == "all")) box->Click();
            }
        } else if (verb == "ok") {
            dialog_.CmdOK->Click();
        } else if (verb == "cancel") {
            dialog_.CmdCancel->Click();
        } else {
            return false;
        }
        return true;
    }

  protected:
    std::shared_ptr<windowing::CheckBox> Find(const std::string& item) override {
        for (const auto& box : AllBoxes()) {
            // The boxes are named after their options: ChkMO holds ShowMO.
            const std::string option = "Show" + box->Name().substr(3);
            if (automation::EqualsIgnoreCase(box->Name(), item) ||
                automation::EqualsIgnoreCase(option, item) || box->Caption() == item) {
                if (!box->Visible()) throw UsageError("the box " + box->Name() + " is not shown");
                return box;
            }
        }
        throw UsageError("no box \"" + item + "\" in the dialog (ChkMO, ShowMO or a caption)");
    }
    bool IsOn(const std::shared_ptr<windowing::CheckBox>& box) const override {
        return box->Value() == windowing::vbChecked;
    }
    void UserClick(const std::shared_ptr<windowing::CheckBox>& box) override {
        if (!box->Click()) throw UsageError("the box " + box->Name() + " cannot be clicked");
    }

  private:
    std::vector<std::shared_ptr<windowing::CheckBox>> BillBoxes() const {
        return {dialog_.ChkInform,  dialog_.ChkSaleOut,    dialog_.ChkMO,     dialog_.ChkLC,
                dialog_.ChkInvoice, dialog_.ChkPreReceive, dialog_.ChkReceive};
    }
    std::vector<std::shared_ptr<windowing::CheckBox>> AllBoxes() const {
        auto boxes = BillBoxes();
        boxes.push_back(dialog_.ChkAmount);
        boxes.push_back(dialog_.ChkFilter);
        return boxes;
    }
    static void Line(std::ostream& out, const windowing::CheckBox& box) {
        if (!box.Visible()) return;
        out << "    " << Mark(box.Value() == windowing::vbChecked) << " " << box.Name() << "  "
            << box.Caption() << (box.Enabled() ? "" : "  (disabled)") << "\n";
    }

    frmOrderOption& dialog_;
};

// --- Record sets shown as rows -----------------------------------------------------------------

// The rows of a record set, one a line, numbered, every field shown, the selected rows marked.
std::string RowsText(const adodb::RecordsetPtr& rows, const std::vector<int32_t>& selected) {
    std::ostringstream out;
    if (!rows) return "  (no rows)\n";
    auto copy = rows->Clone();
    int32_t number = 0;
    for (copy->MoveFirst(); !copy->Eof(); copy->MoveNext()) {
        ++number;
        const bool chosen = std::find(selected.begin(), selected.end(), number) != selected.end();
        out << "  " << (chosen ? "*" : " ") << " " << number;
        for (int32_t i = 0; i < copy->Fields()->Count(); ++i) {
            out << " | " << automation::TextOrEmpty(copy->Fields()->Item(i)->Value());
        }
        out << "\n";
    }
    if (number == 0) out << "  (no rows)\n";
    return out.str();
}

void SelectRows(const std::vector<std::string>& args, const std::function<void(int32_t)>& select) {
    RequireArgs(args, 1, "row N[,N...]");
    for (int32_t row : ParsePositions(args[0], "the rows")) select(row);
}

// --- The bill list -----------------------------------------------------------------------------

class ListCommands : public WindowCommands {
  public:
    ListCommands(frmList& dialog, client::ICList& list) : dialog_(dialog), list_(list) {}

    std::string Name() const override { return dialog_.Name(); }

    std::string Render() const override {
        return Title(dialog_) + RowsText(list_.GetListRs(), list_.SelectedRows());
    }

    std::string Help() const override {
        return "  search TEXT            show only the bills whose number holds TEXT\n"
               "  row N[,N...]           select these rows (* marks the selection)\n"
               "  check N on|off         select row N, or drop it from the selection\n"
               "  click N                select row N, or drop it when it is selected\n"
               "  all | clear            select every row, or none\n"
               "  ok | cancel            take the selection, or leave without one\n";
    }

    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string& rest,
             std::ostream&) override {
        if (verb == "search") {
            list_.SetBillNoSearch(rest);
        } else if (verb == "row") {
            SelectRows(args, [&](int32_t row) { list_.SelectRow(row); });
        } else if (verb == "check") {
            RequireArgs(args, 2, "check N on|off");
            SetRow(ParsePosition(args[0], "the row"), ParseOnOff(args[1]));
        } else if (verb == "click") {
            RequireArgs(args, 1, "click N");
            const int32_t row = ParsePosition(args[0], "the row");
            SetRow(row, !IsSelected(row));
        } else if (verb == "all") {
            list_.SelectAll();
        } else if (verb == "clear") {
            list_.ClearSelection();
        } else if (verb == "ok") {
            list_.RaiseCommand("SelectOK");
        } else if (verb == "cancel") {
            list_.RaiseCommand("Exit");
        } else {
            return false;
        }
        return true;
    }

  private:
    bool IsSelected(int32_t row) const {
        const auto& rows = list_.SelectedRows();
        return std::find(rows.begin(), rows.end(), row) != rows.end();
    }
    void SetRow(int32_t row, bool selected) {
        if (selected == IsSelected(row)) return;
        if (selected) {
            list_.SelectRow(row);
            return;
        }
        std::vector<int32_t> keep = list_.SelectedRows();
        std::erase(keep, row);
        list_.ClearSelection();
        for (int32_t other : keep) list_.SelectRow(other);
    }

    frmList& dialog_;
    client::ICList& list_;
};

// --- The class bill filter and look-up -------------------------------------------------------

class ClassFilterCommands : public WindowCommands {
  public:
    explicit ClassFilterCommands(client::frmClassFilter& dialog) : dialog_(dialog) {}
    std::string Name() const override { return dialog_.Name(); }
    std::string Render() const override {
        return Title(dialog_) + "  whole bills or their entries?\n";
    }
    std::string Help() const override {
        return "  whole | entries        pick whole bills, or their entries (ok)\n"
               "  cancel                 leave without picking\n";
    }
    bool Run(const std::string& verb, const std::vector<std::string>&, const std::string&,
             std::ostream&) override {
        if (verb == "whole") {
            dialog_.Confirm(true);
        } else if (verb == "entries" || verb == "ok") {
            dialog_.Confirm(false);
        } else if (verb == "cancel") {
            dialog_.Cancel();
        } else {
            return false;
        }
        return true;
    }

  private:
    client::frmClassFilter& dialog_;
};

class LookUpCommands : public WindowCommands {
  public:
    explicit LookUpCommands(client::frmBillLookUp& dialog) : dialog_(dialog) {}
    std::string Name() const override { return dialog_.Name(); }
    std::string Render() const override {
        return Title(dialog_) + RowsText(dialog_.Rows(), dialog_.SelectedRows());
    }
    std::string Help() const override {
        return "  row N[,N...]           select these rows (* marks the selection)\n"
               "  ok | cancel            take the selection, or leave without one\n";
    }
    bool Run(const std::string& verb, const std::vector<std::string>& args, const std::string&,
             std::ostream&) override {
        if (verb == "row") {
            SelectRows(args, [&](int32_t row) { dialog_.SelectRow(row); });
        } else if (verb == "ok") {
            dialog_.Confirm();
        } else if (verb == "cancel") {
            dialog_.Cancel();
        } else {
            return false;
        }
        return true;
    }

  private:
    client::frmBillLookUp& dialog_;
};

}  // namespace

std::unique_ptr<WindowCommands> DialogCommandsFor(windowing::Form& form) {
    if (auto* dialog = dynamic_cast<frmBillSel*>(&form))
        return std::make_unique<BillSelCommands>(*dialog);
    if (auto* dialog = dynamic_cast<frmOrderOption*>(&form))
        return std::make_unique<OrderOptionCommands>(*dialog);
    if (auto* dialog = dynamic_cast<frmList*>(&form)) {
        if (auto* list = dynamic_cast<client::ICList*>(dialog->ICListSel.get()))
            return std::make_unique<ListCommands>(*dialog, *list);
    }
    if (auto* dialog = dynamic_cast<client::frmClassFilter*>(&form))
        return std::make_unique<ClassFilterCommands>(*dialog);
    if (auto* dialog = dynamic_cast<client::frmBillLookUp*>(&form))
        return std::make_unique<LookUpCommands>(*dialog);
    return nullptr;
}

}  // namespace apps
