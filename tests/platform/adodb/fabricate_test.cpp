#include "recordset_fixtures.h"

#include <platform/adodb/field.h>

#include <gtest/gtest.h>

using namespace adodb_test;
using adodb::adInteger;
using adodb::adVarWChar;
namespace adoerr = adodb::adoerr;

namespace {

// The bill list record set the bill window is opened with: two Long fields, one row.
RecordsetPtr BillList(Variant interId, Variant tranType) {
    auto rs = std::make_shared<Recordset>();
    rs->Fields()->Append("FInterID", adInteger);
    rs->Fields()->Append("FTranType", adInteger);
    rs->Open();
    rs->AddNew();
    rs->Fields()->Item("FInterID")->SetValue(std::move(interId));
    rs->Fields()->Item("FTranType")->SetValue(std::move(tranType));
    rs->Update();
    return rs;
}

TEST(Fabricate, OpenedWithoutRowsIsEmpty) {
    auto rs = std::make_shared<Recordset>();
    rs->Fields()->Append("FID", adInteger);
    EXPECT_EQ(rs->State(), adodb::adStateClosed);
    rs->Open();
    EXPECT_EQ(rs->State(), adodb::adStateOpen);
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST(Fabricate, BillListHoldsTypedValues) {
    auto rs = BillList(1001, "85");  // a text number is stored as the field's Long
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Value("FInterID"), Variant(1001));
    EXPECT_EQ(rs->Value("FTranType").TypeName(), "Long");
    EXPECT_EQ(rs->Value("FTranType"), Variant(85));
}

TEST(Fabricate, AValueTheFieldCannotHoldIsRefusedAndNothingChanges) {
    auto rs = BillList(1, 85);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetValue("FInterID", "abc"); }), adoerr::DataConversion);
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetValue("FInterID", 3e10); }), adoerr::DataConversion);
    EXPECT_EQ(rs->EditMode(), adodb::adEditNone);
    EXPECT_EQ(rs->Value("FInterID"), Variant(1));
}

TEST(Fabricate, TextFieldsKeepTheirDefinedSize) {
    auto rs = std::make_shared<Recordset>();
    rs->Fields()->Append("Code", adVarWChar, 3);
    rs->Open();
    rs->AddNew();
    rs->SetValue("Code", "工序汇");  // three characters, nine bytes
    EXPECT_EQ(ErrorNumberOf([&] { rs->SetValue("Code", "abcd"); }), adoerr::DataConversion);
    rs->Update();
    EXPECT_EQ(rs->Value("Code"), Variant("工序汇"));
}

TEST(Fabricate, FieldsOfANewRowReadNullUntilAssigned) {
    auto rs = BillList(1, 85);
    rs->AddNew();
    EXPECT_TRUE(rs->Value("FInterID").IsNull());
    EXPECT_EQ(rs->EditMode(), adodb::adEditAdd);
}

TEST(Fabricate, AppendIsOnlyForClosedRecordsetsAndNamesAreUnique) {
    auto rs = std::make_shared<Recordset>();
    rs->Fields()->Append("FKey", adVarWChar, 80);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields()->Append("fkey", adInteger); }),
              adoerr::ObjectInCollection);
    rs->Open();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields()->Append("Other", adInteger); }), adoerr::ObjectOpen);
    EXPECT_EQ(rs->Fields()->Count(), 1);
}

TEST(Fabricate, OpeningWithoutFieldsOrTwiceFails) {
    auto rs = std::make_shared<Recordset>();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Open(); }), adoerr::InvalidArgument);
    rs->Fields()->Append("A", adInteger);
    rs->Open();
    EXPECT_EQ(ErrorNumberOf([&] { rs->Open(); }), adoerr::ObjectOpen);
}

TEST(Fields, ByNameIgnoringCaseAndByOrdinal) {
    auto rs = BillList(7, 85);
    auto fields = rs->Fields();
    EXPECT_EQ(fields->Count(), 2);
    EXPECT_EQ(fields->Item("finterid")->Name(), "FInterID");
    EXPECT_EQ(fields->Item(1)->Name(), "FTranType");
    EXPECT_EQ(fields->Item(Variant(0))->Value(), Variant(7));
    EXPECT_EQ((*fields)(Variant("FTRANTYPE"))->Value(), Variant(85));
    EXPECT_EQ(rs->Value(0), Variant(7));
    EXPECT_EQ(fields->Item(0)->Type(), adInteger);
    EXPECT_EQ(fields->Item(0)->Attributes() & adodb::adFldIsNullable, adodb::adFldIsNullable);
}

