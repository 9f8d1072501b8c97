#pragma once
// The ADO constants the record sets and connections use, with ADO's own numbers, and the ADO
// run-time error numbers they raise (VB shows the low word of the 0x800A.... HRESULT).

#include <cstdint>

namespace adodb {

// Field data types (DataTypeEnum).
enum DataTypeEnum : int32_t {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
};

// Field attributes (FieldAttributeEnum), combined as bits.
enum FieldAttributeEnum : int32_t {
    adFldUnspecified = -1,
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldKeyColumn = 0x8000,
};

enum ObjectStateEnum : int32_t { adStateClosed = 0, adStateOpen = 1 };

// Special values of AbsolutePosition.
enum PositionEnum : int32_t { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

enum EditModeEnum : int32_t { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };

enum AffectEnum : int32_t { adAffectCurrent = 1, adAffectGroup = 2 };

enum FilterGroupEnum : int32_t { adFilterNone = 0 };

namespace adoerr {
inline constexpr int32_t InvalidArgument = 3001;   // bad Filter or Sort text, bad argument
inline constexpr int32_t NoCurrentRecord = 3021;   // BOF or EOF, or the current row is deleted
inline constexpr int32_t IllegalOperation = 3219;  // not allowed in this state
inline constexpr int32_t FeatureNotAvailable = 3251;
inline constexpr int32_t ItemNotFound = 3265;        // unknown field name or ordinal
inline constexpr int32_t ObjectInCollection = 3367;  // a field of that name is already there
inline constexpr int32_t DataConversion = 3421;      // a value the field cannot hold
inline constexpr int32_t ObjectClosed = 3704;        // the object is closed
inline constexpr int32_t ObjectOpen = 3705;          // the object is open
// What ADO reports for a failure inside the provider (E_FAIL): SQLite errors carry it.
inline constexpr int32_t ProviderError = -2147467259;
}  // namespace adoerr

}  // namespace adodb
