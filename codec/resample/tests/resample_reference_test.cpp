// The production kernel table against the kernels written from their definitions: every
// value across and beyond the support, and the support itself. The whole-resize references
// of resample_test.cpp and the Pillow comparison build on these definitions, not on the table.
#include <gtest/gtest.h>

#include "codec/resample/resample.h"
#include "codec/resample/resample_filters.h"
#include "codec/resample/tests/reference_kernels.h"

namespace {

TEST(ResampleKernelTest, EveryKernelAndSupportMatchesItsDefinition) {
    static_assert(std::size(reference_kernels::kKernels) == kFilterCount);
    for (int filter = 0; filter < kFilterCount; ++filter) {
        const reference_kernels::Kernel& reference = reference_kernels::kKernels[filter];
        SCOPED_TRACE(reference.name);
        const ResampleKernel* kernel = FindResampleKernel(filter);
        ASSERT_NE(kernel, nullptr);
        EXPECT_EQ(kernel->support, reference.support);
        // Steps of 1/256 hit every support and every joint of the piecewise kernels exactly,
        // where an off-by-one comparison would show.
        for (int step = -5 * 256; step <= 5 * 256; ++step) {
            double x = step / 256.0;
            ASSERT_NEAR(kernel->function(x), reference.function(x), 1e-12) << "x = " << x;
        }
    }
}

}  // namespace