TEST(Fields, UnknownNameAndOrdinalRaise3265) {
    auto rs = BillList(7, 85);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields()->Item("FBillNo"); }), adoerr::ItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields()->Item(2); }), adoerr::ItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields()->Item(-1); }), adoerr::ItemNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Value("FBillNo"); }), adoerr::ItemNotFound);
}

TEST(Fields, AFieldFollowsTheCursor) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    auto field = rs->Fields()->Item("N");
    EXPECT_EQ(field->Value(), Variant(1));
    rs->MoveNext();
    EXPECT_EQ(field->Value(), Variant(2));
}

TEST(Editing, NewRowStaysCurrentAfterUpdateAndIsLast) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    rs->AddNew();
    rs->SetValue("N", 3);
    EXPECT_EQ(rs->RecordCount(), 3);
    rs->Update();
    EXPECT_EQ(rs->Value("N"), Variant(3));
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
}

TEST(Editing, AddNewSavesThePendingRowFirst) {
    auto rs = MakeRecordset({{"N", adInteger}}, {});
    rs->AddNew();
    rs->SetValue("N", 1);
    rs->AddNew();
    rs->SetValue("N", 2);
    rs->Update();
    EXPECT_EQ(Walk(*rs, "N"), Longs({1, 2}));
}

TEST(Editing, MovingSavesAnEdit) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    rs->SetValue("N", 10);
    EXPECT_EQ(rs->EditMode(), adodb::adEditInProgress);
    rs->MoveNext();
    EXPECT_EQ(Walk(*rs, "N"), Longs({10, 2}));
}

TEST(Editing, CancelUpdateDiscardsEditsAndNewRows) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    rs->MoveNext();
    rs->SetValue("N", 20);
    rs->CancelUpdate();
    EXPECT_EQ(rs->Value("N"), Variant(2));
    rs->AddNew();
    rs->SetValue("N", 3);
    rs->CancelUpdate();
    EXPECT_EQ(rs->Value("N"), Variant(2));  // back on the row current before AddNew
    EXPECT_EQ(rs->RecordCount(), 2);
}

TEST(Editing, ANewRowUnderAFilterIsShownUntilTheFilterIsSetAgain) {
    auto rs = MakeRecordset({{"N", adInteger}}, {{1}, {2}});
    rs->SetFilter("N = 1");
    rs->AddNew();
    rs->SetValue("N", 5);
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("N = 1");
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST(Editing, LoadRowNeedsOneValuePerField) {
    auto rs = MakeRecordset({{"A", adInteger}, {"B", adInteger}}, {});
    EXPECT_EQ(ErrorNumberOf([&] { rs->LoadRow({1}); }), adoerr::InvalidArgument);
    rs->LoadRow({1, 2});
    EXPECT_EQ(rs->Value("B"), Variant(2));  // the first loaded row becomes current
    rs->LoadRow({3, 4});
    EXPECT_EQ(rs->Value("B"), Variant(2));
    EXPECT_EQ(rs->RecordCount(), 2);
    // Many rows at once: one of a wrong count stores none; the others keep the cursor where it is.
    EXPECT_EQ(ErrorNumberOf([&] { rs->LoadRows({{5, 6}, {7}}); }), adoerr::InvalidArgument);
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->SetFilter("A > 5");
    rs->LoadRows({{5, 6}, {7, 8}});
    EXPECT_EQ(rs->RecordCount(), 1);  // only the row that passes the filter is shown
    rs->SetFilter("");
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->Value("B"), Variant(2));
    auto fresh = MakeRecordset({{"A", adInteger}}, {});
    fresh->LoadRows({{9}, {10}});
    EXPECT_EQ(fresh->Value("A"), Variant(9));  // the first loaded row becomes current
}

TEST(Editing, ReopeningAClosedFabricatedRecordsetStartsEmpty) {
    auto rs = BillList(1, 85);
    rs->Close();
    EXPECT_EQ(rs->Fields()->Count(), 2);
    rs->Open();
    EXPECT_EQ(rs->RecordCount(), 0);
}

}  // namespace
