#pragma once
// VB's date functions that build a Date from its calendar fields.

#include <platform/automation/variant.h>

namespace automation {

// The Date of a calendar day, at midnight. A day that does not exist (2023-02-29, month 13) or
// lies outside VB's range (100-01-01 to 9999-12-31) is error 5; VB's own DateSerial would carry
// such a day into the months around it, which no caller here wants.
DateValue DateSerial(int year, int month, int day);

}  // namespace automation
