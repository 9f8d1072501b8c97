// The same statements through a connection to either engine mean the same: this program runs on
// an SQLite file, and again on a database of the PostgreSQL test server (its .postgres variant).
// Every difference between the engines that the library's SQL meets is checked here.

#include <support/error_number.h>
#include <support/test_server.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using adodb::Connection;
using automation::Variant;

class EngineParity : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test_support::OnPostgres()) {
            database_ = std::make_unique<test_support::ServerDatabase>("tq_parity_" +
                                                                       std::to_string(::getpid()));
            connectionString_ = "Provider=PostgreSQL;Data Source=" +
                                adodb::QuotedConnectionValue(database_->Address());
        } else {
            file_ = std::filesystem::path(::testing::TempDir()) /
                    ("parity_" + std::to_string(::getpid()) + ".db");
            std::filesystem::remove(file_);
            connectionString_ = "Provider=SQLite;Data Source=\"" + file_.string() + "\"";
        }
        db_.Open(connectionString_ + (file_.empty() ? "" : ";Mode=Create"));
        // SQLite's functions that a server database is given with the ERP schema.
        if (test_support::OnPostgres()) {
            std::ifstream functions(std::filesystem::path(TRACKQUERY_SOURCE_DIR) / "resources" /
                                    "schema" / "postgresql" / "functions.sql");
            std::ostringstream text;
            text << functions.rdbuf();
            db_.ExecuteScript(text.str());
        }
        db_.ExecuteScript(
            "CREATE TABLE Bill (FID INTEGER, FName TEXT, FQty DOUBLE PRECISION, FDate DATE, "
            "FNote TEXT);"
            "INSERT INTO Bill VALUES (1, 'Gear', 2.5, '2026-05-04', NULL);"
            "INSERT INTO Bill VALUES (2, 'shaft', 1234.5678, '2026-06-20', 'first');");
    }
    void TearDown() override {
        if (db_.State() == adodb::adStateOpen) db_.Close();
        database_.reset();
        if (!file_.empty()) std::filesystem::remove(file_);
    }

    Variant One(const std::string& sql, const std::vector<Variant>& parameters = {}) {
        return db_.Execute(sql, parameters)->Value(0);
    }
    // The cause of the failure `run` raises; Other when it raised nothing.
    template <typename Run>
    adodb::FailureCause CauseOf(Run run) {
        try {
            run();
        } catch (const automation::RuntimeError& error) {
            EXPECT_EQ(error.Number(), adodb::adoerr::ProviderError) << error.Description();
            return adodb::CauseOfFailure(error);
        }
        ADD_FAILURE() << "no failure";
        return adodb::FailureCause::Other;
    }

    std::unique_ptr<test_support::ServerDatabase> database_;
    std::string connectionString_;
    std::filesystem::path file_;
    Connection db_;
};

TEST_F(EngineParity, TypesNullDatesAndDecimalsReadTheSame) {
    auto rows = db_.Execute("SELECT FID, FName, FQty, FDate, FNote FROM Bill ORDER BY FID");
    EXPECT_EQ(rows->FieldAt(0).Type, adodb::adInteger);
    EXPECT_EQ(rows->FieldAt(1).Type, adodb::adVarWChar);
    EXPECT_EQ(rows->FieldAt(2).Type, adodb::adDouble);
    EXPECT_EQ(rows->FieldAt(3).Type, adodb::adDBTimeStamp);
    EXPECT_EQ(automation::CLng(rows->Value("fid")), 1) << "names are found in any case";
    EXPECT_EQ(automation::CStr(rows->Value("FDate")), "2026-05-04");
    EXPECT_TRUE(rows->Value("FNote").IsNull());
    rows->MoveNext();
    EXPECT_DOUBLE_EQ(automation::CDbl(rows->Value("FQty")), 1234.5678);
    // Numbers at the ends of the range, and one whose shortest digits are long, come back whole.
    for (const double number : {1e300, 5e-324, -123456789.125, 0.30000000000000004}) {
        EXPECT_EQ(One("SELECT FQty * 0 + ? AS N FROM Bill WHERE FID = 1", {Variant(number)}),
                  Variant(number));
    }

    // Parameters of every kind go in and come back as they were.
    db_.Execute("INSERT INTO Bill VALUES (?, ?, ?, ?, ?)",
                {Variant(3), Variant(std::string("O'Brien \xE9\xBD\xBF\xE8\xBD\xAE")), Variant(0.1),
                 Variant(automation::CDate(Variant(std::string("2026-12-31")))), automation::Null});
    EXPECT_EQ(db_.RecordsAffected(), 1);
    auto added = db_.Execute("SELECT FName, FQty, FDate, FNote FROM Bill WHERE FID = ?", {3});
    EXPECT_EQ(automation::CStr(added->Value("FName")), "O'Brien \xE9\xBD\xBF\xE8\xBD\xAE");
    EXPECT_DOUBLE_EQ(automation::CDbl(added->Value("FQty")), 0.1);
    EXPECT_EQ(automation::CStr(added->Value("FDate")), "2026-12-31");
    EXPECT_TRUE(added->Value("FNote").IsNull());
}

