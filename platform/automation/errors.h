#pragma once
// Run-time errors as VB raises them: a number, a source and a description. A failing call throws
// RuntimeError; a procedure's trap catches it and fills the thread's Err object.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace automation {

// Error numbers the port meets.
namespace vberr {
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t DivisionByZero = 11;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t ObjectVariableNotSet = 91;
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t ObjectRequired = 424;
inline constexpr int32_t CannotCreateObject = 429;
inline constexpr int32_t InterfaceNotSupported = 430;
inline constexpr int32_t MemberNotSupported = 438;
inline constexpr int32_t AutomationError = 440;
inline constexpr int32_t KeyAlreadyExists = 457;
inline constexpr int32_t ObjectError = -2147221504;  // vbObjectError
}  // namespace vberr

// VB's standard text for an error number, or "Application-defined or object-defined error".
std::string StandardErrorText(int32_t number);

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int32_t number, std::string source, std::string description);

    int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

  private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// Err.Raise: an omitted description takes the standard text of the number.
[[noreturn]] void Raise(int32_t number, const std::string& source = "",
                        const std::string& description = "");

// Raises `error` again with `source` in front of the previous source, the two joined by CR LF:
// the trail a procedure leaves when it passes a failure up to its caller.
[[noreturn]] void RaiseAgain(const RuntimeError& error, const std::string& source);

// VB's Err object. One per thread; a trap fills it from the caught error.
class ErrObject {
  public:
    int32_t Number = 0;
    std::string Source;
    std::string Description;

    void Clear();
    void Set(const RuntimeError& error);
    [[noreturn]] void Raise(int32_t number, const std::string& source = "",
                            const std::string& description = "") const;
    RuntimeError ToError() const { return RuntimeError(Number, Source, Description); }
};

ErrObject& Err();

// Keeps the caller's pending error across a call that runs its own traps (the shared services
// must leave the Err object as they found it).
class PendingErrorGuard {
  public:
    PendingErrorGuard();
    ~PendingErrorGuard();
    PendingErrorGuard(const PendingErrorGuard&) = delete;
    PendingErrorGuard& operator=(const PendingErrorGuard&) = delete;

  private:
    ErrObject saved_;
};

}  // namespace automation
