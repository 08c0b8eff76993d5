// The command line: options, the end of options, file names, refusals.
#include "mainwindow/CommandLine.h"
#include "platform/FileNames.h"

#include <gtest/gtest.h>

namespace {

TCommandLine Parse(const QStringList& Arguments) {
  return ParseCommandLine(QStringList{QStringLiteral("vantrel")} + Arguments);
}

TEST(CommandLineTest, OptionsDecideInOrderAndDoubleDashEndsThem) {
  const struct {
    QStringList Arguments;
    TStartKind Kind;
    QString FileName;
  } Cases[] = {
      {{}, skWindow, {}},
      {{"beam.vbd"}, skWindow, "beam.vbd"},
      {{"-"}, skWindow, "-"},
      {{"--", "--help"}, skWindow, "--help"},
      {{"beam.vbd", "--version"}, skVersion, {}},
      {{"--help", "--bogus"}, skHelp, {}},
      {{"--bogus", "--help"}, skRefuse, {}},
      {{"a.vbd", "--", "b.vbd"}, skRefuse, {}},
  };
  for (const auto& Case : Cases) {
    const TCommandLine Command = Parse(Case.Arguments);
    const std::string Trace = Case.Arguments.join(' ').toStdString();
    EXPECT_EQ(Command.Kind, Case.Kind) << Trace;
    EXPECT_EQ(Command.FileName, Case.FileName) << Trace;
    EXPECT_EQ(Command.Error.isEmpty(), Case.Kind != skRefuse) << Trace;
  }
  EXPECT_TRUE(Parse({"a", "b"}).Error.endsWith(": b"));
  EXPECT_TRUE(Parse({"-x"}).Error.endsWith(": -x"));
}

TEST(CommandLineTest, AFileNameThatIsNoUtf8KeepsItsBytes) {
  char Program[] = "vantrel", Name[] = "beam\xFF\xFE.vbd";
  char* Arguments[] = {Program, Name};
  const TCommandLine Command = ParseCommandLine(ArgumentList(2, Arguments));
  EXPECT_EQ(NativeFileName(Command.FileName), Name);
}

} // namespace
