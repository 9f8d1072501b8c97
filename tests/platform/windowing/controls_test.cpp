// The dialogs' controls: check boxes, buttons, text boxes and the list view with check boxes.

#include <support/error_number.h>

#include <platform/automation/errors.h>
#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/form.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/list_view.h>
#include <platform/windowing/text_box.h>

#include <gtest/gtest.h>

#include <memory>

using namespace windowing;

namespace {

class ControlsTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    std::shared_ptr<Form> form = std::make_shared<Form>("frmControls");
};

}  // namespace

// --- CheckBox --------------------------------------------------------------------------------

TEST_F(ControlsTest, CheckBoxClickTogglesAndRaisesClick) {
    auto box = form->Add<CheckBox>("ChkAmount");
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    EXPECT_TRUE(box->Click());
    EXPECT_EQ(box->Value(), vbChecked);
    EXPECT_TRUE(box->Click());
    EXPECT_EQ(box->Value(), vbUnchecked);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, GrayedCheckBoxBecomesCheckedOnClick) {
    auto box = form->Add<CheckBox>("ChkAmount");
    box->SetValue(vbGrayed);
    box->Click();
    EXPECT_EQ(box->Value(), vbChecked);
}

TEST_F(ControlsTest, AssigningADifferentValueRaisesClickAsInVb) {
    auto box = form->Add<CheckBox>("ChkMO");
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    box->SetValue(vbChecked);
    box->SetValue(vbChecked);
    EXPECT_EQ(clicks, 1) << "the same value again is no change";
}

TEST_F(ControlsTest, DisabledOrHiddenCheckBoxIgnoresTheUser) {
    auto box = form->Add<CheckBox>("ChkLC");
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    box->SetEnabled(false);
    EXPECT_FALSE(box->Click());
    box->SetEnabled(true);
    box->SetVisible(false);
    EXPECT_FALSE(box->Click());
    EXPECT_EQ(box->Value(), vbUnchecked);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ControlsTest, CheckBoxValueOutOfRangeIsError380) {
    auto box = form->Add<CheckBox>("ChkMO");
    box->SetValue(vbChecked);
    EXPECT_EQ(ErrorNumberOf([&] { box->SetValue(3); }), 380);
    EXPECT_EQ(box->Value(), vbChecked);
}

// --- CommandButton ---------------------------------------------------------------------------

TEST_F(ControlsTest, DisabledButtonCannotBeClickedByTheUserButCanFromCode) {
    auto button = form->Add<CommandButton>("CmdOK");
    button->SetCaption("确定(&O)");
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };
    button->SetEnabled(false);
    EXPECT_FALSE(button->Click());
    button->ClickFromCode();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->Caption(), "确定(&O)");
}

TEST_F(ControlsTest, ButtonClickMayUnloadItsForm) {
    auto button = form->Add<CommandButton>("cmdExit");
    button->OnClick = [raw = form.get()] { raw->Unload(); };
    form->Show();
    EXPECT_TRUE(button->Click());
    EXPECT_FALSE(form->IsLoaded());
}

// --- TextBox ---------------------------------------------------------------------------------

TEST_F(ControlsTest, TextBoxRaisesChangeOnlyOnAChange) {
    auto text = form->Add<TextBox>("txtFind");
    int changes = 0;
    text->OnChange = [&] { ++changes; };
    text->SetText("SEORD001");
    text->SetText("SEORD001");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(text->Type("WORK2"));
    EXPECT_EQ(text->Text(), "WORK2");
    text->SetLocked(true);
    EXPECT_FALSE(text->Type("x"));
    EXPECT_EQ(text->Text(), "WORK2");
}

// --- ListView --------------------------------------------------------------------------------

namespace {

class ListViewTest : public ControlsTest {
  protected:
    std::shared_ptr<ListView> list = form->Add<ListView>("lvwBillType");
    ListItems& items = list->GetListItems();

    void SetUp() override {
        list->SetView(lvwReport);
        list->SetCheckboxes(true);
        list->GetColumnHeaders().Add("", "单据名称", 3000);
    }
};

}  // namespace

TEST_F(ListViewTest, ItemsAreAddedInOrderAndReachedByIndexOrKey) {
    auto a = items.Add("BT_-52", "工序汇报");
    auto b = items.Add("BT_-85", "生产领料");
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(1), a);
    EXPECT_EQ(items.Item(2), b);
    EXPECT_EQ(items.Item("bt_-85"), b) << "keys compare without regard to case";
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(b->Text(), "生产领料");
    EXPECT_EQ(b->Key(), "BT_-85");
}

TEST_F(ListViewTest, ItemsCanBeInsertedAtAPosition) {
    items.Add("a", "A");
    items.Add("c", "C");
    auto b = items.Add(2, "b", "B");
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(items.Item(3)->Key(), "c");
    EXPECT_EQ(ErrorNumberOf([&] { items.Add(5, "z", "Z"); }), lvwerr::IndexOutOfBounds);
}

TEST_F(ListViewTest, BadIndexAndKeyAndDuplicateKeyGiveTheCommonControlsErrors) {
    items.Add("k1", "one");
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(0); }), lvwerr::IndexOutOfBounds);
    EXPECT_EQ(ErrorNumberOf([&] { items.Item(2); }), lvwerr::IndexOutOfBounds);
    EXPECT_EQ(ErrorNumberOf([&] { items.Item("k2"); }), lvwerr::ElementNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { items.Add("K1", "again"); }), lvwerr::KeyNotUnique);
    EXPECT_EQ(items.Count(), 1) << "a refused item is not added";
}

TEST_F(ListViewTest, ItemsWithoutKeysAreAllowedSideBySide) {
    items.Add("", "one");
    items.Add("", "two");
    EXPECT_EQ(items.Count(), 2);
    EXPECT_FALSE(items.Exists(""));
}

