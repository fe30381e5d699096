#include "schemadownloadscreen.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/fileops.h"
#include "app/textfile.h"
#include "event/schemacheck.h"
#include "net/download.h"

namespace mervalo {

namespace {
const QString kListFile = QStringLiteral("/Lijst met speelschemas.txt");
}  // namespace

SchemaDownloadScreen::SchemaDownloadScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo12"));
  resize(460, 430);
  buildControls();
  formLoad();
}

SchemaDownloadScreen::~SchemaDownloadScreen() {
  // The transfer still running is cancelled with its object; its result is never looked at.
  delete job_.data();
}

void SchemaDownloadScreen::buildControls() {
  auto* page = new QVBoxLayout(this);

  auto* keyRow = new QHBoxLayout;
  lblInfo[0] = makeNamed<QLabel>(this, "lblInfo_0");
  txtSchema = makeNamed<QLineEdit>(this, "txtSchema");
  txtSchema->setReadOnly(true);
  // A display only: the focus goes past it.
  txtSchema->setFocusPolicy(Qt::NoFocus);
  txtSchema->setFixedWidth(34);
  txtSchema->setAlignment(Qt::AlignCenter);
  vscrSchema = new QScrollBar(Qt::Vertical, this);
  vscrSchema->setObjectName(QStringLiteral("vscrSchema"));
  vscrSchema->setFixedHeight(txtSchema->sizeHint().height() + 6);
  vscrSchema->setRange(-1, 0);
  vscrSchema->setValue(0);
  lblInfo[1] = makeNamed<QLabel>(this, "lblInfo_1");
  lblInfo[1]->setBuddy(vscrSchema);
  keyRow->addWidget(lblInfo[0]);
  keyRow->addWidget(txtSchema);
  keyRow->addWidget(vscrSchema);
  keyRow->addWidget(lblInfo[1]);
  keyRow->addStretch();
  page->addLayout(keyRow);

  fraSchema = makeNamed<QGroupBox>(this, "fraSchema");
  auto* frame = new QVBoxLayout(fraSchema);
  lstOpInternet = makeNamed<QListWidget>(fraSchema, "lstOpInternet");
  lstOpInternet->setSelectionMode(QAbstractItemView::MultiSelection);
  frame->addWidget(lstOpInternet);
  page->addWidget(fraSchema, 1);

  auto* progressRow = new QHBoxLayout;
  lblDownload = makeNamed<QLabel>(this, "lblDownload");
  prgDownload = makeNamed<QProgressBar>(this, "prgDownload");
  prgDownload->setFormat(QStringLiteral("%v / %m"));
  progressRow->addWidget(lblDownload, 1);
  progressRow->addWidget(prgDownload);
  page->addLayout(progressRow);
  lblDownload->setVisible(false);
  prgDownload->setVisible(false);

  auto* buttons = new QHBoxLayout;
  chkSelecteer = makeNamed<QPushButton>(this, "chkSelecteer");
  chkSelecteer->setCheckable(true);
  cmdDownLoad = makeNamed<QPushButton>(this, "cmdDownLoad");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");
  buttons->addWidget(chkSelecteer);
  buttons->addStretch();
  buttons->addWidget(cmdDownLoad);
  buttons->addWidget(cmdTerug);
  page->addLayout(buttons);

  cmdFocus = makeFocusSink(QStringLiteral("cmdFocus"));

  connect(vscrSchema, &QScrollBar::valueChanged, this, &SchemaDownloadScreen::vscrSchema_Change);
  connect(lstOpInternet, &QListWidget::itemSelectionChanged, this, &SchemaDownloadScreen::lstOpInternet_Click);
  connect(chkSelecteer, &QPushButton::clicked, this, &SchemaDownloadScreen::chkSelecteer_Click);
  connect(cmdDownLoad, &QPushButton::clicked, this, &SchemaDownloadScreen::cmdDownLoad_Click);
  connect(cmdTerug, &QPushButton::clicked, this, &SchemaDownloadScreen::cmdTerug_Click);
  closeOnKeys(EscapeKey::ClosesOnPress, true);
}

