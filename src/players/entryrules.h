#pragma once

#include <QString>

namespace mervalo {

// Which characters a box refuses when typed. text43 is the language's list of forbidden
// punctuation; "|" is always refused too, since it separates the fields of every file.
enum class EntryBox { FileName, Name, Email };
QString refusedCharacters(EntryBox box, const QString& text43);
bool isRefused(EntryBox box, const QString& text43, QChar c);

// The text without every character the box refuses, for text that was pasted or dropped
// rather than typed: a file-name box also loses folder separators and control characters, so
// that no file name can leave its folder.
QString withoutRefused(EntryBox box, const QString& text43, const QString& text);

// The characters the refusal message names: every forbidden character of the name boxes.
QString refusedListForMessage(EntryBox box, const QString& text43);

// Repairs applied after every key in the name and e-mail boxes: ".." becomes ".", "@@"
// becomes "@", and a second "@" cuts the text just before it.
QString repairEntry(const QString& text);

// Removes what a field of a "|"-separated file cannot hold (the separator, line breaks),
// for text that arrived by pasting rather than typing.
QString cleanField(const QString& text);

// The part of a typed list name before its first ".txt" (any case).
QString nameBeforeTxt(const QString& typed);

// A file name up to its first ".".
QString nameBeforeDot(const QString& fileName);

}  // namespace mervalo
