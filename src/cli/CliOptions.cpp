#include "cli/CliOptions.h"

#include <initializer_list>
#include <optional>
#include <string>

#include "base/StringUtil.h"

namespace vardeno {

namespace {
struct CommandName {
  const char* name;
  CliCommand command;
};
constexpr CommandName kCommands[] = {{"preview", CliCommand::Preview}, {"probe", CliCommand::Probe},
                                     {"info", CliCommand::Info},       {"check", CliCommand::Check},
                                     {"convert", CliCommand::Convert},
                                     {"script", CliCommand::Script},   {"help", CliCommand::Help},
                                     {"--help", CliCommand::Help},     {"-h", CliCommand::Help},
                                     {"--version", CliCommand::Version}};

bool BuildsArguments(CliCommand c) {
  return c == CliCommand::Preview || c == CliCommand::Convert || c == CliCommand::Script;
}
bool ChecksPlayer(CliCommand c) { return BuildsArguments(c) || c == CliCommand::Check; }
bool RunsJobs(CliCommand c) { return c == CliCommand::Convert || c == CliCommand::Script; }
bool UsesEncoder(CliCommand c) { return c != CliCommand::Help && c != CliCommand::Version; }

// The command's word as typed: its plain name, or its option form when it has none (--version).
const char* CommandText(CliCommand c) {
  const char* text = "";
  for (const CommandName& entry : kCommands) {
    if (entry.command != c) continue;
    if (entry.name[0] != '-') return entry.name;
    if (!*text) text = entry.name;
  }
  return text;
}

// "auto" (kJobsAuto) or a number from 1 to kMaxJobs.
std::optional<unsigned> ParseJobs(const std::string& text) {
  if (text == "auto") return kJobsAuto;
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const unsigned jobs = static_cast<unsigned>(std::stoul(text));
  if (jobs < 1 || jobs > kMaxJobs) return std::nullopt;
  return jobs;
}

// A whole number from 0 to 999999.
std::optional<long> ParseCount(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stol(text);
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  CliParseResult Parse() {
    if (args_.empty()) return Fail("no command given (try --help)");
    bool known = false;
    for (const CommandName& entry : kCommands) {
      if (args_[0] == entry.name) {
        options_.command = entry.command;
        known = true;
      }
    }
    if (!known) return Fail("unknown command \"" + args_[0] + "\" (try --help)");

    bool onlyFiles = false;
    for (pos_ = 1; pos_ < args_.size(); ++pos_) {
      const std::string& arg = args_[pos_];
      if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
        positional_.push_back(arg);
      } else if (arg == "--") {
        onlyFiles = true;
      } else if (arg == "--help" || arg == "-h") {
        options_.command = CliCommand::Help;
        return Done();
      } else if (arg == "--strict") {
        if (options_.command != CliCommand::Convert) return Fail("option --strict does not apply to the command " +
                                                                 std::string(CommandText(options_.command)));
        options_.strict = true;
      } else if (arg == "--version") {
        options_.command = CliCommand::Version;
        return Done();
      } else if (!Option(arg)) {
        return Fail(error_);
      }
    }
    return Positionals();
  }

 private:
  // The message quotes arguments as given; their control characters are shown escaped, so the
  // message stays one line and a terminal never takes an argument's bytes as its own commands.
  CliParseResult Fail(const std::string& message) {
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : message) {
      const unsigned char byte = static_cast<unsigned char>(c);
      if (byte >= 0x20 && byte != 0x7f) shown += c;
      else shown.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
    }
    return {std::nullopt, shown};
  }
  CliParseResult Done() { return {options_, ""}; }

