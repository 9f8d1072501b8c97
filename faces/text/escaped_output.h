#pragma once
// What the host prints comes partly from the database and from scripts: a bill number holding an
// escape sequence would move the cursor, recolour or retitle the user's terminal, and a carriage
// return would overwrite what the line said. EscapedOutput passes text on to a stream with every
// control character but the line feed and the tab written visibly: C0 controls and DEL as \xHH,
// the C1 controls of UTF-8 (U+0080 to U+009F) as \u00HH. Everything else passes as it is.

#include <ostream>
#include <streambuf>

namespace textface {

class EscapingBuffer : public std::streambuf {
  public:
    explicit EscapingBuffer(std::ostream& target) : target_(target) {}
    ~EscapingBuffer() override;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

  private:
    void Put(unsigned char byte);

    std::ostream& target_;
    // The lead byte of a two-byte UTF-8 character that may be a C1 control.
    bool pendingLead_ = false;
};

// A stream over `target` that escapes what it passes on.
class EscapedOutput : public std::ostream {
  public:
    explicit EscapedOutput(std::ostream& target) : std::ostream(nullptr), buffer_(target) {
        rdbuf(&buffer_);
    }

  private:
    EscapingBuffer buffer_;
};

}  // namespace textface
