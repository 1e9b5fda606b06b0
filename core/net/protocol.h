// The network game's messages: what each line may say, read strictly and
// written in one way. Every message the protocol knows is here; a line that
// is not one of them is refused.
//
// Before the players are known to share the join code, lines are bare:
//   KORVANU <version> hello <nonce>           host, first
//   KORVANU <version> join <nonce> <proof>    joiner: it knows the code
//   welcome <proof>                           host: so does the host
//   refused code|busy|wait|version            host, and the connection ends
// After that every line is sealed as `<seq> <mac> <body>`, the sequence
// number counting from 1 in each direction and the MAC covering both.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanu::net {

constexpr int VERSION = 1;
// Nonces, proofs and MACs travel as 64 lower-case hexadecimal digits.
constexpr std::size_t HEX_LENGTH = 64;

enum class Verb {
  Hello,       // version, nonce
  Join,        // version, nonce, proof
  Welcome,     // proof
  Refused,     // text: code, busy, wait or version
  Settings,    // host sente?, drops?, handicap, main seconds, 秒読み seconds
  Agree,       //
  Move,        // fx fy tx ty code, as the game names a move
  Resync,      // how many `past` moves follow
  Past,        // fx fy tx ty code: a move of the host's record
  Clock,       // milliseconds used by 先手 and by 後手
  TakeBackAsk, // record length seen, length after the take-back
  TakeBackYes, // length after the take-back
  TakeBackNo,  //
  Resign,      //
  Timeout,     // the side whose time ran out: 0 先手, 1 後手
  Ping,        //
  Bye,         //
  Error,       // text: why the sender is ending the connection
};

struct Message {
  Verb verb = Verb::Ping;
  std::array<std::int64_t, 5> n{};
  std::string text; // Refused's reason, Error's words, Hello/Join's nonce
  std::string proof;
};

// A message of a verb and its numbers.
inline Message message(Verb v, std::array<std::int64_t, 5> n = {}) {
  Message m;
  m.verb = v;
  m.n = n;
  return m;
}

// A whole line (no line feed) as a message, or nothing when it is not one.
std::optional<Message> parseMessage(std::string_view line);
// The line for a message; parseMessage reads it back as it was.
std::string formatMessage(const Message& m);

// A sealed line's parts.
struct Sealed {
  std::uint64_t seq = 0;
  std::string mac;
  std::string body;
};
std::optional<Sealed> parseSealed(std::string_view line);
std::string formatSealed(const Sealed& s);

// What a MAC covers: who sent the line (so a line cannot be reflected back),
// its sequence number (so none can be replayed or reordered) and its body.
std::string macInput(bool fromHost, std::uint64_t seq, std::string_view body);

bool isHex(std::string_view text);
std::string toHex(std::string_view bytes);

} // namespace korvanu::net
