#include <platform/automation/errors.h>

#include <map>

namespace automation {

std::string StandardErrorText(int32_t number) {
    static const std::map<int32_t, std::string> texts = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {91, "Object variable or With block variable not set"},
        {94, "Invalid use of Null"},
        {424, "Object required"},
        {429, "ActiveX component can't create object"},
        {430, "Class does not support Automation or does not support expected interface"},
        {438, "Object doesn't support this property or method"},
        {440, "Automation error"},
        {457, "This key is already associated with an element of this collection"},
    };
    auto found = texts.find(number);
    return found != texts.end() ? found->second : "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(int32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

void Raise(int32_t number, const std::string& source, const std::string& description) {
    throw RuntimeError(number, source,
                       description.empty() ? StandardErrorText(number) : description);
}

void RaiseAgain(const RuntimeError& error, const std::string& source) {
    std::string trail = error.Source().empty() ? source : source + "\r\n" + error.Source();
    throw RuntimeError(error.Number(), trail, error.Description());
}

void ErrObject::Clear() {
    Number = 0;
    Source.clear();
    Description.clear();
}

void ErrObject::Set(const RuntimeError& error) {
    Number = error.Number();
    Source = error.Source();
    Description = error.Description();
}

void ErrObject::Raise(int32_t number, const std::string& source,
                      const std::string& description) const {
    automation::Raise(number, source, description);
}

ErrObject& Err() {
    thread_local ErrObject err;
    return err;
}

PendingErrorGuard::PendingErrorGuard() : saved_(Err()) {}

PendingErrorGuard::~PendingErrorGuard() { Err() = saved_; }

}  // namespace automation
