#pragma once
// The foundation library's text formatter ("KFO.TextFormatter"): fills "%1", "%2", ... of a text
// with its arguments.

#include <contracts/resources.h>

namespace client {

class TextFormatter : public trackquery::ITextFormatter {
  public:
    std::string TypeName() const override { return "TextFormatter"; }

    // Each "%n" (n: all the digits that follow the "%") is replaced by the n-th argument as VB's
    // CStr gives it; Empty and Null give an empty text. A placeholder with no such argument, and a
    // "%" that no digit follows, stay as they are. An object argument fails with error 13.
    std::string FormatText(const std::string& text,
                           const std::vector<automation::Variant>& arguments) override;
};

}  // namespace client
