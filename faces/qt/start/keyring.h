#pragma once
// The desktop's keyring (QtKeychain: the Secret Service or KWallet), for the password of a
// connection profile. Every call waits at most `limit` for the keyring and then gives up as if
// there were none, so a desktop without one (or a keyring that never answers) costs a short wait
// and hangs nothing. The password is never written anywhere else: without a keyring libpq's own
// sources (~/.pgpass, PGPASSWORD, PGSERVICE) are the place for it.

#include <chrono>
#include <optional>
#include <string>

namespace qtgui {

class Keyring {
  public:
    explicit Keyring(std::chrono::milliseconds limit = std::chrono::seconds(3)) : limit_(limit) {}

    // The password kept for the profile; nothing when there is none or no keyring answered.
    std::optional<std::string> Read(const std::string& profile) const;
    // Whether the keyring took the password (false: no keyring, or it refused).
    bool Write(const std::string& profile, const std::string& password) const;
    bool Remove(const std::string& profile) const;

  private:
    std::chrono::milliseconds limit_;
};

}  // namespace qtgui
