// Print, PDF, image and CSV: what lands in the files (the PDF through
// poppler's pdftoppm), the commands of the menu, and files that cannot be
// written.
#include "mainwindow/Exports.h"
#include "mainwindow/BeamImage.h"
#include "mainwindow/PrintDialogs.h"
#include "mainwindow/ReportSheet.h"
#include "platform/Exceptions.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/mainwindow/FormFixture.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace {

// The page of a one-page PDF as pdftoppm draws it at Dpi.
QImage RenderPdf(const QString& Pdf, int Dpi) {
  const QString Base = Pdf + QStringLiteral(".page");
  QProcess Poppler;
  Poppler.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), Pdf, Base});
  if (!Poppler.waitForFinished(30000) || Poppler.exitCode() != 0) return {};
  return QImage(Base + QStringLiteral(".png"));
}

// Pixels in Area whose colour is near Colour.
int CountNear(const QImage& Image, const QRect& Area, QColor Colour) {
  int Count = 0;
  for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
    for (int X = Area.left(); X <= Area.right(); ++X) {
      const QColor C = Image.pixelColor(X, Y);
      if (std::abs(C.red() - Colour.red()) < 60 && std::abs(C.green() - Colour.green()) < 60 &&
          std::abs(C.blue() - Colour.blue()) < 60)
        ++Count;
    }
  return Count;
}

// The files of a folder.
QStringList Files(const QTemporaryDir& Dir) {
  return QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden);
}

class ExportTest : public FormTest {
protected:
  void BuildSample() {
    SetBeam(Data(), btSimple, 10,
            {{lkUniform, 0, 40, 6, "\x8f\xb0\x89\xd7\x8f\x64"}, {lkConcentrated, 7, 25, 0}});
    Form->RefreshLoadList();
  }
  QString Path(const QString& Name) const { return Dir.filePath(Name); }
  QTemporaryDir Dir;
};

TEST_F(ExportTest, ThePdfPageHasTheColouredDiagramsAndTheJapaneseText) {
  BuildSample();
  ReportScripted.Answers = {TReportInfo{}};
  Scripted.FileAnswers = {Path("sheet.pdf")};
  Form->PdfExport1Click(Form.get());
  const QImage Page = RenderPdf(Path("sheet.pdf"), 50);
  ASSERT_FALSE(Page.isNull());
  // A4 portrait at 50 dpi.
  EXPECT_NEAR(Page.width(), 413, 2);
  EXPECT_NEAR(Page.height(), 585, 2);
  // The diagram box: green shear and blue moment lines, cyan load figure.
  const QRect Diagram(0, Page.height() / 10, Page.width(), Page.height() * 4 / 10);
  EXPECT_GT(CountNear(Page, Diagram, QColor(0, 128, 0)), 50);
  EXPECT_GT(CountNear(Page, Diagram, QColor(0, 0, 255)), 50);
  EXPECT_GT(CountNear(Page, Diagram, QColor(0, 255, 255)), 50);
  // Text in black: the title, whose "計算書" stands right of "Vantrel"
  // (a 15 mm margin, then about 75 to 135 of the sheet's 1/96 inch), and
  // the results and load table below the diagrams.
  EXPECT_GT(CountNear(Page, QRect(72, 30, 26, 18), Qt::black), 30);
  const QRect Below(0, Page.height() / 2, Page.width(), Page.height() / 4);
  EXPECT_GT(CountNear(Page, Below, Qt::black), 150);
}

TEST_F(ExportTest, PageSetUpTurnsThePageAndPrintPrintsTheSheet) {
  BuildSample();
  struct TLandscape : TPrintDialogs {
    QString Output;
    bool PageSetup(QWidget*, QPrinter& Printer) override {
      return Printer.setPageOrientation(QPageLayout::Landscape);
    }
    bool Print(QWidget*, QPrinter& Printer) override {
      Printer.setOutputFormat(QPrinter::PdfFormat);
      Printer.setOutputFileName(Output);
      return true;
    }
  } Dialogs;
  Dialogs.Output = Path("printed.pdf");
  ReportScripted.Answers = {TReportInfo{}, TReportInfo{}};
  SetPrintDialogs(&Dialogs);
  Form->PrintSetup1Click(Form.get());
  Form->Print1Click(Form.get());
  Scripted.FileAnswers = {Path("wide.pdf")};
  Form->PdfExport1Click(Form.get());
  SetPrintDialogs(nullptr);
  for (const char* Name : {"printed.pdf", "wide.pdf"}) {
    const QImage Page = RenderPdf(Path(Name), 30);
    ASSERT_FALSE(Page.isNull()) << Name;
    EXPECT_GT(Page.width(), Page.height()) << Name;
    EXPECT_GT(CountNear(Page, Page.rect(), QColor(0, 128, 0)), 20) << Name;
  }
}

