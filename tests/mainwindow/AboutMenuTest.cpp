// The help menu's version command shows the about box modally, owned by
// the window, and frees it when it closes.
#include "FormFixture.h"

#include "support/AboutUnit.h"

#include <QTimer>

TEST_F(FormTest, AboutShowsTheAboutBoxAndFreesIt) {
  TAboutBox* Seen = nullptr;
  QTimer::singleShot(0, [&Seen] {
    Seen = dynamic_cast<TAboutBox*>(QApplication::activeModalWidget());
    if (Seen) QTest::mouseClick(Seen->OKButton, Qt::LeftButton);
  });
  QTimer Watchdog; // a box that never shows must not hang the test
  Watchdog.setSingleShot(true);
  QObject::connect(&Watchdog, &QTimer::timeout, [] {
    if (QWidget* Modal = QApplication::activeModalWidget()) Modal->close();
  });
  Watchdog.start(5000);
  Form->About1->trigger();
  ASSERT_NE(Seen, nullptr);
  EXPECT_TRUE(Form->findChildren<TAboutBox*>().isEmpty());
  EXPECT_TRUE(Scripted.Calls.empty()) << "no message box any more";
}
