#include <gtest/gtest.h>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "tests/support/golden.h"
#include "tests/support/sample_classes.h"

namespace zandrel {
namespace {

using testing::MatchesGolden;

TEST(ClassGolden, SampleHeader) {
  EXPECT_TRUE(
      MatchesGolden("classgen/sample_header.golden", WriteCppHeader(testing::SampleClass())));
}

TEST(ClassGolden, PointHeader) {
  EXPECT_TRUE(
      MatchesGolden("classgen/point_header.golden", WriteCppHeader(testing::PointHeaderClass())));
}

TEST(ClassGolden, PointSource) {
  EXPECT_TRUE(
      MatchesGolden("classgen/point_source.golden", WriteCppSource(testing::PointSourceClass())));
}

TEST(ClassGolden, MeterJava) {
  EXPECT_TRUE(MatchesGolden("classgen/meter_java.golden", WriteJavaClass(testing::MeterClass())));
}

TEST(ClassGolden, MeterJavaPrivateCopy) {
  EXPECT_TRUE(MatchesGolden("classgen/meter_private_java.golden",
                            WriteJavaClass(testing::PrivateMeterClass())));
}

}  // namespace
}  // namespace zandrel
