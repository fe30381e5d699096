#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace mervalo {

class Screen;

// The open-file dialog: the chosen file's path, or empty when the user cancelled.
using OpenFileDialog = std::function<QString(QWidget* owner, const QString& title, const QString& filter)>;

// Replaces the platform's open-file dialog (tests answer it without a modal loop); an empty
// function brings the platform's dialog back.
void setOpenFileDialog(OpenFileDialog dialog);

// Lets the organiser choose a PBN file and takes it in as the event's hand record: refused,
// naming the board and the fault, when it does not fit the event; boards beyond the event's
// are left out with a note; an existing hand record is replaced only after a question. The
// analysis then starts on a worker thread. Every message goes through the screen's prompter.
void importHandRecord(Screen& screen, const QString& eventFileName);

}  // namespace mervalo
