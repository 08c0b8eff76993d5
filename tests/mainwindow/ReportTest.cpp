// The report as a PDF, read back with poppler's pdfinfo and pdftotext:
// every load on numbered pages, long texts wrapped inside the page, the
// header from the report dialog kept in the settings, the orientation of
// Qt's own page set-up dialog; the flow of its blocks down the pages.
#include "mainwindow/Exports.h"
#include "mainwindow/ReportHeader.h"
#include "mainwindow/ReportLayout.h"
#include "mainwindow/ReportSheet.h"
#include "support/Cp932.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/mainwindow/FormFixture.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <random>

namespace {

QString Poppler(const QString& Tool, const QStringList& Arguments) {
  QProcess Process;
  Process.start(Tool, Arguments);
  if (!Process.waitForFinished(30000) || Process.exitCode() != 0) return {};
  return QString::fromUtf8(Process.readAllStandardOutput());
}

QString PageText(const QString& Pdf, int Page) {
  const QString N = QString::number(Page);
  return Poppler("pdftotext", {"-f", N, "-l", N, Pdf, "-"});
}

// The number Pattern captures in what pdfinfo says of Pdf.
double Info(const QString& Pdf, const QString& Pattern) {
  return QRegularExpression(Pattern).match(Poppler("pdfinfo", {Pdf})).captured(1).toDouble();
}
int Pages(const QString& Pdf) {
  return static_cast<int>(Info(Pdf, R"(Pages:\s+(\d+))"));
}
// Whether the first page of Pdf is wider than tall.
bool Wide(const QString& Pdf) {
  return Info(Pdf, R"(Page size:\s+([\d.]+) x)") > Info(Pdf, R"(Page size:\s+[\d.]+ x ([\d.]+))");
}

// Pixels that are not white within Band pixels of the edges of any page of
// Pdf drawn at Dpi.
int InkInMargins(const QString& Pdf, int Dpi, int Band) {
  QProcess::execute("pdftoppm", {"-r", QString::number(Dpi), "-png", Pdf, Pdf});
  int Ink = 0;
  for (const QFileInfo& File :
       QDir(QFileInfo(Pdf).path()).entryInfoList({QFileInfo(Pdf).fileName() + "*.png"})) {
    const QImage Page(File.filePath());
    const QRect Inside = Page.rect().adjusted(Band, Band, -Band, -Band);
    for (int Y = 0; Y < Page.height(); ++Y)
      for (int X = 0; X < Page.width(); ++X)
        Ink += !Inside.contains(X, Y) && Page.pixel(X, Y) != qRgb(255, 255, 255);
    QFile::remove(File.filePath());
  }
  return Ink;
}

class ReportTest : public FormTest {
protected:
  // PDF出力 with Header answered in the report dialog.
  QString Export(const QString& Name, const TReportInfo& Header = {}) {
    ReportScripted.Answers.push_back(Header);
    Scripted.FileAnswers.push_back(Dir.filePath(Name));
    Form->PdfExport1Click(Form.get());
    return Dir.filePath(Name);
  }
  QTemporaryDir Dir;
};

TEST_F(ReportTest, EveryLoadIsOnNumberedPagesUnderTheTablesHeaderRow) {
  const auto Remark = [](int I) { return QStringLiteral("梁受け%1号").arg(I); };
  std::vector<TBeamLoad> Loads;
  for (int I = 1; I <= 25; ++I)
    Loads.push_back({lkConcentrated, 0.35 * I, I + 0.5, 0, Utf8ToCp932(Remark(I).toStdString())});
  BuildBeam(Data(), btSimple, 10, Loads);
  const QString Pdf = Export("loads.pdf");
  ASSERT_EQ(Pages(Pdf), 2);
  const QString First = PageText(Pdf, 1), Second = PageText(Pdf, 2);
  for (int I = 1; I <= 25; ++I)
    EXPECT_EQ((First + Second).count(Remark(I)), 1) << I;
  // pdftotext leaves out the spaces of "1 / 2".
  EXPECT_TRUE(First.contains("1/2") && Second.contains("2/2"));
  EXPECT_TRUE(First.contains("RB(kN)") && Second.contains("RB(kN)"));
  EXPECT_TRUE(Second.contains("荷重と反力の分担 (続き)"));
}

TEST_F(ReportTest, LongTextsWrapInsideThePageInBothOrientations) {
  const QString Long = QStringLiteral("長い備考を列の中で折り返す").repeated(10) +
                       QStringLiteral("WithoutAnySpace").repeated(12);
  // A huge load, printed with its 309 digits, wraps in its column too.
  BuildBeam(Data(), btSimple, 10,
            {{lkConcentrated, 5, 1.7e308, 0, Utf8ToCp932(Long.toStdString())},
             {lkUniform, 1, 3, 4, "short"}});
  for (const auto Orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
    QPageLayout Layout = DefaultPageLayout();
    Layout.setOrientation(Orientation);
    const QString Pdf = Dir.filePath("long.pdf");
    SaveReportPdf(Data(), Pdf, {}, Layout);
    QString Text;
    for (int Page = 1; Page <= Pages(Pdf); ++Page)
      Text += PageText(Pdf, Page);
    EXPECT_TRUE(Text.remove(QRegularExpression(R"(\s)")).contains(Long)) << Orientation;
    // Nothing in the 15 mm margins (18 pixels at 30 dpi), not even the
    // diagram's label of the huge load.
    EXPECT_EQ(InkInMargins(Pdf, 30, 16), 0) << Orientation;
  }
}

// The section's line is wider than the page: it wraps between its values,
// never inside one, and fb and fs read as the checks print them.
TEST_F(ReportTest, TheSectionLineWrapsBetweenValuesWithOnePrecision) {
  SetBeam(Data(), btSimple, 6, {{lkUniform, 0, 12, 6}});
  TSection S;
  S.Name = "H-200x100x5.5x8";
  S.E = 205000, S.I = 1840, S.Z = 184, S.Aw = 9.9, S.Fb = 156.5, S.Fs = 90.4, S.N = 300;
  Data().SetSection(S);
  QString Text = PageText(Export("section.pdf"), 1);
  Text.remove(QChar(0x2060)).replace(QChar(0xA0), QChar(' '));
  const QStringList Lines = Text.split('\n');
  for (const char* Value : {"fb = 156.500(N/mm²)", "fs = 90.400(N/mm²)"})
    EXPECT_EQ(Lines.filter(QString::fromUtf8(Value)).size(), 2) << Value << Text.toStdString();
}

TEST_F(ReportTest, TheOrientationChosenInQtsPageSetUpReachesThePdf) {
  BuildBeam(Data(), btSimple, 4, {{lkConcentrated, 1, 2, 0}});
  // From portrait to reverse landscape and from landscape to reverse
  // portrait, where Qt's dialog leaves the page layout as it was.
  for (const char* Choice : {"reverseLandscape", "portrait", "landscape", "reversePortrait"}) {
    // Qt's own dialog, answered from inside its loop as soon as it runs
    // (it sets the printer up only when its exec() ends accepted).
    QTimer::singleShot(0, [Choice] {
      auto* Dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(Dialog);
      auto* Button = Dialog->findChild<QRadioButton*>(QLatin1String(Choice));
      EXPECT_TRUE(Button) << Choice;
      if (Button) Button->click();
      Dialog->done(Button ? QDialog::Accepted : QDialog::Rejected);
    });
    Form->PrintSetup1Click(Form.get());
    EXPECT_EQ(Wide(Export(QStringLiteral("%1.pdf").arg(Choice))),
              QByteArray(Choice).toLower().contains("landscape"))
        << Choice;
  }
}

TEST_F(ReportTest, TheHeaderIsFilledInFromTheSettingsAndKeptThere) {
  const QString Today = QDate::currentDate().toString("yyyy/MM/dd");
  TReportInfo Header;
  Header.Subject = "A邸 2階床梁";
  Header.Designer = "山田 太郎";
  Header.Date = "2024/05/01";
  // Cancelled: no file is asked for, nothing is kept.
  ReportScripted.Answers = {std::nullopt};
  Form->PdfExport1Click(Form.get());
  EXPECT_TRUE(Scripted.Calls.empty());
  const QString First = PageText(Export("header.pdf", Header), 1);
  for (const QString& Field : {Header.Subject, Header.Designer, Header.Date})
    EXPECT_TRUE(First.contains(Field)) << Field.toStdString();
  Header.Date = Today;
  Export("today.pdf", Header);
  const auto Fields = [](const TReportInfo& Info) {
    return QStringList{Info.Subject, Info.Designer, Info.Date};
  };
  ASSERT_EQ(ReportScripted.Shown.size(), 3U);
  EXPECT_EQ(Fields(ReportScripted.Shown[1]), QStringList({"", "", Today}));
  EXPECT_EQ(Fields(ReportScripted.Shown[2]),
            QStringList({"A邸 2階床梁", "山田 太郎", "2024/05/01"}));
  // Kept in the test's settings folder; today's date as none, so that a
  // report made on another day carries that day.
  EXPECT_TRUE(QFile::exists(SettingsDir.filePath("Vantrel/Vantrel.conf")));
  TReportInfo Next;
  ReadReportHeader(Next, QDate(2030, 1, 2));
  EXPECT_EQ(Fields(Next), QStringList({"A邸 2階床梁", "山田 太郎", "2030/01/02"}));
}

// Random blocks flowed down pages: each placed once, in order, and whole,
// on a page of its own height at least, unless it is taller than a page;
// then it is cut between its lines from the top of a page on.
TEST(ReportFlowTest, BlocksAreCutOnlyWhenTallerThanAPage) {
  std::mt19937 Random(7);
  const auto Pick = [&Random](int Lo, int Hi) {
    return std::uniform_int_distribution(Lo, Hi)(Random);
  };
  for (int Round = 0; Round < 500; ++Round) {
    const int PageHeight = Pick(150, 600);
    std::vector<TReportBlock> Head(2);
    for (TReportBlock& Block : Head)
      Block.Height = Pick(15, 40);
    const int HeadHeight = Head[0].Height + Head[1].Height;
    std::vector<TReportBlock> Blocks(static_cast<std::size_t>(Pick(1, 60)));
    for (TReportBlock& Block : Blocks) {
      Block.Step = Pick(0, 2) == 0 ? 0 : Pick(8, 20);
      Block.Height = Pick(0, 9) == 0 ? Pick(100, 1500) : Pick(5, 80);
      Block.KeepWithNext = Pick(0, 4) == 0;
      Block.TableRow = Pick(0, 1) == 0;
    }
    std::size_t Next = 0;
    int From = 0;
    const std::vector<TReportPage> Pages = FlowBlocks(Blocks, Head, PageHeight);
    for (const TReportPage& Page : Pages) {
      const bool Headed = !Page.empty() && Page.front().Block == &Head[0];
      const std::size_t Own = Headed ? 2 : 0;
      ASSERT_LT(Own, Page.size());
      EXPECT_EQ(Headed, &Page != &Pages.front() && Blocks[Next].TableRow);
      int Y = 0;
      for (std::size_t I = 0; I < Page.size(); Y += Page[I++].Height) {
        const TPlacedBlock& Piece = Page[I];
        ASSERT_EQ(Piece.Top, Y);
        if (I < Own) continue;
        ASSERT_EQ(Piece.Block, &Blocks[Next]);
        ASSERT_EQ(Piece.From, From);
        ASSERT_LE(Piece.Top + Piece.Height, PageHeight);
        From += Piece.Height;
        if (From == Piece.Block->Height) {
          ++Next;
          From = 0;
          continue;
        }
        // Cut: taller than a page, from the page's top, between lines.
        EXPECT_GT(Piece.Block->Height, PageHeight - (Headed ? HeadHeight : 0));
        EXPECT_EQ(I + 1, Page.size());
        EXPECT_TRUE(Piece.From > 0 || I == Own);
        EXPECT_EQ(Piece.Block->Step > 0 ? Piece.Height % Piece.Block->Step : 0, 0);
      }
    }
    EXPECT_EQ(Next, Blocks.size());
  }
}

} // namespace
