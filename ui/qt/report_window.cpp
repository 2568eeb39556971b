#include "ui/qt/report_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "res/control_ids.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/findings_table.h"
#include "ui/qt/picture_reader.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {

constexpr int kPictureSide = 192;  // pixels: a face pack's pictures fit whole
// Filters wrap onto a row of their own past these, so a report of every
// category stays narrower than a screen.
constexpr int kFiltersPerRow = 7;

QString Id(int id) { return QString::number(id); }

QLabel* Label(QWidget* owner, int id, std::string_view text = {}) {
  auto* label = new QLabel(ToQString(text), owner);
  label->setObjectName(Id(id));
  return label;
}

}  // namespace

CReportDlg::CReportDlg(Dialogs& dialogs, QWidget* owner, ui::CheckReport& report)
    : QDialog(owner), dialogs_(dialogs), report_(report) {
  setWindowTitle(ToQString(report.Caption()));
  setObjectName(Id(res::kReportDialog));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);

  summary_ = Label(this, res::kReportSummary);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  filterRow_ = new QGridLayout;
  filterRow_->addWidget(Label(this, res::kReportFilterLabel, ui::kFilterLabel), 0, 0);
  filterRow_->setColumnStretch(kFiltersPerRow + 1, 1);
  layout->addLayout(filterRow_);
  filters_ = new QButtonGroup(this);
  MakePackRow(layout);

  findings_ = new FindingsTable(report_.Model(), this);
  table_ = new QTableView(this);
  table_->setObjectName(Id(res::kReportTable));
  table_->setModel(findings_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  // Fixed rows: the view then never measures half a million of them.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  QHeaderView* header = table_->horizontalHeader();
  header->setStretchLastSection(true);
  const QFontMetrics metrics = fontMetrics();
  // By ReportColumn; the detail takes what is left.
  const int widths[] = {metrics.horizontalAdvance(QStringLiteral("duplicate-name__")),
                        metrics.horizontalAdvance(QStringLiteral("0000000_")),
                        metrics.horizontalAdvance(QStringLiteral("M")) * 16,
                        metrics.horizontalAdvance(QStringLiteral("r-00000000__")),
                        0,
                        metrics.horizontalAdvance(QStringLiteral("M")) * 12};
  const auto columns = report_.Model().Columns();
  const ui::ReportView& view = report_.Model().View();
  int sortedAt = -1;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c] != ui::ReportColumn::Detail)
      header->resizeSection(static_cast<int>(c), widths[static_cast<int>(columns[c])]);
    if (view.sortedBy == columns[c]) sortedAt = static_cast<int>(c);
  }
  header->setSortIndicator(sortedAt, view.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->installEventFilter(this);
  QLabel* findingsLabel = Label(this, res::kReportFindingsLabel, ui::kFindingsLabel);
  findingsLabel->setBuddy(table_);
  layout->addWidget(findingsLabel);

  picture_ = Label(this, res::kReportPicture);
  picture_->setFixedSize(kPictureSide, kPictureSide);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFrameShape(QFrame::StyledPanel);
  pictureName_ = Label(this, res::kReportPictureName);
  pictureFacts_ = Label(this, res::kReportPictureFacts);
  for (QLabel* label : {pictureName_, pictureFacts_}) {
    label->setWordWrap(true);
    label->setMaximumWidth(kPictureSide);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* beside = new QVBoxLayout;
  beside->addWidget(picture_);
  beside->addWidget(pictureName_);
  beside->addWidget(pictureFacts_);
  beside->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(table_, 1);
  middle->addLayout(beside);
  layout->addLayout(middle, 1);

  auto* offered = new QHBoxLayout;
  MakeButtons(offered);
  layout->addLayout(offered);
  auto* bottom = new QHBoxLayout;
  for (std::size_t i = 0; i < below_.size(); ++i) {
    if (i + 1 == below_.size()) bottom->addStretch(1);
    bottom->addWidget(below_[i]);
  }
  layout->addLayout(bottom);

  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &CReportDlg::ShowPicture);
  connect(table_, &QTableView::doubleClicked, this, &CReportDlg::OpenCurrent);
  // A sort or a filter starts the table afresh: the current finding stays.
  connect(findings_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    const QModelIndex current = table_->currentIndex();
    hadCurrent_ = current.isValid();
    if (hadCurrent_) keptFinding_ = report_.Model().FindingOf(current.row());
  });
  connect(findings_, &QAbstractItemModel::modelReset, this, [this] {
    if (!hadCurrent_) return ShowPicture();
    const std::optional<std::size_t> row = report_.Model().RowOf(keptFinding_);
    if (row)
      table_->setCurrentIndex(findings_->index(static_cast<int>(*row), 0));
    else
      ShowPicture();
  });
  auto* copy = new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(copy, &QShortcut::activated, this, &CReportDlg::Copy);

  ShowFresh();
  resize(900, 560);
  table_->setFocus();
}

