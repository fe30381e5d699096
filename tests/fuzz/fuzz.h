#pragma once

// What the fuzz targets share. fuzzmain.cpp is libFuzzer's entry: it hands every input to the
// target's fuzzOne, and a property that does not hold aborts, so that libFuzzer keeps the input.

#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>
#include <cstdlib>

#include "app/textfile.h"

// The target's checks of one input.
void fuzzOne(const QByteArray& input);

namespace mervalo::fuzz {

inline void require(bool holds) {
  if (!holds) std::abort();
}

// The input as the lines of a text file in the program's code page, whatever its line ends.
inline QStringList lines(const QByteArray& input) {
  return fromCp1252(input).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
}

}  // namespace mervalo::fuzz
