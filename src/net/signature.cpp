#include "net/signature.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include "app/settings.h"

namespace mervalo {

namespace {

// The private half is kept by the maker, outside the source tree.
constexpr char kMakerKey[] =
    "-----BEGIN PUBLIC KEY-----\n"
    "MCowBQYDK2VwAyEAmd7P7XZwBseh953XwDB3ssHRta2u+iRKihw5qaxvOmE=\n"
    "-----END PUBLIC KEY-----\n";

constexpr qsizetype kSignatureSize = 64;
// A key file is a few hundred bytes; nothing larger is read as one.
constexpr qint64 kMaxKeyFile = 16 * 1024;

struct Free {
  void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
  void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
  void operator()(BIO* b) const { BIO_free(b); }
};
using Key = std::unique_ptr<EVP_PKEY, Free>;
using Context = std::unique_ptr<EVP_MD_CTX, Free>;
using Bio = std::unique_ptr<BIO, Free>;

Bio readBio(const QByteArray& pem) { return Bio(BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size()))); }

Key ed25519(EVP_PKEY* key) {
  Key k(key);
  if (k && EVP_PKEY_get_id(k.get()) != EVP_PKEY_ED25519) k.reset();
  return k;
}

QByteArray written(const Bio& bio) {
  char* data = nullptr;
  const long n = BIO_get_mem_data(bio.get(), &data);
  return n > 0 ? QByteArray(data, n) : QByteArray();
}

}  // namespace

QByteArray builtInUpdateKey() { return QByteArray(kMakerKey); }

QList<QByteArray> trustedUpdateKeys(const QString& settingsFilePath, const QString& programFolder) {
  QList<QByteArray> keys{builtInUpdateKey()};
  const QString name = readSetting(QStringLiteral("Standaard"), QStringLiteral("update key"), settingsFilePath).trimmed();
  if (name.isEmpty()) return keys;
  QFile file(QDir(programFolder).absoluteFilePath(name));
  if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxKeyFile) keys << file.readAll();
  return keys;
}

bool isSignedBy(const QByteArray& data, const QByteArray& signature, const QList<QByteArray>& publicKeys) {
  if (signature.size() != kSignatureSize) return false;
  for (const QByteArray& pem : publicKeys) {
    const Bio bio = readBio(pem);
    const Key key = ed25519(bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr) : nullptr);
    const Context ctx(EVP_MD_CTX_new());
    if (!key || !ctx) continue;
    // Ed25519 hashes the message itself: no digest here, and the whole file in one call.
    if (EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
        EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char*>(signature.constData()),
                         static_cast<size_t>(signature.size()), reinterpret_cast<const unsigned char*>(data.constData()),
                         static_cast<size_t>(data.size())) == 1)
      return true;
  }
  return false;
}

KeyPair makeUpdateKeyPair() {
  const Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"));
  const Bio priv(BIO_new(BIO_s_mem()));
  const Bio pub(BIO_new(BIO_s_mem()));
  if (!key || !priv || !pub || PEM_write_bio_PrivateKey(priv.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1 ||
      PEM_write_bio_PUBKEY(pub.get(), key.get()) != 1)
    return {};
  return {written(priv), written(pub)};
}

QByteArray signWithKey(const QByteArray& data, const QByteArray& privateKey) {
  const Bio bio = readBio(privateKey);
  const Key key = ed25519(bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr) : nullptr);
  const Context ctx(EVP_MD_CTX_new());
  if (!key || !ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1) return {};
  QByteArray signature(kSignatureSize, '\0');
  size_t size = static_cast<size_t>(signature.size());
  if (EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(signature.data()), &size,
                     reinterpret_cast<const unsigned char*>(data.constData()), static_cast<size_t>(data.size())) != 1 ||
      size != static_cast<size_t>(kSignatureSize))
    return {};
  return signature;
}

}  // namespace mervalo
