#include "net/auth.h"

#include "net/protocol.h"

namespace korvanu::net {

std::string makeJoinCode(Crypto& crypto) {
  std::string code;
  while (code.size() < CODE_LENGTH) {
    // Draws outside a whole multiple of the alphabet are thrown away, so that
    // every character is equally likely.
    const auto byte = static_cast<unsigned char>(crypto.random(1)[0]);
    const std::size_t limit = 256 - 256 % CODE_ALPHABET.size();
    if (byte < limit) code += CODE_ALPHABET[byte % CODE_ALPHABET.size()];
  }
  return code;
}

std::optional<std::string> normaliseJoinCode(std::string_view typed) {
  std::string code;
  for (char c : typed) {
    if (c == ' ' || c == '-') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (CODE_ALPHABET.find(c) == std::string_view::npos) return std::nullopt;
    code += c;
  }
  if (code.size() != CODE_LENGTH) return std::nullopt;
  return code;
}

SessionKeys deriveKeys(Crypto& crypto, std::string_view code, std::string_view hostNonce,
                       std::string_view joinNonce) {
  const std::string salt = "KORVANU " + std::to_string(VERSION) + " " + std::string(hostNonce) +
                           " " + std::string(joinNonce);
  const std::string secret = crypto.stretch(code, salt);
  return {toHex(crypto.hmac(secret, "join")), toHex(crypto.hmac(secret, "host")),
          crypto.hmac(secret, "seal")};
}

bool sameDigest(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char diff = 0;
  for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
  return diff == 0;
}

std::string sealMac(Crypto& crypto, std::string_view key, bool fromHost, std::uint64_t seq,
                    std::string_view body) {
  return toHex(crypto.hmac(key, macInput(fromHost, seq, body)));
}

bool AttemptLimiter::failed(std::int64_t nowMs) {
  if (++wrong_ < tries_) return false;
  wrong_ = 0;
  lockedUntil_ = nowMs + lockMs_;
  return true;
}

} // namespace korvanu::net
