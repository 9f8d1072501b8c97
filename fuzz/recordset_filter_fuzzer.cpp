// Filter and Sort of a record set, through the public Recordset as the library uses them: the
// first line of the input is the Filter criteria, the second the Sort order. The rows are the kind
// the trackers filter (numbers, texts, dates, Nulls, names that need brackets).

#include "fuzz_input.h"

#include <platform/adodb/recordset.h>
#include <platform/automation/errors.h>

#include <cstdio>
#include <cstdlib>

namespace {

using adodb::FieldInfo;
using automation::DateValue;
using automation::NullValue;
using automation::Variant;

adodb::RecordsetPtr Rows() {
    static const adodb::RecordsetPtr rows = [] {
        auto rs = adodb::Recordset::OpenWithFields({
            {"FID", adodb::adInteger},
            {"FKey", adodb::adVarWChar},
            {"FQty", adodb::adDouble},
            {"FDate", adodb::adDate},
            {"FCheck", adodb::adBoolean},
            {"Order No", adodb::adVarWChar},
            {"FSmall", adodb::adSmallInt},
            {"FAmount", adodb::adCurrency},
        });
        const Variant null{NullValue{}};
        rs->LoadRow(
            {-52, "FBillNo", 12.5, DateValue{45000.5}, true, "SEORD000001", int16_t{1}, 99.99});
        rs->LoadRow({-85, "fbillno", -0.0, DateValue{2.0}, false, "O'Malley", int16_t{-3}, 0.0});
        rs->LoadRow({null, null, null, null, null, null, null, null});
        rs->LoadRow({1007100, "10", 1e300, DateValue{-657434.0}, true, "", int16_t{32767}, -1e15});
        rs->LoadRow(
            {81, "生产任务单", -1e-300, DateValue{2958465.99}, false, " * %", int16_t{0}, 0.005});
        rs->LoadRow({0, "-52", 3.0, DateValue{0.0}, true, "a*b", int16_t{-32768}, 1.5});
        return rs;
    }();
    return rows;
}

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "recordset_filter_fuzzer: %s\n", what);
    std::abort();
}

// A failure the record set promises for a text it cannot use: 3001 (unreadable) or 3265 (no such
// field).
void ExpectReadError(const automation::RuntimeError& error) {
    Check(error.Number() == 3001 || error.Number() == 3265, "unexpected error number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Text(data, size), 2);
    auto rs = Rows()->Clone();
    const int32_t all = rs->RecordCount();
    try {
        rs->SetFilter(pieces[0]);
    } catch (const automation::RuntimeError& error) {
        ExpectReadError(error);
        Check(rs->RecordCount() == all, "a failed Filter changed the rows shown");
    }
    const int32_t shown = rs->RecordCount();
    Check(shown >= 0 && shown <= all, "a Filter showed rows the record set does not have");
    try {
        rs->SetSort(pieces[1]);
    } catch (const automation::RuntimeError& error) {
        ExpectReadError(error);
    }
    Check(rs->RecordCount() == shown, "Sort changed the number of rows shown");
    // MoveFirst on a view without rows is error 3021, as in ADO; callers test EOF first.
    int32_t visited = 0;
    if (shown > 0) rs->MoveFirst();
    for (; !rs->Eof(); rs->MoveNext()) {
        for (int32_t field = 0; field < rs->FieldCount(); ++field) rs->Value(field);
        ++visited;
    }
    Check(visited == shown, "moving through the rows met another count than RecordCount");
    return 0;
}