TEST_F(EngineParity, TheLibrarysSqlMeansTheSame) {
    // LIKE ignores the case of ASCII letters.
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill WHERE FName LIKE ?", {"GE%"})), 1);
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill WHERE FName LIKE 'SHA%'")), 1);
    // ISNULL and IFNULL give the second value for a Null.
    EXPECT_EQ(automation::CStr(One("SELECT ISNULL(FNote, 'none') FROM Bill WHERE FID = 1")),
              "none");
    EXPECT_EQ(automation::CStr(One("SELECT IFNULL(FNote, 'none') FROM Bill WHERE FID = 2")),
              "first");
    // || joins texts.
    EXPECT_EQ(automation::CStr(One("SELECT 'No. ' || FName FROM Bill WHERE FID = 1")), "No. Gear");
    // A result column keeps the letter case the statement gives it; quoted names are found
    // whatever their case.
    auto named = db_.Execute("SELECT \"FName\" AS FCount FROM Bill WHERE FID = 1");
    EXPECT_EQ(named->FieldAt(0).Name, "FCount");
    // Dates compare with a Date parameter; SQLite's whole-number truth reads as a condition.
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill WHERE FDate < ?",
                                   {automation::CDate(Variant(std::string("2026-06-01")))})),
              1);
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill WHERE 0")), 0);
    // ROUND of a floating-point number to places, halves away from zero.
    EXPECT_DOUBLE_EQ(automation::CDbl(One("SELECT ROUND(FQty * 100.0 / 3, 2) FROM Bill "
                                          "WHERE FID = 1")),
                     83.33);
    EXPECT_DOUBLE_EQ(automation::CDbl(One("SELECT ROUND(2.5, 0)")), 3.0);
}

TEST_F(EngineParity, AQueryRunAgainSeesTheTableAsItIsNow) {
    // Both engines keep a query prepared after its first run.
    EXPECT_EQ(db_.Execute("SELECT * FROM Bill")->FieldCount(), 5);
    Connection other;
    other.Open(connectionString_);
    other.Execute("ALTER TABLE Bill ADD COLUMN FExtra INTEGER");
    other.Execute("INSERT INTO Bill (FID, FName) VALUES (9, 'new')");
    auto rows = db_.Execute("SELECT * FROM Bill");
    EXPECT_EQ(rows->FieldCount(), 6);
    EXPECT_EQ(rows->RecordCount(), 3);
}

