#include "recordset_fixtures.h"

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

using namespace adodb_test;
using adodb::Connection;
namespace adoerr = adodb::adoerr;
namespace fs = std::filesystem;

namespace {

// A database file of its own for each test, removed afterwards.
class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("adodb_" + std::to_string(::getpid()) + "_" + info->name() + ".db");
        fs::remove(path_);
        Connection setup;
        setup.Open("Provider=SQLite;Data Source=" + path_.string() + ";Mode=Create");
        setup.ExecuteScript(R"(
            CREATE TABLE t_Group (FGroupID INTEGER, FUserID INTEGER);
            CREATE TABLE ICMO (FInterID INTEGER PRIMARY KEY, FBillNo VARCHAR(20), FQty DECIMAL(28,10),
                               FCheckDate DATETIME, FNote TEXT, FBig INTEGER, FChecked BIT);
            INSERT INTO t_Group VALUES (1, 16394), (2, 16394), (1, 16395), (0, 16394);
            INSERT INTO ICMO VALUES (1001, 'WORK001', 5, '2024-03-05 00:00:00', NULL, 1, 1),
                                    (1002, 'WORK002', 2.5, '2024-03-06 08:30:00', 'x', 5000000000, 0);
        )");
    }
    void TearDown() override { fs::remove(path_); }

    std::string ConnectionString(const std::string& extra = "") const {
        return "Provider=SQLite;Data Source=" + path_.string() + extra;
    }

    fs::path path_;
};

TEST_F(ConnectionTest, OpensAndReportsState) {
    Connection cn;
    EXPECT_EQ(cn.TypeName(), "Connection");
    EXPECT_EQ(cn.State(), adodb::adStateClosed);
    cn.Open(ConnectionString());
    EXPECT_EQ(cn.State(), adodb::adStateOpen);
    EXPECT_NE(cn.Handle(), nullptr);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open(ConnectionString()); }), adoerr::ObjectOpen);
    cn.Close();
    EXPECT_EQ(cn.State(), adodb::adStateClosed);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT 1"); }), adoerr::ObjectClosed);
}

TEST_F(ConnectionTest, KeysIgnoreCaseAndUnknownKeysAreLeftAlone) {
    Connection cn;
    cn.Open(" provider = sqlite ; DATA SOURCE=\"" + path_.string() + "\"; User ID=sa;");
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS Num FROM ICMO")->Value("Num"), Variant(2));
}

TEST_F(ConnectionTest, OtherProvidersAndMissingSourcesAreRefused) {
    Connection cn;
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open("Provider=SQLOLEDB;Data Source=erp"); }), 3706);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open("Provider=SQLite"); }), adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open("Provider=SQLite;Data Source=x;Mode=Sideways"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(cn.State(), adodb::adStateClosed);
}

