// The command line of vardeno-cli: commands, options in both spellings, values, and the one-line
// errors of every kind of bad input.
#include <gtest/gtest.h>

#include "cli/CliOptions.h"

namespace vardeno {

namespace {
CliOptions Parsed(const std::vector<std::string>& args) {
  const CliParseResult result = ParseCliArguments(args);
  EXPECT_TRUE(result.options.has_value()) << "refused with: " << result.error;
  EXPECT_EQ(result.error, "");
  return result.options.value_or(CliOptions{});
}

std::string ErrorOf(const std::vector<std::string>& args) {
  const CliParseResult result = ParseCliArguments(args);
  EXPECT_FALSE(result.options.has_value());
  return result.error;
}

using Sets = std::vector<std::pair<std::string, std::string>>;
using Files = std::vector<std::string>;
}  // namespace

TEST(CliOptions, EveryCommandIsRecognisedWithItsPositionals) {
  EXPECT_EQ(Parsed({"preview"}).command, CliCommand::Preview);
  EXPECT_EQ(Parsed({"help"}).command, CliCommand::Help);
  EXPECT_EQ(Parsed({"--help"}).command, CliCommand::Help);
  EXPECT_EQ(Parsed({"-h"}).command, CliCommand::Help);
  EXPECT_EQ(Parsed({"--version"}).command, CliCommand::Version);

  const CliOptions probe = Parsed({"probe", "a b.mp4"});
  EXPECT_EQ(probe.command, CliCommand::Probe);
  EXPECT_EQ(probe.files, Files{"a b.mp4"});
  const CliOptions info = Parsed({"info", "clip.avi"});
  EXPECT_EQ(info.command, CliCommand::Info);
  EXPECT_EQ(info.files, Files{"clip.avi"});

  const CliOptions convert = Parsed({"convert", "one.mp4", "two.avi", "three.mp3"});
  EXPECT_EQ(convert.command, CliCommand::Convert);
  EXPECT_EQ(convert.files, (Files{"one.mp4", "two.avi", "three.mp3"}));
  EXPECT_EQ(convert.scriptFile, "");

  const CliOptions script = Parsed({"script", "out.sh", "one.mp4", "two.avi"});
  EXPECT_EQ(script.command, CliCommand::Script);
  EXPECT_EQ(script.scriptFile, "out.sh");
  EXPECT_EQ(script.files, (Files{"one.mp4", "two.avi"}));
  EXPECT_FALSE(script.batchScript);
}

TEST(CliOptions, DefaultsWhenNoOptionIsGiven) {
  const CliOptions o = Parsed({"convert", "a.mp4"});
  EXPECT_FALSE(o.profile.has_value());
  EXPECT_TRUE(o.sets.empty());
  EXPECT_FALSE(o.encoder.has_value());
  EXPECT_EQ(o.generation, GenerationChoice::Auto);
  EXPECT_FALSE(o.lang.has_value());
  EXPECT_FALSE(o.outDir.has_value());
  EXPECT_EQ(o.outputExistsPolicy, 0);
  EXPECT_FALSE(o.logFile.has_value());
  EXPECT_FALSE(o.listFile.has_value());
}

TEST(CliOptions, EveryOptionTakesItsValueInBothSpellings) {
  for (const bool joined : {false, true}) {
    SCOPED_TRACE(joined ? "--opt=value" : "--opt value");
    std::vector<std::string> args = {"convert"};
    auto add = [&](const std::string& name, const std::string& value) {
      if (joined) {
        args.push_back(name + "=" + value);
      } else {
        args.push_back(name);
        args.push_back(value);
      }
    };
    add("--profile", "my profile.ini");
    add("--set", "Volume=450");
    add("--set", "AdditionalParams=-metadata title=a=b");
    add("--encoder", "/opt/ff mpeg");
    add("--generation", "classic");
    add("--lang", "pl");
    add("--out-dir", "out dir");
    add("--if-exists", "skip");
    add("--log", "errors.log");
    add("--list", "files.lst");
    args.push_back("clip.mp4");

    const CliOptions o = Parsed(args);
    EXPECT_EQ(o.profile, "my profile.ini");
    // Only the first "=" of a --set separates the key; the value keeps the others.
    EXPECT_EQ(o.sets, (Sets{{"Volume", "450"}, {"AdditionalParams", "-metadata title=a=b"}}));
    EXPECT_EQ(o.encoder, "/opt/ff mpeg");
    EXPECT_EQ(o.generation, GenerationChoice::Classic);
    EXPECT_EQ(o.lang, UiLanguage::Polish);
    EXPECT_EQ(o.outDir, "out dir");
    EXPECT_EQ(o.outputExistsPolicy, 2);
    EXPECT_EQ(o.logFile, "errors.log");
    EXPECT_EQ(o.listFile, "files.lst");
    EXPECT_EQ(o.files, Files{"clip.mp4"});
  }
  EXPECT_TRUE(Parsed({"script", "--format=bat", "s.bat", "a.mp4"}).batchScript);
  EXPECT_TRUE(Parsed({"script", "s.bat", "--format", "bat", "a.mp4"}).batchScript);
  EXPECT_FALSE(Parsed({"script", "--format", "bat", "--format", "sh", "s.sh", "a.mp4"}).batchScript);
}

TEST(CliOptions, ChoiceValues) {
  EXPECT_EQ(Parsed({"preview", "--generation", "auto"}).generation, GenerationChoice::Auto);
  EXPECT_EQ(Parsed({"preview", "--generation", "classic"}).generation, GenerationChoice::Classic);
  EXPECT_EQ(Parsed({"preview", "--generation", "modern"}).generation, GenerationChoice::Modern);
  EXPECT_EQ(Parsed({"preview", "--lang", "en"}).lang, UiLanguage::English);
  EXPECT_EQ(Parsed({"preview", "--lang", "pl"}).lang, UiLanguage::Polish);
  EXPECT_EQ(Parsed({"convert", "--if-exists", "rename", "a.mp4"}).outputExistsPolicy, 0);
  EXPECT_EQ(Parsed({"convert", "--if-exists", "overwrite", "a.mp4"}).outputExistsPolicy, 1);
  EXPECT_EQ(Parsed({"convert", "--if-exists", "skip", "a.mp4"}).outputExistsPolicy, 2);

  EXPECT_EQ(ErrorOf({"preview", "--generation", "new"}), "--generation must be auto, classic or modern, not \"new\"");
  EXPECT_EQ(ErrorOf({"preview", "--lang=de"}), "--lang must be en or pl, not \"de\"");
  EXPECT_EQ(ErrorOf({"preview", "--lang", "PL"}), "--lang must be en or pl, not \"PL\"");
  EXPECT_EQ(ErrorOf({"convert", "--if-exists", "keep", "a.mp4"}),
            "--if-exists must be rename, overwrite or skip, not \"keep\"");
  EXPECT_EQ(ErrorOf({"script", "--format", "cmd", "s", "a.mp4"}), "--format must be sh or bat, not \"cmd\"");
  EXPECT_EQ(ErrorOf({"convert", "--encoder=", "a.mp4"}), "--encoder needs a path");
  EXPECT_EQ(ErrorOf({"convert", "--out-dir=", "a.mp4"}), "--out-dir needs a folder");
  EXPECT_EQ(ErrorOf({"convert", "--log", "", "a.mp4"}), "--log needs a file name");
}

TEST(CliOptions, SetsKeepTheirOrderAndNeedKeyEqualsValue) {
  const CliOptions o = Parsed({"preview", "--set", "volume=10", "--set=VOLUME=20", "--set", "AdditionalParams="});
  EXPECT_EQ(o.sets, (Sets{{"volume", "10"}, {"VOLUME", "20"}, {"AdditionalParams", ""}}));

  EXPECT_EQ(ErrorOf({"preview", "--set", "Volume"}), "--set needs Key=Value, not \"Volume\"");
  EXPECT_EQ(ErrorOf({"preview", "--set", "=450"}), "--set needs Key=Value, not \"=450\"");
  EXPECT_EQ(ErrorOf({"preview", "--set="}), "--set needs Key=Value, not \"\"");
}

TEST(CliOptions, OptionsMayStandBeforeAndBetweenTheFiles) {
  const CliOptions o = Parsed({"convert", "a.mp4", "--out-dir", "o", "b.mp4", "--lang=en", "c.mp4"});
  EXPECT_EQ(o.files, (Files{"a.mp4", "b.mp4", "c.mp4"}));
  EXPECT_EQ(o.outDir, "o");
  EXPECT_EQ(o.lang, UiLanguage::English);
}

TEST(CliOptions, DoubleDashEndsTheOptions) {
  const CliOptions o = Parsed({"convert", "--out-dir", "o", "--", "--log", "-x.mp4", "--", "-"});
  EXPECT_EQ(o.files, (Files{"--log", "-x.mp4", "--", "-"}));
  EXPECT_FALSE(o.logFile.has_value());
  EXPECT_EQ(Parsed({"probe", "--", "--help"}).files, Files{"--help"});
  EXPECT_EQ(Parsed({"probe", "--", "--help"}).command, CliCommand::Probe);
  // A lone "-" is a file name, not an option.
  EXPECT_EQ(Parsed({"info", "-"}).files, Files{"-"});
}

TEST(CliOptions, HelpAndVersionAnywhereWin) {
  EXPECT_EQ(Parsed({"convert", "--help"}).command, CliCommand::Help);
  EXPECT_EQ(Parsed({"probe", "-h"}).command, CliCommand::Help);
  EXPECT_EQ(Parsed({"preview", "--version"}).command, CliCommand::Version);
  // Nothing after them is read, not even a wrong option.
  EXPECT_EQ(Parsed({"preview", "--help", "--bogus"}).command, CliCommand::Help);
}

TEST(CliOptions, MissingValues) {
  for (const char* name : {"--profile", "--set", "--encoder", "--generation", "--lang"})
    EXPECT_EQ(ErrorOf({"preview", name}), std::string("option ") + name + " needs a value");
  for (const char* name : {"--out-dir", "--if-exists", "--list"})
    EXPECT_EQ(ErrorOf({"convert", "a.mp4", name}), std::string("option ") + name + " needs a value");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--log"}), "option --log needs a value");
  EXPECT_EQ(ErrorOf({"script", "s.sh", "a.mp4", "--format"}), "option --format needs a value");
}

TEST(CliOptions, UnknownCommandsAndOptions) {
  EXPECT_EQ(ErrorOf({}), "no command given (try --help)");
  EXPECT_EQ(ErrorOf({"conv"}), "unknown command \"conv\" (try --help)");
  EXPECT_EQ(ErrorOf({"Preview"}), "unknown command \"Preview\" (try --help)");
  EXPECT_EQ(ErrorOf({"a.mp4"}), "unknown command \"a.mp4\" (try --help)");
  EXPECT_EQ(ErrorOf({"--out-dir", "x", "convert"}), "unknown command \"--out-dir\" (try --help)");
  EXPECT_EQ(ErrorOf({"convert", "--bogus", "a.mp4"}), "unknown option \"--bogus\" (try --help)");
  EXPECT_EQ(ErrorOf({"convert", "--bogus=1", "a.mp4"}), "unknown option \"--bogus\" (try --help)");
  EXPECT_EQ(ErrorOf({"convert", "-o", "x", "a.mp4"}), "unknown option \"-o\" (try --help)");
  EXPECT_EQ(ErrorOf({"convert", "--outdir", "x", "a.mp4"}), "unknown option \"--outdir\" (try --help)");
  // Control characters of an argument are shown escaped: the message stays one line, and no
  // terminal takes them as commands.
  EXPECT_EQ(ErrorOf({"convert", "--bad\n\x1b[2J\x7f", "a.mp4"}),
            "unknown option \"--bad\\x0a\\x1b[2J\\x7f\" (try --help)");
  EXPECT_EQ(ErrorOf({"conv\r"}), "unknown command \"conv\\x0d\" (try --help)");
}

TEST(CliOptions, OptionsThatDoNotApplyToTheCommand) {
  auto notFor = [](const std::string& option, const std::string& command) {
    return "option " + option + " does not apply to the command " + command;
  };
  EXPECT_EQ(ErrorOf({"probe", "a.mp4", "--profile", "p.ini"}), notFor("--profile", "probe"));
  EXPECT_EQ(ErrorOf({"info", "a.mp4", "--set", "Volume=1"}), notFor("--set", "info"));
  EXPECT_EQ(ErrorOf({"preview", "--out-dir", "o"}), notFor("--out-dir", "preview"));
  EXPECT_EQ(ErrorOf({"preview", "--if-exists=skip"}), notFor("--if-exists", "preview"));
  EXPECT_EQ(ErrorOf({"probe", "a.mp4", "--list", "l.lst"}), notFor("--list", "probe"));
  EXPECT_EQ(ErrorOf({"script", "s.sh", "a.mp4", "--log", "e.log"}), notFor("--log", "script"));
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--format", "bat"}), notFor("--format", "convert"));
  EXPECT_EQ(ErrorOf({"preview", "--format", "sh"}), notFor("--format", "preview"));
  EXPECT_EQ(ErrorOf({"help", "--encoder", "x"}), notFor("--encoder", "help"));
  EXPECT_EQ(ErrorOf({"--version", "--generation=modern"}), notFor("--generation", "--version"));

  // What does apply: the encoder choices and the language for every working command, the
  // settings for the commands that build arguments.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"probe", "a.mp4"}, {"info", "a.mp4"}, {"preview"}, {"convert", "a.mp4"},
        {"script", "s.sh", "a.mp4"}}) {
    std::vector<std::string> with = args;
    for (const char* a : {"--encoder", "/x/ffmpeg", "--generation", "modern", "--lang", "pl"}) with.push_back(a);
    const CliOptions o = Parsed(with);
    EXPECT_EQ(o.encoder, "/x/ffmpeg");
    EXPECT_EQ(o.generation, GenerationChoice::Modern);
    EXPECT_EQ(o.lang, UiLanguage::Polish);
  }
  EXPECT_EQ(Parsed({"script", "s.sh", "--out-dir", "o", "--if-exists", "overwrite", "--list", "l.lst"}).outDir, "o");
}

