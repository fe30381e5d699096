#include "publish/screens/resultsscreen.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "app/addressrule.h"
#include "app/fileops.h"
#include "app/settings.h"
#include "app/screens/gridview.h"
#include "app/textfile.h"
#include "players/groupfile.h"
#include "publish/addresses.h"
#include "publish/detailsfile.h"
#include "publish/htmlpage.h"
#include "scoring/resultgrid.h"
#include "scoring/resultssource.h"
#include "app/screens/printing.h"
#include "hands/screens/handrecordimport.h"

#include <QProgressBar>
#include <algorithm>

#include "version.h"
#include "mailrun.h"
#include "mailsending.h"

namespace mervalo {

namespace {

constexpr int kFormWidth = 760;
constexpr int kFormHeight = 520;

// The grid's widths follow the menu's font, but a column must never be narrower than its
// widest text in the grid's own (larger) font, or the organiser sees cut-off names.
TextMeasure fittingMeasure(const QFont& gridFont) {
  TextMeasure menu = menuFontMeasure();
  TextMeasure own = measureIn(gridFont);
  return [menu, own](const QString& s) { return std::max(menu(s), own(s)); };
}

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

ResultsScreen::ResultsScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo08"));
  resize(kFormWidth, kFormHeight);
  buildControls();
  formLoad();
}

void ResultsScreen::buildControls() {
  msfgResultaat = makeNamed<QTableWidget>(this, "msfgResultaat");
  msfgResultaat->setGeometry(12, 12, 480, kFormHeight - 24);
  msfgResultaat->setFont(QFont(QStringLiteral("Verdana"), 9));
  msfgResultaat->setEditTriggers(QAbstractItemView::NoEditTriggers);
  msfgResultaat->setFocusPolicy(Qt::NoFocus);

  const int x = 508;
  const int w = kFormWidth - x - 12;
  auto button = [this, x, w](const char* name, int y, void (ResultsScreen::*handler)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, 30);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  cmdMaakHTML = button("cmdMaakHTML", 12, &ResultsScreen::cmdMaakHTML_Click);
  cmdAfdrukken = button("cmdAfdrukken", 50, &ResultsScreen::cmdAfdrukken_Click);

  auto* picVoorVerstuurDeMail = makeNamed<QFrame>(this, "picVoorVerstuurDeMail");
  picVoorVerstuurDeMail->setFrameShape(QFrame::StyledPanel);
  picVoorVerstuurDeMail->setGeometry(x, 96, w, 330);
  lblVerstuurDeMail = makeNamed<QLabel>(picVoorVerstuurDeMail, "lblVerstuurDeMail");
  lblVerstuurDeMail->setGeometry(6, 6, w - 12, 36);
  lblVerstuurDeMail->setWordWrap(true);
  lstWieMailen = makeNamed<QListWidget>(picVoorVerstuurDeMail, "lstWieMailen");
  lstWieMailen->setGeometry(6, 44, w - 12, 200);
  lblVerstuurDeMail->setBuddy(lstWieMailen);
  cmdVerstuur = makeNamed<QPushButton>(picVoorVerstuurDeMail, "cmdVerstuur");
  cmdVerstuur->setGeometry(6, 252, w - 12, 30);
  connect(cmdVerstuur, &QPushButton::clicked, this, &ResultsScreen::cmdVerstuur_Click);
  cmdInstelling = makeNamed<QPushButton>(picVoorVerstuurDeMail, "cmdInstelling");
  cmdInstelling->setGeometry(6, 290, w - 12, 30);
  connect(cmdInstelling, &QPushButton::clicked, this, &ResultsScreen::cmdInstelling_Click);

  // The panel the mail code shows while it sends.
  picVerStuurDeMail = makeNamed<QFrame>(this, "picVerStuurDeMail");
  picVerStuurDeMail->setFrameShape(QFrame::Box);
  picVerStuurDeMail->resize(360, 120);
  picVerStuurDeMail->setAutoFillBackground(true);
  lblVoortgang = makeNamed<QLabel>(picVerStuurDeMail, "lblVoortgang");
  lblVoortgang->setGeometry(10, 10, 340, 60);
  lblVoortgang->setWordWrap(true);
  barVoortgang = makeNamed<QProgressBar>(picVerStuurDeMail, "barVoortgang");
  barVoortgang->setGeometry(10, 80, 340, 24);
  picVerStuurDeMail->hide();

  cmdSpelverdeling = button("cmdSpelverdeling", kFormHeight - 84, &ResultsScreen::cmdSpelverdeling_Click);
  cmdTerug = button("cmdTerug", kFormHeight - 42, &ResultsScreen::cmdTerug_Click);
  makeFocusSink(QStringLiteral("cmdSetfocus"));

  setTabOrder(cmdMaakHTML, cmdAfdrukken);
  setTabOrder(cmdAfdrukken, lstWieMailen);
  setTabOrder(lstWieMailen, cmdVerstuur);
  setTabOrder(cmdVerstuur, cmdInstelling);
  setTabOrder(cmdInstelling, cmdSpelverdeling);
  setTabOrder(cmdSpelverdeling, cmdTerug);

  // Esc closes the screen whichever control has the focus.
  for (QWidget* wdg : findChildren<QWidget*>()) wdg->installEventFilter(this);
  closeOnKeys(EscapeKey::ClosesOnRelease, false);
}

void ResultsScreen::formLoad() {
  ProgramValues& v = values();
  setWindowTitle(resultsCaption(text(98), v.groupFileName));
  htmlFolder_ = v.folder(DataFolder::Pages);
  htmlFileName_ = mervalo::htmlFileName(v.groupFileName);

  centreOnScreen();
  picVerStuurDeMail->move((width() - picVerStuurDeMail->width()) / 2, (height() - picVerStuurDeMail->height()) / 2);

  lblVerstuurDeMail->setText(QLatin1Char(' ') + text(154));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  cmdAfdrukken->setText(QLatin1Char('&') + text(40));
  cmdVerstuur->setText(text(151));
  cmdInstelling->setText(text(150));
  cmdMaakHTML->setText(text(128));
  cmdSpelverdeling->setText(text(215));
  // The hand record belongs to an event file; without one there is nothing to take it into.
  cmdSpelverdeling->setEnabled(!v.eventFileName.isEmpty());
  msfgResultaat->setAccessibleName(text(98));

  const auto* source = dynamic_cast<const ResultsSource*>(opener());

  wieMailen_.clear();
  if (source) {
    for (const QString& player : source->playersForMail())
      if (!player.trimmed().isEmpty()) wieMailen_ << player.trimmed();
  }
  loadMailingList();
  lstWieMailen->clear();
  for (const QString& key : wieMailen_) {
    auto* item = new QListWidgetItem(playerDisplayName(key, lstMailingList_), lstWieMailen);
    item->setData(Qt::UserRole, key);
  }

  // The window fits its own columns: the standings come without widths, and without the boards.
  const Grid results = source ? standingsGrid(source->eventResult(), ResultsHeadings::of(v.language)) : Grid();
  grid_ = resultsScreenGrid(results, fittingMeasure(msfgResultaat->font()));
  showGrid(grid_, msfgResultaat);
}

void ResultsScreen::loadMailingList() {
  lstMailingList_.clear();
  if (!values().groupFileName.endsWith(QLatin1String(".txt"))) return;  // no group: nothing to read or make
  const QString group = values().file(DataFolder::Groups, values().groupFileName);
  if (!ensureMailCompanion(group))
    inform(message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(mailCompanionPath(group))));
  if (const auto mail = readMailCompanion(group)) lstMailingList_ = mailingListEntries(*mail);
}