  // Reads the value of the option at pos_ (either "--name=value" or "--name value").
  std::optional<std::string> Value(const std::string& arg, std::string& name) {
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) {
      name = arg.substr(0, eq);
      return arg.substr(eq + 1);
    }
    name = arg;
    if (pos_ + 1 >= args_.size()) return std::nullopt;
    return args_[++pos_];
  }

  bool Reject(std::string message) {
    error_ = std::move(message);
    return false;
  }

  bool Applies(const std::string& name, bool applies) {
    if (applies) return true;
    return Reject("option " + name + " does not apply to the command " + CommandText(options_.command));
  }

  bool Option(const std::string& arg) {
    std::string name;
    std::optional<std::string> value;
    if (arg.size() > 2 && arg.compare(0, 2, "-j") == 0) {
      // "-j4" is "-j 4", as make takes it.
      name = "-j";
      value = arg.substr(2);
    } else {
      value = Value(arg, name);
    }
    static const std::initializer_list<const char*> kKnown = {
        "--profile", "--set", "--encoder", "--generation", "--lang", "--out-dir", "--if-exists", "--log", "--list",
        "--format", "--jobs", "-j", "--stall-minutes", "--stall-seconds", "--player"};
    bool known = false;
    for (const char* option : kKnown) known = known || name == option;
    if (!known) return Reject("unknown option \"" + name + "\" (try --help)");
    if (!value) return Reject("option " + name + " needs a value");
    const CliCommand c = options_.command;

    if (name == "--profile") {
      if (!Applies(name, BuildsArguments(c))) return false;
      options_.profile = *value;
    } else if (name == "--set") {
      if (!Applies(name, BuildsArguments(c))) return false;
      const size_t eq = value->find('=');
      if (eq == std::string::npos || eq == 0) return Reject("--set needs Key=Value, not \"" + *value + "\"");
      options_.sets.emplace_back(value->substr(0, eq), value->substr(eq + 1));
    } else if (name == "--encoder") {
      if (!Applies(name, UsesEncoder(c))) return false;
      if (value->empty()) return Reject("--encoder needs a path");
      options_.encoder = *value;
    } else if (name == "--generation") {
      if (!Applies(name, UsesEncoder(c))) return false;
      if (*value == "auto") options_.generation = GenerationChoice::Auto;
      else if (*value == "classic") options_.generation = GenerationChoice::Classic;
      else if (*value == "modern") options_.generation = GenerationChoice::Modern;
      else return Reject("--generation must be auto, classic or modern, not \"" + *value + "\"");
    } else if (name == "--lang") {
      if (*value == "en") options_.lang = UiLanguage::English;
      else if (*value == "pl") options_.lang = UiLanguage::Polish;
      else return Reject("--lang must be en or pl, not \"" + *value + "\"");
    } else if (name == "--player") {
      if (!Applies(name, ChecksPlayer(c))) return false;
      options_.player = ParsePlayerKey(*value);
      if (!options_.player) return Reject("--player must be zune30, zune, zunehd or none, not \"" + *value + "\"");
    } else if (name == "--out-dir") {
      if (!Applies(name, RunsJobs(c))) return false;
      if (value->empty()) return Reject("--out-dir needs a folder");
      options_.outDir = *value;
    } else if (name == "--if-exists") {
      if (!Applies(name, RunsJobs(c))) return false;
      if (*value == "rename") options_.outputExistsPolicy = 0;
      else if (*value == "overwrite") options_.outputExistsPolicy = 1;
      else if (*value == "skip") options_.outputExistsPolicy = 2;
      else return Reject("--if-exists must be rename, overwrite or skip, not \"" + *value + "\"");
    } else if (name == "--log") {
      if (!Applies(name, c == CliCommand::Convert)) return false;
      if (value->empty()) return Reject("--log needs a file name");
      options_.logFile = *value;
    } else if (name == "--jobs" || name == "-j") {
      if (!Applies(name, c == CliCommand::Convert)) return false;
      const std::optional<unsigned> jobs = ParseJobs(*value);
      if (!jobs)
        return Reject(name + " must be auto or a number from 1 to " + std::to_string(kMaxJobs) + ", not \"" + *value +
                      "\"");
      options_.jobs = *jobs;
    } else if (name == "--stall-minutes" || name == "--stall-seconds") {
      if (!Applies(name, c == CliCommand::Convert)) return false;
      const std::optional<long> count = ParseCount(*value);
      if (!count) return Reject(name + " must be a whole number, not \"" + *value + "\"");
      options_.stallSeconds = name == "--stall-minutes" ? *count * 60 : *count;
    } else if (name == "--list") {
      if (!Applies(name, RunsJobs(c))) return false;
      options_.listFile = *value;
    } else if (name == "--format") {
      if (!Applies(name, c == CliCommand::Script)) return false;
      if (*value == "sh") options_.batchScript = false;
      else if (*value == "bat") options_.batchScript = true;
      else return Reject("--format must be sh or bat, not \"" + *value + "\"");
    }
    return true;
  }

  CliParseResult Positionals() {
    switch (options_.command) {
      case CliCommand::Help:
      case CliCommand::Version:
      case CliCommand::Preview:
        if (!positional_.empty()) return Fail("unexpected argument \"" + positional_[0] + "\"");
        break;
      case CliCommand::Probe:
      case CliCommand::Info:
        if (positional_.empty()) return Fail(std::string(CommandText(options_.command)) + " needs a FILE");
        if (positional_.size() > 1) return Fail("unexpected argument \"" + positional_[1] + "\"");
        options_.files = positional_;
        break;
      case CliCommand::Check:
        if (positional_.empty()) return Fail("check needs a FILE");
        options_.files = positional_;
        break;
      case CliCommand::Script:
        if (positional_.empty()) return Fail("script needs OUTFILE and the files to convert");
        options_.scriptFile = positional_[0];
        options_.files.assign(positional_.begin() + 1, positional_.end());
        [[fallthrough]];
      case CliCommand::Convert:
        if (options_.command == CliCommand::Convert) options_.files = positional_;
        if (options_.files.empty() && !options_.listFile) return Fail("no files to convert");
        break;
    }
    return Done();
  }

  const std::vector<std::string>& args_;
  size_t pos_ = 0;
  CliOptions options_;
  std::vector<std::string> positional_;
  std::string error_;
};
}  // namespace