TEST_F(EngineParity, RowsPutInOrderHereComeAsSqlitesOrderByGivesThem) {
    if (test_support::OnPostgres()) GTEST_SKIP() << "a server column holds values of one kind";
    // Nulls, numbers of both kinds, texts that differ in letter case, that look like numbers or
    // hold bytes beyond ASCII, a text in a number column, and two rows with equal keys.
    db_.ExecuteScript(
        "CREATE TABLE Keyed (K TEXT, N INTEGER, Seq INTEGER);"
        "INSERT INTO Keyed VALUES ('b', 2, 1), ('B', 1, 2), (NULL, 5, 3), ('a', NULL, 4), "
        "('\xC3\xA9', 1, 5), ('a', 2.5, 6), ('a', 2, 7), ('10', 1, 8), ('9', 1, 9), ('b', 2, 10), "
        "('a', 'x', 11), ('a', -3, 12);"
        // Then runs of every length, in an odd count.
        "WITH RECURSIVE n(i) AS (SELECT 13 UNION ALL SELECT i + 1 FROM n WHERE i < 1012) "
        "INSERT INTO Keyed SELECT char(65 + i * 37 % 26), i * 7919 % 13, i FROM n;");
    auto sequence = [](const adodb::RecordsetPtr& rows) {
        std::vector<int32_t> seq;
        for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext())
            seq.push_back(automation::CLng(rows->Value("Seq")));
        return seq;
    };
    auto ours = db_.Execute("SELECT K, N, Seq FROM Keyed");
    ours->SetFilter("Seq <> 4");
    ours->OrderRows({"K", "n"});
    EXPECT_EQ(automation::CLng(ours->Value("Seq")), 3);  // the view starts at its first row
    EXPECT_EQ(ours->RecordCount(), 1011);                // under its filter
    ours->SetFilter("");
    // Equal keys keep the order they came in, as the rowid does for SQLite.
    EXPECT_EQ(sequence(ours),
              sequence(db_.Execute("SELECT K, N, Seq FROM Keyed ORDER BY K, N, rowid")));
    EXPECT_EQ(ErrorNumberOf([&] { ours->OrderRows({"Missing"}); }), adodb::adoerr::ItemNotFound);
}

TEST_F(EngineParity, FailuresCarryTheSameNumbersAndCauses) {
    EXPECT_EQ(CauseOf([&] { db_.Execute("SELECT * FROM NoSuchTable"); }),
              adodb::FailureCause::MissingTable);
    EXPECT_EQ(CauseOf([&] { db_.Execute("SELECT NoSuchColumn FROM Bill"); }),
              adodb::FailureCause::MissingColumn);

    for (const auto& [sql, count] : {std::pair<std::string, size_t>{"SELECT 1; SELECT 2", 0},
                                     {"SELECT FID FROM Bill WHERE FID = ?", 2}}) {
        try {
            std::vector<Variant> parameters(count, Variant(1));
            db_.Execute(sql, parameters);
            ADD_FAILURE() << sql << " ran";
        } catch (const automation::RuntimeError& error) {
            EXPECT_EQ(error.Number(), adodb::adoerr::InvalidArgument) << error.Description();
        }
    }

    // A script is one change: a failing statement takes back the ones before it.
    EXPECT_THROW(db_.ExecuteScript("DELETE FROM Bill; INSERT INTO NoSuchTable VALUES (1)"),
                 automation::RuntimeError);
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill")), 2);
    // So is a transaction taken back.
    db_.BeginTrans();
    EXPECT_TRUE(db_.InTransaction());
    db_.Execute("DELETE FROM Bill");
    db_.RollbackTrans();
    EXPECT_FALSE(db_.InTransaction());
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill")), 2);

    // A read-only connection reads and refuses every write.
    db_.Close();
    db_.Open(connectionString_ + ";Mode=Read");
    EXPECT_EQ(automation::CLng(One("SELECT COUNT(*) FROM Bill")), 2);
    EXPECT_EQ(CauseOf([&] { db_.Execute("DELETE FROM Bill"); }), adodb::FailureCause::ReadOnly);
    EXPECT_EQ(CauseOf([&] { db_.ExecuteScript("UPDATE Bill SET FQty = 0"); }),
              adodb::FailureCause::ReadOnly);
}

TEST(PostgresConnection, NoUserNameOrPasswordIsShown) {
    if (!test_support::OnPostgres()) GTEST_SKIP() << "PostgreSQL only: the server's user names";
    const std::string server = test_support::FindTestServer().address;
    // A database that does not exist, reached as a user with a password in the address.
    std::string address = test_support::ServerAddressOf(server, "no_such_database");
    address.replace(address.find(":///"), 4, "://ghostuser:s3cret@/");
    Connection db;
    try {
        db.Open("Provider=PostgreSQL;Data Source=\"" + address + "\"");
        ADD_FAILURE() << "opened";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), adodb::adoerr::ProviderError);
        EXPECT_EQ(adodb::CauseOfFailure(error), adodb::FailureCause::CannotOpen)
            << error.Description();
        EXPECT_EQ(error.Description().find("ghostuser"), std::string::npos) << error.Description();
        EXPECT_EQ(error.Description().find("s3cret"), std::string::npos) << error.Description();
    }
    EXPECT_EQ(adodb::RedactedDataSource(address).find("ghostuser"), std::string::npos);
    EXPECT_EQ(adodb::RedactedDataSource("host=/tmp user=ghostuser password=s3cret dbname=x"),
              "host=/tmp dbname=x");
}

}  // namespace

