// Each sharper file is what the picture shows at exactly its scale: drawn from that file
// pixel for pixel, not from a larger one scaled down (softer lines).
#include "pictures.h"
#include "sharp_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brindora;

namespace {

struct Sharper {
    const char* name; // as in the picture list
    int scale;
};
void PrintTo(const Sharper& s, std::ostream* os) {
    *os << s.name << "@" << s.scale << "x";
}

std::vector<Sharper> everySharperFile() {
    std::vector<Sharper> out;
    for (const pictures::PictureFile& file : pictures::kPictureFiles)
        for (const int scale : pictures::largerScales(file.name))
            out.push_back({file.name, scale});
    return out;
}

class SharpPictureAt : public ::testing::TestWithParam<Sharper> {};

TEST_P(SharpPictureAt, ItsOwnScaleIsItsOwnFile) {
    const Sharper s = GetParam();
    const QImage file(pictures::largerPath(s.name, s.scale));
    ASSERT_FALSE(file.isNull()) << pictures::largerPath(s.name, s.scale).toStdString();
    const SharpPicture picture(s.name);
    ASSERT_EQ(file.size(), picture.size() * s.scale);
    const QImage drawn = picture.at(file.size()).toImage();
    const QImage::Format format = QImage::Format_ARGB32;
    EXPECT_TRUE(drawn.convertToFormat(format) == file.convertToFormat(format));
}

INSTANTIATE_TEST_SUITE_P(Pictures, SharpPictureAt, ::testing::ValuesIn(everySharperFile()),
                         [](const auto& info) {
                             return std::string(info.param.name) + "_" +
                                    std::to_string(info.param.scale) + "x";
                         });

} // namespace