QPushButton* CReportDlg::Button(int id, std::string_view text) {
  auto* button = new QPushButton(ToQString(text), this);
  button->setObjectName(Id(id));
  // Enter belongs to the table: no button takes it.
  button->setAutoDefault(false);
  return button;
}

void CReportDlg::MakeButtons(QHBoxLayout* row) {
  for (const ui::ReportOffer& offer : ui::Offers(report_.Buttons())) {
    QPushButton* button = Button(ui::OfferControlId(offer.choice), offer.text);
    connect(button, &QPushButton::clicked, this, [this, choice = offer.choice] {
      choice_ = choice;
      accept();
    });
    row->addWidget(button);
    offers_.push_back(button);
  }
  row->addStretch(1);
  below_ = {Button(res::kReportCopyButton, ui::kCopyButton),
            Button(res::kReportSaveButton, ui::kSaveReportButton),
            Button(res::kReportCloseButton, ui::kCloseReportButton)};
  connect(below_[0], &QPushButton::clicked, this, &CReportDlg::Copy);
  connect(below_[1], &QPushButton::clicked, this, &CReportDlg::Save);
  connect(below_[2], &QPushButton::clicked, this, &QDialog::reject);
}

void CReportDlg::MakePackRow(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  QLabel* packLabel = Label(this, res::kReportPackLabel, ui::kPackFilterLabel);
  packs_ = new QComboBox(this);
  packs_->setObjectName(Id(res::kReportPackFilter));
  packLabel->setBuddy(packs_);
  QLabel* idLabel = Label(this, res::kReportFindIdLabel, ui::kFindIdLabel);
  idBox_ = new QLineEdit(this);
  idBox_->setObjectName(Id(res::kReportFindIdBox));
  idLabel->setBuddy(idBox_);
  find_ = Button(res::kReportFindIdButton, ui::kFindIdButton);
  for (QWidget* w : std::initializer_list<QWidget*>{packLabel, packs_, idLabel, idBox_, find_})
    row->addWidget(w);
  row->addStretch(1);
  layout->addLayout(row);
  answer_ = new QPlainTextEdit(this);
  answer_->setObjectName(Id(res::kReportIdAnswer));
  answer_->setReadOnly(true);
  answer_->setLineWrapMode(QPlainTextEdit::NoWrap);
  answer_->setMaximumHeight(fontMetrics().height() * 6);
  answer_->hide();
  layout->addWidget(answer_);
  const bool scanned = report_.Model().Scanned();
  for (QWidget* w : std::initializer_list<QWidget*>{packLabel, packs_, idLabel, idBox_, find_})
    w->setVisible(scanned);
  connect(packs_, &QComboBox::activated, this, [this](int index) {
    findings_->ShowPack(index <= 0
                            ? std::nullopt
                            : std::optional<std::size_t>(static_cast<std::size_t>(index - 1)));
    summary_->setText(ToQString(report_.Model().Summary()));
  });
  connect(find_, &QPushButton::clicked, this, &CReportDlg::FindId);
  connect(idBox_, &QLineEdit::returnPressed, this, &CReportDlg::FindId);
}

// "all packs", then each pack with its count of findings.
void CReportDlg::FillPacks() {
  const ui::ReportModel& model = report_.Model();
  packs_->clear();
  if (!model.Scanned()) return;
  packs_->addItem(ToQString(model.PackFilterLabel(std::nullopt)));
  for (std::size_t p = 0; p < model.Packs(); ++p)
    packs_->addItem(ToQString(model.PackFilterLabel(p)));
  const std::optional<std::size_t> chosen = model.View().pack;
  packs_->setCurrentIndex(chosen ? static_cast<int>(*chosen) + 1 : 0);
}

void CReportDlg::FindId() {
  const ui::IdAnswer answer = report_.FindId(idBox_->text().toStdString());
  answer_->setPlainText(ToQString(answer.text));
  answer_->show();
  ShowFacts(answer.picture);
}

// The summary, the filters and the buttons of the report as it is now.
void CReportDlg::ShowFresh() {
  summary_->setText(ToQString(report_.Model().Summary()));
  MakeFilters();
  FillPacks();
  ShowOffers();
  if (findings_->rowCount() > 0 && !table_->currentIndex().isValid())
    table_->selectionModel()->setCurrentIndex(findings_->index(0, 0),
                                              QItemSelectionModel::NoUpdate);
  ShowPicture();
  OrderTabs();
}

