#include "tableserver.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "app/texts.h"

static void initTablePageResource() { Q_INIT_RESOURCE(tablepage); }

namespace mervalo {

namespace {

// Counts what a connection has sent since its last answer and closes it when that passes the
// cap or when it stays idle: the HTTP server itself sets no limits.
class ConnectionGuard : public QObject {
 public:
  ConnectionGuard(QTcpSocket* socket, int idleMs) : QObject(socket), socket_(socket) {
    setObjectName(name());
    idle_.setSingleShot(true);
    idle_.setInterval(idleMs);
    connect(&idle_, &QTimer::timeout, this, [this] { socket_->disconnectFromHost(); });
    // Connected before the HTTP server's own handler, so this runs first on every read.
    connect(socket, &QTcpSocket::readyRead, this, &ConnectionGuard::onRead);
    idle_.start();
  }
  static QString name() { return QStringLiteral("mervaloConnectionGuard"); }
  // The guard of a connection: found by name, as the class has no meta-object of its own.
  static ConnectionGuard* of(QTcpSocket* socket) {
    return static_cast<ConnectionGuard*>(socket->findChild<QObject*>(name(), Qt::FindDirectChildrenOnly));
  }
  void answered() {
    unanswered_ = 0;
    idle_.start();
  }

 private:
  void onRead() {
    if (refused_) {
      socket_->readAll();
      return;
    }
    unanswered_ += socket_->bytesAvailable();
    idle_.start();
    if (unanswered_ <= TableServer::kMaxRequestBytes) return;
    refused_ = true;
    socket_->readAll();  // the HTTP server's handler then finds nothing to parse
    TableServer::send(socket_, 413, "text/plain", "Request too large\n");
    socket_->disconnectFromHost();
  }

  QTcpSocket* socket_;
  QTimer idle_;
  qint64 unanswered_ = 0;
  bool refused_ = false;
};

class GuardedTcpServer : public QTcpServer {
 public:
  GuardedTcpServer(QObject* parent, const TableServer* owner) : QTcpServer(parent), owner_(owner) {}

 protected:
  void incomingConnection(qintptr descriptor) override {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
      delete socket;
      return;
    }
    new ConnectionGuard(socket, owner_->idleTimeout());
    addPendingConnection(socket);
  }

 private:
  const TableServer* owner_;
};

const char* reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 409: return "Conflict";
    case 413: return "Payload Too Large";
    case 422: return "Unprocessable Entity";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
  }
  return "Error";
}

QByteArray json(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }

QString networkAddress() {
  for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
    const auto flags = nic.flags();
    if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
        (flags & QNetworkInterface::IsLoopBack))
      continue;
    for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
      const QHostAddress a = entry.ip();
      if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal()) return a.toString();
    }
  }
  return QStringLiteral("127.0.0.1");
}

}  // namespace

// The HTTP layer: parses requests (Qt HTTP Server) and hands them to the table server.
class TableHttp : public QAbstractHttpServer {
 public:
  explicit TableHttp(TableServer* owner) : QAbstractHttpServer(owner), owner_(owner) {}

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
    const QString method = request.method() == QHttpServerRequest::Method::Post  ? QStringLiteral("POST")
                           : request.method() == QHttpServerRequest::Method::Get ? QStringLiteral("GET")
                                                                                  : QStringLiteral("OTHER");
    owner_->handle(method, request.url().path(), request.body(), request.remoteAddress(), socket);
    return true;
  }
  void missingHandler(const QHttpServerRequest&, QTcpSocket* socket) override {
    TableServer::send(socket, 404, "text/plain", "Not found\n");
  }

 private:
  TableServer* owner_;
};

TableServer::TableServer(QObject* parent) : QObject(parent) { initTablePageResource(); }

TableServer::~TableServer() { stop(); }

bool TableServer::start(const QString& programFolder, const QString& eventName, int language, quint16 port,
                        QString* error, EventModel* shared) {
  stop();
  // The port first: a server that cannot listen leaves the event (and a shared model) untouched.
  http_ = new TableHttp(this);
  auto* tcp = new GuardedTcpServer(http_, this);
  if (tcp->listen(QHostAddress::Any, port)) {
    event_ = TableEvent::open(programFolder, eventName, language, error, shared);
  } else if (error) {
    *error = QStringLiteral("port %1: %2").arg(port).arg(tcp->errorString());
  }
  if (!event_) {
    delete http_;
    http_ = nullptr;
    return false;
  }
  http_->bind(tcp);
  port_ = tcp->serverPort();
  return true;
}