void ResultsScreen::formActivate() {
  ProgramValues& v = values();
  v.ownEmailAddress = readSetting(QStringLiteral("standaard"), QStringLiteral("eigen e-mail adres"), v.settingsFilePath).trimmed();
  v.nameForEmail = readSetting(QStringLiteral("Standaard"), QStringLiteral("Naam voor e-mail"), v.settingsFilePath).trimmed();
  const bool canSend = !v.ownEmailAddress.isEmpty() && !v.nameForEmail.isEmpty();
  cmdInstelling->setVisible(true);
  cmdInstelling->setEnabled(ctx().hasScreen(ScreenId::MailSettings));
  cmdVerstuur->setVisible(canSend);
  if (canSend) cmdVerstuur->setEnabled(!v.mailUnavailable && !sending());
  parkFocus();
}

void ResultsScreen::cmdMaakHTML_Click() {
  forgetEscapePress();
  if (!silent && askYesNo(message(139))) {
    makeFolder(htmlFolder_);
    QDir dir(htmlFolder_);
    const QStringList old = dir.entryList({QStringLiteral("*.HTML")}, QDir::Files, QDir::Name);
    QStringList paths;
    for (int i = old.size() - 1; i >= 0; --i) paths << dir.filePath(old[i]);
    removeFilesOrReport(paths);
  }

  bool written = false;
  pageWritten_ = false;
  const QString path = htmlFolder_ + QLatin1Char('/') + htmlFileName_;
  {
    WaitCursor wait;
    parkFocus();
    txtMail_.clear();
    lstMail_.clear();

    const QString names = values().folder(DataFolder::Names);
    makeFolder(names);
    QDir namesDir(names);
    for (const QString& file : namesDir.entryList({QStringLiteral("*.mail")}, QDir::Files, QDir::Name)) {
      if (fileState(namesDir.filePath(file)) != FileState::Filled) continue;
      if (const auto lines = readTextLines(namesDir.filePath(file))) lstMail_ << addressLines(*lines);
    }

    makeFolder(htmlFolder_);
    msfgResultaat->hide();
    written = writeHtmlPage(path, grid_, windowTitle());
    detailsPath_ = written ? writeDetailsPage(htmlFolder_, true) : QString();

    txtMail_ = collectAddresses(wieMailen_, lstMail_);
    putOnClipboard(txtMail_);
    msfgResultaat->show();
  }

  pageWritten_ = written;
  if (!written) {
    // A page that could not be written must never be reported as made, silent or not: the
    // mail code would otherwise send a missing or old file.
    inform(message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(path)));
  } else if (!silent) {
    inform(message(129).replace(QLatin1Char('~'), text(83).toLower()) + QStringLiteral("\n\n") +
           QDir::toNativeSeparators(path));
  }
  parkFocus();
}