TEST_F(ExportTest, TheCsvReadsBackAsTheSamples) {
  BuildSample();
  Scripted.FileAnswers = {Path("samples.csv")};
  Form->CsvExport1Click(Form.get());
  QFile File(Path("samples.csv"));
  ASSERT_TRUE(File.open(QIODevice::ReadOnly));
  const QByteArray Bytes = File.readAll();
  ASSERT_TRUE(Bytes.startsWith("\xEF\xBB\xBFX (m),S (kN),M (kN\xEF\xBD\xA5m)\r\n"));
  const QList<QByteArray> Lines = Bytes.mid(3).split('\n');
  // Header, the 1001 samples in order among the exact rows, nothing after
  // the last break.
  ASSERT_GT(Lines.size(), 1003);
  EXPECT_TRUE(Lines.back().isEmpty());
  std::size_t I = 0;
  for (qsizetype Line = 1; Line + 1 < Lines.size() && I < 1001; ++Line) {
    const QList<QByteArray> Cells = Lines[Line].trimmed().split(',');
    ASSERT_EQ(Cells.size(), 3);
    const TCalcPoint& P = Data().Points()[I];
    I += Cells[0].toDouble() == P.X && Cells[1].toDouble() == P.S && Cells[2].toDouble() == P.M;
  }
  EXPECT_EQ(I, 1001u);
}

// A number that is a whole multiple of one half, as its shortest text.
std::string Half(long Twice) {
  const std::string Whole = std::to_string(std::labs(Twice) / 2);
  return (Twice < 0 ? "-" : "") + Whole + (Twice % 2 != 0 ? ".5" : "");
}

TEST(ResultsCsvTest, OneLoadByteForByte) {
  // 1000 kN at x = 250.5 m on a simple beam of 1000 m: the samples fall on
  // whole metres, RA = 749.5 and RB = 250.5, and every S and M is a
  // multiple of one quarter, exact in binary.
  TData Data;
  BuildBeam(Data, btSimple, 1000, {{lkConcentrated, 250.5, 1000, 0}});
  std::string Want = "\xEF\xBB\xBFX (m),S (kN),M (kN\xEF\xBD\xA5m)\r\n";
  for (long X = 0; X <= 1000; ++X) {
    const bool Left = X <= 250;
    Want += std::to_string(X) + ',' + Half(Left ? 1499 : -501) + ',' +
            Half(Left ? 1499 * X : 501000 - 501 * X) + "\r\n";
    // Both sides of the load's jump, where M is largest.
    if (X == 250) Want += "250.5,749.5,187749.75\r\n250.5,-250.5,187749.75\r\n";
  }
  EXPECT_EQ(ResultsCsv(Data).toStdString(), Want);
}

// Two spans of 6 m under 2 kN/m, and 5 kN at x = 8.0005 m: at the middle
// support M = -wl²/8 (the point load adds its own share, worked out below
// by superposition of the textbook cases), S jumps from -5wl/8 to 5wl/8
// plus the load's shares, and the load's own jump is -5 kN, left side first.
TEST(ResultsCsvTest, RowsAtSupportsLoadsAndExtremesWithBothSidesOfAJump) {
  TData Data;
  BuildBeam(Data, btSimple, 12, {{lkUniform, 0, 24, 12}});
  Data.SetSupports(bpContinuous, {{skPin, 0, false}, {skRoller, 6, false}, {skRoller, 0, true}});
  const double w = 2, l = 6;
  AddLoad(Data, {lkConcentrated, 8.0005, 5, 0});
  // A load P at a from the middle support in the right span, b = l - a:
  // the support moment -P·a·b·(l + b)/(4l²) (three-moment equation).
  const double P = 5, a = 2.0005, b = l - a, Mp = -P * a * b * (l + b) / (4 * l * l);
  // The rows at x = 6 and at the load, in the file's order.
  std::vector<std::array<double, 3>> At6, AtLoad;
  double Before = 0;
  for (const QByteArray& Line : ResultsCsv(Data).trimmed().split('\n').mid(1)) {
    const QList<QByteArray> Cells = Line.trimmed().split(',');
    const std::array<double, 3> Row{Cells[0].toDouble(), Cells[1].toDouble(), Cells[2].toDouble()};
    EXPECT_LE(Before, Row[0]);
    Before = Row[0];
    if (Row[0] == 6) At6.push_back(Row);
    if (Row[0] == 8.0005) AtLoad.push_back(Row);
  }
  // Left of the middle support: the left span's end shear; right of it
  // the right span's start shear (simple-span shears plus the moment's).
  const double Ms = -w * l * l / 8 + Mp;
  const double SLeft = -w * l / 2 + Ms / l, SRight = w * l / 2 + P * b / l - Ms / l;
  ASSERT_GE(At6.size(), 2u);
  EXPECT_NEAR(At6.front()[1], SLeft, 1e-9);
  EXPECT_NEAR(At6.back()[1], SRight, 1e-9);
  EXPECT_NEAR(At6.front()[2], Ms, 1e-9);
  ASSERT_EQ(AtLoad.size(), 2u);
  EXPECT_NEAR(AtLoad[1][1] - AtLoad[0][1], -P, 1e-9);
  EXPECT_EQ(AtLoad[0][2], AtLoad[1][2]);
}

