// The test programs' entry: GoogleTest's own, except that a run in which every test skipped
// exits with 77, so that CTest, running a suite in one process, counts that suite as skipped
// rather than passed. A failure still fails, whatever else skipped.

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
    constexpr int skippedExitCode = 77;
    if (result == 0 && run.test_to_run_count() > 0 &&
        run.skipped_test_count() == run.test_to_run_count())
        return skippedExitCode;
    return result;
}