TEST_F(ConnectionTest, AMissingFileIsAnErrorAndIsNotCreated) {
    const fs::path missing = path_.string() + ".missing";
    Connection cn;
    try {
        cn.Open("Provider=SQLite;Data Source=" + missing.string());
        FAIL() << "opened a missing file";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source(), "ADODB.Connection");
        EXPECT_NE(error.Description().find("does not exist"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(ConnectionTest, QueryRowsAreCopiedWithMappedTypes) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("SELECT * FROM ICMO ORDER BY FInterID");
    ASSERT_EQ(rs->RecordCount(), 2);
    auto fields = rs->Fields();
    EXPECT_EQ(fields->Item("FInterID")->Type(), adodb::adInteger);
    EXPECT_EQ(fields->Item("FBillNo")->Type(), adodb::adVarWChar);
    EXPECT_EQ(fields->Item("FBillNo")->DefinedSize(), 20);
    EXPECT_EQ(fields->Item("FQty")->Type(), adodb::adDouble);
    EXPECT_EQ(fields->Item("FCheckDate")->Type(), adodb::adDBTimeStamp);
    EXPECT_EQ(fields->Item("FChecked")->Type(), adodb::adBoolean);
    EXPECT_EQ(rs->Value("FInterID"), Variant(1001));
    EXPECT_EQ(rs->Value("FBillNo"), Variant("WORK001"));
    EXPECT_EQ(rs->Value("FQty"), Variant(5.0));
    EXPECT_EQ(rs->Value("FCheckDate").TypeName(), "Date");
    EXPECT_DOUBLE_EQ(rs->Value("FCheckDate").AsDate().serial, 45356.0);  // 2024-03-05
    EXPECT_TRUE(rs->Value("FNote").IsNull());
    EXPECT_EQ(rs->Value("FChecked"), Variant(true));
    rs->MoveNext();
    EXPECT_DOUBLE_EQ(rs->Value("FCheckDate").AsDate().serial, 45357.0 + 8.5 / 24);
    EXPECT_EQ(rs->Value("FBig"), Variant(5000000000.0));  // beyond a Long
    EXPECT_EQ(fields->Item("FBig")->Type(), adodb::adBigInt);
}

TEST_F(ConnectionTest, ExpressionColumnsTakeTheTypeOfTheirValues) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("SELECT COUNT(*) AS Num, 1.5 AS Half, 'a' AS Letter, NULL AS Missing");
    EXPECT_EQ(rs->Fields()->Item("Num")->Type(), adodb::adInteger);
    EXPECT_EQ(rs->Fields()->Item("Half")->Type(), adodb::adDouble);
    EXPECT_EQ(rs->Fields()->Item("Letter")->Type(), adodb::adVarWChar);
    EXPECT_TRUE(rs->Value("Missing").IsNull());
}

TEST_F(ConnectionTest, AnEmptyResultIsAnOpenRecordsetAtBofAndEof) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("SELECT FBillNo FROM ICMO WHERE FInterID = -1");
    EXPECT_EQ(rs->State(), adodb::adStateOpen);
    EXPECT_TRUE(rs->BOF());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->Fields()->Count(), 1);
}

TEST_F(ConnectionTest, ParametersAreBoundNotPasted) {
    Connection cn;
    cn.Open(ConnectionString());
    const std::string hostile = "WORK001' OR '1'='1";
    auto rs = cn.Execute("SELECT FInterID FROM ICMO WHERE FBillNo = ?", {hostile});
    EXPECT_EQ(rs->RecordCount(), 0);
    rs = cn.Execute("SELECT FInterID FROM ICMO WHERE FBillNo = ? AND FQty > ?", {"WORK002", 1.0});
    EXPECT_EQ(rs->Value("FInterID"), Variant(1002));
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT ? + ?", {1}); }), adoerr::InvalidArgument);
}

TEST_F(ConnectionTest, ParametersOfEveryKind) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute(
        "SELECT ? AS A, ? AS B, ? AS C, ? AS D, ? AS E",
        {automation::Null, true, static_cast<int16_t>(7), automation::DateValue{45356.5}, "文本"});
    EXPECT_TRUE(rs->Value("A").IsNull());
    EXPECT_EQ(rs->Value("B"), Variant(1));
    EXPECT_EQ(rs->Value("C"), Variant(7));
    EXPECT_EQ(rs->Value("D"), Variant("2024-03-05 12:00:00"));
    EXPECT_EQ(rs->Value("E"), Variant("文本"));
}

TEST_F(ConnectionTest, IsNullWorksAsOnSqlServer) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute(
        "SELECT ISNULL(FNote, 'none') AS Note, isnull (FNote,0) AS Zero "
        "FROM ICMO WHERE ISNULL(FNote,'')='' ");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Value("Note"), Variant("none"));
    EXPECT_EQ(rs->Value("Zero"), Variant(0));
    rs = cn.Execute("SELECT 'ISNULL(x)' AS Quoted");
    EXPECT_EQ(rs->Value("Quoted"), Variant("ISNULL(x)"));  // text in quotes is left alone
}