TEST_F(ExportTest, ImagesAsPngAndSvgAtTheChosenSize) {
  BuildSample();
  Form->ShowExtremes1->setChecked(true);
  Scripted.FileAnswers = {Path("a.png"), Path("b.svg"), Path("c.png")};
  Scripted.InputAnswers = {QString("640x400"), QString(" 300 × 200 "), QString("big")};
  Scripted.MessageAnswers = {mrOk};
  Form->ImageExport1Click(Form.get());
  Form->ImageExport1Click(Form.get());
  Form->ImageExport1Click(Form.get());
  // The PNG is the window's picture with the layers of the window.
  EXPECT_EQ(QImage(Path("a.png")).convertToFormat(QImage::Format_RGB32),
            RenderBeamImage(Data(), 640, 400, Form->DiagramLayers()));
  QFile Svg(Path("b.svg"));
  ASSERT_TRUE(Svg.open(QIODevice::ReadOnly));
  const QByteArray Text = Svg.readAll();
  EXPECT_TRUE(Text.contains("viewBox=\"0 0 300 200\"")) << Text.left(400).toStdString();
  EXPECT_TRUE(Text.contains("#008000")); // the shear line
  // An unreadable size is refused with a message and writes nothing.
  EXPECT_FALSE(QFile::exists(Path("c.png")));
  EXPECT_EQ(Scripted.Calls.back().Kind, dkMessage);
  int W = 0, H = 0;
  EXPECT_FALSE(ParseImageSize("0x10", W, H));
  EXPECT_FALSE(ParseImageSize("20000x10", W, H));
  EXPECT_TRUE(ParseImageSize("16384X1", W, H));
  EXPECT_EQ(W, 16384);
}

TEST_F(ExportTest, FailuresNameTheFileAndLeaveNothingHalfWritten) {
  BuildSample();
  const QString Missing = Path("no/such/folder/out.csv");
  try {
    SaveResultsCsv(Data(), Missing);
    FAIL() << "wrote into a missing folder";
  } catch (const EFCreateError& E) {
    const QString Message = QString::fromUtf8(E.what());
    EXPECT_TRUE(Message.startsWith("ファイル \"" + QDir::toNativeSeparators(Missing) + "\". "))
        << E.what();
    EXPECT_TRUE(Message.endsWith(" を作成できません")) << E.what();
  }
  // A write that fails half-way keeps the old file and leaves no temporary.
  QFile Old(Path("keep.pdf"));
  ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
  Old.write("old");
  Old.close();
  EXPECT_THROW(WriteWholeFile(Path("keep.pdf"),
                              [](QIODevice& File) {
                                File.write("half");
                                return false;
                              }),
               EFCreateError);
  EXPECT_THROW(WriteWholeFile(Path("keep.pdf"),
                              [](QIODevice& File) -> bool {
                                File.write("half");
                                throw Exception("drawing failed");
                              }),
               Exception);
  ASSERT_TRUE(Old.open(QIODevice::ReadOnly));
  EXPECT_EQ(Old.readAll(), "old");
  EXPECT_EQ(Files(Dir), QStringList({"keep.pdf"}));
}

TEST_F(ExportTest, TheDiagramCopiesItsPictureWithCtrlC) {
  BuildSample();
  QApplication::clipboard()->clear();
  Form->PaintBox1->setFocus();
  QTest::keyClick(Form->PaintBox1, Qt::Key_C, Qt::ControlModifier);
  const QImage Copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Copied, RenderBeamImage(Data(), Form->PaintBox1->width(), Form->PaintBox1->height(),
                                    Form->DiagramLayers()));
  EXPECT_EQ(Form->PaintBox1->contextMenuPolicy(), Qt::ActionsContextMenu);
  EXPECT_TRUE(Form->PaintBox1->actions().contains(Form->CopyDiagram1));
}

} // namespace
