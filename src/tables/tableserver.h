#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <memory>

#include "tables/tableevent.h"

class QTcpSocket;

namespace mervalo {

class TableHttp;

// The server of the page at the tables: serves the phone page and takes the tables' scores into
// the event, on the event loop of the thread that owns it (the program's, or mervalo-cli's).
// Saves made in one turn of the event loop are written together before any of them is answered.
class TableServer : public QObject {
  Q_OBJECT
 public:
  explicit TableServer(QObject* parent = nullptr);
  ~TableServer() override;

  // Opens the event (see TableEvent::open; `shared` is the entry screen's model) and listens on
  // every address at `port` (0: any free port). False with the message in *error.
  bool start(const QString& programFolder, const QString& eventName, int language, quint16 port, QString* error,
             EventModel* shared = nullptr);
  // Writes what is unsaved, closes every connection and frees the port and the event's lock.
  void stop();
  bool running() const { return event_ != nullptr; }

  quint16 port() const { return port_; }
  // "http://<the machine's network address, or 127.0.0.1 without one>:<port>/"
  QString address() const;
  // Table number → its four-digit code.
  QMap<int, QString> codes() const;
  // How many different tables have sent a request with their right code.
  int tablesSeen() const { return static_cast<int>(tablesSeen_.size()); }
  TableEvent* event() const { return event_.get(); }

  // Idle connections are closed after this long (30 s unless set).
  void setIdleTimeout(int milliseconds) { idleTimeoutMs_ = milliseconds; }
  int idleTimeout() const { return idleTimeoutMs_; }
  // Whether a stored score is followed by the board's traveller (settings key "tafel traveller").
  void setShowTraveller(bool show) { showTraveller_ = show; }

  // The most a request (headers and body) may be.
  static constexpr qint64 kMaxRequestBytes = 16 * 1024;
  // Wrong codes from one address before it has to wait, and how long.
  static constexpr int kWrongCodesAllowed = 10;
  static constexpr qint64 kWaitMs = 60 * 1000;

 signals:
  // A table's score for a board is in the event (and on disk).
  void scoreStored(int board, int table);
  void tablesSeenChanged(int count);

 private:
  friend class TableHttp;
  struct Reply {
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
  };
  struct Pending {
    QPointer<QTcpSocket> socket;
    Reply reply;
    int board = 0;
    int table = 0;
  };
  // What the routes answer; nullopt while the answer waits for the save at the end of the turn.
  void handle(const QString& method, const QString& path, const QByteArray& body, const QHostAddress& from,
              QTcpSocket* socket);
  Reply page() const;
  Reply error(int status, const QString& message) const;
  bool admitted(const QJsonObject& request, const QHostAddress& from, int* table, Reply* refusal);
  void flush();

  std::unique_ptr<TableEvent> event_;
  TableHttp* http_ = nullptr;
  quint16 port_ = 0;
  int idleTimeoutMs_ = 30000;
  bool showTraveller_ = true;
  QSet<int> tablesSeen_;
  struct Attempts {
    int wrong = 0;
    QElapsedTimer waitingSince;
  };
  QHash<QString, Attempts> attempts_;
  QVector<Pending> pending_;
  bool flushQueued_ = false;

 public:
  // Writes a whole HTTP response on a connection (used by the HTTP layer too).
  static void send(QTcpSocket* socket, int status, const QByteArray& contentType, const QByteArray& body);
};

}  // namespace mervalo