TEST_F(ConnectionTest, GroupCountStatementOfTheAccessCheck) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute(
        " SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID='16394' "
        "AND FGroupID IN (\r\n SELECT FGroupID FROM t_Group WHERE FGroupID<>0 AND "
        "FUserID='16395')");
    EXPECT_EQ(rs->Value("Num"), Variant(1));
}

TEST_F(ConnectionTest, StatementsWithoutRowsGiveAClosedRecordsetAndACount) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("UPDATE t_Group SET FGroupID = ? WHERE FUserID = ?", {9, 16394});
    EXPECT_EQ(rs->State(), adodb::adStateClosed);
    EXPECT_EQ(cn.RecordsAffected(), 3);
    EXPECT_EQ(ErrorNumberOf([&] { rs->RecordCount(); }), adoerr::ObjectClosed);
}

TEST_F(ConnectionTest, SqliteErrorsAreClearAndChangeNothing) {
    Connection cn;
    cn.Open(ConnectionString());
    try {
        cn.Execute("SELECT FNoSuch FROM ICMO");
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), adoerr::ProviderError);
        EXPECT_EQ(error.Source(), "ADODB.Connection");
        EXPECT_NE(error.Description().find("FNoSuch"), std::string::npos);
    }
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("INSERT INTO ICMO (FInterID) VALUES (1001)"); }),
              adoerr::ProviderError);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("DELETE FROM ICMO; DELETE FROM t_Group"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("   "); }), adoerr::InvalidArgument);
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM ICMO")->Value("N"), Variant(2));
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM t_Group")->Value("N"), Variant(4));
}

TEST_F(ConnectionTest, AFailingScriptTakesBackItsEarlierStatements) {
    Connection cn;
    cn.Open(ConnectionString());
    EXPECT_EQ(
        ErrorNumberOf([&] {
            cn.ExecuteScript("DELETE FROM t_Group; INSERT INTO ICMO (FInterID) VALUES (1001);");
        }),
        adoerr::ProviderError);
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM t_Group")->Value("N"), Variant(4));
}

TEST_F(ConnectionTest, ReadModeRefusesWrites) {
    Connection cn;
    cn.Open(ConnectionString(";Mode=Read"));
    EXPECT_TRUE(cn.IsReadOnly());
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM ICMO")->Value("N"), Variant(2));
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("DELETE FROM ICMO"); }), adoerr::ProviderError);
    EXPECT_EQ(ErrorNumberOf([&] { cn.ExecuteScript("DELETE FROM ICMO;"); }), adoerr::ProviderError);
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM ICMO")->Value("N"), Variant(2));
}

TEST_F(ConnectionTest, TransactionsCommitAndRollBack) {
    Connection cn;
    cn.Open(ConnectionString());
    cn.BeginTrans();
    cn.Execute("DELETE FROM t_Group");
    cn.RollbackTrans();
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM t_Group")->Value("N"), Variant(4));
    cn.BeginTrans();
    cn.Execute("DELETE FROM t_Group WHERE FGroupID = 0");
    cn.CommitTrans();
    Connection other;
    other.Open(ConnectionString());
    EXPECT_EQ(other.Execute("SELECT COUNT(*) AS N FROM t_Group")->Value("N"), Variant(3));
}

TEST_F(ConnectionTest, RecordsetsFromQueriesFilterAndSort) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("SELECT FInterID, FBillNo FROM ICMO");
    rs->SetFilter("FBillNo = 'work002'");
    EXPECT_EQ(rs->Value("FInterID"), Variant(1002));
    rs->SetFilter("");
    rs->SetSort("FInterID DESC");
    EXPECT_EQ(rs->Value("FBillNo"), Variant("WORK002"));
}

TEST_F(ConnectionTest, RepeatedColumnNamesAreKept) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = cn.Execute("SELECT 1 AS FID, 2 AS FID");
    EXPECT_EQ(rs->Fields()->Count(), 2);
    EXPECT_EQ(rs->Value("FID"), Variant(1));
    EXPECT_EQ(rs->Value(1), Variant(2));
}

