#pragma once

// A connection to the table server on loopback that sends a request and reads its whole answer
// (for the tests and the benchmark).

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QtTest/QTest>

struct Response {
  int status = 0;
  QJsonObject json;
  QByteArray body;
};

// One connection that sends a request and reads its whole answer.
class Client {
 public:
  explicit Client(quint16 port) { socket_.connectToHost(QStringLiteral("127.0.0.1"), port); }
  void send(const QByteArray& method, const QByteArray& path, const QByteArray& body) {
    buffer_.clear();
    socket_.write(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n" +
                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
  }
  // True once a whole answer is in.
  bool poll(Response* out) {
    buffer_ += socket_.readAll();
    const qsizetype end = buffer_.indexOf("\r\n\r\n");
    if (end < 0) return false;
    const QByteArray head = buffer_.left(end);
    const qsizetype at = head.toLower().indexOf("content-length:");
    const int length = at < 0 ? 0 : head.mid(at + 15, head.indexOf('\r', at) - at - 15).trimmed().toInt();
    if (buffer_.size() < end + 4 + length) return false;
    out->status = head.mid(9, 3).toInt();
    out->body = buffer_.mid(end + 4, length);
    out->json = QJsonDocument::fromJson(out->body).object();
    buffer_.remove(0, end + 4 + length);
    return true;
  }
  Response call(const QByteArray& method, const QByteArray& path, const QByteArray& body = {}) {
    send(method, path, body);
    Response r;
    if (!QTest::qWaitFor([&] { return poll(&r); }, 10'000)) r.status = 0;  // no answer in time
    return r;
  }

 private:
  QTcpSocket socket_;
  QByteArray buffer_;
};

