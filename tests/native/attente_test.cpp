#include "decoding/attente.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace talvorne {
namespace {

// A clock that only moves when the pause sleeps, plus messages that arrive at given times.
// A pause that sleeps for nothing never ends against this clock: after a hundred passes, more
// than any test needs, the pump asks it to quit and the test fails.
class ScriptedPump : public MessagePump {
 public:
  explicit ScriptedPump(std::uint32_t start) : now_(start) {}

  std::uint32_t TickCount() override { return now_; }
  bool ProcessPendingMessages() override {
    if (++passes > 100) {
      ADD_FAILURE() << "the pause makes no progress at " << Elapsed() << " ms";
      return false;
    }
    return !(quitAt && now_ - start_ >= *quitAt);
  }
  void WaitForMessages(std::uint32_t timeoutMs) override {
    waits.push_back(timeoutMs);
    // A message that comes sooner ends the sleep early.
    std::uint32_t sleep = timeoutMs;
    for (std::uint32_t arrival : messageTimes) {
      const std::uint32_t in = arrival - (now_ - start_);
      if (arrival > now_ - start_ && in < sleep) sleep = in;
    }
    now_ += sleep;
  }
  std::uint32_t Elapsed() const { return now_ - start_; }

  int passes = 0;
  std::vector<std::uint32_t> waits;
  std::vector<std::uint32_t> messageTimes;
  std::optional<std::uint32_t> quitAt;

 private:
  std::uint32_t now_;
  const std::uint32_t start_ = now_;
};

TEST(Attente, ReturnsOnceMoreThanTheTimeHasPassedWithoutSpinning) {
  ScriptedPump pump(1000);
  Attente(2000, pump);
  EXPECT_EQ(pump.Elapsed(), 2001u);
  EXPECT_EQ(pump.waits, std::vector<std::uint32_t>{2001});  // one sleep for the whole pause
  EXPECT_EQ(pump.passes, 2);
}

TEST(Attente, HandlesMessagesAsTheyComeAndSleepsOnlyForWhatRemains) {
  ScriptedPump pump(0);
  pump.messageTimes = {300, 1500};
  Attente(2000, pump);
  EXPECT_EQ(pump.Elapsed(), 2001u);
  EXPECT_EQ(pump.waits, (std::vector<std::uint32_t>{2001, 1701, 501}));
  EXPECT_EQ(pump.passes, 4);
}

TEST(Attente, TickCountWrappingAroundDoesNotEndOrProlongThePause) {
  ScriptedPump pump(0xFFFFFF00u);  // wraps 256 ms into the pause
  Attente(2000, pump);
  EXPECT_EQ(pump.Elapsed(), 2001u);
  EXPECT_EQ(pump.TickCount(), 2001u - 256u);
}

TEST(Attente, ZeroStillHandlesMessagesAndAQuitEndsThePauseEarly) {
  ScriptedPump immediate(5);
  Attente(0, immediate);
  EXPECT_GE(immediate.passes, 1);
  EXPECT_EQ(immediate.Elapsed(), 1u);

  ScriptedPump quitting(0);
  quitting.messageTimes = {700};
  quitting.quitAt = 700;
  Attente(2000, quitting);
  EXPECT_EQ(quitting.Elapsed(), 700u);
}

}  // namespace
}  // namespace talvorne