void TableServer::stop() {
  if (!event_) return;
  flush();
  delete http_;  // closes the listening socket and every connection
  http_ = nullptr;
  event_.reset();
  port_ = 0;
  tablesSeen_.clear();
  attempts_.clear();
}

QString TableServer::address() const {
  return QStringLiteral("http://%1:%2/").arg(networkAddress()).arg(port_);
}

QMap<int, QString> TableServer::codes() const { return event_ ? event_->codes() : QMap<int, QString>(); }

void TableServer::send(QTcpSocket* socket, int status, const QByteArray& contentType, const QByteArray& body) {
  if (!socket || socket->state() != QAbstractSocket::ConnectedState) return;
  QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
  head += "Content-Type: " + contentType + "\r\n";
  head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
  head += "Cache-Control: no-store\r\n\r\n";
  socket->write(head + body);
  if (auto* guard = ConnectionGuard::of(socket)) guard->answered();
}

TableServer::Reply TableServer::error(int status, const QString& message) const {
  return Reply{status, "application/json", json(QJsonObject{{QStringLiteral("error"), message}})};
}

TableServer::Reply TableServer::page() const {
  QFile file(QStringLiteral(":/mervalo/tables/page.html"));
  if (!file.open(QIODevice::ReadOnly)) return error(500, QStringLiteral("page missing"));
  QByteArray html = file.readAll();
  const int lang = event_->language();
  QJsonObject texts;
  const TextTable& table = TextTable::builtin();
  for (int n : {74, 75, 76, 82, 86, 87, 88, 89, 90, 103})
    texts.insert(QString::number(n), table.lookup(n, lang));
  for (int n = 250; n <= 279; ++n) texts.insert(QString::number(n), table.lookup(n, lang));
  html.replace("/*TEXTS*/{}", json(texts));
  html.replace("<html lang=\"nl\">", lang == kEnglish ? "<html lang=\"en\">" : "<html lang=\"nl\">");
  return Reply{200, "text/html; charset=utf-8", html};
}

bool TableServer::admitted(const QJsonObject& request, const QHostAddress& from, int* table, Reply* refusal) {
  const QString who = from.toString();
  Attempts& a = attempts_[who];
  if (a.waitingSince.isValid()) {
    if (a.waitingSince.elapsed() < kWaitMs) {
      *refusal = error(429, TextTable::builtin().lookup(263, event_->language()));
      return false;
    }
    a.waitingSince.invalidate();
  }
  *table = request.value(QStringLiteral("table")).toInt();
  if (!event_->codeFits(*table, request.value(QStringLiteral("code")).toString())) {
    if (++a.wrong >= kWrongCodesAllowed) {
      a.wrong = 0;
      a.waitingSince.start();
    }
    *refusal = error(403, TextTable::builtin().lookup(264, event_->language()));
    return false;
  }
  if (!tablesSeen_.contains(*table)) {
    tablesSeen_.insert(*table);
    emit tablesSeenChanged(tablesSeen());
  }
  return true;
}

namespace {

QJsonObject roundJson(const RoundAtTable& r) {
  QJsonArray boards;
  for (const BoardAtTable& b : r.boards) {
    QJsonObject o{{QStringLiteral("board"), b.board}, {QStringLiteral("vul"), b.vulnerability},
                  {QStringLiteral("score"), b.nsScore}};
    if (b.entered) {
      o.insert(QStringLiteral("contract"), contractText(b.entered->contract));
      o.insert(QStringLiteral("declarer"), QString(declarerLetter(b.entered->declarer)));
      o.insert(QStringLiteral("tricks"), b.entered->tricks);
    }
    boards.append(o);
  }
  return QJsonObject{{QStringLiteral("table"), r.table},     {QStringLiteral("round"), r.round},
                     {QStringLiteral("rounds"), r.rounds},   {QStringLiteral("seated"), r.seated},
                     {QStringLiteral("sitOut"), r.sitOut},   {QStringLiteral("ns"), r.ns},
                     {QStringLiteral("ew"), r.ew},           {QStringLiteral("nsNames"), r.nsNames},
                     {QStringLiteral("ewNames"), r.ewNames}, {QStringLiteral("boards"), boards}};
}

QJsonArray travellerJson(const QVector<TravellerRow>& rows) {
  QJsonArray out;
  for (const TravellerRow& t : rows)
    out.append(QJsonObject{{QStringLiteral("ns"), t.ns},
                           {QStringLiteral("ew"), t.ew},
                           {QStringLiteral("contract"), t.contract},
                           {QStringLiteral("declarer"), t.declarer},
                           {QStringLiteral("tricks"), t.tricks},
                           {QStringLiteral("score"), t.nsScore},
                           {QStringLiteral("nsPoints"), t.nsPoints},
                           {QStringLiteral("ewPoints"), t.ewPoints}});
  return out;
}

std::optional<ScoreRequest> scoreRequest(const QJsonObject& o, int table) {
  ScoreRequest r;
  r.table = table;
  r.played.board = o.value(QStringLiteral("board")).toInt();
  const auto contract = parseContract(o.value(QStringLiteral("contract")).toString());
  if (!contract) return std::nullopt;
  r.played.contract = *contract;
  if (!contract->passedOut()) {
    const auto seat = parseDeclarer(o.value(QStringLiteral("declarer")).toString());
    const QJsonValue tricks = o.value(QStringLiteral("tricks"));
    if (!seat || !tricks.isDouble()) return std::nullopt;
    r.played.declarer = *seat;
    r.played.tricks = tricks.toInt(-1);
  }
  r.played.requestId = o.value(QStringLiteral("id")).toString();
  r.confirmedScore = o.value(QStringLiteral("score")).toString();
  return r;
}

}  // namespace

