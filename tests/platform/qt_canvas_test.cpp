// The canvas on a QImage sets the same pixels as the pixel rules of raster.h (their own
// test is tests/canvas/raster_test.cpp): each primitive of a table is drawn on a QtCanvas
// and, through the recording canvas, by the raster functions, and the two pictures must
// match pixel for pixel and colour for colour. Text, fonts, the painter-backed canvas and
// images of other formats are Qt's own and are tested here only.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "canvas/raster.h"
#include "canvas/recording_canvas.h"
#include "platform/qt_canvas.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

using PixelSet = std::set<std::pair<int, int>>;
using Picture = std::map<std::pair<int, int>, QRgb>;  // the inked pixels and their colours

QImage whiteImage(int w = 64, int h = 64, QImage::Format f = QImage::Format_RGB32) {
    QImage img(w, h, f);
    img.fill(Qt::white);
    return img;
}

Picture picture(const QImage& img) {
    Picture p;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) p[{x, y}] = img.pixel(x, y);
    return p;
}

PixelSet inked(const QImage& img) {
    PixelSet s;
    for (const auto& entry : picture(img)) s.insert(entry.first);
    return s;
}

template <class Draw>
PixelSet drawn(Draw draw, int w = 64, int h = 64) {
    QImage img = whiteImage(w, h);
    {
        QtCanvas c(img);
        draw(c);
    }
    return inked(img);
}

PixelSet bounds(const PixelSet& s) {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
    for (const auto& [x, y] : s) {
        x1 = std::min(x1, x);
        y1 = std::min(y1, y);
        x2 = std::max(x2, x);
        y2 = std::max(y2, y);
    }
    return {{x1, y1}, {x2, y2}};
}

// What the raster functions set for the primitives a recording canvas kept, later ones
// over earlier ones, as the Qt canvas paints them.
Picture rasterPicture(const RecordingCanvas& rec) {
    const raster::Area area{rec.width(), rec.height()};
    Picture p;
    for (const DrawnItem& d : rec.items()) {
        std::vector<raster::Pixel> out;
        switch (d.kind) {
            case DrawnItem::Kind::Line:
                raster::line(out, area, d.x1, d.y1, d.x2, d.y2, d.width);
                break;
            case DrawnItem::Kind::Ellipse:
                raster::ellipse(out, area, d.x1, d.y1, d.x2, d.y2, d.width);
                break;
            case DrawnItem::Kind::Arc:
                raster::arc(out, area, d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4, d.width);
                break;
            case DrawnItem::Kind::Pixel:
                out.push_back({d.x1, d.y1});  // the recording canvas keeps only those on it
                break;
            case DrawnItem::Kind::Clear:
            case DrawnItem::Kind::Text:
                ADD_FAILURE() << "a row of the pixel table clears or draws text";
                break;
        }
        for (const auto& px : out) p[{px.x, px.y}] = qRgb(d.color.r, d.color.g, d.color.b);
    }
    return p;
}

std::string differences(const Picture& qt, const Picture& rules) {
    std::ostringstream os;
    int shown = 0;
    auto show = [&](const char* what, int x, int y) {
        if (shown++ < 20) os << "\n  " << what << " (" << x << ", " << y << ")";
    };
    for (const auto& [at, rgb] : qt) {
        const auto r = rules.find(at);
        if (r == rules.end())
            show("only the Qt canvas sets", at.first, at.second);
        else if (r->second != rgb)
            show("other colour at", at.first, at.second);
    }
    for (const auto& [at, rgb] : rules)
        if (!qt.count(at)) show("only the rules set", at.first, at.second);
    if (shown > 20) os << "\n  and " << shown - 20 << " more";
    return os.str();
}

// The image is wider than high, so that a canvas mixing up the two shows it.
constexpr int ImageWidth = 64, ImageHeight = 56;

struct Primitives {
    const char* name;
    void (*draw)(Canvas&);
    bool inks;  // whether anything at all lands on the image
};
void PrintTo(const Primitives& c, std::ostream* os) { *os << c.name; }

class QtCanvasRules : public ::testing::TestWithParam<Primitives> {};

