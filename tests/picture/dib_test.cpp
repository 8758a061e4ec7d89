#include <gtest/gtest.h>

#include "picture/dib.h"

namespace picture {
namespace {

TEST(CDIBTest, CreatesTopDownForPositiveHeight) {
    std::optional<CDIB> dib = CDIB::CreateWithPixels(3, 2, {}, 24);
    ASSERT_TRUE(dib);
    EXPECT_TRUE(dib->IsTopDown());
}

}  // namespace
}  // namespace picture
