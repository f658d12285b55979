// The dimension graphic as the window shows it: its hourglass and the dimension's name lie
// in the frame's top-left corner, where the motion controls are.
#include <QFontMetrics>

#include "mainwin/window_fixture.h"
#include "model/dimension_graphic.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

using test::WindowTest;

TEST_F(WindowTest, DimensionGraphicsNameAndHourglassAreNotUnderTheControls) {
    struct Row {
        int code;
        const char* label;
        const char* menuItem;  // pressed first: the large font, the bars beside the band
    } const rows[] = {{1, "Driver Dia", nullptr},
                      {1, "Driver Dia", "LargeFont"},
                      {117, "Valve ctr to Joint (Stem)", "DynamicVariables"}};
    form->show();
    QWidget* view = form->centralWidget();
    // How many pixels of `area` the window shows otherwise than the frame has them.
    auto hidden = [&](const QRect& area) {
        const QImage seen = view->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage drawn = form->frameImage().copy(area).convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) differ += seen.pixel(x, y) != drawn.pixel(x, y);
        return differ;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.menuItem ? row.menuItem : row.label);
        if (row.menuItem) action(row.menuItem)->trigger();
        ASSERT_TRUE(startDimensionGraphic(model, row.code));
        form->Timer1Timer();
        // The name in its 14-point type at (30, 75) of the text layout, and the hourglass.
        TextStyle style;
        style.pointSize = 14;
        const QFontMetrics metrics(fontFor(style));
        const QRect marks = QRect(model.screen.text.x(30), model.screen.text.y(75),
                                  metrics.horizontalAdvance(QLatin1String(row.label)),
                                  metrics.height()) |
                            QRect(QPoint(19, 99), QPoint(45, 143));
        EXPECT_EQ(hidden(marks), 0);

        // A click on the name ends the graphic, and the controls come back over it.
        QWidget* under = view->childAt(marks.center());
        ASSERT_NE(under, nullptr);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(view, marks.center()));
        form->Timer1Timer();
        form->Timer1Timer();
        EXPECT_EQ(model.dimGraphic.ShowDimension, 0);
        EXPECT_GT(hidden(marks), 0);
    }
}

}  // namespace
}  // namespace quarn