void TableServer::handle(const QString& method, const QString& path, const QByteArray& body, const QHostAddress& from,
                         QTcpSocket* socket) {
  auto answer = [socket](const Reply& r) { send(socket, r.status, r.contentType, r.body); };
  if (!event_) return answer(error(500, QString()));
  if (method == QLatin1String("GET") && (path == QLatin1String("/") || path == QLatin1String("/index.html")))
    return answer(page());
  if (method != QLatin1String("POST") || !path.startsWith(QLatin1String("/api/")))
    return answer(Reply{404, "text/plain", "Not found\n"});

  QJsonParseError parseError{};
  const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
  if (parseError.error != QJsonParseError::NoError || !doc.isObject())
    return answer(error(400, TextTable::builtin().lookup(260, event_->language())));
  const QJsonObject request = doc.object();
  int table = 0;
  Reply refusal;
  if (!admitted(request, from, &table, &refusal)) return answer(refusal);

  const QString route = path.mid(5);
  if (route == QLatin1String("round")) {
    const int round = request.value(QStringLiteral("round")).toInt(0);
    const int r = round >= 1 && round <= event_->plan().rounds() ? round : event_->currentRound(table);
    QJsonObject o = roundJson(event_->round(table, r));
    o.insert(QStringLiteral("traveller"), showTraveller_);
    return answer(Reply{200, "application/json", json(o)});
  }
  if (route != QLatin1String("preview") && route != QLatin1String("score"))
    return answer(Reply{404, "text/plain", "Not found\n"});
  const auto score = scoreRequest(request, table);
  if (!score) return answer(error(400, TextTable::builtin().lookup(260, event_->language())));
  const bool storing = route == QLatin1String("score");
  const ScoreAnswer result = storing ? event_->store(*score) : event_->preview(*score);
  if (result.refusal != Refusal::None)
    return answer(error(result.refusal == Refusal::NotThisTable ? 409 : 422, result.message));
  QJsonObject o{{QStringLiteral("score"), result.nsScore}, {QStringLiteral("board"), score->played.board}};
  if (!storing) return answer(Reply{200, "application/json", json(o)});
  o.insert(QStringLiteral("stored"), true);
  o.insert(QStringLiteral("repeated"), result.repeated);
  Pending p{socket, Reply{200, "application/json", {}}, score->played.board, table};
  p.reply.body = json(o);  // the traveller is added once the turn's scores are all in
  pending_.append(p);
  if (!flushQueued_) {
    flushQueued_ = true;
    QTimer::singleShot(0, this, &TableServer::flush);
  }
}

void TableServer::flush() {
  flushQueued_ = false;
  if (!event_) return;
  const bool saved = event_->save();
  const QVector<Pending> pending = std::exchange(pending_, {});
  for (const Pending& p : pending) {
    if (!saved) {
      const Reply r = error(500, TextTable::builtin().lookup(261, event_->language()));
      send(p.socket, r.status, r.contentType, r.body);
      continue;
    }
    QJsonObject o = QJsonDocument::fromJson(p.reply.body).object();
    if (showTraveller_) o.insert(QStringLiteral("traveller"), travellerJson(event_->traveller(p.board)));
    send(p.socket, 200, "application/json", json(o));
  }
  if (saved)
    for (const Pending& p : pending) emit scoreStored(p.board, p.table);
}

}  // namespace mervalo
