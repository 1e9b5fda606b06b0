// The network game's cryptography, all Qt's own: QRandomGenerator::system()
// for nonces and join codes, QMessageAuthenticationCode for HMAC-SHA256 and
// QPasswordDigestor for PBKDF2.
#pragma once

#include "net/auth.h"

namespace korvanu {

class QtCrypto : public net::Crypto {
public:
  // PBKDF2's rounds: slow enough to make guessing a recorded greeting's code
  // take far longer than a game, quick enough for one greeting.
  explicit QtCrypto(int rounds = 200'000) : rounds_(rounds) {}
  std::string random(std::size_t bytes) override;
  std::string hmac(std::string_view key, std::string_view data) override;
  std::string stretch(std::string_view code, std::string_view salt) override;

private:
  int rounds_;
};

} // namespace korvanu
