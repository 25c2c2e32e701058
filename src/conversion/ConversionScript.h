// The script a batch run writes instead of converting: header lines that name the encoder and
// the run's six argument pieces, one line per file to convert, and a last line that waits for
// the user. Two forms: the Windows batch file and the POSIX shell script used on Linux.
// In both, file names are quoted so that no character in them is run or expanded by the shell.
#pragma once

#include <string>
#include <vector>

#include "encoder/ArgumentBuilder.h"
#include "encoder/PictureChain.h"

namespace vardeno {

enum class ScriptFormat { WindowsBatch, PosixShell };

// The form this system's own shell runs: a batch file on Windows, a shell script elsewhere.
#if defined(_WIN32)
inline constexpr ScriptFormat kNativeScriptFormat = ScriptFormat::WindowsBatch;
#else
inline constexpr ScriptFormat kNativeScriptFormat = ScriptFormat::PosixShell;
#endif

class ConversionScript {
 public:
  // pieces are the run's (adapted, trimmed) pieces. additionalArgs is the additional piece split
  // into arguments as the process runner splits it; the shell form passes them one by one.
  ConversionScript(ScriptFormat format, const std::string& encoderPath, const ArgumentPieces& pieces,
                   const std::vector<std::string>& additionalArgs);

  // picture: the file's own picture filter (burned-in subtitles), one quoted argument on its line.
  void AddConversion(const std::string& inputPath, const std::string& outputPath,
                     const PictureFilter& picture = {});
  // Adds the last line, which waits for the user.
  void Finish();

  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines, each followed by CR LF (batch) or LF (shell).
  std::string Text() const;
  // Writes the file safely, replacing what was there; a shell script gets the run bit. A batch
  // file is written in the code page cmd reads (platform/BatchText.h); a path that code page
  // cannot hold is written in a form it can, and when there is none the file is not written.
  // Throws SystemError on failure, naming the path or line that cannot be written.
  void Save(const std::string& path) const;

 private:
  // The path as a batch line holds it; a path that cannot be held is kept as it is and noted.
  std::string BatchPath(const std::string& path);

  ScriptFormat format_;
  std::vector<std::string> lines_;
  std::string unwritablePath_;  // the first path a batch file cannot hold
};

// A path as one argument of a batch-file line: quoted for the program's argument parser, with
// every character that cmd would act on (outside its quotes, and "%" anywhere) escaped.
std::string BatchQuote(const std::string& text);
// A text as one single-quoted word of a POSIX shell.
std::string ShellQuote(const std::string& text);

}  // namespace vardeno
