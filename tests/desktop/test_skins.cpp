#include "skins/Skin.h"

#include <QImage>
#include <QPixmapCache>
#include <gtest/gtest.h>

namespace {

struct Picture {
    const char *name;
    int w, h;
};

// Every picture the windows place, at the pixel size their layout assumes.
const Picture kPictures[] = {
    {"background", 275, 116},
    {"back", 21, 16}, {"back_over", 21, 16},
    {"play", 22, 16}, {"play_over", 22, 16},
    {"pause", 22, 16}, {"pause_over", 22, 16},
    {"stop", 22, 16}, {"stop_over", 22, 16},
    {"forward", 21, 16}, {"forward_over", 21, 16},
    {"load", 20, 16}, {"load_over", 20, 16},
    {"pbview", 16, 16}, {"pbview_over", 16, 16},
    {"repeat", 16, 16}, {"repeat_over", 16, 16},
    {"muted", 16, 16}, {"muted_over", 16, 16},
    {"topedge0", 141, 7}, {"topedge1", 6, 7}, {"topedge2", 122, 7},
    {"sizer", 13, 13}, {"sizer_cursor", 32, 32},
    {"zbgTOP", 90, 17}, {"zbgMID", 90, 99}, {"zbgBOT", 90, 9},
    {"splash", 400, 240}, {"about", 120, 120}, {"icon", 32, 32},
};

int luminance(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

double meanLuminance(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += luminance(image.pixel(x, y));
    return sum / (image.width() * image.height());
}

QImage render(const char *name, qreal dpr = 1.0)
{
    return qr::SkinPixmap(QString::fromLatin1(name), dpr).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(Skin, EveryPictureRendersAtItsSizeAndRatio)
{
    for (const Picture &p : kPictures) {
        SCOPED_TRACE(p.name);
        const QString name = QString::fromLatin1(p.name);
        EXPECT_EQ(qr::SkinSize(name), QSize(p.w, p.h));
        for (qreal dpr : {1.0, 2.0}) {
            SCOPED_TRACE(dpr);
            const QPixmap pixmap = qr::SkinPixmap(name, QSize(p.w, p.h), dpr);
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.size(), QSize(qRound(p.w * dpr), qRound(p.h * dpr)));
            EXPECT_EQ(pixmap.devicePixelRatio(), dpr);
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(p.w, p.h));
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(opaque, image.width() * image.height() / 10) << "mostly empty";
        }
    }
    EXPECT_EQ(qr::SkinNames().size(), int(std::size(kPictures)));
}

TEST(Skin, StretchesToAnyRequestedSizeAndCachesByRatio)
{
    // the top edge's middle piece is stretched across the whole window
    const QPixmap wide = qr::SkinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 1.5);
    EXPECT_EQ(wide.size(), QSize(1050, 11));
    const QImage stretched = wide.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int x : {0, 525, 1049})
        EXPECT_EQ(qAlpha(stretched.pixel(x, 5)), 255) << "not stretched at x " << x;
    const QPixmap again = qr::SkinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 1.5);
    EXPECT_EQ(wide.cacheKey(), again.cacheKey());
    const QPixmap other = qr::SkinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 2.0);
    EXPECT_EQ(other.size(), QSize(1400, 14));
    QPixmapCache::clear();
    EXPECT_EQ(qr::SkinPixmap(QStringLiteral("topedge1"), QSize(700, 7), 1.5).size(), QSize(1050, 11));
}

TEST(Skin, UnknownNamesAndEmptySizesGiveNothing)
{
    EXPECT_TRUE(qr::SkinPixmap(QStringLiteral("no_such_picture"), 1.0).isNull());
    EXPECT_TRUE(qr::SkinPixmap(QString(), QSize(10, 10), 1.0).isNull());
    EXPECT_TRUE(qr::SkinPixmap(QStringLiteral("../skins/play"), QSize(10, 10), 1.0).isNull());
    EXPECT_TRUE(qr::SkinPixmap(QStringLiteral("play"), QSize(0, 16), 1.0).isNull());
    EXPECT_FALSE(qr::SkinSize(QStringLiteral("no_such_picture")).isValid());
    // a nonsense ratio falls back to 1
    EXPECT_EQ(qr::SkinPixmap(QStringLiteral("play"), QSize(22, 16), 0.0).size(), QSize(22, 16));
}

TEST(Skin, PanelTextAreasAreLightAndTheBodyIsTheVideoColour)
{
    const QImage bg = render("background");
    // black label text sits on these; titlebar's dark-blue bold credit too
    const struct {
        const char *label;
        QRect area;
    } areas[] = {
        {"status", {16, 21, 160, 15}},   {"time", {16, 35, 160, 15}},  {"playbackInfo", {16, 49, 160, 15}},
        {"titlebar", {112, 0, 62, 14}},  {"Label2", {192, 20, 73, 17}}, {"Label6", {224, 48, 41, 17}},
    };
    for (const auto &a : areas) {
        SCOPED_TRACE(a.label);
        const QRect inner = a.area.adjusted(2, 2, -2, -2);
        int darkest = 255;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                darkest = std::min(darkest, luminance(bg.pixel(x, y)));
        EXPECT_GE(darkest, 180);
    }
    EXPECT_EQ(bg.pixel(100, 108) & 0xFFFFFF, QColor(31, 27, 37).rgb() & 0xFFFFFF);

    // the zoom window's "Select zoom" label sits on the middle piece
    const QImage mid = render("zbgMID");
    EXPECT_GE(luminance(mid.pixel(40, 30)), 180);
}

TEST(Skin, HotSpotGlyphsAreDrawnWhereTheHotSpotsAre)
{
    const QImage bg = render("background");
    const struct {
        const char *hotSpot;
        QRect area;
    } spots[] = {
        {"Label1", {229, 3, 9, 9}}, {"Label5", {239, 3, 10, 9}}, {"cmdOptions", {250, 4, 9, 9}}, {"quit", {260, 2, 9, 9}},
    };
    for (const auto &s : spots) {
        SCOPED_TRACE(s.hotSpot);
        int lo = 255, hi = 0;
        for (int y = s.area.top(); y <= s.area.bottom(); ++y)
            for (int x = s.area.left(); x <= s.area.right(); ++x) {
                lo = std::min(lo, luminance(bg.pixel(x, y)));
                hi = std::max(hi, luminance(bg.pixel(x, y)));
            }
        EXPECT_GE(hi - lo, 120);
    }
}

TEST(Skin, LitPicturesAreClearlyBrighterThanTheirNormalPartners)
{
    for (const char *name : {"back", "play", "pause", "stop", "forward", "load", "pbview", "repeat", "muted"}) {
        SCOPED_TRACE(name);
        const double normal = meanLuminance(render(name));
        const double lit = meanLuminance(render((std::string(name) + "_over").c_str()));
        EXPECT_GE(lit, normal + 25) << normal << " vs " << lit;
    }
}

TEST(Skin, IconAndCursor)
{
    const QIcon icon = qr::ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));

    const QCursor cursor = qr::SizerCursor(2.0);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));
    EXPECT_EQ(cursor.pixmap().size(), QSize(64, 64));
}
