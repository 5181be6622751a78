#include "service/input/CPressureCurve.h"

#include <gtest/gtest.h>

#include "service/input/InputTestSupport.h"

namespace {

using input_test::CurveAt;

TEST(CPressureCurve, FollowsTheCurveOfTheFeel) {
  // The feel slider's softest, middle and firmest curves for 1023 levels, a
  // soft one for 2047 levels, and one with a firm start and a lowered top.
  const std::vector<std::pair<std::array<std::uint16_t, 6>, std::uint32_t>> curves{
      {{0, 10, 1023, 133, 1023, 1023}, 1023},
      {{0, 41, 512, 512, 1023, 1023}, 1023},
      {{0, 153, 133, 1023, 1023, 1023}, 1023},
      {{0, 164, 1024, 164, 2047, 2047}, 2047},
      {{100, 300, 500, 500, 900, 1000}, 1023},
  };
  for (const auto& [words, levels] : curves) {
    CPressureCurve curve;
    curve.Set(words, levels);
    std::array<double, 6> w{};
    std::copy(words.begin(), words.end(), w.begin());
    std::uint32_t previous = 0;
    for (std::uint32_t in = 0; in <= levels; ++in) {
      const std::uint32_t out = curve.Apply(in);
      ASSERT_EQ(static_cast<std::int32_t>(out), CurveAt(w, in)) << "input " << in << " of curve w1=" << words[1];
      ASSERT_GE(out + 1, previous) << "the curve falls back at " << in;
      previous = out;
    }
    EXPECT_EQ(curve.Apply(levels + 500), curve.Apply(levels)) << "beyond the scale stays at its top";
  }
}

TEST(CPressureCurve, WordsOutsideTheScaleStayInsideIt) {
  CPressureCurve curve;
  // A control point left of the start and words above the levels.
  curve.Set({0, 500, 60000, 100, 60000, 60000}, 1023);
  for (std::uint32_t in = 0; in <= 1023; ++in) ASSERT_LE(curve.Apply(in), 1023U);
  EXPECT_EQ(curve.Apply(499), 0U);
  EXPECT_EQ(curve.Apply(1023), 1023U);
}

}  // namespace