// "all", then a filter per category the report has; a click shows only it.
void CReportDlg::MakeFilters() {
  for (QAbstractButton* old : filters_->buttons()) {
    filters_->removeButton(old);
    delete old;
  }
  const ui::ReportModel& model = report_.Model();
  std::vector<std::optional<checker::Category>> choices{std::nullopt};
  for (const ui::CategoryCount& c : model.Categories()) choices.push_back(c.category);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    auto* radio = new QRadioButton(ToQString(model.FilterLabel(choices[i])), this);
    radio->setObjectName(Id(res::kReportFilterFirst + static_cast<int>(i)));
    radio->setChecked(choices[i] == model.View().only);
    filters_->addButton(radio, static_cast<int>(i));
    const int at = static_cast<int>(i);
    filterRow_->addWidget(radio, at / kFiltersPerRow, at % kFiltersPerRow + 1);
    connect(radio, &QRadioButton::toggled, this, [this, category = choices[i]](bool on) {
      if (on) findings_->ShowOnly(category);
    });
  }
  auto* show = findChild<QLabel*>(Id(res::kReportFilterLabel));
  show->setBuddy(filters_->checkedButton());
}

void CReportDlg::ShowOffers() {
  const auto offers = ui::Offers(report_.Buttons());
  for (std::size_t i = 0; i < offers_.size(); ++i) {
    offers_[i]->setText(ToQString(offers[i].text));
    offers_[i]->setVisible(!offers[i].text.empty());
  }
}

void CReportDlg::OrderTabs() {
  std::vector<QWidget*> chain;
  for (QAbstractButton* radio : filters_->buttons()) chain.push_back(radio);
  chain.insert(chain.end(), {packs_, idBox_, find_});
  chain.push_back(table_);
  chain.insert(chain.end(), offers_.begin(), offers_.end());
  chain.insert(chain.end(), below_.begin(), below_.end());
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void CReportDlg::ShowPicture() {
  const QModelIndex current = table_->currentIndex();
  std::optional<ui::PictureFacts> facts;
  std::optional<std::size_t> row;
  if (current.isValid()) row = static_cast<std::size_t>(current.row());
  if (row) facts = report_.PictureOf(*row);
  // The buttons act on the current finding's pack.
  if (report_.ShowButtonsOf(row)) ShowOffers();
  ShowFacts(facts);
}

void CReportDlg::ShowFacts(const std::optional<ui::PictureFacts>& facts) {
  if (!facts) {
    picture_->clear();
    pictureName_->clear();
    pictureFacts_->clear();
    return;
  }
  const QImage image = ReadScaled(ToQString(facts->path), picture_->contentsRect().size());
  if (image.isNull())
    picture_->clear();
  else
    picture_->setPixmap(QPixmap::fromImage(image));
  pictureName_->setText(ToQString(facts->name));
  pictureFacts_->setText(ToQString(facts->description));
}

void CReportDlg::OpenCurrent() {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) return;
  QtEditorView editor(dialogs_, this);
  const int row = current.row();
  const bool fresh = report_.Open(static_cast<std::size_t>(row), editor);
  // The keys come back to the table, wherever the system put them.
  activateWindow();
  table_->setFocus();
  if (!fresh) return;
  // The model was replaced while the editor had the screen: nothing was
  // painted from it in between.
  hadCurrent_ = false;
  findings_->Refresh();
  ShowFresh();
  const int rows = findings_->rowCount();
  if (rows > 0) table_->setCurrentIndex(findings_->index(std::min(row, rows - 1), 0));
}

std::vector<std::size_t> CReportDlg::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.push_back(static_cast<std::size_t>(index.row()));
  return rows;
}

void CReportDlg::Copy() {
  QApplication::clipboard()->setText(ToQString(report_.Model().Lines(SelectedRows())));
}

void CReportDlg::Save() {
  const QString text = QStringLiteral("Text (*.txt)");
  const QString json = QStringLiteral("JSON (*.json)");
  QString filter = text;
  QString path = QFileDialog::getSaveFileName(this, ToQString(ui::kSaveReportTitle),
                                              QStringLiteral("report.txt"),
                                              text + QStringLiteral(";;") + json, &filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty())
    path += filter == json ? QStringLiteral(".json") : QStringLiteral(".txt");
  report_.Save(QFile::encodeName(path).toStdString(), SelectedRows());
}

bool CReportDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenCurrent();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace mapio::qt
