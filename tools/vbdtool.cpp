// vbdtool: looks inside Vantrel data files and makes them.
//   vbdtool dump FILE        prints the document and its analysis as JSON
//                            (FILE may be a pipe such as /dev/stdin; it
//                            is read only as far as its data go)
//   vbdtool make OUT < JSON  writes a data file from JSON (DocumentJson.h;
//                            a beam on any supports: SupportsJson.h)
//   vbdtool results FILE     prints the reactions, the extremes and the
//                            section's checks as JSON
//   vbdtool render FILE WIDTHxHEIGHT OUT.png [--hide K|S|M|D ...] [--extremes]
//                            paints the diagram area as the window shows it
//   vbdtool pdf FILE OUT.pdf [--extremes] [--landscape] [--subject TEXT]
//               [--designer TEXT] [--date TEXT]
//                            writes the report as the PDF command does, on
//                            A4 (turned with --landscape), with the header
//                            given (the date is today's unless given)
//   vbdtool csv FILE OUT.csv writes the samples as the CSV command does
//   vbdtool shot OUT.png     a picture of the program window as it starts
#include "analysis/BeamData.h"
#include "analysis/FileErrors.h"
#include "mainwindow/BeamImage.h"
#include "mainwindow/Exports.h"
#include "mainwindow/InputUnit.h"
#include "mainwindow/ReportSheet.h"
#include "platform/Exceptions.h"
#include "platform/FileNames.h"
#include "tests/kit/OffscreenApplication.h"
#include "tools/DocumentJson.h"
#include "tools/InputStream.h"

#include <QApplication>
#include <QDate>
#include <QPageLayout>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>

