// Every window and dialog of the program opened on a screen of the size and
// pixel ratio VANTREL_SCREEN names ("1366x768@1"), given to the offscreen
// platform: its frame and its buttons lie inside the screen's available
// area, with the main window in the lower right corner, where a dialog
// centred on it would reach past the edges. With VANTREL_SCREEN_SHOTS set
// to a folder, each is saved there as a PNG to be looked at.
#include "analysis/Section.h"
#include "analysis/Supports.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/PrintDialogs.h"
#include "mainwindow/ProgramStart.h"
#include "mainwindow/ReportDialog.h"
#include "mainwindow/ReportSheet.h"
#include "mainwindow/ResultsWindow.h"
#include "mainwindow/SectionDialog.h"
#include "mainwindow/SupportDialog.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "support/AboutUnit.h"
#include "tests/kit/ProgramFonts.h"

#include <QAbstractButton>
#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryFile>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TForm1* Form = nullptr;

// VANTREL_SCREEN split into width, height and scale.
QStringList ScreenNamed() {
  const QStringList Size = qEnvironmentVariable("VANTREL_SCREEN").split(QRegularExpression("[x@]"));
  if (Size.size() != 3) throw std::runtime_error("VANTREL_SCREEN is not like 1366x768@1");
  return Size;
}

// Whether Window and its buttons lie inside its screen's available area;
// saves its picture as Name.png when asked to.
void ExpectOnScreen(QWidget& Window, const char* Name) {
  const QRect Area = Window.screen()->availableGeometry();
  EXPECT_TRUE(Area.contains(Window.frameGeometry())) << Name;
  for (const QAbstractButton* Button : Window.findChildren<QAbstractButton*>())
    if (Button->isVisible()) {
      EXPECT_TRUE(Area.contains(QRect(Button->mapToGlobal(QPoint()), Button->size())))
          << Name << ' ' << Button->text().toStdString();
    }
  if (const QString Folder = qEnvironmentVariable("VANTREL_SCREEN_SHOTS"); !Folder.isEmpty())
    Window.grab().save(QDir(Folder).filePath(QString::fromUtf8(Name) + ".png"));
}

// Runs Open, which shows a modal dialog, and checks the dialog once shown.
void ExpectDialogOnScreen(const char* Name, const std::function<void()>& Open) {
  QWidget* Shown = nullptr;
  QTimer::singleShot(0, [&] {
    Shown = QApplication::activeModalWidget();
    if (!Shown) return;
    ExpectOnScreen(*Shown, Name);
    Shown->close();
  });
  Open();
  EXPECT_NE(Shown, nullptr) << Name;
}

TEST(ScreenFitTest, WindowsAndDialogsOpenInsideTheScreen) {
  const QRect Area = Form->screen()->availableGeometry();
  const QStringList Screen = ScreenNamed();
  ASSERT_EQ(QSize(Area.width(), Area.height()) * Screen[2].toInt(),
            QSize(Screen[0].toInt(), Screen[1].toInt()));
  Form->move(Area.bottomRight() -
             QPoint(Form->frameGeometry().width(), Form->frameGeometry().height()));
  ExpectOnScreen(*Form, "main");
  TSection Section;
  ExpectDialogOnScreen("section", [&] { SectionDialog().Edit(Form, Section); });
  TSupports Supports{{skPin, 0, false}, {skRoller, 5, false}, {skRoller, 10, true}};
  ExpectDialogOnScreen("supports", [&] { SupportDialog().Edit(Form, bpContinuous, 10, Supports); });
  TReportInfo Info;
  ExpectDialogOnScreen("report", [&] { ReportDialog().Edit(Form, Info); });
  QPrinter Printer;
  ExpectDialogOnScreen("print", [&] { PrintDialogs().Print(Form, Printer); });
  ExpectDialogOnScreen("page", [&] { PrintDialogs().PageSetup(Form, Printer); });
  ExpectDialogOnScreen("about", [&] { ShowAboutBox(Form); });
  QString Name;
  ExpectDialogOnScreen("open", [&] { Dialogs().OpenFileName(Form, {}, Name); });
  ExpectDialogOnScreen("save", [&] { Dialogs().SaveFileName(Form, {}, Name); });
  ExpectDialogOnScreen("message", [&] {
    Dialogs().MessageBox(Form, QString(400, QChar(u'長')), QStringLiteral("Vantrel"), mtWarning,
                         mbYes | mbNo | mbCancel);
  });
  ExpectDialogOnScreen("input", [&] {
    Dialogs().InputQuery(Form, QStringLiteral("画像の大きさ"), QStringLiteral("幅x高さ"), Name);
  });
  Form->Results1Click(Form);
  for (QWidget* Window : QApplication::topLevelWidgets())
    if (dynamic_cast<TResultsWindow*>(Window)) ExpectOnScreen(*Window, "results");
  Form->Contents1Click(Form);
  ExpectOnScreen(THelpWindow::Instance(), "help");
}

} // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const QStringList Screen = ScreenNamed();
  // The screen's pixels, its windows at the scale asked for.
  const QByteArray Settings =
      QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1,)"
                     R"( "height": %2, "dpi": 96, "dpr": 1}]})")
          .arg(Screen[0], Screen[1])
          .toUtf8();
  QTemporaryFile File;
  if (!File.open() || File.write(Settings) < 0 || !File.flush()) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + File.fileName().toUtf8());
  qputenv("QT_SCALE_FACTOR", Screen[2].toUtf8());
  for (const char* Variable :
       {"QT_ENABLE_HIGHDPI_SCALING", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
    qunsetenv(Variable);
  TApplication Application(argc, argv);
  PrepareApplication(Application);
  PinProgramFonts();
  TForm1 Main;
  Main.show();
  Form = &Main;
  return RUN_ALL_TESTS();
}
