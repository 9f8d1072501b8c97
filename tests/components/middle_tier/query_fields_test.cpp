// Field definitions: head fields of the three task order kinds, columns of tracked kinds, the
// sales order phase templates and the order head.

#include "erp_fixture.h"

namespace mt_test {
namespace {

class QueryFields : public ErpFixture {};

TEST_F(QueryFields, HeadFieldsOfEachTaskOrderKindNameTheLinkColumns) {
    for (int32_t kind : {-85, -54, -571}) {
        auto rs = IcmoQuery()->GetQueryFields(Props(), 85, Variant(kind));
        ASSERT_TRUE(rs);
        ASSERT_GT(rs->RecordCount(), 5) << kind;
        bool hasItem = false, hasBom = false;
        for (; !rs->Eof(); rs->MoveNext()) {
            EXPECT_EQ(Number(rs, "FTranType"), kind);
            const std::string key = Text(rs, "FKey");
            hasItem |= key == "FItemID";
            hasBom |= key == "FBOMInterID";
        }
        EXPECT_TRUE(hasItem && hasBom) << kind;
    }
}

TEST_F(QueryFields, ListSelectorReturnsEveryListedKindAndNoOther) {
    auto rs = IcmoQuery()->GetQueryFields(Props(), -85, Variant("-88 , -52 , -502 "));
    ASSERT_TRUE(rs);
    std::set<int64_t> kinds;
    for (; !rs->Eof(); rs->MoveNext()) kinds.insert(Number(rs, "FTranType"));
    EXPECT_EQ(kinds, (std::set<int64_t>{-88, -52, -502}));
    rs->SetFilter(" FTranType = -88");
    EXPECT_EQ(rs->RecordCount(), Scalar("SELECT COUNT(*) FROM ICTrackTemplate WHERE "
                                        "FTrackType = -85 AND FTranType = -88"));
}

TEST_F(QueryFields, RowsCarryEveryColumnTheTrackersRead) {
    auto rs = IcmoQuery()->GetQueryFields(Props(), -85, Variant(int32_t{-88}));
    const auto names = FieldNames(rs);
    for (const char* column : {"FID", "FTranType", "FKey", "FCaption", "FCtlType", "FVisible",
                               "FAlign", "FSum", "FDecimalSrc", "FFormat"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), column), names.end()) << column;
    }
    rs->SetFilter(" FSum=1");
    EXPECT_GT(rs->RecordCount(), 0);
    rs->SetFilter(" FKey='FAuxQtyStock'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(Text(rs, "FCtlType").substr(0, 1), "1");
}

TEST_F(QueryFields, PhaseTemplatesCarryCaptionsInEveryLanguage) {
    auto rs =
        IcmoQuery()->GetQueryFields(Props(), 81, Variant("81, 82, 21, 1007132, 80, 1000034, 85"));
    ASSERT_TRUE(rs);
    for (int32_t phase : {81, 82, 21, 1007132, 80, 1000034, 85}) {
        rs->SetFilter("FTranType = " + std::to_string(phase));
        EXPECT_GT(rs->RecordCount(), 0) << phase;
        bool opensBills = false;
        for (; !rs->Eof(); rs->MoveNext()) {
            EXPECT_FALSE(Text(rs, "FCaption_CHT").empty());
            EXPECT_FALSE(Text(rs, "FCaption_EN").empty());
            opensBills |= Text(rs, "FKey") == "FClassTypeID";
        }
        EXPECT_TRUE(opensBills) << phase;
    }
}

TEST_F(QueryFields, OrderHeadTemplateIsReadWithMinus81) {
    auto rs = IcmoQuery()->GetQueryFields(Props(), 81, Variant("-81"));
    ASSERT_TRUE(rs);
    ASSERT_GT(rs->RecordCount(), 0);
    rs->SetFilter("FKey = 'FCurrency'");
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST_F(QueryFields, SelectorThatIsNoNumberIsRefused) {
    EXPECT_THROW(IcmoQuery()->GetQueryFields(Props(), -85, Variant("-88; DROP TABLE ICMO")),
                 automation::RuntimeError);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO"), 0);
}

TEST_F(QueryFields, PropsWithoutConnectionPartIsAClearFailure) {
    try {
        IcmoQuery()->GetQueryFields("UserID=16394;", 85, Variant(int32_t{-85}));
        FAIL() << "no failure";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("connection"), std::string::npos);
        EXPECT_NE(error.Source().find("GetQueryFields"), std::string::npos);
    }
}

}  // namespace
}  // namespace mt_test
