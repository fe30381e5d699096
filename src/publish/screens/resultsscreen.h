#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/grid.h"
#include "app/screens/screen.h"

class QProgressBar;

namespace mervalo {

class MailRun;

// The results screen: a four-column copy of the computed result, from which the organiser
// writes the HTML page (and gets the players' addresses on the clipboard), prints the result
// or mails it.
class ResultsScreen : public Screen {
  Q_OBJECT
 public:
  ResultsScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;

  void cmdMaakHTML_Click();
  void cmdAfdrukken_Click();
  void cmdVerstuur_Click();
  void cmdInstelling_Click();
  void cmdTerug_Click();
  void cmdSpelverdeling_Click();

  // While set, making the page asks nothing and reports nothing (the mail code makes the page
  // itself before sending it).
  bool silent = false;

  const Grid& resultGrid() const { return grid_; }
  // "names |address" per player of the group companion.
  const QStringList& mailingList() const { return lstMailingList_; }
  // The addresses the last page collected, each followed by "; ".
  const QString& collectedAddresses() const { return txtMail_; }
  QString htmlFileName() const { return htmlFileName_; }
  // The details page the last click wrote beside the page, or empty when there is no event.
  QString detailsPath() const { return detailsPath_; }

 protected:
  // Not while the result is being mailed: the players still to come would get nothing.
  bool formQueryUnload() override { return !sending(); }

 private:
  void buildControls();
  void formLoad();
  void loadMailingList();
  void putOnClipboard(const QString& text);
  // The event's details page written into folder; its path, or empty.
  QString writeDetailsPage(const QString& folder, bool withHands);
  bool sending() const;
  void setMailButtonsEnabled(bool on);
  void mailFinished(int failed, qint32 number);

  QTableWidget* msfgResultaat = nullptr;
  QPushButton* cmdMaakHTML = nullptr;
  QPushButton* cmdAfdrukken = nullptr;
  QPushButton* cmdVerstuur = nullptr;
  QPushButton* cmdInstelling = nullptr;
  QPushButton* cmdTerug = nullptr;
  QPushButton* cmdSpelverdeling = nullptr;
  QFrame* picVerStuurDeMail = nullptr;
  QLabel* lblVerstuurDeMail = nullptr;
  QListWidget* lstWieMailen = nullptr;

  Grid grid_;
  QStringList wieMailen_;
  QStringList lstMailingList_;
  QStringList lstMail_;
  QString txtMail_;
  QString htmlFolder_;
  QString htmlFileName_;
  bool pageWritten_ = false;
  QString detailsPath_;
  std::unique_ptr<QTemporaryDir> mailFolder_;  // the mailed details page without the hands
  MailRun* mailRun_ = nullptr;
  QStringList mailNames_;
  QStringList mailAddresses_;
  QStringList mailSkipped_;  // players whose address is no address: named in the report
  QString mailSubject_;
  QLabel* lblVoortgang = nullptr;
  QProgressBar* barVoortgang = nullptr;
};

}  // namespace mervalo
