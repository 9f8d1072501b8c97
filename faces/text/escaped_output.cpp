#include "escaped_output.h"

namespace textface {

namespace {

constexpr unsigned char kC1Lead = 0xC2;  // U+0080 to U+00BF are 0xC2 0x80 to 0xC2 0xBF

void PutHex(std::ostream& out, const char* prefix, unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out << prefix << kDigits[byte >> 4] << kDigits[byte & 0xF];
}

bool IsControl(unsigned char byte) {
    return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
}

}  // namespace

EscapingBuffer::~EscapingBuffer() {
    if (pendingLead_) target_.put(static_cast<char>(kC1Lead));
}

void EscapingBuffer::Put(unsigned char byte) {
    if (pendingLead_) {
        pendingLead_ = false;
        if (byte >= 0x80 && byte <= 0x9F) {
            PutHex(target_, "\\u00", byte);
            return;
        }
        target_.put(static_cast<char>(kC1Lead));
    }
    if (byte == kC1Lead) {
        pendingLead_ = true;
    } else if (IsControl(byte)) {
        PutHex(target_, "\\x", byte);
    } else {
        target_.put(static_cast<char>(byte));
    }
}

EscapingBuffer::int_type EscapingBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Put(static_cast<unsigned char>(traits_type::to_char_type(c)));
    return c;
}

std::streamsize EscapingBuffer::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) Put(static_cast<unsigned char>(text[i]));
    return count;
}

int EscapingBuffer::sync() {
    target_.flush();
    return target_ ? 0 : -1;
}

}  // namespace textface
