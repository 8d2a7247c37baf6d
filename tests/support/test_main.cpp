// The main of every test program: googletest's, except that a run in which a
// test was skipped and none failed ends with kSkippedExitCode, which ctest
// counts as skipped (SKIP_RETURN_CODE, cmake/TolvaneTest.cmake). So a skip
// shows in ctest's summary instead of passing unseen; the skipped tests are
// named in the program's output.
#include <gtest/gtest.h>

#include <cstdio>

namespace {
constexpr int kSkippedExitCode = 77;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (status != 0) return status;
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    if (run.skipped_test_count() > 0) {
        std::printf("%d of %d tests skipped; the program counts as skipped.\n", run.skipped_test_count(),
                    run.test_to_run_count());
        return kSkippedExitCode;
    }
    return 0;
}
