#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace mervalo {

// Ed25519 signatures of the updater. A mirror can hand out any file over HTTPS; the program
// starts only a file that the maker (or a key the club put in its settings) signed.

// The maker's public key, built in (PEM).
QByteArray builtInUpdateKey();

// The public keys an updater may be signed with: the built-in one, and the PEM file that the
// key "update key" of section "Standaard" names (relative to the program folder unless absolute)
// when it is there.
QList<QByteArray> trustedUpdateKeys(const QString& settingsFilePath, const QString& programFolder);

// True when signature is the raw 64-byte Ed25519 signature of the whole of data by one of the
// public keys (PEM). A key that does not read as an Ed25519 key trusts nothing.
bool isSignedBy(const QByteArray& data, const QByteArray& signature, const QList<QByteArray>& publicKeys);

// A new key pair as PEM: the private key (PKCS #8) and the public key. Empty on failure.
struct KeyPair {
  QByteArray privateKey;
  QByteArray publicKey;
};
KeyPair makeUpdateKeyPair();

// The raw 64-byte signature of data by the private key (PEM); empty when the key does not read
// as an Ed25519 private key.
QByteArray signWithKey(const QByteArray& data, const QByteArray& privateKey);

}  // namespace mervalo