// A connection keeps the queries it ran prepared; a kept query still reads what another
// connection committed since, follows a table made anew, and fails as a first run does once its
// table is gone.
TEST_F(ConnectionTest, KeptQueriesFollowOtherConnections) {
    Connection reader;
    reader.Open(ConnectionString(";Mode=Read"));
    const std::string count = "SELECT COUNT(*) AS N FROM t_Group";
    EXPECT_EQ(automation::CLng(reader.Execute(count)->Value("N")), 4);
    const auto stamp = reader.DatabaseStamp();
    Connection writer;
    writer.Open(ConnectionString());
    writer.Execute("INSERT INTO t_Group VALUES (3, 1)");
    EXPECT_EQ(automation::CLng(reader.Execute(count)->Value("N")), 5);
    EXPECT_NE(reader.DatabaseStamp().stamp, stamp.stamp) << "a write shows in the stamp";
    EXPECT_EQ(reader.DatabaseStamp().identity, stamp.identity) << "the same file";
    writer.ExecuteScript("DROP TABLE t_Group; CREATE TABLE t_Group (FGroupID INTEGER);");
    EXPECT_EQ(automation::CLng(reader.Execute(count)->Value("N")), 0);
    writer.ExecuteScript("DROP TABLE t_Group;");
    try {
        reader.Execute(count);
        FAIL() << "a query of a dropped table ran";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("cannot be prepared: no such table"), std::string::npos)
            << error.Description();
    }
}

// DATE columns hold "YYYY-MM-DD" texts and DATETIME columns "YYYY-MM-DD HH:MM:SS", read into
// dates by a shortcut: over the years 1000 to 9999 every such text reads as CDate reads it, and
// an impossible day or time stays a text.
TEST_F(ConnectionTest, DateColumnsReadAsCDateReadsThem) {
    Connection db;
    db.Open(ConnectionString());
    db.ExecuteScript(
        "CREATE TABLE Days (FDay DATE, FStamp DATETIME);"
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 17 FROM n WHERE i < 3287000) "
        "INSERT INTO Days SELECT date('1000-01-01', '+' || i || ' days'), "
        "datetime('1000-01-01', '+' || i || ' days', '+' || (i * 7 % 86400) || ' seconds') FROM n;"
        "INSERT INTO Days VALUES ('2023-02-29', '2024-02-29 24:00:00'), "
        "('2024-02-29', '2024-02-29 23:59:59');");
    auto rs = db.Execute(
        "SELECT FDay, FDay || '' AS FText, FStamp, FStamp || '' AS FStampText "
        "FROM Days");
    int32_t dates = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++dates) {
        const std::string text = rs->Value("FText").AsString();
        const std::string stamp = rs->Value("FStampText").AsString();
        if (text == "2023-02-29") {
            EXPECT_TRUE(rs->Value("FDay").IsString());
            EXPECT_TRUE(rs->Value("FStamp").IsString());
            continue;
        }
        ASSERT_EQ(rs->Value("FDay"),
                  automation::Variant(automation::CDate(automation::Variant(text))))
            << text;
        ASSERT_EQ(rs->Value("FStamp"),
                  automation::Variant(automation::CDate(automation::Variant(stamp))))
            << stamp;
    }
    EXPECT_GT(dates, 190000);
}

TEST_F(ConnectionTest, BulkLoadersUseTheRawHandle) {
    Connection cn;
    cn.Open(ConnectionString());
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(cn.Handle(), "INSERT INTO t_Group VALUES (?, ?)", -1, &statement,
                                 nullptr),
              SQLITE_OK);
    for (int i = 0; i < 10; ++i) {
        sqlite3_bind_int(statement, 1, 5);
        sqlite3_bind_int(statement, 2, 20000 + i);
        ASSERT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    EXPECT_EQ(cn.Execute("SELECT COUNT(*) AS N FROM t_Group WHERE FGroupID = 5")->Value("N"),
              Variant(10));
}

TEST_F(ConnectionTest, ObjectsCannotBeBound) {
    Connection cn;
    cn.Open(ConnectionString());
    auto rs = std::make_shared<adodb::Recordset>();
    EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT ?", {Variant(rs)}); }),
              adoerr::InvalidArgument);
}