TEST_P(QtCanvasRules, SetsExactlyThePixelsOfTheRasterRules) {
    const Primitives row = GetParam();
    QImage img = whiteImage(ImageWidth, ImageHeight);
    {
        QtCanvas c(img);
        row.draw(c);
    }
    RecordingCanvas rec(ImageWidth, ImageHeight);
    row.draw(rec);
    const Picture qt = picture(img), rules = rasterPicture(rec);
    EXPECT_EQ(!rules.empty(), row.inks) << "the row does not draw what its name says";
    EXPECT_TRUE(qt == rules) << qt.size() << " pixels on the Qt canvas, " << rules.size()
                             << " by the rules:" << differences(qt, rules);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtCanvasRules,
    ::testing::Values(
        // Lines in every direction, without their end pixel.
        Primitives{"LineRight", [](Canvas& c) { c.line(5, 10, 40, 10); }, true},
        Primitives{"LineLeft", [](Canvas& c) { c.line(40, 10, 5, 10); }, true},
        Primitives{"LineDown", [](Canvas& c) { c.line(7, 3, 7, 50); }, true},
        Primitives{"LineUp", [](Canvas& c) { c.line(7, 50, 7, 3); }, true},
        Primitives{"LineShallowDownRight", [](Canvas& c) { c.line(2, 2, 60, 21); }, true},
        Primitives{"LineShallowUpLeft", [](Canvas& c) { c.line(60, 21, 2, 2); }, true},
        Primitives{"LineSteepUpRight", [](Canvas& c) { c.line(10, 55, 23, 1); }, true},
        Primitives{"LineSteepDownLeft", [](Canvas& c) { c.line(23, 1, 10, 55); }, true},
        Primitives{"LineDiagonalUpLeft", [](Canvas& c) { c.line(40, 40, 29, 29); }, true},
        Primitives{"LineOneStep", [](Canvas& c) { c.line(30, 30, 31, 31); }, true},
        Primitives{"LineZeroLength", [](Canvas& c) { c.line(30, 30, 30, 30); }, false},
        Primitives{"CrossArm", [](Canvas& c) { c.line(35, 35, 24, 24); }, true},
        Primitives{"PolylineFromThePen",
                   [](Canvas& c) {
                       c.moveTo(3, 50);
                       c.lineTo(30, 4);
                       c.lineTo(60, 40);
                       c.lineTo(3, 50);
                   },
                   true},
        // A pen two pixels wide, in both directions and slanting.
        Primitives{"WidthTwoFlat",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.line(5, 10, 15, 10);
                   },
                   true},
        Primitives{"WidthTwoUpright",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.line(30, 40, 30, 30);
                   },
                   true},
        Primitives{"WidthTwoSteep",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.line(50, 2, 41, 50);
                   },
                   true},
        // Off the image: far-off ends, lines crossing the edges, lines that miss it.
        Primitives{"FarOffLines",
                   [](Canvas& c) {
                       c.line(-1000000000, 5, 1000000000, 5);
                       c.line(2000000000, 9, -2000000000, 9);
                       c.line(-2147483647, -2147483647, 2147483647, 2147483647);
                   },
                   true},
        Primitives{"LinesAcrossEveryEdge",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.line(-10, 20, 10, 30);
                       c.line(54, 20, 74, 30);
                       c.line(20, -10, 30, 10);
                       c.line(20, 46, 30, 66);
                   },
                   true},
        Primitives{"LinesEndingJustOffTheImage",
                   [](Canvas& c) {
                       c.line(40, 3, ImageWidth, 3);
                       c.line(3, 40, 3, ImageHeight);
                   },
                   true},
        Primitives{"LinesMissingTheImage",
                   [](Canvas& c) {
                       c.line(-5, -1, 70, -1);
                       c.line(ImageWidth, 0, ImageWidth, ImageHeight);
                       c.line(0, ImageHeight, ImageWidth, ImageHeight + 30);
                   },
                   false},
        // Ellipses: the box right and bottom exclusive, either corner order, wider pens
        // inwards, empty boxes nothing, huge ones and those over the edges what is visible.
        Primitives{"EllipseOddSides", [](Canvas& c) { c.ellipse(10, 12, 31, 25); }, true},
        Primitives{"EllipseOddSidesWidthTwo",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.ellipse(10, 12, 31, 25);
                   },
                   true},
        Primitives{"CircleWidthTwo",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.ellipse(10, 10, 41, 41);
                   },
                   true},
        Primitives{"EllipseCornersSwapped", [](Canvas& c) { c.ellipse(40, 30, 5, 5); }, true},
        Primitives{"EllipseOnePixel", [](Canvas& c) { c.ellipse(5, 5, 6, 6); }, true},
        Primitives{"EllipseNoWidth", [](Canvas& c) { c.ellipse(10, 10, 10, 30); }, false},
        Primitives{"EllipseNoHeightWidthTwo",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.ellipse(10, 10, 30, 10);
                   },
                   false},
        Primitives{"EllipseHuge",
                   [](Canvas& c) { c.ellipse(20, -1000000, 2000021, 1000001); }, true},
        Primitives{"EllipseOverEveryEdge",
                   [](Canvas& c) { c.ellipse(-20, -15, 50, 40); }, true},
        Primitives{"EllipseOffTheImage", [](Canvas& c) { c.ellipse(70, 10, 90, 30); }, false},
        // Arcs counter-clockwise between their radials.
        Primitives{"ArcTopToBottom", [](Canvas& c) { c.arc(0, 0, 41, 41, 20, -5, 20, 45); },
                   true},
        Primitives{"ArcBottomToTop", [](Canvas& c) { c.arc(0, 0, 41, 41, 20, 45, 20, -5); },
                   true},
        Primitives{"ArcCounterweightAtZero",
                   [](Canvas& c) { c.arc(0, 0, 41, 41, 14, 3, 14, 37); }, true},
        Primitives{"ArcRightToTop", [](Canvas& c) { c.arc(0, 0, 41, 41, 60, 20, 20, -60); },
                   true},
        Primitives{"ArcSameRadial", [](Canvas& c) { c.arc(0, 0, 41, 41, 60, 20, 60, 20); },
                   true},
        Primitives{"ArcWidthTwo",
                   [](Canvas& c) {
                       c.setPenWidth(2);
                       c.arc(20, 20, 60, 50, 40, 0, 0, 40);
                   },
                   true},
        Primitives{"ArcOverTheImageEdges",
                   [](Canvas& c) { c.arc(-30, 30, 50, 90, 60, 60, -40, 60); }, true},
        Primitives{"ArcEmptyBox", [](Canvas& c) { c.arc(10, 10, 10, 30, 20, 0, 20, 40); },
                   false},
        // Single pixels, the corners set and everything outside left alone.
        Primitives{"PixelsInsideAndOutside",
                   [](Canvas& c) {
                       c.setPixel(3, 4, colors::Blue);
                       c.setPixel(0, 0, colors::Red);
                       c.setPixel(ImageWidth - 1, ImageHeight - 1, colors::Lime);
                       c.setPixel(-1, 4, colors::Blue);
                       c.setPixel(ImageWidth, 4, colors::Blue);
                       c.setPixel(3, ImageHeight, colors::Blue);
                       c.setPixel(3, -1, colors::Blue);
                       c.setPixel(-2147483647 - 1, 2147483647, colors::Blue);
                   },
                   true},
        // Pen colours, each primitive painted over the ones before.
        Primitives{"ColoursOverEachOther",
                   [](Canvas& c) {
                       c.setPenColor(colors::Red);
                       c.line(3, 50, 50, 7);
                       c.setPenColor(colors::Blue);
                       c.setPenWidth(2);
                       c.ellipse(5, 5, 30, 22);
                       c.setPenColor(colors::Maroon);
                       c.arc(20, 20, 60, 50, 40, 0, 0, 40);
                       c.setPixel(20, 20, colors::Lime);
                       c.setPenColor(colors::DarkGreen);
                       c.line(0, 13, 63, 13);
                   },
                   true}),
    [](const auto& info) { return std::string(info.param.name); });

