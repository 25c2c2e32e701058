#include "conversion/ConversionScript.h"

#include "platform/BatchText.h"
#include "platform/FileIo.h"

namespace vardeno {

namespace {
// Quotes an argument the way the Windows C runtime splits a command line back into arguments.
std::string QuoteForArgumentParser(const std::string& text) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

// Escapes what cmd acts on: "%" everywhere (it expands variables even inside quotes) and the
// operators outside cmd's own quoting, which toggles at every double quote.
std::string EscapeForCmd(const std::string& text) {
  std::string escaped;
  bool inQuotes = false;
  for (char c : text) {
    if (c == '"') inQuotes = !inQuotes;
    if (c == '%') {
      escaped += "%%";
      continue;
    }
    if (!inQuotes && (c == '&' || c == '|' || c == '<' || c == '>' || c == '^' || c == '(' || c == ')'))
      escaped += '^';
    escaped += c;
  }
  return escaped;
}
}  // namespace

std::string BatchQuote(const std::string& text) { return EscapeForCmd(QuoteForArgumentParser(text)); }

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

ConversionScript::ConversionScript(ScriptFormat format, const std::string& encoderPath,
                                   const ArgumentPieces& pieces, const std::vector<std::string>& additionalArgs)
    : format_(format) {
  if (format_ == ScriptFormat::WindowsBatch) {
    lines_ = {"@echo off",
              "set ffmpeg=" + BatchQuote(BatchPath(encoderPath)),
              "set VCodec=" + pieces.videoCodec,
              "set VParams=" + pieces.videoParams,
              "set ACodec=" + pieces.audioCodec,
              "set AParams=" + pieces.audioParams,
              "set AdvParams=" + pieces.advanced,
              "set AddParams=" + pieces.additional};
    return;
  }
  // The encoder reads no input (else it would take the keys meant for the last line's prompt).
  // The pieces are expanded unquoted, so they split on blanks; globbing is switched off so that
  // nothing in them can match file names. The additional arguments keep their exact boundaries
  // as the positional parameters.
  std::string additional = "set --";
  for (const std::string& arg : additionalArgs) additional += " " + ShellQuote(arg);
  lines_ = {"#!/bin/sh",
            "set -f",
            "IFS=' '",
            "ffmpeg=" + ShellQuote(encoderPath),
            "VCodec=" + ShellQuote(pieces.videoCodec),
            "VParams=" + ShellQuote(pieces.videoParams),
            "ACodec=" + ShellQuote(pieces.audioCodec),
            "AParams=" + ShellQuote(pieces.audioParams),
            "AdvParams=" + ShellQuote(pieces.advanced),
            additional};
}

void ConversionScript::AddConversion(const std::string& inputPath, const std::string& outputPath,
                                     const PictureFilter& picture) {
  if (format_ == ScriptFormat::WindowsBatch) {
    const std::string filter = picture.option.empty() ? "" : " " + picture.option + " " + BatchQuote(picture.graph);
    lines_.push_back("%ffmpeg% -y -i " + BatchQuote(BatchPath(inputPath)) +
                     " %VCodec% %VParams% %ACodec% %AParams% %AdvParams%" + filter + " %AddParams% " +
                     BatchQuote(BatchPath(outputPath)));
  } else {
    const std::string filter = picture.option.empty() ? "" : " " + picture.option + " " + ShellQuote(picture.graph);
    lines_.push_back("\"$ffmpeg\" -y -i " + ShellQuote(inputPath) + " $VCodec $VParams $ACodec $AParams $AdvParams" +
                     filter + " \"$@\" " + ShellQuote(outputPath) + " </dev/null");
  }
}

void ConversionScript::Finish() {
  if (format_ == ScriptFormat::WindowsBatch) {
    lines_.push_back("pause");
  } else {
    lines_.push_back("printf 'Press Enter to continue . . . '; read -r _ || true");
  }
}

std::string ConversionScript::Text() const {
  const char* lineEnd = format_ == ScriptFormat::WindowsBatch ? "\r\n" : "\n";
  std::string text;
  for (const std::string& line : lines_) text += line + lineEnd;
  return text;
}

std::string ConversionScript::BatchPath(const std::string& path) {
  std::optional<std::string> holdable = BatchFilePath(path);
  if (holdable) return *holdable;
  if (unwritablePath_.empty()) unwritablePath_ = path;
  return path;
}

void ConversionScript::Save(const std::string& path) const {
  if (format_ == ScriptFormat::PosixShell) {
    WriteFileAtomically(path, Text(), true);
    return;
  }
  if (!unwritablePath_.empty()) throw BatchTextError(unwritablePath_);
  std::string bytes;
  for (const std::string& line : lines_) {
    const std::optional<std::string> lineBytes = BatchFileBytes(line);
    if (!lineBytes) throw BatchTextError(line);  // a character in a piece of the settings
    bytes += *lineBytes + "\r\n";
  }
  WriteFileAtomically(path, bytes);
}

}  // namespace vardeno
