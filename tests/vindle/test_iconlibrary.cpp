#include "iconfixtures.h"
#include "vindle/icons/icondecoder.h"
#include "vindle/icons/iconlibrary.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace iconfixtures;
using vindle::icons::IconLibrary;

namespace
{

QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

QRgb opaque(std::uint32_t rgb)
{
    return 0xFF000000u | rgb;
}

std::span<const std::uint8_t> view(const Bytes &bytes)
{
    return {bytes.data(), bytes.size()};
}

class IconLibraryFiles : public ::testing::Test
{
protected:
    QString write(const QString &name, const Bytes &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path.toStdString(), bytes));
        return path;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST(IconDecoder, DecodesBmpFramesOfEveryDepthAndPngFrames)
{
    for (const int bits : {1, 4, 8, 24, 32}) {
        const Bytes dib = bmpImage(32, bits, 0x3366CC);
        const QImage image = vindle::icons::decodeIconImage({32, 32, 0, 1, bits, view(dib)});
        ASSERT_EQ(image.size(), QSize(32, 32)) << bits << " bits";
        EXPECT_EQ(centre(image), opaque(0x3366CC)) << bits << " bits";
    }
    const Bytes png = pngImage(48, 0xAA5500);
    const QImage image = vindle::icons::decodeIconImage({48, 48, 0, 1, 32, view(png)});
    ASSERT_EQ(image.size(), QSize(48, 48));
    EXPECT_EQ(centre(image), opaque(0xAA5500));
}

TEST(IconDecoder, PicksTheBestFrameAndScalesToTheAskedSize)
{
    const Bytes small4 = bmpImage(16, 4, 0xFF0000), small32 = bmpImage(16, 32, 0x00FF00),
                large8 = bmpImage(32, 8, 0x0000FF), big = pngImage(48, 0xFFFF00);
    const vindle::icons::IconGroup group = {{16, 16, 16, 1, 4, view(small4)},
                                            {16, 16, 0, 1, 32, view(small32)},
                                            {32, 32, 0, 1, 8, view(large8)},
                                            {48, 48, 0, 1, 32, view(big)}};
    EXPECT_EQ(centre(vindle::icons::iconImage(group, 16)), opaque(0x00FF00));
    EXPECT_EQ(centre(vindle::icons::iconImage(group, 32)), opaque(0x0000FF));
    const QImage onlyBig = vindle::icons::iconImage({group[3]}, 32);
    EXPECT_EQ(onlyBig.size(), QSize(32, 32));
    EXPECT_EQ(centre(onlyBig), opaque(0xFFFF00));
    const Bytes garbage(200, 0x5A);
    EXPECT_TRUE(vindle::icons::iconImage({{32, 32, 0, 1, 32, view(garbage)}}, 32).isNull());
    EXPECT_TRUE(vindle::icons::iconImage({}, 32).isNull());
}

TEST_F(IconLibraryFiles, ReadsModulesAndIconFilesAndNothingElse)
{
    const QString module = write("pe-plain.dll", buildModule(plainModule(4, true)));
    const IconLibrary library(module);
    ASSERT_EQ(library.count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(centre(library.image(i, 32)), opaque(colourOf(i, 32))) << i;
        EXPECT_EQ(centre(library.image(i, 16)), opaque(colourOf(i, 16))) << i;
        EXPECT_EQ(library.image(i, 16).size(), QSize(16, 16));
    }
    EXPECT_TRUE(library.image(4, 32).isNull());
    EXPECT_EQ(centre(vindle::icons::firstIcon(module, 32)), opaque(colourOf(0, 32)));

    const QString ico =
        write("icons-one.ico", buildIconFile({{32, 32, bmpImage(32, 32, 0x123456)}}));
    EXPECT_EQ(IconLibrary(ico).count(), 1);
    EXPECT_EQ(centre(IconLibrary(ico).image(0, 16)), opaque(0x123456));

    const QString empty = write("empty.dll", {});
    for (const QString &path :
         {empty, m_dir.filePath("missing.dll"), m_dir.path(), QString("/dev/zero"), QString()}) {
        EXPECT_EQ(IconLibrary(path).count(), 0) << path.toStdString();
        EXPECT_TRUE(vindle::icons::firstIcon(path).isNull());
    }
}

TEST_F(IconLibraryFiles, NonAsciiPathsAreRead)
{
    const QString module = write("иконки-библиотека.dll", buildModule(plainModule(2)));
    EXPECT_EQ(IconLibrary(module).count(), 2);
}