// A few pictures worked out on squared paper, independent of the raster functions: a
// fault shared by the rules and the Qt canvas would pass the table above, not these.
struct HandDrawn {
    const char* name;
    void (*draw)(Canvas&);
    PixelSet pixels;
};

TEST(QtCanvasRules, HandDrawnPixelSets) {
    const HandDrawn rows[] = {
        {"FlatLineWithoutItsEnd", [](Canvas& c) { c.line(2, 3, 6, 3); }, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"UprightLineUpwards", [](Canvas& c) { c.line(4, 6, 4, 2); }, {{4, 6}, {4, 5}, {4, 4}, {4, 3}}},
        {"Diagonal", [](Canvas& c) { c.line(1, 1, 4, 4); }, {{1, 1}, {2, 2}, {3, 3}}},
        {"CornerFromThePen",
         [](Canvas& c) {
             c.moveTo(2, 2);
             c.lineTo(5, 2);
             c.lineTo(5, 5);
         },
         {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {5, 3}, {5, 4}}},
        {"WidthTwoFlatTakesTheRowBelow",
         [](Canvas& c) {
             c.setPenWidth(2);
             c.line(5, 10, 8, 10);
         },
         {{5, 10}, {6, 10}, {7, 10}, {5, 11}, {6, 11}, {7, 11}}},
        {"WidthTwoUprightTakesTheColumnRight",
         [](Canvas& c) {
             c.setPenWidth(2);
             c.line(30, 40, 30, 37);
         },
         {{30, 38}, {30, 39}, {30, 40}, {31, 38}, {31, 39}, {31, 40}}},
        {"ClippedAtTheLeftEdge", [](Canvas& c) { c.line(-5, 7, 2, 7); }, {{0, 7}, {1, 7}}},
        {"OnePixel", [](Canvas& c) { c.setPixel(10, 12, colors::Red); }, {{10, 12}}},
    };
    for (const HandDrawn& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(drawn(row.draw), row.pixels);
    }
}

