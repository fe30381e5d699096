#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace mervalo {

class EventModel;
class Screen;
class TableServer;

// The scores at the tables on an entry screen: cmdTafels starts the table server inside the
// program, on its event loop, taking the scores into the screen's own event model, and stops it
// again. While it runs the panel shows the page's address as text and as a QR code, how many
// tables have been seen and the last score that came in, and offers the code sheets.
class TablePanel : public QFrame {
  Q_OBJECT
 public:
  TablePanel(Screen& screen, QWidget* parent);
  ~TablePanel() override;

  // The model the phones' scores go into; the screen keeps it alive while the server runs.
  void setEvent(EventModel* model) { model_ = model; }
  bool running() const;
  TableServer& server() const { return *server_; }

  void cmdTafels_Click();
  void cmdCodeKaarten_Click();
  // Writes what the tables sent and frees the port; nothing when it is not running.
  void stop();

 signals:
  // The server has started and may have put scores the event file lacked into the model.
  void started();
  // A table's score for a board is in the model and on disk.
  void scoreArrived(int board, int table);

 private:
  void start();
  void showState();

  Screen& screen_;
  EventModel* model_ = nullptr;
  TableServer* server_ = nullptr;
  QPushButton* cmdTafels = nullptr;
  QPushButton* cmdCodeKaarten = nullptr;
  QLabel* lblTafelAdres = nullptr;
  QLabel* picTafelQR = nullptr;
  QLabel* lblTafelsGezien = nullptr;
  QLabel* lblTafelLaatste = nullptr;
};

}  // namespace mervalo