TEST_F(ListViewTest, TagCheckedAndSubItems) {
    list->GetColumnHeaders().Add("qty", "数量");
    auto item = items.Add("BT_-52", "工序汇报");
    item->SetTag("-52");
    item->SetChecked(true);
    item->SetSubItems(1, "12");
    EXPECT_EQ(item->Tag(), "-52");
    EXPECT_TRUE(item->Checked());
    EXPECT_EQ(item->SubItems(1), "12");
    EXPECT_EQ(ErrorNumberOf([&] { item->SubItems(2); }), 380) << "only one column after the first";
    EXPECT_EQ(ErrorNumberOf([&] { item->SetSubItems(0, "x"); }), 380);
}

TEST_F(ListViewTest, UnsetSubItemReadsEmpty) {
    list->GetColumnHeaders().Add("a", "A");
    list->GetColumnHeaders().Add("b", "B");
    auto item = items.Add("k", "t");
    item->SetSubItems(2, "x");
    EXPECT_EQ(item->SubItems(1), "");
    EXPECT_EQ(item->SubItems(2), "x");
}

TEST_F(ListViewTest, UserCheckRaisesItemCheckAfterTheChange) {
    auto item = items.Add("BT_-710", "委外");
    bool seenChecked = false;
    std::string seenKey;
    list->OnItemCheck = [&](ListItem& checked) {
        seenChecked = checked.Checked();
        seenKey = checked.Key();
    };
    EXPECT_TRUE(list->ClickCheckBox(item));
    EXPECT_TRUE(seenChecked);
    EXPECT_EQ(seenKey, "BT_-710");
    EXPECT_TRUE(list->ClickCheckBox(item));
    EXPECT_FALSE(item->Checked());
}

TEST_F(ListViewTest, CheckedFromCodeRaisesNoItemCheck) {
    auto operation = items.Add("BT_-52", "工序汇报");
    auto package = items.Add("BT_-710", "委外");
    int events = 0;
    // A rule that checks another item from the handler must not loop back into itself.
    list->OnItemCheck = [&](ListItem& checked) {
        ++events;
        if (checked.Key() == "BT_-710" && checked.Checked()) items.Item("BT_-52")->SetChecked(true);
    };
    list->ClickCheckBox(package);
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(operation->Checked());
}

TEST_F(ListViewTest, ClickOnCheckBoxIsRefusedWithoutCheckBoxesOrForAForeignItem) {
    auto item = items.Add("k", "t");
    auto other = std::make_shared<ListView>(form.get(), "lvwOther");
    auto foreign = other->GetListItems().Add("k", "t");
    EXPECT_FALSE(list->ClickCheckBox(foreign));
    EXPECT_FALSE(list->ClickCheckBox(nullptr));
    list->SetCheckboxes(false);
    EXPECT_FALSE(list->ClickCheckBox(item));
    EXPECT_FALSE(item->Checked());
}

TEST_F(ListViewTest, SingleSelectionKeepsOneSelectedItem) {
    auto a = items.Add("a", "A");
    auto b = items.Add("b", "B");
    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(list->SelectedItem(), b);
    list->SetMultiSelect(true);
    a->SetSelected(true);
    EXPECT_TRUE(b->Selected());
}

TEST_F(ListViewTest, ItemClickSelectsAndRaisesItemClick) {
    auto a = items.Add("a", "A");
    std::string clicked;
    list->OnItemClick = [&](ListItem& item) { clicked = item.Key(); };
    EXPECT_TRUE(list->ClickItem(a));
    EXPECT_TRUE(a->Selected());
    EXPECT_EQ(clicked, "a");
}

TEST_F(ListViewTest, RemoveAndClearDetachItems) {
    auto a = items.Add("a", "A");
    auto b = items.Add("b", "B");
    auto c = items.Add("c", "C");
    items.Remove("b");
    EXPECT_EQ(b->Index(), 0);
    EXPECT_EQ(c->Index(), 2);
    items.Remove(1);
    EXPECT_EQ(items.Count(), 1);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_FALSE(list->ClickCheckBox(c));
    EXPECT_EQ(ErrorNumberOf([&] { items.Remove("zz"); }), lvwerr::ElementNotFound);
}

TEST_F(ListViewTest, HandlerMayClearTheListWhileAnItemIsBeingChecked) {
    auto a = items.Add("a", "A");
    list->OnItemCheck = [&](ListItem&) { items.Clear(); };
    std::weak_ptr<ListItem> watch = a;
    EXPECT_TRUE(list->ClickCheckBox(a));
    a.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(ListViewTest, ItemsOutlivingTheListForgetIt) {
    auto a = items.Add("a", "A");
    form.reset();
    list.reset();
    EXPECT_EQ(a->Index(), 0);
    a->SetSelected(true);  // no list to deselect in: no crash
    EXPECT_TRUE(a->Selected());
}

TEST_F(ListViewTest, ColumnHeadersByIndexAndKey) {
    auto& columns = list->GetColumnHeaders();
    columns.Add("qty", "数量", 1200);
    EXPECT_EQ(columns.Count(), 2);
    EXPECT_EQ(columns.Item(1).Text, "单据名称");
    EXPECT_EQ(columns.Item("QTY").Width, 1200);
    EXPECT_EQ(ErrorNumberOf([&] { columns.Add("qty", "again"); }), lvwerr::KeyNotUnique);
    EXPECT_EQ(ErrorNumberOf([&] { columns.Item(3); }), lvwerr::IndexOutOfBounds);
    EXPECT_EQ(ErrorNumberOf([&] { columns.Item("none"); }), lvwerr::ElementNotFound);
}
