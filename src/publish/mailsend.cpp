#include "publish/mailsend.h"

namespace mervalo {

int providerSlotOf(const QString& setting) {
  bool ok = false;
  const int slot = setting.trimmed().toInt(&ok);
  return ok && slot >= 0 && slot < kProviderSlots ? slot : 0;
}

bool providerFlag(const QString& entry) {
  const QString t = entry.trimmed();
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double n = t.toDouble(&ok);
  return ok && n != 0;
}

QStringList attachmentPaths(const QString& list) {
  if (list.isEmpty()) return {};
  QStringList parts = list.split(QLatin1Char(';'));
  parts.removeLast();  // what follows the last ";" is not a path
  QStringList paths;
  for (const QString& p : parts)
    if (!p.isEmpty()) paths << p;
  return paths;
}

MailerSettings mailerSettingsFor(const ProviderSlots& providers, int slot, const QString& caBundle) {
  const QStringList& chosen = providers[static_cast<size_t>(slot)];
  MailerSettings s;
  s.clientName = providers[0].value(0);
  s.host = chosen.value(1);
  s.port = static_cast<qint32>(chosen.value(2).trimmed().toLong());
  s.tls = providerFlag(chosen.value(3));
  s.user = chosen.value(4);
  s.password = chosen.value(5);
  s.login = providerFlag(chosen.value(6));
  s.caBundle = caBundle;
  return s;
}

MailMessage mailMessageFor(const ProviderSlots& providers, int slot, const MailRequest& r) {
  const QStringList& chosen = providers[static_cast<size_t>(slot)];
  MailMessage m;
  m.subject = r.subject.trimmed();
  m.body = r.body.trimmed();
  for (const QString& path : attachmentPaths(r.attachmentList)) m.attachments.append({path});
  m.sender = {chosen.value(7), chosen.value(8)};
  m.recipient = {r.recipient.trimmed(), {}};
  m.own = {r.ownAddress, {}};
  return m;
}

QString resultMailSubject(const QString& caption) {
  QString s = caption.trimmed();
  s.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
  return s;
}

QString resultMailBody(const QString& text, const QString& version, const QString& subject,
                       const QString& nameForEmail, const QString& names) {
  QString body = text;
  body.replace(QLatin1Char('*'), version)
      .replace(QLatin1Char('$'), subject)
      .replace(QLatin1Char('%'), nameForEmail)
      .replace(QLatin1Char('|'), QLatin1Char('\n'))
      .replace(QLatin1Char('#'), names);
  return body;
}

QString mailErrorMessage(qint32 number, const QString& recipient) {
  return QStringLiteral("Foutnummer: ") + QString::number(number) + QLatin1Char('\n') +
         QStringLiteral("Bij het versturen naar: ") + recipient;
}

}  // namespace mervalo
