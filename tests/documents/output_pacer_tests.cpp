// When gathered output is appended: after a rest of four times the last
// round's cost, at once when the stream goes quiet, and at once for a text
// that comes after the rest.
#include "documents/output_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputPacer, RestsAfterEachRoundUnlessTheStreamGoesQuiet) {
    struct Step {
        const char* what;
        double now;
        enum { Arrive, Append, Ask } kind;
        double end;  // Append: when the round ended (it started at `now`)
        bool due;    // Ask: what the pacer says
    };
    const Step steps[] = {
        {"nothing appended yet: due at once", 0, Step::Arrive, 0, false},
        {"", 0, Step::Ask, 0, true},
        {"a round of 10 ms", 0, Step::Append, 10, false},
        {"texts keep coming during the rest", 15, Step::Arrive, 0, false},
        {"the rest is four times the round", 15, Step::Ask, 0, false},
        {"", 30, Step::Arrive, 0, false},
        {"", 49, Step::Ask, 0, false},
        {"", 50, Step::Ask, 0, true},
        {"a round of 20 ms: an 80 ms rest", 50, Step::Append, 70, false},
        {"", 80, Step::Arrive, 0, false},
        {"", 99, Step::Ask, 0, false},
        {"quiet for 20 ms: due long before the rest is over", 100, Step::Ask, 0, true},
        {"", 110, Step::Arrive, 0, false},
        {"a text ends the quiet", 110, Step::Ask, 0, false},
        {"", 150, Step::Ask, 0, true},
        {"a lone text after the rest", 1000, Step::Arrive, 0, false},
        {"", 1000, Step::Ask, 0, true},
    };
    OutputPacer pacer;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "at " << step.now << ": " << step.what);
        switch (step.kind) {
        case Step::Arrive:
            pacer.TextsArrived(step.now);
            break;
        case Step::Append:
            pacer.Appended(step.now, step.end);
            break;
        case Step::Ask:
            EXPECT_EQ(pacer.IsDue(step.now), step.due);
            break;
        }
    }
}

}  // namespace
