#include "skins/Skin.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using qr::skinPixmap;
const char *const kSizes =
    "background 275 116 back 21 16 play 22 16 pause 22 16 stop 22 16 forward 21 16 load 20 16 "
    "pbview 16 16 repeat 16 16 muted 16 16 topedge0 141 7 topedge1 6 7 topedge2 122 7 sizer 13 13 "
    "sizer_cursor 32 32 zbgTOP 90 17 zbgMID 90 99 zbgBOT 90 9 splash 400 240 about 120 120 icon 32 32";

// Lowest, highest and mean luminance and the share of opaque pixels over an area (default: all).
std::array<double, 4> stats(const QPixmap &pixmap, QRect area = {})
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    area = area.isNull() ? image.rect() : area;
    const int n = area.width() * area.height();
    std::array<double, 4> s{255, 0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const QRgb c = image.pixel(area.x() + i % area.width(), area.y() + i / area.width());
        const double l = (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
        s = {std::min(s[0], l), std::max(s[1], l), s[2] + l / n, s[3] + (qAlpha(c) ? 1.0 / n : 0)};
    }
    return s;
}

// Each picture at the size the layout assumes (a lit one as its normal one, and brighter), mostly drawn, at
// its ratio, stretched on request; nothing for an unknown name, a path, no size. Text on light ground.
TEST(Skin, PicturesAtTheirSizesAndRatiosWithReadableText)
{
    const QStringList sizes = QString(kSizes).split(' ');
    for (qsizetype i = 0; i < sizes.size(); i += 3) {
        const QPixmap pixmap = skinPixmap(sizes[i], 2);
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(sizes[i + 1].toInt(), sizes[i + 2].toInt()))
            << sizes[i].toStdString();
        EXPECT_GT(stats(pixmap)[3], 0.1) << sizes[i].toStdString() << " is mostly empty";
    }
    for (const QString &name : QString("back play pause stop forward load pbview repeat muted").split(' ')) {
        EXPECT_EQ(qr::skinSize(name + "_over"), qr::skinSize(name));
        EXPECT_GE(stats(skinPixmap(name + "_over", 1))[2] - stats(skinPixmap(name, 1))[2], 25)
            << qPrintable(name);
    }
    EXPECT_TRUE(skinPixmap("no_such", 1).isNull() && skinPixmap("../skins/play", {9, 9}, 1).isNull() &&
                skinPixmap("play", {}, 1).isNull());
    EXPECT_GT(stats(skinPixmap("topedge1", {700, 7}, 1.5), {0, 10, 1050, 1})[3], 0.999) << "stretched";
    EXPECT_EQ(skinPixmap("play", 0).size(), QSize(22, 16)) << "a ratio of 0 is 1";
    const QPixmap bg = skinPixmap("background", 1);
    for (const QRect area : {QRect(18, 23, 156, 11), QRect(18, 37, 156, 11), QRect(18, 51, 156, 11),
                             QRect(114, 2, 58, 10), QRect(194, 22, 69, 13), QRect(226, 50, 37, 13)})
        EXPECT_GE(stats(bg, area)[0], 180) << area.x() << "," << area.y();
    EXPECT_GE(stats(skinPixmap("zbgMID", 1), QRect(40, 30, 1, 1))[0], 180) << "the zoom window's label";
    for (const int x : {229, 239, 250, 260})
        EXPECT_GE(stats(bg, {x, 3, 9, 9})[1] - stats(bg, {x, 3, 9, 9})[0], 120) << x;
    EXPECT_EQ(bg.toImage().pixelColor(100, 108), qr::videoBackground());
}

} // namespace
