#pragma once
// Captions of the client's own components (the trace viewer's bar, the bill list) in the
// session's language, from the client's language resources: the Chinese caption is the key, as
// for the library's texts. Made once per window; the resource file is read on first use.

#include <components/resources/res_loader.h>

#include <optional>
#include <string>

namespace client {

class SessionCaptions {
  public:
    // Reads the language of the current process's session property string.
    SessionCaptions();

    // The caption in the session's language; the caption itself in a Simplified Chinese session,
    // for a caption the file lacks, or when the file cannot be read.
    std::string operator()(const std::string& caption);

  private:
    std::optional<ResLoader> loader_;
};

}  // namespace client
