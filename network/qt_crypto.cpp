#include "qt_crypto.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace korvanu {

namespace {

QByteArray bytes(std::string_view s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}
std::string text(const QByteArray& b) { return std::string(b.constData(), b.size()); }

} // namespace

std::string QtCrypto::random(std::size_t count) {
  std::string out(count, '\0');
  for (char& c : out) c = static_cast<char>(QRandomGenerator::system()->generate() & 0xFF);
  return out;
}

std::string QtCrypto::hmac(std::string_view key, std::string_view data) {
  return text(
      QMessageAuthenticationCode::hash(bytes(data), bytes(key), QCryptographicHash::Sha256));
}

std::string QtCrypto::stretch(std::string_view code, std::string_view salt) {
  return text(QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, bytes(code),
                                                 bytes(salt), rounds_, 32));
}

} // namespace korvanu
