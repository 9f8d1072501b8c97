#pragma once
// The automation value: what a VB Variant holds. Conversions between the kinds follow VB's rules
// and live in conversions.h; this type only stores and reports.

#include <platform/automation/object.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace automation {

// VarType codes, as VB's VarType() returns them.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Object = 9,
    Boolean = 11,
};

// A date as VB keeps it: days since 1899-12-30, the fraction is the time of day.
struct DateValue {
    double serial = 0;
    friend bool operator==(const DateValue&, const DateValue&) = default;
};

struct NullValue {
    friend bool operator==(const NullValue&, const NullValue&) = default;
};
inline constexpr NullValue Null{};

namespace detail {

// The VarType code of each C++ type a Variant stores, chosen by overload on a pointer to the type
// (never read).
constexpr VarType VarTypeOf(const std::monostate*) { return VarType::Empty; }
constexpr VarType VarTypeOf(const NullValue*) { return VarType::Null; }
constexpr VarType VarTypeOf(const bool*) { return VarType::Boolean; }
constexpr VarType VarTypeOf(const int16_t*) { return VarType::Integer; }
constexpr VarType VarTypeOf(const int32_t*) { return VarType::Long; }
constexpr VarType VarTypeOf(const float*) { return VarType::Single; }
constexpr VarType VarTypeOf(const double*) { return VarType::Double; }
constexpr VarType VarTypeOf(const DateValue*) { return VarType::Date; }
constexpr VarType VarTypeOf(const std::string*) { return VarType::String; }
constexpr VarType VarTypeOf(const ObjectPtr*) { return VarType::Object; }

// True when `codes` lists the VarType of each alternative of `Storage`, in order.
template <class Storage, size_t count, size_t... index>
constexpr bool StoresAs(const VarType (&codes)[count], std::index_sequence<index...>) {
    using std::variant_alternative_t;
    return count == sizeof...(index) &&
           ((VarTypeOf(static_cast<const variant_alternative_t<index, Storage>*>(nullptr)) ==
             codes[index]) &&
            ...);
}

}  // namespace detail

class Variant {
  public:
    Variant() = default;  // Empty
    Variant(NullValue) : value_(NullValue{}) {}
    Variant(bool value) : value_(value) {}
    Variant(int16_t value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}
    // Wider integers become Long when they fit, Double otherwise (database integers are 64-bit).
    Variant(int64_t value);
    Variant(float value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(DateValue value) : value_(value) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(std::string_view value) : value_(std::string(value)) {}
    Variant(ObjectPtr value) : value_(std::move(value)) {}
    template <class T, class = std::enable_if_t<std::is_base_of_v<Object, T>>>
    Variant(std::shared_ptr<T> value) : value_(ObjectPtr(std::move(value))) {}

    VarType Type() const;
    bool IsEmpty() const { return value_.index() == 0; }
    bool IsNull() const { return std::holds_alternative<NullValue>(value_); }
    bool IsObject() const { return std::holds_alternative<ObjectPtr>(value_); }
    bool IsString() const { return std::holds_alternative<std::string>(value_); }
    bool IsNumber() const;  // Integer, Long, Single, Double or Boolean
    // The number a numeric, Boolean (True is -1) or Date value holds; nothing for any other kind.
    // Texts are not read here: their rules differ by caller (see conversions.h).
    std::optional<double> NumericValue() const;
    // Nothing: an object reference that refers to no object.
    bool IsNothing() const;

    // Exact reads; the wrong kind is error 13 (use conversions.h to convert).
    bool AsBoolean() const;
    int16_t AsInteger() const;
    int32_t AsLong() const;
    float AsSingle() const;
    double AsDouble() const;
    DateValue AsDate() const;
    const std::string& AsString() const;
    ObjectPtr AsObject() const;

    template <class T>
    std::shared_ptr<T> As() const {
        return std::dynamic_pointer_cast<T>(AsObject());
    }

    // VB's TypeName: "Empty", "Null", "Integer", ..., or the object's class name ("Nothing").
    std::string TypeName() const;

    // Same kind and same value (objects: same instance). Not VB's "=", which converts.
    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

  private:
    using Storage = std::variant<std::monostate, NullValue, bool, int16_t, int32_t, float, double,
                                 DateValue, std::string, ObjectPtr>;
    // The VarType code of each alternative of Storage, in Storage's order: Type() reads it by the
    // index of the alternative held.
    static constexpr VarType kStorageTypes[] = {
        VarType::Empty,  VarType::Null,   VarType::Boolean, VarType::Integer, VarType::Long,
        VarType::Single, VarType::Double, VarType::Date,    VarType::String,  VarType::Object};
    static_assert(detail::StoresAs<Storage>(
                      kStorageTypes, std::make_index_sequence<std::variant_size_v<Storage>>()),
                  "Storage's alternatives and kStorageTypes must name the same kinds in one order");
    Storage value_;
};

}  // namespace automation
