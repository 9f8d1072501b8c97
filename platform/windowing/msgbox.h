#pragma once
// VB's MsgBox: the back end shows the box and answers with the chosen button.

#include <cstdint>
#include <string>
#include <vector>

namespace windowing {

// Buttons (the low bits of `buttons`).
inline constexpr int32_t vbOKOnly = 0;
inline constexpr int32_t vbOKCancel = 1;
inline constexpr int32_t vbAbortRetryIgnore = 2;
inline constexpr int32_t vbYesNoCancel = 3;
inline constexpr int32_t vbYesNo = 4;
inline constexpr int32_t vbRetryCancel = 5;
// Icons, added to the buttons.
inline constexpr int32_t vbCritical = 16;
inline constexpr int32_t vbQuestion = 32;
inline constexpr int32_t vbExclamation = 48;
inline constexpr int32_t vbInformation = 64;
// Default button.
inline constexpr int32_t vbDefaultButton1 = 0;
inline constexpr int32_t vbDefaultButton2 = 256;
inline constexpr int32_t vbDefaultButton3 = 512;

// Results.
inline constexpr int32_t vbOK = 1;
inline constexpr int32_t vbCancel = 2;
inline constexpr int32_t vbAbort = 3;
inline constexpr int32_t vbRetry = 4;
inline constexpr int32_t vbIgnore = 5;
inline constexpr int32_t vbYes = 6;
inline constexpr int32_t vbNo = 7;

// Shows the box through the process's back end. An empty title is the application's name, as
// in VB ("trackquery" here).
int32_t MsgBox(const std::string& prompt, int32_t buttons = vbOKOnly,
               const std::string& title = "");

// The results a box with these buttons can give, in button order (vbOKOnly: vbOK).
std::vector<int32_t> MsgBoxChoices(int32_t buttons);
// The result of the default button (vbDefaultButton1..3, clamped to the buttons there are).
int32_t MsgBoxDefaultResult(int32_t buttons);

}  // namespace windowing