void SchemaDownloadScreen::formLoad() {
  const QString schemas = text(55).toLower();
  setWindowTitle(text(161) + QLatin1Char(' ') + schemas);
  lblInfo[0]->setText(text(161) + QLatin1Char(' ') + schemas + QLatin1Char(' ') + text(172).toLower() + QStringLiteral(": "));
  lblInfo[1]->setText(text(32).toLower());
  vscrSchema->setAccessibleName(text(32));
  lstOpInternet->setAccessibleName(text(55));
  fraSchema->setTitle(text(55));
  chkSelecteer->setText(text(174));
  cmdDownLoad->setText(text(161));
  cmdDownLoad->setEnabled(false);
  cmdTerug->setText(QLatin1Char('&') + text(11));
  centreOnScreen();

  // Only Back works until the list is there, so the organiser can always give up waiting.
  setCursor(Qt::BusyCursor);
  setListControlsEnabled(false);
  server_ = DownloadServer::fromSettings(values().settingsFilePath, values().programFolder);
  // The list file on disk is replaced only by a complete new one; a failed fetch leaves it.
  job_ = new BackgroundDownload(server_.httpUrl(QString::fromLatin1(kSchemaListPath)), values().path(kListFile),
                                server_.options(kSmallFileCap), this);
  connect(job_, &BackgroundDownload::finished, this, &SchemaDownloadScreen::listArrived);
  job_->start();
}

bool SchemaDownloadScreen::busy() const { return job_ && job_->running(); }

void SchemaDownloadScreen::setListControlsEnabled(bool enabled) {
  vscrSchema->setEnabled(enabled && !keys_.isEmpty());
  lstOpInternet->setEnabled(enabled);
  chkSelecteer->setEnabled(enabled);
}

void SchemaDownloadScreen::listArrived(qint32 status) {
  job_->deleteLater();
  unsetCursor();
  const auto lines = status == kDownloadOk ? readTextLines(values().path(kListFile)) : std::nullopt;
  if (!lines) {
    inform(message(115));
    setListControlsEnabled(false);
    parkFocus();
    return;
  }
  list_ = parseSchemaList(*lines);
  keys_ = list_.keys;
  setListControlsEnabled(true);
  showGroups();
}

void SchemaDownloadScreen::showGroups() {
  const int count = static_cast<int>(keys_.size());
  if (count == 0) {
    parkFocus();
    return;
  }
  // The minimum of -1 lets the user step up past the largest key to the smallest.
  settingScrollBar_ = true;
  vscrSchema->setRange(-1, count);
  vscrSchema->setValue(count - 1);
  settingScrollBar_ = false;
  vscrSchema_Change(count - 1);
}

void SchemaDownloadScreen::formActivate() { parkFocus(); }

void SchemaDownloadScreen::vscrSchema_Change(int value) {
  if (settingScrollBar_ || keys_.isEmpty()) return;
  const int index = wrapGroupIndex(value, static_cast<int>(keys_.size()));
  if (index != value) {
    settingScrollBar_ = true;
    vscrSchema->setValue(index);
    settingScrollBar_ = false;
  }
  txtSchema->setText(keys_.value(index));
  const QSignalBlocker quiet(lstOpInternet);
  lstOpInternet->clear();
  for (const QString& name : list_.namesOf(txtSchema->text())) {
    auto* item = new QListWidgetItem(name, lstOpInternet);
    // A name that would put a file outside the schema folder is shown but cannot be chosen.
    if (!isSafeSchemaName(name)) item->setFlags(Qt::NoItemFlags);
  }
  lstOpInternet->setCurrentRow(-1);
  fraSchema->setTitle(text(55) + QStringLiteral(" (") + QString::number(lstOpInternet->count()) + QLatin1Char(')'));
  lstOpInternet_Click();
  parkFocus();
}

