#pragma once

#include <QString>
#include <vector>

#include "app/keystrokes.h"

class QWidget;

namespace mervalo {

// Types a key text (see keystrokesFor) into the widget that has the keyboard focus, as key
// events that widget handles like real typing: sendKeys("{END}") moves a line edit's caret to
// the end. A given target receives the keys whatever has the focus.
void sendKeys(const QString& keys, QWidget* target = nullptr);

// Delivers already-built records to target (the focus widget when null). Modifier records
// change the modifiers of the records that follow them.
void deliverKeystrokes(const std::vector<KeyInput>& events, QWidget* target = nullptr,
                       const KeyboardLayout* layout = nullptr);

}  // namespace mervalo
