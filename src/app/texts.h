#pragma once

#include <QHash>
#include <QString>

namespace mervalo {

inline constexpr int kDutch = 10;
inline constexpr int kEnglish = 11;

// The built-in text table of both languages, stored under language × 1000 + text number.
class TextTable {
 public:
  // The table compiled into the program (resources/texts.txt).
  static const TextTable& builtin();

  // Parses the table's source form: one entry a line, "identifier<TAB>text", UTF-8.
  // Blank lines and lines starting with '#' are skipped.
  // A line "{{name}}<TAB>value" defines a value that replaces "{{name}}" inside the texts.
  static TextTable parse(const QByteArray& utf8);

  // Text n (0..999) of the given language, or — for a five-digit number — the text stored
  // under that identifier whatever the language. Missing texts are empty.
  QString lookup(int number, int language) const;

  int size() const { return static_cast<int>(texts_.size()); }

  // A value the table defines once ("{{support}}" is detail("support")): the maker's details
  // that texts share and that a few fixed messages need too. Empty when not defined.
  QString detail(const QString& name) const { return details_.value(QStringLiteral("{{") + name + QStringLiteral("}}")); }

 private:
  QHash<int, QString> texts_;
  QHash<QString, QString> details_;
};

// Text n of the built-in table, or the wording given here when the table lacks it: for words
// that file names are made of, so that the shipped files are found whatever the table holds.
QString builtinTextOr(int number, int language, const char* dutch, const char* english);

}  // namespace mervalo
