#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// The program's help: Japanese pages carried inside the program, shown in
// a window with a table of contents and a search by word.
class THelpWindow : public QWidget {
public:
  // The one help window of the program, created on first use.
  static THelpWindow& Instance();
  // Deletes the help window if there is one (the next Instance() makes a
  // new one); the main window does so as it goes, so that the help never
  // outlives the application object.
  static void Release();

  // Shows the window on its table of contents.
  void ShowContents();
  // Shows the window on the page of File ("results.html").
  void ShowPage(const QString& File);
  // Shows the window with the search field focused.
  void ShowSearch();

  // The titles of the pages whose text holds Word (case ignored), with the
  // pages' addresses, in contents order.
  QList<QPair<QString, QString>> Find(const QString& Word) const;

  QTextBrowser* Browser() const { return FBrowser; }
  QLineEdit* SearchField() const { return FSearch; }
  QListWidget* Results() const { return FResults; }

private:
  THelpWindow();
  void RunSearch();

  struct TPage {
    QString Url;
    QString Title;
    QString Text;
  };
  QList<TPage> FPages;
  QTabWidget* FTabs;
  QListWidget* FContents;
  QLineEdit* FSearch;
  QListWidget* FResults;
  QTextBrowser* FBrowser;
};