TEST_F(ConnectionTest, IsNullInCommentsAndNamesIsLeftAlone) {
    Connection cn;
    cn.Open(ConnectionString());
    cn.Execute("CREATE TABLE T (MYISNULL INTEGER)");
    cn.Execute("INSERT INTO T VALUES (4) -- ISNULL(");
    auto rs = cn.Execute("SELECT MYISNULL, \"ISNULL(\" FROM T /* ISNULL( */");
    EXPECT_EQ(rs->Value("MYISNULL"), Variant(4));
}

TEST(ConnectionCreate, CreateModeMakesANewDatabase) {
    const fs::path path =
        fs::temp_directory_path() / ("adodb_create_" + std::to_string(::getpid()) + ".db");
    fs::remove(path);
    {
        Connection cn;
        cn.Open("Data Source=" + path.string() + ";Mode=Create");
        cn.Execute("CREATE TABLE T (A INTEGER)");
    }
    EXPECT_TRUE(fs::exists(path));
    fs::remove(path);
}

// Any path reads back as written, and a path pasted after "Data Source=" cannot name a second one.
TEST(ConnectionCreate, AQuotedPathReadsBackAsItStandsAndAKeySaidTwiceIsRefused) {
    const fs::path path = fs::temp_directory_path() /
                          ("adodb \"x\" a;Data Source=b_" + std::to_string(::getpid()) + ".db");
    fs::remove(path);
    {
        Connection cn;
        cn.Open("Data Source=" + adodb::QuotedConnectionValue(path.string()) + ";Mode=Create");
        cn.Execute("CREATE TABLE T (A INTEGER)");
    }
    EXPECT_TRUE(fs::exists(path));
    fs::remove(path);
    Connection cn;
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open("Data Source=a.db;Data Source=b.db;Mode=Create"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(ErrorNumberOf([&] { cn.Open("Data Source=a.db;Mode=Read;mode=Create"); }),
              adoerr::InvalidArgument);
    EXPECT_EQ(cn.State(), adodb::adStateClosed);
}

// The cause of a failure opens its description, in words a user can act on.
TEST_F(ConnectionTest, AFailureSaysItsCause) {
    Connection cn;
    cn.Open(ConnectionString());
    auto causeOf = [&](const std::string& sql) {
        try {
            cn.Execute(sql);
        } catch (const automation::RuntimeError& error) {
            return adodb::CauseOfFailure(error);
        }
        return adodb::FailureCause::Other;
    };
    EXPECT_EQ(causeOf("SELECT * FROM NoSuchTable"), adodb::FailureCause::MissingTable);
    EXPECT_EQ(causeOf("SELECT FNoSuch FROM ICMO"), adodb::FailureCause::MissingColumn);
    EXPECT_EQ(causeOf("SELEC 1"), adodb::FailureCause::Other);

    Connection locker;
    locker.Open(ConnectionString());
    locker.Execute("BEGIN EXCLUSIVE");
    Connection reader;
    reader.Open(ConnectionString());
    try {
        reader.Execute("SELECT COUNT(*) FROM ICMO");
        FAIL() << "an exclusive lock lets nobody read";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(adodb::CauseOfFailure(error), adodb::FailureCause::Locked);
        EXPECT_EQ(error.Description().rfind("The database is locked by another program", 0), 0u)
            << error.Description();
    }
    locker.Execute("ROLLBACK");
}

TEST(ConnectionCreate, AQuotedSourceMayHoldASemicolon) {
    const fs::path path =
        fs::temp_directory_path() / ("adodb_a;b_" + std::to_string(::getpid()) + ".db");
    fs::remove(path);
    {
        Connection cn;
        cn.Open("Provider=SQLite;Data Source='" + path.string() + "';Mode=Create");
        cn.Execute("CREATE TABLE T (A INTEGER)");
    }
    EXPECT_TRUE(fs::exists(path));
    fs::remove(path);
}

}  // namespace
