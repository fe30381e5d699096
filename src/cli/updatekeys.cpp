// mervalo-cli keygen DIR and mervalo-cli sign KEYFILE FILE: the key pair of whoever hosts an
// updater, and the signature the program checks before it starts one.

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

#include "net/signature.h"

namespace mervalo {

namespace {

int fail(const char* command, const QString& why) {
  std::fprintf(stderr, "mervalo-cli %s: %s\n", command, qPrintable(why));
  return 1;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(permissions) || file.write(bytes) != bytes.size() ||
      !file.commit()) {
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  return true;
}

const QString kPrivateKeyFile = QStringLiteral("mervalo-update-private.pem");
const QString kPublicKeyFile = QStringLiteral("mervalo-update-public.pem");

}  // namespace

int runKeygenCommand(const QStringList& args) {
  if (args.size() != 1) return fail("keygen", QStringLiteral("usage: mervalo-cli keygen DIR"));
  const QDir dir(args[0]);
  if (!QDir().mkpath(args[0])) return fail("keygen", args[0] + QStringLiteral(": the folder cannot be made"));
  // A key in use is never replaced by accident: every updater signed with it would be refused.
  if (dir.exists(kPrivateKeyFile)) return fail("keygen", dir.filePath(kPrivateKeyFile) + QStringLiteral(" already exists"));
  const KeyPair pair = makeUpdateKeyPair();
  if (pair.privateKey.isEmpty()) return fail("keygen", QStringLiteral("OpenSSL could not make a key"));
  QString error;
  if (!writeWhole(dir.filePath(kPrivateKeyFile), pair.privateKey, QFileDevice::ReadOwner | QFileDevice::WriteOwner, &error) ||
      !writeWhole(dir.filePath(kPublicKeyFile), pair.publicKey,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther, &error))
    return fail("keygen", error);
  std::printf("%s\n%s\n", qPrintable(dir.filePath(kPrivateKeyFile)), qPrintable(dir.filePath(kPublicKeyFile)));
  return 0;
}

int runSignCommand(const QStringList& args) {
  if (args.size() != 2) return fail("sign", QStringLiteral("usage: mervalo-cli sign KEYFILE FILE"));
  QFile key(args[0]);
  if (!key.open(QIODevice::ReadOnly)) return fail("sign", args[0] + QStringLiteral(": ") + key.errorString());
  QFile file(args[1]);
  if (!file.open(QIODevice::ReadOnly)) return fail("sign", args[1] + QStringLiteral(": ") + file.errorString());
  const QByteArray signature = signWithKey(file.readAll(), key.readAll());
  if (signature.isEmpty()) return fail("sign", args[0] + QStringLiteral(": not an Ed25519 private key (PEM)"));
  QString error;
  if (!writeWhole(args[1] + QStringLiteral(".sig"), signature, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther,
                  &error))
    return fail("sign", error);
  return 0;
}

}  // namespace mervalo