TEST(CliOptions, PositionalCounts) {
  EXPECT_EQ(ErrorOf({"preview", "a.mp4"}), "unexpected argument \"a.mp4\"");
  EXPECT_EQ(ErrorOf({"help", "convert"}), "unexpected argument \"convert\"");
  EXPECT_EQ(ErrorOf({"--version", "x"}), "unexpected argument \"x\"");
  EXPECT_EQ(ErrorOf({"probe"}), "probe needs a FILE");
  EXPECT_EQ(ErrorOf({"info"}), "info needs a FILE");
  EXPECT_EQ(Parsed({"info", "--", "--"}).files, Files{"--"});  // "--" after "--" is a file name
  EXPECT_EQ(ErrorOf({"probe", "a.mp4", "b.mp4"}), "unexpected argument \"b.mp4\"");
  EXPECT_EQ(ErrorOf({"convert"}), "no files to convert");
  EXPECT_EQ(ErrorOf({"convert", "--out-dir", "o"}), "no files to convert");
  EXPECT_EQ(ErrorOf({"script"}), "script needs OUTFILE and the files to convert");
  EXPECT_EQ(ErrorOf({"script", "s.sh"}), "no files to convert");

  // A list file stands for the files.
  const CliOptions convert = Parsed({"convert", "--list", "l.lst"});
  EXPECT_TRUE(convert.files.empty());
  EXPECT_EQ(convert.listFile, "l.lst");
  const CliOptions script = Parsed({"script", "s.bat", "--list=l.lst"});
  EXPECT_EQ(script.scriptFile, "s.bat");
  EXPECT_TRUE(script.files.empty());
  // Both together.
  EXPECT_EQ(Parsed({"convert", "--list", "l.lst", "x.mp4"}).files, Files{"x.mp4"});
}