CliParseResult ParseCliArguments(const std::vector<std::string>& args) { return Parser(args).Parse(); }

std::string CliHelpText() {
  return R"(Usage: vardeno-cli COMMAND [OPTIONS] [FILES...]
Converts video and audio files for Zune players with FFmpeg.

Commands:
  preview                  print the encoder arguments the settings give
  probe FILE               print what the encoder reports about FILE, field by field
  info FILE                print the file information text of FILE
  check FILES...           tell for each file whether the player plays it as it is: "plays", or
                           "does not play on PLAYER:" and each reason (what the Zune software
                           would convert at sync, slowly, does not play)
  convert FILES...         convert the files (or those of --list), one after another unless --jobs
  script OUTFILE FILES...  write a script that converts the files instead of converting
  --help                   print this help
  --version                print the version

Settings (preview, convert, script; applied in this order):
  --profile FILE.ini       load an encoder profile over the default settings
  --set Key=Value          set one setting as a profile stores it (repeatable), e.g. OutputFormat=8
                           Subtitles=1 burns in a subtitle file beside each video: NAME.srt, .ass,
                           .ssa, .vtt (this order, extension in any case), else the first
                           NAME.<language>.srt by name; Subtitles=2 the video's own track
                           (SubtitleTrack=N, 0 the first); Subtitles=0 none. A modern ffmpeg
                           with libass is needed; a file without them is converted without them (a
                           note in the error log)
Encoder:
  --encoder PATH           the ffmpeg program (default: beside vardeno-cli, else on PATH)
  --generation G           auto, classic or modern encoder arguments (default auto: detected)
  --lang L                 en or pl texts (default: the locale's language)
Player (preview, check, convert, script):
  --player P               zune30, zune (Zune 4, 8, 16, 80, 120), zunehd or none (no checks);
                           default the settings' Player, else zune. convert prints on stderr, before
                           the first file, what in the settings the player does not take, and
                           checks every output: one it does not play keeps its file and gets the
                           status "OK - Not for PLAYER" and an error log entry
  --strict                 convert: such an output counts as a failed file (exit status 1)
Conversion (convert, script):
  --list FILE.lst          convert the files of a list file
  --out-dir DIR            write the outputs into DIR (default: beside each input)
  --if-exists P            rename, overwrite or skip an existing output (default rename)
  --log FILE               convert: save the error log to FILE (default: print it to stderr)
  -j, --jobs N             convert: convert up to N files at once (1 to 256), or auto: as many
                           as the processor cores vardeno-cli may use (default 1: one after another)
  --stall-minutes N        convert: end an encoder that prints nothing for N minutes; its file
                           fails and the run goes on (0: never; default the settings' StallMinutes, 10)
  --stall-seconds N        the same in seconds (for tests)
  --format F               script: sh or bat (default sh)

Exit status: 0 done, 1 a file failed, 2 usage error, 3 refused settings, 4 no encoder, 130 aborted;
check: 0 every file plays, 1 one does not (or cannot be read), 2 usage error, 4 no encoder.
)";
}

}  // namespace vardeno