TEST(QtCanvasText, DrawsBelowAndRightOfItsCornerAndOpaqueFillsTheBox) {
    test::ensureApplication();
    QImage img = whiteImage(200, 60);
    {
        QtCanvas c(img);
        c.text(20, 10, "Driv Ang", TextStyle{});
        TextStyle opaque;
        opaque.opaque = true;
        opaque.background = colors::Yellow;
        c.text(20, 35, "  ", opaque);
    }
    const PixelSet s = inked(img.copy(0, 0, 200, 34));
    ASSERT_FALSE(s.empty()) << "no font available";
    const PixelSet b = bounds(s);
    EXPECT_GE(b.begin()->first, 20);
    EXPECT_GE(b.begin()->second, 10);
    EXPECT_LT(b.rbegin()->second, 10 + 16);
    EXPECT_EQ(img.pixel(21, 37), qRgb(255, 255, 0));
}

TEST(QtCanvasText, FarOffTextIsNothingAndNoOverflow) {
    test::ensureApplication();
    const PixelSet s = drawn([](Canvas& c) {
        c.text(2147483647, 2147483647, "Pt1V", TextStyle{});
        c.text(-2147483647 - 1, 20, "Pt1H", TextStyle{});
    });
    EXPECT_TRUE(s.empty());
}

