// The application's icon: the same marks at every size and in the SVG.
#include "platform/Icon.h"

#include <QImage>
#include <gtest/gtest.h>

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

TEST(ApplicationIcon, TheSvgHoldsTheSameMarks) {
    const QByteArray svg = moravel::platform::applicationIconSvg();
    EXPECT_TRUE(svg.startsWith("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\""));
    EXPECT_TRUE(svg.contains("<rect width=\"16\" height=\"16\" rx=\"3\" fill=\"#1d3557\"/>"));
    EXPECT_TRUE(svg.contains("<rect x=\"7\" y=\"4\" width=\"2\" height=\"2\" fill=\"#e63946\"/>"));
    EXPECT_TRUE(svg.contains("<rect x=\"2\" y=\"6\" width=\"12\" height=\"1\" fill=\"#ffb703\"/>"));
    EXPECT_EQ(moravel::platform::applicationId(), "org.moravel.Moravel");
}
