#include <components/resources/text_formatter.h>

#include <platform/automation/conversions.h>

#include <cctype>

namespace client {

namespace {

std::string ArgumentText(const automation::Variant& argument) {
    if (argument.IsEmpty() || argument.IsNull()) return {};
    return automation::CStr(argument);
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The argument a run of digits names; 0 for none (no digits, or too many to name one).
size_t ArgumentNumber(const std::string& digits) {
    if (digits.empty() || digits.size() > 9) return 0;
    return std::stoul(digits);
}

}  // namespace

std::string TextFormatter::FormatText(const std::string& text,
                                      const std::vector<automation::Variant>& arguments) {
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i + 1;
        while (text[i] == '%' && end < text.size() && IsDigit(text[end])) ++end;
        size_t number = ArgumentNumber(text.substr(i + 1, end - i - 1));
        if (number >= 1 && number <= arguments.size()) {
            result += ArgumentText(arguments[number - 1]);
        } else {
            result.append(text, i, end - i);
        }
        i = end;
    }
    return result;
}

}  // namespace client