// Texts on a 32-bit image are set from the pixels their glyphs covered the first time;
// through a painter they go through Qt's glyph path every time. Both must give the
// same picture: every style the frame uses, texts cut by the edges, opaque boxes, and
// the same text twice (the second from what was kept).
TEST(QtCanvasText, KeptGlyphsMatchThePainterPixelForPixel) {
    test::ensureApplication();
    auto scene = [](Canvas& c) {
        TextStyle plain;
        TextStyle bold;
        bold.bold = true;
        bold.color = colors::Red;
        TextStyle large;
        large.pointSize = 10;
        large.color = colors::Blue;
        TextStyle serif;
        serif.fontName = "Times New Roman";
        serif.pointSize = 12;
        TextStyle opaque;
        opaque.opaque = true;
        opaque.background = colors::Yellow;
        opaque.color = colors::Maroon;
        for (int pass = 0; pass < 2; ++pass) {
            const int dy = pass * 90;
            c.text(4, 2 + dy, "RevArm  10.298", plain);
            c.text(4, 20 + dy, "ValveFEx -0.218 jgpqy", bold);
            c.text(4, 38 + dy, "Pan Vert / Zoom", large);
            c.text(4, 58 + dy, "Front CO% 78.3", serif);
            c.text(150, 2 + dy, "Piston %  3.39", opaque);
        }
        c.text(-9, 190, "cut at the left", bold);
        c.text(200, 194, "cut at the right and bottom", large);
        c.text(60, -6, "cut at the top", plain);
    };
    QImage direct = whiteImage(260, 200);
    {
        QtCanvas c(direct);
        scene(c);
    }
    QImage viaPainter = whiteImage(260, 200);
    {
        QPainter p(&viaPainter);
        QtCanvas c(p, 260, 200);
        scene(c);
    }
    ASSERT_FALSE(inked(direct).empty()) << "no font available";
    EXPECT_EQ(direct, viaPainter);
}

TEST(QtCanvasPainter, PainterTargetGivesTheSamePixelsAsTheImage) {
    auto scene = [](Canvas& c) {
        c.setPenColor(colors::Red);
        c.line(3, 60, 50, 7);
        c.setPenWidth(2);
        c.ellipse(5, 5, 30, 22);
        c.setPenColor(colors::Blue);
        c.arc(20, 20, 60, 60, 40, 0, 0, 40);
        c.setPixel(62, 62, colors::Lime);
    };
    QImage direct = whiteImage();
    {
        QtCanvas c(direct);
        scene(c);
    }
    QImage viaPainter = whiteImage(64, 64, QImage::Format_RGB888);
    {
        QPainter p(&viaPainter);
        QtCanvas c(p, 64, 64);
        scene(c);
    }
    EXPECT_EQ(direct, viaPainter.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

// What a window relies on when it clears only what the last frame drew: the inked
// bounds hold every pixel a frame set, text included, and a clear to the colour the
// image is known to have outside the dirty part touches nothing else.
TEST(QtCanvasDirtyClear, InkedBoundsAndRegionCoverEveryDrawnPixel) {
    test::ensureApplication();
    QImage img(200, 120, QImage::Format_RGB32);
    img.fill(Qt::white);
    QRect inked;
    QRegion region;
    {
        QtCanvas c(img);
        c.clear(colors::White);
        EXPECT_TRUE(c.inkedBounds().isEmpty());
        EXPECT_TRUE(c.inkedRegion().isEmpty());
        c.setPenColor(colors::Red);
        c.moveTo(10, 10);
        c.lineTo(40, 30);
        c.ellipse(60, 5, 90, 40);
        c.setPixel(150, 100, colors::Blue);
        TextStyle bold;
        bold.bold = true;
        c.text(100, 50, "Pt1V -2.889", bold);
        inked = c.inkedBounds();
        region = c.inkedRegion();
    }
    int drawn = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) {
                ++drawn;
                EXPECT_TRUE(inked.contains(x, y)) << x << "," << y;
                EXPECT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
            }
    ASSERT_GT(drawn, 0);
    // The region is the drawn squares, not the box around them: the far corners of
    // the bounds were not drawn on.
    EXPECT_FALSE(region.contains(QPoint(inked.right(), inked.top())));
    EXPECT_FALSE(region.contains(QPoint(inked.left(), inked.bottom())));
}

TEST(QtCanvasDirtyClear, KnownColourClearsOnlyTheDirtyPart) {
    test::ensureApplication();
    QImage img(50, 40, QImage::Format_RGB32);
    img.fill(Qt::black);  // "stale" everywhere, to see what a clear touches
    {
        QtCanvas c(img);
        c.assumeCleared(colors::White, QRect(16, 16, 16, 16));
        c.clear(colors::White);
    }
    EXPECT_EQ(img.pixel(16, 16), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(31, 31), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(15, 16), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(32, 31), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(16, 32), qRgb(0, 0, 0));
    // Another colour than the known one clears the whole picture.
    {
        QtCanvas c(img);
        c.assumeCleared(colors::White, QRect(16, 16, 16, 16));
        c.clear(colors::Red);
    }
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(49, 39), qRgb(255, 0, 0));
}