QString ResultsScreen::writeDetailsPage(const QString& folder, bool withHands) {
  // The entry screen saved the event before it opened this screen; its files are the result.
  QString event = values().eventFileName;
  if (!event.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) return QString();
  event.chop(4);
  return writeEventDetailsPage(values().programFolder, event, values().language, folder, withHands, false)
      .value_or(QString());
}

void ResultsScreen::putOnClipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return;
  // Set straight away: a pause here would freeze the screen, and the system's clipboard takes
  // the new text whatever it held before.
  clipboard->setText(text);
}

void ResultsScreen::cmdAfdrukken_Click() {
  if (!choosePrinter(*this)) {
    setEnabled(true);
    cmdAfdrukken->setEnabled(true);
    parkFocus();
    return;
  }
  parkFocus();
  printGrid(*this, grid_, windowTitle(), false);
}

void ResultsScreen::cmdVerstuur_Click() {
  if (sending()) return;
  ProgramValues& v = values();
  // Whatever an earlier send left (a failed test mail) must not stop this one.
  v.lastMailErrorNumber = 0;
  if (refuseWhenMailUnavailable(*this) || refuseUnsafeMail(*this)) return;
  const QString subject = resultMailSubject(windowTitle());
  silent = true;
  cmdMaakHTML_Click();
  silent = false;
  if (!pageWritten_) return;  // already told; a missing page is never sent
  QString attachments = htmlFolder_ + QLatin1Char('/') + htmlFileName_ + QLatin1Char(';');
  // The details page goes along; without the hands when the club says so, written apart so
  // that the page in the HTML folder keeps them.
  QString details = detailsPath_;
  mailFolder_.reset();
  if (!details.isEmpty() && !mailHandsSetting(v.settingsFilePath)) {
    mailFolder_ = std::make_unique<QTemporaryDir>();
    details = mailFolder_->isValid() ? writeDetailsPage(mailFolder_->path(), false) : QString();
  }
  if (!details.isEmpty()) attachments += details + QLatin1Char(';');

  // Every player with a mailing-list entry gets the mail; one without is passed over.
  QList<MailRequest> requests;
  mailNames_.clear();
  mailSkipped_.clear();
  const QString version = QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
  for (const QString& player : wieMailen_) {
    const auto entry = std::find_if(lstMailingList_.cbegin(), lstMailingList_.cend(),
                                    [&](const QString& e) { return e.contains(player, Qt::CaseSensitive); });
    if (entry == lstMailingList_.cend()) continue;
    const QStringList parts = entry->split(QLatin1Char('|'));
    if (!isSafeMailAddress(parts.value(1).trimmed())) {
      mailSkipped_ << parts.value(0).trimmed();
      continue;
    }
    mailNames_ << parts.value(0);
    mailAddresses_ << parts.value(1);
    requests << MailRequest{v.ownEmailAddress, subject, parts.value(1), attachments,
                            resultMailBody(text(155), version, subject, v.nameForEmail, parts.value(0))};
  }
  mailSubject_ = subject;
  lblVerstuurDeMail->clear();
  picVerStuurDeMail->show();
  picVerStuurDeMail->raise();
  setMailButtonsEnabled(false);
  if (requests.isEmpty()) {
    mailFinished(-1, kMailSent);
    return;
  }
  mailRun_ = makeMailRun(v, requests, this);
  connect(mailRun_, &MailRun::sending, this, [this](int i) {
    const QString progress = text(154) + QStringLiteral(" \n") + mailNames_.value(i);
    lblVerstuurDeMail->setText(progress);
    lblVoortgang->setText(progress);
    barVoortgang->setRange(0, static_cast<int>(mailNames_.size()));
    barVoortgang->setValue(i);
  });
  connect(mailRun_, &MailRun::finished, this, &ResultsScreen::mailFinished);
  mailRun_->start();
}

