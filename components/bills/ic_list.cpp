// The bill list control.

#include <components/bills/ic_list.h>

#include <components/resources/session_captions.h>

#include <platform/adodb/connection.h>
#include <platform/adodb/row_dictionary.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace client {

using automation::Dictionary;
using automation::Variant;

namespace {

// A view name from the list definitions is used as an identifier; anything but letters, digits
// and "_" would be SQL, and such a definition is refused.
bool IsIdentifier(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
}

// Every list control alive, oldest first. A control leaves in its destructor, which waits for
// the lock, so a control read under the lock is still whole. The register outlives every
// control: one held by another static object leaves it after the program's statics are gone.
struct LiveLists {
    std::mutex mutex;
    std::vector<ICList*> lists;
};

LiveLists& Live() {
    static auto* live = new LiveLists;
    return *live;
}

}  // namespace

ICList::ICList() {
    std::lock_guard lock(Live().mutex);
    Live().lists.push_back(this);
}

ICList::~ICList() {
    std::lock_guard lock(Live().mutex);
    std::erase(Live().lists, this);
}

std::vector<std::shared_ptr<ICList>> HostedListControls() {
    std::vector<std::shared_ptr<ICList>> alive;
    {
        std::lock_guard lock(Live().mutex);
        for (ICList* list : Live().lists) {
            // A control going away has no owner left; one made outside a shared_ptr has none.
            if (auto owned = list->weak_from_this().lock())
                alive.push_back(std::static_pointer_cast<ICList>(std::move(owned)));
        }
    }
    // Outside the lock: a control let go here may be the last reference to it.
    std::erase_if(alive, [](const std::shared_ptr<ICList>& list) { return !list->InForm; });
    return alive;
}

bool ICList::OpenList() {
    rows_.reset();
    selected_.clear();
    lastError_.clear();
    try {
        adodb::Connection cnn;
        cnn.Open(LocalCnn + ";Mode=Read");
        auto definition =
            cnn.Execute("SELECT FName, FViewName, FKeyField FROM ICListDefinition WHERE FListID=?",
                        {Variant(ListID)});
        if (definition->Eof()) {
            lastError_ = "No bill list " + std::to_string(ListID) + ".";
            return false;
        }
        listName_ = automation::CStr(definition->Value("FName"));
        keyField_ = automation::CStr(definition->Value("FKeyField"));
        const auto view = automation::CStr(definition->Value("FViewName"));
        if (!IsIdentifier(view) || !IsIdentifier(keyField_)) {
            lastError_ = "The definition of bill list " + std::to_string(ListID) + " is invalid.";
            return false;
        }
        std::string sql = "SELECT * FROM " + view + " v1 WHERE 1=1";
        if (!Filter.empty()) sql += " AND (" + Filter + ")";
        std::vector<Variant> parameters;
        if (!billNoSearch_.empty()) {
            sql += " AND INSTR(UPPER(v1.FBillNo), UPPER(?)) > 0";
            parameters.push_back(Variant(billNoSearch_));
        }
        sql += " ORDER BY v1." + keyField_;
        rows_ = cnn.Execute(sql, parameters);
        cnn.Close();
        return true;
    } catch (const automation::RuntimeError& error) {
        lastError_ = error.Description();
        return false;
    }
}

bool ICList::IsReadyToShow() { return rows_ && rows_->RecordCount() > 0; }

automation::VectorPtr ICList::ListDescriptions() {
    auto description = std::make_shared<Dictionary>();
    // The list's name is the ERP's Chinese name; the caption shows it in the session's language.
    description->SetItem("FName", SessionCaptions()(listName_));
    description->SetItem("FListID", ListID);
    auto descriptions = std::make_shared<automation::Vector>();
    descriptions->Add(description);
    return descriptions;
}

bool ICList::CanTakeSelection() {
    if (selected_.empty()) return false;
    return MultiSelect || selected_.size() == 1;
}

automation::VectorPtr ICList::Selected() {
    auto selection = std::make_shared<automation::Vector>();
    if (!rows_) return selection;
    for (const int32_t position : selected_) {
        rows_->SetAbsolutePosition(position);
        selection->Add(adodb::CurrentRowAsDictionary(*rows_));
    }
    return selection;
}

automation::VectorPtr ICList::GetListFieldsDes() {
    auto fields = std::make_shared<automation::Vector>();
    if (!rows_) return fields;
    for (int32_t i = 0; i < rows_->FieldCount(); ++i) {
        auto field = std::make_shared<Dictionary>();
        field->SetItem("Name", rows_->FieldAt(i).Name);
        field->SetItem("IsPrimary",
                       automation::EqualsIgnoreCase(rows_->FieldAt(i).Name, keyField_));
        fields->Add(field);
    }
    return fields;
}

adodb::RecordsetPtr ICList::GetListRs() { return rows_; }

void ICList::Cleanup() {
    rows_.reset();
    selected_.clear();
}

bool ICList::SetBillNoSearch(const std::string& text) {
    billNoSearch_ = text;
    return OpenList();
}

void ICList::SelectRow(int32_t position) {
    if (!rows_ || position < 1 || position > rows_->RecordCount())
        automation::Raise(automation::vberr::SubscriptOutOfRange, trackquery::kICListProgId);
    if (!MultiSelect) selected_.clear();
    if (std::find(selected_.begin(), selected_.end(), position) == selected_.end())
        selected_.push_back(position);
}

void ICList::SelectAll() {
    if (!rows_) return;
    if (!MultiSelect) {
        if (rows_->RecordCount() > 0) SelectRow(1);
        return;
    }
    selected_.clear();
    for (int32_t position = 1; position <= rows_->RecordCount(); ++position)
        selected_.push_back(position);
}

void ICList::ClearSelection() { selected_.clear(); }

void ICList::RaiseCommand(const std::string& command) {
    if (OnCommand) OnCommand(command);
}

}  // namespace client
