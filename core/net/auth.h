// Who may play: the join code, the proofs that both ends know it and the key
// that seals every later line. The primitives themselves (random bytes,
// HMAC-SHA256, PBKDF2) come from outside through Crypto: none is written here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanu::net {

class Crypto {
public:
  virtual ~Crypto() = default;
  // Bytes from the system's cryptographic generator.
  virtual std::string random(std::size_t bytes) = 0;
  // HMAC-SHA256: 32 raw bytes.
  virtual std::string hmac(std::string_view key, std::string_view data) = 0;
  // PBKDF2-HMAC-SHA256 of the code over the salt: 32 raw bytes, slow on
  // purpose, so that a recorded greeting is no quick test of guessed codes.
  virtual std::string stretch(std::string_view code, std::string_view salt) = 0;
};

// Join codes: eight characters from an alphabet with nothing to mistake for
// another (no 0/O, 1/I/L).
constexpr std::string_view CODE_ALPHABET = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
constexpr std::size_t CODE_LENGTH = 8;
std::string makeJoinCode(Crypto& crypto);
// The code as a player typed it: case, spaces and hyphens do not matter.
// Nothing when it is not a code.
std::optional<std::string> normaliseJoinCode(std::string_view typed);

// What both ends derive from the code and the two nonces (hex): the proofs
// (hex) and the key that seals the lines.
struct SessionKeys {
  std::string joinProof, hostProof, key;
};
SessionKeys deriveKeys(Crypto& crypto, std::string_view code, std::string_view hostNonce,
                       std::string_view joinNonce);
// A proof or MAC compared in time that does not depend on where they differ.
bool sameDigest(std::string_view a, std::string_view b);
// The hex MAC of a sealed line.
std::string sealMac(Crypto& crypto, std::string_view key, bool fromHost, std::uint64_t seq,
                    std::string_view body);

// The host's guard against guessing: after `tries` wrong codes in a row it
// refuses everyone for `lockMs`.
class AttemptLimiter {
public:
  AttemptLimiter() = default;
  AttemptLimiter(int tries, std::int64_t lockMs) : tries_(tries), lockMs_(lockMs) {}
  bool locked(std::int64_t nowMs) const { return nowMs < lockedUntil_; }
  // A wrong code: true when it starts a lock.
  bool failed(std::int64_t nowMs);
  void succeeded() { wrong_ = 0; }

private:
  int tries_ = 3;
  std::int64_t lockMs_ = 60'000;
  int wrong_ = 0;
  std::int64_t lockedUntil_ = 0;
};

} // namespace korvanu::net
