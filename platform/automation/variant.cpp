#include <platform/automation/variant.h>

#include <platform/automation/errors.h>

#include <limits>

namespace automation {

Variant::Variant(int64_t value) {
    if (value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max())
        value_ = static_cast<int32_t>(value);
    else
        value_ = static_cast<double>(value);
}

VarType Variant::Type() const { return kStorageTypes[value_.index()]; }

bool Variant::IsNumber() const {
    switch (Type()) {
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return true;
        default:
            return false;
    }
}

std::optional<double> Variant::NumericValue() const {
    switch (Type()) {
        case VarType::Boolean:
            return AsBoolean() ? -1.0 : 0.0;
        case VarType::Integer:
            return AsInteger();
        case VarType::Long:
            return AsLong();
        case VarType::Single:
            return AsSingle();
        case VarType::Double:
            return AsDouble();
        case VarType::Date:
            return AsDate().serial;
        default:
            return std::nullopt;
    }
}

bool Variant::IsNothing() const { return IsObject() && !std::get<ObjectPtr>(value_); }

namespace {
template <class T, class Storage>
const T& Get(const Storage& value) {
    if (auto found = std::get_if<T>(&value)) return *found;
    Raise(vberr::TypeMismatch);
}
}  // namespace

bool Variant::AsBoolean() const { return Get<bool>(value_); }
int16_t Variant::AsInteger() const { return Get<int16_t>(value_); }
int32_t Variant::AsLong() const { return Get<int32_t>(value_); }
float Variant::AsSingle() const { return Get<float>(value_); }
double Variant::AsDouble() const { return Get<double>(value_); }
DateValue Variant::AsDate() const { return Get<DateValue>(value_); }
const std::string& Variant::AsString() const { return Get<std::string>(value_); }

ObjectPtr Variant::AsObject() const {
    if (IsEmpty() || IsNull() || !IsObject()) Raise(vberr::ObjectRequired);
    return std::get<ObjectPtr>(value_);
}

std::string Variant::TypeName() const {
    switch (Type()) {
        case VarType::Empty:
            return "Empty";
        case VarType::Null:
            return "Null";
        case VarType::Boolean:
            return "Boolean";
        case VarType::Integer:
            return "Integer";
        case VarType::Long:
            return "Long";
        case VarType::Single:
            return "Single";
        case VarType::Double:
            return "Double";
        case VarType::Date:
            return "Date";
        case VarType::String:
            return "String";
        case VarType::Object: {
            const auto& object = std::get<ObjectPtr>(value_);
            return object ? object->TypeName() : "Nothing";
        }
    }
    return "Unknown";
}

}  // namespace automation
