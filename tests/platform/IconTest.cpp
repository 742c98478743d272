// The application's icon: the same marks at every size and in the SVG.
#include "platform/Icon.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>

using moravel::platform::applicationIconImage;

TEST(ApplicationIcon, ReadsAtSixteenPixelsAndScales) {
    struct Mark {
        double x, y; // on the 16-unit grid, the middle of a unit
        QRgb colour;
    };
    const Mark marks[] = {
        {7.5, 4.5, 0xFFE63946},  // the bar above the reference
        {7.5, 10.5, 0xFFF1FAEE}, // the same bar below it
        {3.5, 11.5, 0xFFF1FAEE}, // the low bar
        {3.5, 6.5, 0xFFFFB703},  // the reference line
        {12.5, 6.5, 0xFFFFB703}, //
        {5.5, 10.5, 0xFF1D3557}, // the ground between the bars
        {3.5, 14.5, 0xFF1D3557}, // below them
    };
    for (int size : {16, 32, 48, 256}) {
        const QImage icon = applicationIconImage(size).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        const double unit = size / 16.0;
        for (const Mark& m : marks)
            EXPECT_EQ(icon.pixel(static_cast<int>(m.x * unit), static_cast<int>(m.y * unit)), m.colour)
                << size << " at " << m.x << "," << m.y;
        // Rounded corners: the very corner is all but transparent.
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 16) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, 0)), 255) << size;
    }
}

// At sizes where a unit is not a whole number of pixels, the marks keep sharp edges: inside the
// rounded corners every pixel is one of the icon's colours, none a blend of two.
TEST(ApplicationIcon, EverySizeIsSharp) {
    const QRgb colours[] = {0xFF1D3557, 0xFFF1FAEE, 0xFFE63946, 0xFFFFB703};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = applicationIconImage(size).convertToFormat(QImage::Format_ARGB32);
        const int corner = (size * 3 + 15) / 16;
        int blended = 0;
        for (int y = corner; y < size - corner; ++y)
            for (int x = corner; x < size - corner; ++x)
                blended +=
                    std::find(std::begin(colours), std::end(colours), icon.pixel(x, y)) == std::end(colours);
        EXPECT_EQ(blended, 0) << size;
        // The three bars and the reference line are all there.
        for (QRgb c : {colours[1], colours[2], colours[3]}) {
            bool found = false;
            for (int y = 0; y < size && !found; ++y)
                for (int x = 0; x < size && !found; ++x)
                    found = icon.pixel(x, y) == c;
            EXPECT_TRUE(found) << size << " " << std::hex << c;
        }
    }
}

TEST(ApplicationIcon, TheSvgHoldsTheSameMarks) {
    const QByteArray svg = moravel::platform::applicationIconSvg();
    EXPECT_TRUE(svg.startsWith("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\""));
    EXPECT_TRUE(svg.contains("<rect width=\"16\" height=\"16\" rx=\"3\" fill=\"#1d3557\"/>"));
    EXPECT_TRUE(svg.contains("<rect x=\"7\" y=\"4\" width=\"2\" height=\"2\" fill=\"#e63946\"/>"));
    EXPECT_TRUE(svg.contains("<rect x=\"2\" y=\"6\" width=\"12\" height=\"1\" fill=\"#ffb703\"/>"));
    EXPECT_EQ(moravel::platform::applicationId(), "org.moravel.Moravel");
}
