#include "tables/screens/tablepanel.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/screens/screen.h"
#include "tables/qrcode.h"
#include "tables/screens/codesheets.h"
#include "tables/tableserver.h"
#include "tables/tablesettings.h"

namespace mervalo {

namespace {

constexpr int kQrUnit = 3;  // pixels a module: small on the screen, still read from across a table

}  // namespace

TablePanel::TablePanel(Screen& screen, QWidget* parent)
    : QFrame(parent), screen_(screen), server_(new TableServer(this)) {
  setObjectName(QStringLiteral("fraScoresAanTafel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto make = [this, layout](auto* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    layout->addWidget(widget);
    return widget;
  };
  cmdTafels = make(new QPushButton(this), "cmdTafels");
  lblTafelAdres = make(new QLabel(this), "lblTafelAdres");
  lblTafelAdres->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblTafelAdres->setWordWrap(true);
  picTafelQR = make(new QLabel(this), "picTafelQR");
  picTafelQR->setAccessibleName(screen.text(291));
  lblTafelsGezien = make(new QLabel(this), "lblTafelsGezien");
  lblTafelLaatste = make(new QLabel(this), "lblTafelLaatste");
  cmdCodeKaarten = make(new QPushButton(this), "cmdCodeKaarten");
  cmdCodeKaarten->setText(screen.text(284));
  layout->addStretch(1);
  connect(cmdTafels, &QPushButton::clicked, this, &TablePanel::cmdTafels_Click);
  connect(cmdCodeKaarten, &QPushButton::clicked, this, &TablePanel::cmdCodeKaarten_Click);
  connect(server_, &TableServer::tablesSeenChanged, this, &TablePanel::showState);
  connect(server_, &TableServer::scoreStored, this, [this](int board, int table) {
    lblTafelLaatste->setText(screen_.text(293)
                                 .replace(QLatin1Char('~'), QString::number(table))
                                 .replace(QLatin1Char('#'), QString::number(board)));
    emit scoreArrived(board, table);
  });
  showState();
}

TablePanel::~TablePanel() { stop(); }

bool TablePanel::running() const { return server_->running(); }

void TablePanel::cmdTafels_Click() {
  if (running())
    stop();
  else
    start();
  screen_.parkFocus();
}

void TablePanel::start() {
  if (!model_) return;
  const ProgramValues& v = screen_.values();
  const TableSettings settings = readTableSettings(v.settingsFilePath);
  server_->setShowTraveller(settings.showTraveller);
  QString error;
  if (!server_->start(v.programFolder, v.eventFileName, v.language, settings.port, &error, model_)) {
    screen_.inform(screen_.message(290).replace(QLatin1Char('~'), error));
    return;
  }
  showState();
  emit started();
}

void TablePanel::stop() {
  if (!running()) return;
  server_->stop();
  lblTafelLaatste->clear();
  showState();
}

void TablePanel::showState() {
  const bool on = running();
  cmdTafels->setText(screen_.text(on ? 281 : 280));
  for (QWidget* w :
       std::initializer_list<QWidget*>{lblTafelAdres, picTafelQR, lblTafelsGezien, lblTafelLaatste, cmdCodeKaarten})
    w->setVisible(on);
  if (!on) return;
  const QString address = server_->address();
  if (lblTafelAdres->property("address").toString() != address) {
    lblTafelAdres->setProperty("address", address);
    lblTafelAdres->setText(screen_.text(282).replace(QLatin1Char('~'), address));
    lblTafelAdres->setToolTip(screen_.text(292).replace(QLatin1Char('~'), QString::number(server_->port())));
    picTafelQR->setPixmap(QPixmap::fromImage(qrImage(QrCode::encode(address.toUtf8()), kQrUnit)));
  }
  lblTafelsGezien->setText(screen_.text(283)
                               .replace(QLatin1Char('~'), QString::number(server_->tablesSeen()))
                               .replace(QLatin1Char('#'), QString::number(server_->event()->plan().tables())));
}

void TablePanel::cmdCodeKaarten_Click() {
  if (running()) printCodeSheets(screen_, server_->address(), server_->codes());
}

}  // namespace mervalo