void SchemaDownloadScreen::lstOpInternet_Click() {
  // A download in progress deselects what arrived; that is not a choice of the user's.
  if (downloading_) return;
  const bool any = !lstOpInternet->selectedItems().isEmpty();
  cmdDownLoad->setEnabled(any);
  if (any) {
    chkSelecteer->setText(text(175));
    chkSelecteer->setChecked(true);
  }
}

void SchemaDownloadScreen::chkSelecteer_Click() {
  const bool selectAll = chkSelecteer->text() == text(174);
  chkSelecteer->setText(text(selectAll ? 175 : 174));
  chkSelecteer->setChecked(selectAll);
  if (selectAll)
    lstOpInternet->selectAll();
  else
    lstOpInternet->clearSelection();
  lstOpInternet->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
  parkFocus();
}

void SchemaDownloadScreen::cmdDownLoad_Click() {
  parkFocus();
  cmdDownLoad->setEnabled(false);
  if (downloading_) return;
  queue_.clear();
  for (int row = 0; row < lstOpInternet->count(); ++row) {
    const QListWidgetItem* item = lstOpInternet->item(row);
    if (item->isSelected() && isSafeSchemaName(item->text())) queue_.append(row);
  }
  if (queue_.isEmpty()) return;
  staging_ = std::make_unique<QTemporaryDir>();
  downloading_ = true;
  fetched_ = 0;
  setListControlsEnabled(false);
  prgDownload->setRange(0, static_cast<int>(queue_.size()));
  prgDownload->setValue(0);
  prgDownload->setVisible(true);
  lblDownload->setVisible(true);
  setCursor(Qt::BusyCursor);
  nextSchema();
}

void SchemaDownloadScreen::nextSchema() {
  if (queue_.isEmpty()) {
    finishDownloads();
    return;
  }
  const int row = queue_.takeFirst();
  const QString name = lstOpInternet->item(row)->text();
  lblDownload->setText(name + QStringLiteral(".txt"));
  // Fetched beside the screen first: only a movement that reads as one reaches the schema folder.
  job_ = new BackgroundDownload(server_.schemaUrl(name), staging_->filePath(QStringLiteral("schema.txt")),
                                server_.options(kSmallFileCap), this);
  connect(job_, &BackgroundDownload::finished, this, [this, row](qint32 status) { schemaArrived(row, status); });
  job_->start();
}

void SchemaDownloadScreen::schemaArrived(int row, qint32 status) {
  job_->deleteLater();
  QListWidgetItem* item = lstOpInternet->item(row);
  const QString name = item->text();
  const QString fileName = name + QStringLiteral(".txt");
  bool stored = false;
  QString brokenRule;
  if (status == kDownloadOk) {
    QFile staged(staging_->filePath(QStringLiteral("schema.txt")));
    const QByteArray bytes = staged.open(QIODevice::ReadOnly) ? staged.readAll() : QByteArray();
    const SchemaCheck check = checkSchemaBytes(fileName, bytes);
    brokenRule = firstBrokenRule(check);
    // The folder is made at start-up; it may have gone since.
    const QString target = schemaFolderPath(values().programFolder, kDutch);
    makeFolder(target);
    stored = brokenRule.isEmpty() && writeFileAtomic(target + QLatin1Char('/') + fileName, bytes);
  }
  prgDownload->setValue(++fetched_);
  if (stored) {
    item->setSelected(false);
  } else if (!brokenRule.isEmpty()) {
    // Fetching it again brings the same file: the message says what is wrong with it.
    inform(message(209).replace(QLatin1Char('#'), name).replace(QLatin1Char('~'), brokenRule));
  } else {
    // It stays selected, so that a second download tries it again.
    inform(message(173).replace(QLatin1Char('#'), name));
  }
  nextSchema();
}

void SchemaDownloadScreen::finishDownloads() {
  downloading_ = false;
  staging_.reset();
  unsetCursor();
  lblDownload->setVisible(false);
  prgDownload->setVisible(false);
  setListControlsEnabled(true);
  // Download stays disabled until the user selects again.
  parkFocus();
}

void SchemaDownloadScreen::cmdTerug_Click() { close(); }

}  // namespace mervalo
