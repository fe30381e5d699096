#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace mervalo {

// The mail provider list ("MAIL.TXT"): two scrambled lines, one per mail provider. Each line is
// a three-digit key K, then groups of three digits (a character code plus K), then four
// characters that on the first line give the file's size minus 12.
//
// A decoded line holds nine fields separated by "<>"; a provider slot keeps them in the order
// the mail sender reads them:
//   entry 0 field 2 (setting 1, only slot 0's is used)   entry 5 field 6 (setting 6)
//   entry 1 field 4 (setting 2)                          entry 6 field 8 (setting 7, yes/no)
//   entry 2 field 0 (setting 3, a number)                entry 7 field 3 (sender address)
//   entry 3 field 5 (setting 4, yes/no)                  entry 8 field 7 (sender name)
//   entry 4 field 1 (setting 5)
inline constexpr int kProviderFields = 9;
inline constexpr int kProviderSlots = 2;

// The text of one scrambled line, or nullopt when it does not decode: shorter than key plus
// check, a key or payload that is not all digits, a payload not made of whole groups, or a
// group whose value minus K lies outside 0-255.
std::optional<QString> decodeProviderLine(const QString& line);

// The nine slot entries of a decoded line, or nullopt when it has fewer than nine fields.
std::optional<QStringList> providerSlotEntries(const QString& decoded);

// The inverse of decodeProviderLine, for the maker's tools and for tests: key 0-999; the last
// four characters are the check (pass anything for lines other than the first).
QString encodeProviderLine(const QString& text, int key, const QString& check = QStringLiteral("0000"));

// The names of the nine decoded fields, in their order, as a club writes them for its own list.
const QStringList& providerFieldNames();

// A whole provider list from the two providers' nine decoded fields (in field order): one
// scrambled line each with its own key (0-744, so every group keeps three digits), CR LF line
// ends and the length check on the first line. Empty, with the reason, when a field holds
// "<>", a line break or a character outside the single-byte code page, a sender address is not
// safe (isSafeMailAddress), or a provider logs in without tls.
QByteArray makeProviderList(const std::array<QStringList, kProviderSlots>& fields,
                            const std::array<int, kProviderSlots>& keys, QString* error = nullptr);

struct ProviderListResult {
  enum class Status { Ok, Missing, Damaged };
  Status status = Status::Missing;
  QStringList lines;                               // the non-blank lines, as read
  std::array<QStringList, kProviderSlots> providers;   // empty for a line that did not decode
  bool lengthCheckFailed = false;
};

// Reads and decodes the provider list. Missing: the file is missing or empty. Damaged: no
// non-blank line, more than two of them, a line that does not decode, a sender address that is
// not safe, or a failed length check; the lines that do decode still fill their slots.
ProviderListResult loadProviderList(const QString& path);
// The same from the file's bytes (size = bytes.size()).
ProviderListResult parseProviderList(const QByteArray& bytes);
// True when bytes read as a whole provider list: two providers, both decoded, the length check
// right. A download replaces the list on disk only with such a one.
bool isCompleteProviderList(const QByteArray& bytes);

}  // namespace mervalo
