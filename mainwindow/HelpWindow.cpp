#include "mainwindow/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <utility>

namespace {

// The pages in contents order.
const char* const PageFiles[] = {"index.html", "input.html",   "list.html", "signs.html",
                                 "check.html", "results.html", "files.html"};

QString ResourceText(const QString& Path) {
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(File.readAll());
}

THelpWindow* TheHelpWindow = nullptr;

} // namespace

THelpWindow& THelpWindow::Instance() {
  if (!TheHelpWindow) TheHelpWindow = new THelpWindow();
  return *TheHelpWindow;
}

void THelpWindow::Release() {
  delete std::exchange(TheHelpWindow, nullptr);
}

THelpWindow::THelpWindow() : QWidget(nullptr, Qt::Window) {
  setWindowTitle(QStringLiteral("Vantrel ヘルプ"));
  // An open help window does not keep the program running once the main
  // window has been closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  for (const char* Name : PageFiles) {
    TPage Page;
    Page.Url = QStringLiteral("qrc:/help/") + QString::fromUtf8(Name);
    QTextDocument Document;
    Document.setHtml(ResourceText(QStringLiteral(":/help/") + QString::fromUtf8(Name)));
    Page.Title = Document.metaInformation(QTextDocument::DocumentTitle);
    Page.Text = Document.toPlainText();
    FPages.append(Page);
  }

  FTabs = new QTabWidget(this);
  FContents = new QListWidget;
  for (const TPage& Page : FPages) {
    auto* Item = new QListWidgetItem(Page.Title, FContents);
    Item->setData(Qt::UserRole, Page.Url);
  }
  FTabs->addTab(FContents, QStringLiteral("目次"));

  auto* SearchPane = new QWidget;
  auto* SearchLayout = new QVBoxLayout(SearchPane);
  SearchLayout->addWidget(new QLabel(QStringLiteral("検索する語句：")));
  FSearch = new QLineEdit;
  SearchLayout->addWidget(FSearch);
  auto* Button = new QPushButton(QStringLiteral("検索"));
  SearchLayout->addWidget(Button);
  FResults = new QListWidget;
  SearchLayout->addWidget(FResults);
  FTabs->addTab(SearchPane, QStringLiteral("検索"));

  FBrowser = new QTextBrowser;
  FBrowser->setOpenLinks(true);
  auto* Splitter = new QSplitter(this);
  Splitter->addWidget(FTabs);
  Splitter->addWidget(FBrowser);
  Splitter->setStretchFactor(1, 1);
  auto* Layout = new QHBoxLayout(this);
  Layout->addWidget(Splitter);
  resize(720, 480);

  auto Open = [this](QListWidgetItem* Item) {
    const QString Url = Item ? Item->data(Qt::UserRole).toString() : QString();
    if (!Url.isEmpty()) FBrowser->setSource(QUrl(Url));
  };
  connect(FContents, &QListWidget::itemActivated, this, Open);
  connect(FContents, &QListWidget::itemClicked, this, Open);
  connect(FResults, &QListWidget::itemActivated, this, Open);
  connect(FResults, &QListWidget::itemClicked, this, Open);
  connect(FSearch, &QLineEdit::returnPressed, this, [this] { RunSearch(); });
  connect(Button, &QPushButton::clicked, this, [this] { RunSearch(); });
  FBrowser->setSource(QUrl(FPages.front().Url));
}

QList<QPair<QString, QString>> THelpWindow::Find(const QString& Word) const {
  QList<QPair<QString, QString>> Found;
  const QString Needle = Word.trimmed();
  if (Needle.isEmpty()) return Found;
  for (const TPage& Page : FPages)
    if (Page.Text.contains(Needle, Qt::CaseInsensitive) ||
        Page.Title.contains(Needle, Qt::CaseInsensitive))
      Found.append({Page.Title, Page.Url});
  return Found;
}

void THelpWindow::RunSearch() {
  FResults->clear();
  const auto Found = Find(FSearch->text());
  for (const auto& [Title, Url] : Found) {
    auto* Item = new QListWidgetItem(Title, FResults);
    Item->setData(Qt::UserRole, Url);
  }
  if (Found.isEmpty())
    new QListWidgetItem(QStringLiteral("見つかりませんでした。"), FResults);
  else
    FBrowser->setSource(QUrl(Found.front().second));
}

void THelpWindow::ShowContents() {
  ShowPage(QString::fromUtf8(PageFiles[0]));
}

void THelpWindow::ShowPage(const QString& File) {
  const QString Url = QStringLiteral("qrc:/help/") + File;
  FTabs->setCurrentIndex(0);
  for (qsizetype I = 0; I < FPages.size(); ++I)
    if (FPages[I].Url == Url) FContents->setCurrentRow(static_cast<int>(I));
  FBrowser->setSource(QUrl(Url));
  show();
  raise();
  activateWindow();
}

void THelpWindow::ShowSearch() {
  FTabs->setCurrentIndex(1);
  show();
  raise();
  activateWindow();
  FSearch->setFocus();
  FSearch->selectAll();
}
