// The README's pictures in docs/pictures are what the build draws (velmora-docs-pictures);
// scripts/regenerate-gallery brings them up to date after a change of the look.
#include "tests/pixel_compare.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace {

class DocsPicturesTest : public testing::TestWithParam<const char*> {};

TEST_P(DocsPicturesTest, TheCommittedPictureIsWhatTheBuildDraws) {
    const QString name = QLatin1String(GetParam());
    const QImage committed(QStringLiteral(VELMORA_SOURCE_DIR "/docs/pictures/") + name);
    const QImage drawn(QStringLiteral(VELMORA_PICTURES_DIR "/") + name);
    ASSERT_FALSE(drawn.isNull()) << "the build drew no " << GetParam();
    ASSERT_FALSE(committed.isNull()) << "docs/pictures has no " << GetParam();
    ASSERT_EQ(committed.size(), drawn.size()) << "run scripts/regenerate-gallery";
    // Room for a font's hinting, not for a change of the look.
    const int allowed = committed.width() * committed.height() / 100;
    EXPECT_LE(differentPixels(committed.convertToFormat(QImage::Format_ARGB32),
                              drawn.convertToFormat(QImage::Format_ARGB32), 24),
              allowed)
        << "run scripts/regenerate-gallery";
}

INSTANTIATE_TEST_SUITE_P(Readme, DocsPicturesTest, testing::Values("clock.png", "editor.png"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return QString::fromLatin1(info.param).section('.', 0, 0).toStdString();
                         });

} // namespace
