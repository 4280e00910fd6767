// papercrowd-trace run as a separate program: its options, errors and output shape.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "run_program.h"

namespace {

ProgramRun runTrace(const std::string& arguments) { return runProgram(TRACE_PROGRAM, arguments); }

}  // namespace

TEST(Trace, BadOptionsAreNamedOnStderrWithStatusTwo) {
  struct BadCase {
    const char* arguments;
    const char* named;
  };
  const BadCase cases[] = {
      {"--frobnicate", "--frobnicate"},
      {"--ticks", "--ticks"},
      {"--ticks -1", "--ticks"},
      {"--ticks 1x", "--ticks"},
      {"--every 0", "--every"},
      {"--limb-mode one", "--limb-mode"},
      {"--torso-mode 99999999999", "--torso-mode"},
      {"--ticks 2 --every", "--every"},
      {"ticks 5", "ticks"},
  };
  for (const BadCase& c : cases) {
    const ProgramRun r = runTrace(c.arguments);
    EXPECT_EQ(r.status, 2) << c.arguments;
    EXPECT_TRUE(r.out.empty()) << c.arguments;
    EXPECT_EQ(splitLines(r.err).size(), 1u) << c.arguments;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
  }
}

// 100 lines per printed tick: tick, record, 13 angles, 13 momenta, in round-trip form.
TEST(Trace, StartStateHasTheDocumentedShape) {
  const ProgramRun r = runTrace("");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.empty());
  const std::vector<std::string> all = splitLines(r.out);
  ASSERT_EQ(all.size(), 100u);
  for (int record = 0; record < 100; ++record) {
    std::istringstream fields(all[record]);
    std::vector<std::string> f;
    for (std::string word; fields >> word;) f.push_back(word);
    ASSERT_EQ(f.size(), 28u);
    EXPECT_EQ(f[0], "0");
    EXPECT_EQ(f[1], std::to_string(record));
    EXPECT_EQ(f[2], "-1.5700000000000001");  // -1.57 in round-trip form
    for (int k = 3; k < 28; ++k) EXPECT_EQ(f[k], "0") << k;
  }
  EXPECT_EQ(r.out.find("  "), std::string::npos);
}

TEST(Trace, EveryPrintsTickZeroEachKthAndTheLast) {
  const ProgramRun r = runTrace("--ticks 7 --every 3 --limb-mode 1 --torso-mode -1");
  ASSERT_EQ(r.status, 0);
  const std::vector<std::string> all = splitLines(r.out);
  ASSERT_EQ(all.size(), 400u);
  const char* ticks[] = {"0 ", "3 ", "6 ", "7 "};
  for (int t = 0; t < 4; ++t) {
    for (int record = 0; record < 100; ++record) {
      const std::string prefix = std::string(ticks[t]) + std::to_string(record) + " ";
      EXPECT_EQ(all[100 * t + record].compare(0, prefix.size(), prefix), 0)
          << all[100 * t + record];
    }
  }
  // The same run without --every prints exactly its last block.
  const ProgramRun last = runTrace("--ticks 7 --limb-mode 1 --torso-mode -1");
  ASSERT_EQ(last.status, 0);
  const std::vector<std::string> lastLines = splitLines(last.out);
  ASSERT_EQ(lastLines.size(), 100u);
  for (int record = 0; record < 100; ++record) EXPECT_EQ(lastLines[record], all[300 + record]);
  // The modes matter.
  EXPECT_NE(runTrace("--ticks 7").out, last.out);
}

// 64-bit FNV-1a of the bytes.
static std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3u;
  }
  return hash;
}

// The crowd's states over 200 ticks, to the last bit. Every build (release and sanitizers alike)
// holds its trace to the same hashes, so all of them compute the same arithmetic. A refactoring
// must keep them; a change meant to alter the trajectories puts the hashes printed below into the
// table.
TEST(Trace, TwoHundredTicksHashToThePinnedValues) {
  const struct {
    const char* arguments;
    std::uint64_t hash;
  } runs[] = {
      {"--ticks 200 --every 50", 0xff1856a3419e068du},
      {"--ticks 200 --every 50 --limb-mode 1 --torso-mode -1", 0x20c024c63b4a3d05u},
  };
  for (const auto& run : runs) {
    const ProgramRun r = runTrace(run.arguments);
    ASSERT_EQ(r.status, 0) << run.arguments;
    ASSERT_EQ(splitLines(r.out).size(), 500u) << run.arguments;
    const std::uint64_t hash = fnv1a(r.out);
    char printed[32];
    std::snprintf(printed, sizeof printed, "0x%016llxu", static_cast<unsigned long long>(hash));
    EXPECT_EQ(hash, run.hash) << "papercrowd-trace " << run.arguments << " now hashes to "
                              << printed;
  }
}