// The window's ticks in small: each frame is drawn on the last one's image after a
// clear of what that one inked, and only the changed squares are copied to a "screen"
// image. The screen must always equal the frame, and squares drawn the same as before
// must not be counted as changed.
TEST(QtCanvasDirtyClear, ChangedRegionIsExactlyWhatDiffersFromTheLastFrame) {
    test::ensureApplication();
    // Large enough that what the frames draw is well under a quarter of it.
    QImage frame(240, 180, QImage::Format_RGB32);
    frame.fill(Qt::white);
    QImage screen = frame.copy();
    QRegion lastInked;
    std::vector<QRgb> kept;
    auto tick = [&](int crankX, bool drawTwice) {
        QRegion changed;
        {
            QtCanvas c(frame);
            c.assumeCleared(colors::White, lastInked, &kept);
            c.clear(colors::White);
            if (drawTwice) {
                // A frame that clears again after drawing must lose what it drew.
                c.setPenColor(colors::Lime);
                c.ellipse(70, 50, 110, 85);
                c.clear(colors::White);
            }
            c.setPenColor(colors::Black);
            c.moveTo(5, 5);
            c.lineTo(60, 5);  // the same every frame
            c.text(5, 60, "Driv Ang", TextStyle{});
            c.setPenColor(colors::Red);
            c.moveTo(30, 40);
            c.lineTo(crankX, 20);  // moves
            lastInked = c.inkedRegion();
            changed = c.changedRegion();
        }
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                if (frame.pixel(x, y) != screen.pixel(x, y)) {
                    EXPECT_TRUE(changed.contains(QPoint(x, y))) << x << "," << y;
                }
            }
        for (const QRect& r : changed)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    screen.setPixel(x, y, frame.pixel(x, y));
        EXPECT_EQ(screen, frame);
        return changed;
    };
    tick(50, false);
    const QRegion moved = tick(90, true);
    EXPECT_FALSE(moved.isEmpty());
    EXPECT_FALSE(moved.contains(QPoint(5, 5))) << "the level line is drawn as before";
    EXPECT_FALSE(moved.contains(QPoint(6, 62))) << "the text is drawn as before";
    EXPECT_TRUE(tick(90, false).isEmpty()) << "the same frame again changes nothing";
    // The green ellipse was cleared away within its own frame: nothing of it remains.
    EXPECT_EQ(frame.pixel(90, 50), qRgb(255, 255, 255));
}

// Steam close up inks most of the picture: then the squares are not kept and compared,
// and all that was or is drawn on counts as changed.
TEST(QtCanvasDirtyClear, AMostlyDirtyPictureCountsItsDirtSquaresAsChanged) {
    test::ensureApplication();
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::white);
    std::vector<QRgb> kept;
    QtCanvas c(img);
    c.assumeCleared(colors::White, QRegion(0, 0, 48, 64), &kept);  // 12 of 16 squares
    c.clear(colors::White);
    c.setPixel(60, 60, colors::Red);
    EXPECT_TRUE((c.changedRegion() ^ (QRegion(0, 0, 48, 64) | QRegion(48, 48, 16, 16))).isEmpty());
    EXPECT_TRUE(kept.empty());
}

TEST(QtCanvasDirtyClear, WithoutAKnownPictureTheChangeIsTheInkOrEverything) {
    test::ensureApplication();
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QtCanvas c(img);  // no clear: what was there stays, the ink may differ from it
        c.setPixel(3, 3, colors::Red);
        EXPECT_EQ(c.changedRegion(), c.inkedRegion());
    }
    {
        QtCanvas c(img);  // a clear whose colour nobody vouched for changes everything
        c.clear(colors::White);
        EXPECT_EQ(c.changedRegion(), QRegion(0, 0, 64, 48));
    }
}

}  // namespace
}  // namespace quarn