namespace {

// A file saved but not known to be on disk: said, and no failure.
void TellNote(const std::string& Note) {
  if (!Note.empty()) std::cerr << Note << '\n';
}

// Anything that can be read from its start (a file, a pipe, /dev/stdin) is
// read as a data file, as far as its load count and remark lengths say the
// data go; what follows is not read, as the program does not read it.
void LoadInput(const char* FileName, TData& Data) {
  TInputStream Stream(FileName);
  TDataFileContents Contents = ReadDataFile(Stream);
  // A section that could not be read is told, as the window tells it.
  TellNote(Contents.SectionNote);
  Data.Assign(std::move(Contents));
}

// All of the standard input; a failing read is told, not taken for its end.
std::string ReadStandardInput() {
  std::string Text;
  char Chunk[1 << 16];
  std::size_t N;
  while ((N = std::fread(Chunk, 1, sizeof Chunk, stdin)) > 0)
    Text.append(Chunk, N);
  if (std::ferror(stdin)) throw Exception("標準入力は" + SystemErrorText(errno) + "読めません");
  return Text;
}

int Usage() {
  std::cerr << "usage: vbdtool dump FILE\n"
               "       vbdtool make OUT < JSON\n"
               "       vbdtool results FILE\n"
               "       vbdtool render FILE WIDTHxHEIGHT OUT.png [--hide K|S|M|D ...] [--extremes]\n"
               "       vbdtool pdf FILE OUT.pdf [--extremes] [--landscape] [--subject TEXT]\n"
               "                   [--designer TEXT] [--date TEXT]\n"
               "       vbdtool csv FILE OUT.csv\n"
               "       vbdtool shot OUT.png\n"
               "make reads {\"type\": 0|1, \"L\", \"loads\": [{\"kind\", \"X\", \"W\", \"width\",\n"
               "  \"remark\"}, ...], \"section\": {...}}; for a beam on other supports\n"
               "  \"supports\": [{\"x\", \"kind\": \"pin\"|\"roller\"|\"fixed\"}, ...]\n"
               "  (x = L or \"end\": true: the right end) and optionally the type, \"preset\":\n"
               "  2..6 or left_fixed, overhang, fixed_fixed, propped, continuous (else\n"
               "  the list's own); the simple and the cantilever list give type 0 and 1\n"
               "dump and results write \"supports\" as above and \"reactions\":\n"
               "  [{\"x\", \"R\", \"M\"}, ...] per support (kN upward, kN·m clockwise;\n"
               "  M null except at a fixed end), in dump per load, in results summed;\n"
               "  RA and RB only on the plain types; results' \"refusal\" says why\n"
               "  nothing was calculated (else null); \"loads_off_span\": [i, ...] the\n"
               "  loads (from 0, as in dump) before x = 0 or past L, which count in\n"
               "  full with their lever arm to the beam; a number that is not finite is\n"
               "  written null and its field named in \"not_finite\"; make refuses a key\n"
               "  it does not know\n";
  return 2;
}

// The application of render and shot sees only the program's name of the
// command line.
int Shot(char** argv) {
  int Argc = 1;
  TOffscreenApplication App(Argc, argv);
  TForm1 Form1;
  Form1.show();
  QApplication::processEvents();
  if (!Form1.grab().save(QString::fromLocal8Bit(argv[2]), "PNG"))
    throw Exception(std::string("画像を書き込めません: ") + argv[2]);
  return 0;
}

// The file (a pipe too) read as the program reads it, and calculated.
void OpenDocument(TData& Data, const char* FileName) {
  LoadInput(FileName, Data);
  Data.Calculate();
}

// The options of pdf after OUT.pdf into Info and Layout; false for one it
// does not know.
bool PdfOptions(int argc, char** argv, TReportInfo& Info, QPageLayout& Layout) {
  for (int I = 4; I < argc; ++I) {
    const std::string Option = argv[I];
    const bool Valued = I + 1 < argc;
    if (Option == "--extremes")
      Info.Layers.Extremes = true;
    else if (Option == "--landscape")
      Layout.setOrientation(QPageLayout::Landscape);
    else if (Valued && Option == "--subject")
      Info.Subject = QString::fromLocal8Bit(argv[++I]);
    else if (Valued && Option == "--designer")
      Info.Designer = QString::fromLocal8Bit(argv[++I]);
    else if (Valued && Option == "--date")
      Info.Date = QString::fromLocal8Bit(argv[++I]);
    else
      return false;
  }
  return true;
}

// The PDF and the CSV of the window's commands.
int Export(int argc, char** argv) {
  const bool Pdf = std::strcmp(argv[1], "pdf") == 0;
  TReportInfo Info{QString::fromLocal8Bit(argv[2]),
                   QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")),
                   {}};
  QPageLayout Layout = DefaultPageLayout();
  if (argc < 4 || (Pdf ? !PdfOptions(argc, argv, Info, Layout) : argc != 4)) return Usage();
  TData Data;
  OpenDocument(Data, argv[2]);
  int Argc = 1;
  TOffscreenApplication App(Argc, argv);
  const QString Out = FileNameFromNative(argv[3]);
  TellNote(Pdf ? SaveReportPdf(Data, Out, Info, Layout) : SaveResultsCsv(Data, Out));
  return 0;
}

int Render(int argc, char** argv) {
  if (argc < 5) return Usage();
  int Width = 0, Height = 0;
  char Rest = 0;
  if (std::sscanf(argv[3], "%dx%d%c", &Width, &Height, &Rest) != 2 || Width <= 0 || Height <= 0 ||
      Width > 16384 || Height > 16384)
    throw Exception(std::string("大きさは WIDTHxHEIGHT で指定してください: ") + argv[3]);
  TDiagramLayers Layers;
  for (int I = 5; I < argc; ++I) {
    if (std::strcmp(argv[I], "--extremes") == 0) {
      Layers.Extremes = true;
      continue;
    }
    if (std::strcmp(argv[I], "--hide") != 0 || I + 1 >= argc) return Usage();
    const std::string Layer = argv[++I];
    if (Layer == "K")
      Layers.Loads = false;
    else if (Layer == "S")
      Layers.Shear = false;
    else if (Layer == "M")
      Layers.Moment = false;
    else if (Layer == "D")
      Layers.Deflection = false;
    else
      return Usage();
  }
  TData Data;
  OpenDocument(Data, argv[2]);

  int Argc = 1;
  TOffscreenApplication App(Argc, argv);
  TellNote(SaveDiagramImage(Data, FileNameFromNative(argv[4]), Width, Height, Layers));
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  try {
    if (std::strcmp(argv[1], "render") == 0) return Render(argc, argv);
    if (std::strcmp(argv[1], "shot") == 0) return Shot(argv);
    if (std::strcmp(argv[1], "pdf") == 0 || std::strcmp(argv[1], "csv") == 0)
      return Export(argc, argv);
    if (argc != 3) return Usage();
    TData Data;
    if (std::strcmp(argv[1], "dump") == 0 || std::strcmp(argv[1], "results") == 0) {
      OpenDocument(Data, argv[2]);
      std::cout << (argv[1][0] == 'd' ? DocumentToJson(Data) : ResultsToJson(Data)) << '\n';
      return 0;
    }
    if (std::strcmp(argv[1], "make") == 0) {
      const std::string Json = ReadStandardInput();
      // One recalculation for the whole document, not one per field.
      Data.Update([&] { DocumentFromJson(Json, Data); });
      TellNote(Data.SaveToFile(argv[2]));
      return 0;
    }
  } catch (const std::exception& E) {
    std::cerr << E.what() << '\n';
    return 1;
  }
  return Usage();
}
