// A stand-in for ffmpeg made of a shell script and the fake encoder, for runs that convert many
// files quickly with chosen outcomes. Each input file says what its conversion does: its first
// line is the output mode ("write": the output gets "encoded <input>", "empty": an empty output,
// anything else: none), its second line the fake encoder's steps (see support/fake_encoder.cpp),
// run as the encoder process itself. Every other call (the probe's "-i FILE", "-version",
// "-encoders") exits 1 without a word, which a run takes as an unknown file and a modern encoder.
#pragma once

#include <sys/stat.h>

#include <string>

#include "support/TempDir.h"

namespace vardeno {

// Writes the script into dir and returns its path. otherCalls is the shell command that answers
// every call but a conversion.
inline std::string WriteFakeFfmpeg(const TempDir& dir, const std::string& otherCalls = "exit 1") {
  const std::string path = dir.Write("fake-ffmpeg",
                                     "#!/bin/sh\n"
                                     "set -f\n"
                                     "[ \"$1\" = \"-y\" ] || { " + otherCalls + "; }\n"
                                     "in=$3\n"
                                     "for out; do :; done\n"
                                     "{ IFS= read -r mode; IFS= read -r steps; } < \"$in\"\n"
                                     "case \"$mode\" in\n"
                                     "  write) printf 'encoded %s' \"$in\" > \"$out\" ;;\n"
                                     "  empty) : > \"$out\" ;;\n"
                                     "esac\n"
                                     "exec '" VARDENO_FAKE_ENCODER_PATH "' $steps\n");
  chmod(path.c_str(), 0755);
  return path;
}

// The content of an input file for the fake: the output mode, then the encoder's steps.
inline std::string FakeInput(const std::string& mode, const std::string& steps) { return mode + "\n" + steps + "\n"; }

}  // namespace vardeno