namespace {

// Reads a count and the ids of Bill in one transaction of a read-only connection.
std::vector<int32_t> IdsInTransaction(Connection& reader) {
    reader.BeginTrans();
    EXPECT_TRUE(reader.InTransaction()) << "a transaction begun holds before its first statement";
    std::vector<int32_t> ids;
    for (auto rows = reader.Execute("SELECT FID FROM Bill ORDER BY FID"); !rows->Eof();
         rows->MoveNext()) {
        ids.push_back(automation::CLng(rows->Value(0)));
    }
    reader.CommitTrans();
    EXPECT_FALSE(reader.InTransaction());
    return ids;
}

}  // namespace

TEST_F(EngineParity, ATransactionReadsAndFailsAsItsStatementsWouldAlone) {
    Connection reader;
    reader.Open(connectionString_ + ";Mode=Read");
    EXPECT_EQ(IdsInTransaction(reader), (std::vector<int32_t>{1, 2}));
    const Connection::Stamp before = reader.TransactionStamp();

    // Ended before any statement ran, a transaction ends all the same.
    for (const bool commit : {true, false}) {
        reader.BeginTrans();
        commit ? reader.CommitTrans() : reader.RollbackTrans();
        EXPECT_FALSE(reader.InTransaction()) << commit;
    }
    // A failing first statement fails as it would alone; the transaction is then rolled back and
    // the next one reads again. A read-only connection refuses a write in a transaction too.
    const std::vector<std::pair<std::string, adodb::FailureCause>> failing = {
        {"SELECT * FROM NoSuchTable", adodb::FailureCause::MissingTable},
        {"SELECT NoSuchColumn FROM Bill", adodb::FailureCause::MissingColumn},
        {"DELETE FROM Bill", adodb::FailureCause::ReadOnly}};
    for (const auto& [sql, cause] : failing) {
        reader.BeginTrans();
        EXPECT_EQ(CauseOf([&, sql = sql] { reader.Execute(sql); }), cause) << sql;
        reader.RollbackTrans();
        EXPECT_EQ(IdsInTransaction(reader).size(), 2u) << sql;
    }

    // What another connection commits shows in the reader's next transaction, and moves the
    // stamp read with that transaction's first statement.
    db_.Execute("INSERT INTO Bill (FID, FName) VALUES (3, 'new')");
    reader.BeginTrans();
    EXPECT_EQ(automation::CLng(reader.Execute("SELECT COUNT(*) FROM Bill")->Value(0)), 3);
    const Connection::Stamp after = reader.TransactionStamp();
    reader.CommitTrans();
    EXPECT_NE(after.stamp, before.stamp);
    EXPECT_EQ(after.identity, before.identity);
    EXPECT_EQ(reader.DatabaseIdentity(), reader.DatabaseStamp().identity);
}

TEST_F(EngineParity, ASessionTheServerEndedIsReplacedAtTheNextTransaction) {
    if (!test_support::OnPostgres()) GTEST_SKIP() << "PostgreSQL only: a file has no session";
    Connection reader;
    reader.Open(connectionString_ + ";Mode=Read");
    const Variant pid = reader.Execute("SELECT pg_backend_pid()")->Value(0);
    const std::string identity = reader.DatabaseIdentity();
    // Waits until the session is gone.
    ASSERT_TRUE(
        automation::CBool(One("SELECT pg_terminate_backend(CAST(? AS integer), 5000)", {pid})));
    EXPECT_EQ(IdsInTransaction(reader), (std::vector<int32_t>{1, 2}));
    EXPECT_NE(reader.DatabaseIdentity(), identity) << "a new session is another identity";
    // Outside a transaction the lost session is a failure, as before.
    const Variant newPid = reader.Execute("SELECT pg_backend_pid()")->Value(0);
    ASSERT_TRUE(
        automation::CBool(One("SELECT pg_terminate_backend(CAST(? AS integer), 5000)", {newPid})));
    EXPECT_EQ(CauseOf([&] { reader.Execute("SELECT COUNT(*) FROM Bill"); }),
              adodb::FailureCause::Unreachable);
}
