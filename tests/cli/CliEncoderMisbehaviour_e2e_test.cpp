// Encoders that misbehave, one case each, through a whole vardeno-cli conversion: the file of
// the misbehaving encoder gets its outcome, the next file still converts, and the run ends in
// bounded time. And an output folder removed while a file converts: that file fails, the next
// one converts.
#include <chrono>
#include <thread>

#include "cli/CliTestFolder.h"
#include "cli/FakeFfmpeg.h"

namespace vardeno {

namespace {
using namespace std::chrono_literals;

struct Misbehaviour {
  const char* name;
  const char* steps;       // the fake encoder's steps for the first file
  const char* otherCalls;  // how the fake answers "-version" and the other questions
  const char* status;      // the first file's status
  std::chrono::seconds bound;
};

const Misbehaviour kCases[] = {
    // 100 MB without a line end: cut into pieces, kept in the log entry, nothing grows without end.
    {"FloodsWithoutLineEnds", "rep=10485760:0123456789 exit=1", "exit 1", "Error (1)", 120s},
    {"WritesInvalidUtf8AndNulBytes", R"(w=\xff\xfe\x00bad\xc3\r\n\x00\xe2\x82\r\n exit=3)", "exit 1", "Error (3)", 30s},
    {"ExitsBeforePrinting", "exit=7", "exit 1", "Error (7)", 30s},
    {"IsKilledByASignal", R"(w=frame=\s\s\s10\r sleep=100 raise=9)", "exit 1", "Error (137)", 30s},
    // Its helper keeps the output open for 40 s after the encoder exits: read for 5 s, no more.
    {"LeavesAChildHoldingItsOutput", R"(w=done\r\n hold=40000 exit=0)", "exit 1", "Done", 25s},
    // "-version" never answers: asked for 5 s, then the run goes on as with a modern encoder.
    {"NeverAnswersVersion", "exit=0", "[ \"$1\" = -version ] && exec sleep 60; exit 1", "Done", 30s},
};

class EncoderMisbehaviour : public CliTest, public ::testing::WithParamInterface<Misbehaviour> {};
}  // namespace

TEST_P(EncoderMisbehaviour, FailsOnlyItsOwnFileAndTheRunEndsInTime) {
  const Misbehaviour& c = GetParam();
  const std::string fake = WriteFakeFfmpeg(dir_, c.otherCalls);
  dir_.Write("bad.avi", FakeInput("empty", c.steps));
  dir_.Write("good.avi", FakeInput("write", R"(w=ok\r\n)"));
  const auto start = std::chrono::steady_clock::now();
  CliProcess cli({"convert", "bad.avi", "good.avi", "--encoder", fake, "--out-dir", dir_ / "out", "--log", "run.log",
                  "--player", "none"},
                 WithConfig({}), dir_.Path().string());
  ASSERT_TRUE(cli.Started());
  const CliResult r = cli.Finish(c.bound);
  EXPECT_LT(std::chrono::steady_clock::now() - start, c.bound);
  const bool failed = std::string(c.status) != "Done";
  EXPECT_EQ(r.exitCode, failed ? 1 : 0) << r.err;
  EXPECT_EQ(LfLines(r.out), (std::vector<std::string>{std::string(c.status) + "\t" + (dir_ / "out/bad.mp4"),
                                                      "Done\t" + (dir_ / "out/good.mp4")}));
  EXPECT_EQ(ReadWholeFile(dir_ / "out/good.mp4"), "encoded " + (dir_ / "good.avi"));
  if (failed) {
    const std::string log = ReadWholeFile(dir_ / "run.log");
    EXPECT_EQ(log.rfind("Error # 1\r\n", 0), 0u) << log.substr(0, 200);
    EXPECT_NE(log.find("ExitCode: " + std::string(c.status).substr(7, std::string(c.status).size() - 8)),
              std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, EncoderMisbehaviour, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, OutputFolderRemovedWhileAFileConvertsFailsThatFileOnly) {
  // The stand-in opens its output only when done, after the test has removed the output folder,
  // and fails as an encoder does then; the next file's output folder is made again.
  const std::string fake = dir_.Write("fake-ffmpeg",
                                      "#!/bin/sh\n"
                                      "[ \"$1\" = \"-y\" ] || exit 1\n"
                                      "in=$3\n"
                                      "for out; do :; done\n"
                                      "case \"$in\" in *first*) : > \"$in.started\"\n"
                                      "  while [ -d \"${out%/*}\" ]; do sleep 0.05; done ;; esac\n"
                                      "printf encoded > \"$out\" 2>/dev/null || { echo \"$out: No such file or directory\"; exit 1; }\n");
  chmod(fake.c_str(), 0755);
  dir_.Write("first.avi", "x");
  dir_.Write("second.avi", "x");
  CliProcess cli({"convert", "first.avi", "second.avi", "--encoder", fake, "--player", "none", "--generation", "modern", "--out-dir",
                  dir_ / "out", "--log", "run.log"},
                 WithConfig({}), dir_.Path().string());
  ASSERT_TRUE(cli.Started());
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!Exists(dir_ / "first.avi.started") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(Exists(dir_ / "first.avi.started"));
  std::filesystem::remove_all(dir_ / "out");

  const CliResult r = cli.Finish(30s);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(LfLines(r.out), (std::vector<std::string>{"Error (1)\t" + (dir_ / "out/first.mp4"),
                                                      "Done\t" + (dir_ / "out/second.mp4")}));
  EXPECT_EQ(ReadWholeFile(dir_ / "out/second.mp4"), "encoded");
  const std::string log = ReadWholeFile(dir_ / "run.log");
  EXPECT_NE(log.find("ExitCode: 1\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(dir_ / "out/first.mp4: No such file or directory"), std::string::npos) << log;
}

}  // namespace vardeno