TEST(CliOptions, HelpTextNamesEveryCommandAndOption) {
  const std::string help = CliHelpText();
  for (const char* word : {"preview", "probe FILE", "info FILE", "convert FILES...", "script OUTFILE FILES...",
                           "--help", "--version", "--profile", "--set Key=Value", "--encoder", "--generation",
                           "--lang", "--list", "--out-dir", "--if-exists", "--log", "--format", "130"})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST(CliOptions, JobsTakesANumberOrAutoInEverySpelling) {
  EXPECT_EQ(Parsed({"convert", "a.mp4"}).jobs, 1u);
  EXPECT_EQ(Parsed({"convert", "a.mp4", "--jobs", "4"}).jobs, 4u);
  EXPECT_EQ(Parsed({"convert", "a.mp4", "--jobs=256"}).jobs, 256u);
  EXPECT_EQ(Parsed({"convert", "-j", "3", "a.mp4"}).jobs, 3u);
  EXPECT_EQ(Parsed({"convert", "-j2", "a.mp4"}).jobs, 2u);
  EXPECT_EQ(Parsed({"convert", "a.mp4", "--jobs", "auto"}).jobs, kJobsAuto);
  EXPECT_EQ(Parsed({"convert", "a.mp4", "-j", "4", "--jobs", "1"}).jobs, 1u);  // the last one counts

  const std::string range = " must be auto or a number from 1 to 256, not ";
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--jobs", "0"}), "--jobs" + range + "\"0\"");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "-j", "257"}), "-j" + range + "\"257\"");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "-j-1"}), "-j" + range + "\"-1\"");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--jobs", "two"}), "--jobs" + range + "\"two\"");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--jobs", ""}), "--jobs" + range + "\"\"");
  EXPECT_EQ(ErrorOf({"convert", "a.mp4", "--jobs"}), "option --jobs needs a value");
  EXPECT_EQ(ErrorOf({"script", "s.sh", "a.mp4", "-j", "2"}), "option -j does not apply to the command script");
  EXPECT_NE(CliHelpText().find("-j, --jobs N"), std::string::npos);
}

