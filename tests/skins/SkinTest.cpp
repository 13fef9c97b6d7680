#include "skins/Skin.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Every picture the windows place, at the pixel size their layout assumes.
const struct {
    const char *name;
    int w, h;
} kPictures[] = {
    {"background", 275, 116}, {"back", 21, 16},     {"back_over", 21, 16},    {"play", 22, 16},
    {"play_over", 22, 16},    {"pause", 22, 16},    {"pause_over", 22, 16},   {"stop", 22, 16},
    {"stop_over", 22, 16},    {"forward", 21, 16},  {"forward_over", 21, 16}, {"load", 20, 16},
    {"load_over", 20, 16},    {"pbview", 16, 16},   {"pbview_over", 16, 16},  {"repeat", 16, 16},
    {"repeat_over", 16, 16},  {"muted", 16, 16},    {"muted_over", 16, 16},   {"topedge0", 141, 7},
    {"topedge1", 6, 7},       {"topedge2", 122, 7}, {"sizer", 13, 13},        {"sizer_cursor", 32, 32},
    {"zbgTOP", 90, 17},       {"zbgMID", 90, 99},   {"zbgBOT", 90, 9},        {"splash", 400, 240},
    {"about", 120, 120},      {"icon", 32, 32},
};

const auto luminance = [](QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; };

QImage render(const QString &name, QSize size = {}, qreal dpr = 1.0)
{
    const QPixmap p = size.isValid() ? qr::skinPixmap(name, size, dpr) : qr::skinPixmap(name, dpr);
    return p.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Luminance range and mean, and the share of opaque pixels, over an area (default: all).
struct Stats {
    int lo = 255, hi = 0;
    double mean = 0, opaque = 0;
};
Stats stats(const QImage &image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    Stats s;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int l = luminance(image.pixel(x, y));
            s.lo = std::min(s.lo, l);
            s.hi = std::max(s.hi, l);
            s.mean += l;
            s.opaque += qAlpha(image.pixel(x, y)) > 0;
        }
    s.mean /= area.width() * area.height();
    s.opaque /= area.width() * area.height();
    return s;
}

} // namespace

TEST(Skin, EveryPictureRendersAtItsSizeAndRatio)
{
    for (const auto &p : kPictures) {
        SCOPED_TRACE(p.name);
        const QString name = QString::fromLatin1(p.name);
        EXPECT_EQ(qr::skinSize(name), QSize(p.w, p.h));
        for (qreal dpr : {1.0, 2.0}) {
            SCOPED_TRACE(dpr);
            const QPixmap pixmap = qr::skinPixmap(name, QSize(p.w, p.h), dpr);
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.size(), QSize(qRound(p.w * dpr), qRound(p.h * dpr)));
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(p.w, p.h));
            EXPECT_GT(stats(render(name, QSize(p.w, p.h), dpr)).opaque, 0.1) << "mostly empty";
        }
    }
    EXPECT_EQ(qr::skinNames().size(), int(std::size(kPictures)));
}

TEST(Skin, StretchesToAnyRequestedSizeAtEachRatio)
{
    // the top edge's middle piece is stretched across the whole window
    const QPixmap wide = qr::skinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 1.5);
    EXPECT_EQ(wide.size(), QSize(1050, 11));
    EXPECT_EQ(stats(wide.toImage().convertToFormat(QImage::Format_ARGB32), QRect(0, 5, 1050, 1)).opaque, 1.0);
    EXPECT_EQ(qr::skinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 2.0).size(), QSize(1400, 14));
}

TEST(Skin, UnknownNamesAndEmptySizesGiveNothing)
{
    EXPECT_TRUE(qr::skinPixmap(QStringLiteral("no_such_picture"), 1.0).isNull());
    EXPECT_TRUE(qr::skinPixmap(QStringLiteral("../skins/play"), QSize(10, 10), 1.0).isNull());
    EXPECT_TRUE(qr::skinPixmap(QStringLiteral("play"), QSize(0, 16), 1.0).isNull());
    EXPECT_FALSE(qr::skinSize(QStringLiteral("no_such_picture")).isValid());
    EXPECT_EQ(qr::skinPixmap(QStringLiteral("play"), QSize(22, 16), 0.0).size(), QSize(22, 16))
        << "ratio 0 is 1";
}

TEST(Skin, TextSitsOnLightAreasAndHotSpotGlyphsStandOut)
{
    const QImage bg = render(QStringLiteral("background"));
    // black label text (and the titlebar's dark-blue credit) needs a light ground
    for (const QRect area : {QRect(16, 21, 160, 15), QRect(16, 35, 160, 15), QRect(16, 49, 160, 15),
                             QRect(112, 0, 62, 14), QRect(192, 20, 73, 17), QRect(224, 48, 41, 17)})
        EXPECT_GE(stats(bg, area.adjusted(2, 2, -2, -2)).lo, 180) << area.x() << "," << area.y();
    EXPECT_GE(luminance(render(QStringLiteral("zbgMID")).pixel(40, 30)), 180) << "zoom window's label";
    for (const QRect spot :
         {QRect(229, 3, 9, 9), QRect(239, 3, 10, 9), QRect(250, 4, 9, 9), QRect(260, 2, 9, 9)}) {
        const Stats s = stats(bg, spot);
        EXPECT_GE(s.hi - s.lo, 120) << "hot spot at " << spot.x();
    }
    EXPECT_EQ(bg.pixel(100, 108) & 0xFFFFFF, qr::videoBackground().rgb() & 0xFFFFFF) << "the video colour";
}

TEST(Skin, LitPicturesAreClearlyBrighterThanTheirNormalPartners)
{
    for (const char *name :
         {"back", "play", "pause", "stop", "forward", "load", "pbview", "repeat", "muted"}) {
        const double normal = stats(render(QString::fromLatin1(name))).mean;
        const double lit = stats(render(QString::fromLatin1(name) + "_over")).mean;
        EXPECT_GE(lit, normal + 25) << name << ": " << normal << " vs " << lit;
    }
}