bool ResultsScreen::sending() const { return mailRun_ && mailRun_->running(); }

void ResultsScreen::setMailButtonsEnabled(bool on) {
  for (QPushButton* b : {cmdMaakHTML, cmdAfdrukken, cmdVerstuur, cmdInstelling, cmdTerug}) b->setEnabled(on);
  cmdSpelverdeling->setEnabled(on && !values().eventFileName.isEmpty());
  if (on) formActivate();  // the send and settings buttons as the settings say
}

void ResultsScreen::mailFinished(int failed, qint32 number) {
  if (mailRun_) mailRun_->deleteLater();
  mailRun_ = nullptr;
  mailFolder_.reset();
  if (failed >= 0) keepMailOutcome(*this, number, mailAddresses_.value(failed));
  else keepMailOutcome(*this, kMailSent, QString());
  picVerStuurDeMail->hide();
  lblVerstuurDeMail->setText(QLatin1Char(' ') + text(154));
  setMailButtonsEnabled(true);
  QString outcome = values().lastMailErrorNumber != 0 ? message(156) : message(157);
  if (!mailSkipped_.isEmpty()) outcome += QStringLiteral("\n\n") + message(207) + QLatin1Char('\n') + mailSkipped_.join(QLatin1Char('\n'));
  if (ctx().prompter) ctx().prompter->inform(outcome, mailSubject_, PromptIcon::Information, this);
  mailNames_.clear();
  mailAddresses_.clear();
  parkFocus();
}

void ResultsScreen::cmdInstelling_Click() {
  parkFocus();
  openChild(ScreenId::MailSettings);
}

void ResultsScreen::cmdTerug_Click() { close(); }

void ResultsScreen::cmdSpelverdeling_Click() {
  importHandRecord(*this, values().eventFileName);
  parkFocus();
}

}  // namespace mervalo