TEST(CliOptions, PlayerStrictAndCheck) {
  const CliOptions check = Parsed({"check", "--player", "zune30", "a.mp4", "b.wmv"});
  EXPECT_EQ(check.command, CliCommand::Check);
  EXPECT_EQ(check.player, PlayerId::Zune30);
  EXPECT_EQ(check.files, (Files{"a.mp4", "b.wmv"}));
  EXPECT_FALSE(Parsed({"convert", "a.mp4"}).player.has_value());  // the settings file's, later
  EXPECT_TRUE(Parsed({"convert", "--strict", "--player=none", "a.mp4"}).strict);
  EXPECT_EQ(Parsed({"preview", "--player", "ZuneHD"}).player, PlayerId::ZuneHD);
  EXPECT_EQ(ErrorOf({"check"}), "check needs a FILE");
  EXPECT_EQ(ErrorOf({"check", "--player", "ipod", "a.mp4"}), "--player must be zune30, zune, zunehd or none, not \"ipod\"");
  EXPECT_EQ(ErrorOf({"check", "--strict", "a.mp4"}), "option --strict does not apply to the command check");
  EXPECT_EQ(ErrorOf({"probe", "--player", "zune", "a.mp4"}), "option --player does not apply to the command probe");
}

}  // namespace vardeno
