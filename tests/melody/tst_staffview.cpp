// The staff view as the user sees it: melodies rendered off screen with the generated note font,
// checked pixel by pixel where the layout puts note heads, and saved as screenshots for review;
// clicks, keys and edits through the widget.

#include "melody/notefont.h"
#include "melody/staffview.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace sarvo::melody;
using namespace sarvo::melody::staffgeometry;

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "tst_staffview";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QString screenshotPath(const std::string& name) {
    const QString dir = QStringLiteral(SARVO_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir + QStringLiteral("/staff_") + QString::fromStdString(name) + QStringLiteral(".png");
}

std::u16string repeated(std::u16string_view part, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

// A melody of 700 notes: every length, dots, sharps, ties, rests and tuplets in three octaves.
std::u16string longMelody() {
    return repeated(u"C中ド D中レ# E中ミ E中ミ B.低ソ ^ H 3高ド 3高レ 3高ミ A高ソ# I. D.中シ G ",
                    50);
}

struct Scene {
    std::string name;
    std::u16string melody;
    int current = 0;     // current index after the rebuild
    int selectFirst = 0; // selected notes, 0 for none
    int selectLast = 0;
    int scrollRows = 0;
    StaffCursorType cursor = StaffCursorType::Edit;
    qreal zoom = 1.0;
};

std::ostream& operator<<(std::ostream& os, const Scene& scene) {
    return os << scene.name;
}

const Scene kScenes[] = {
    {"empty", u""},
    {"lengths", u"A中ド B中レ C中ミ D中フ E中ソ F G H I J B中ラ C中シ D高ド E高レ ", 3},
    {"dots", u"A.中ド B.中レ C.中ミ D.中フ E.中ソ F. G. H. I. J. B.高ド C.高ミ D.中シ E.高ソ ", 14},
    {"tuplets",
     u"2中ド 2中レ 2中ミ 3中フ 3中ソ 3中ラ 5中シ 5高ド 5高レ 5高ミ 5高フ 5高ソ 6低ソ 6低ラ 6低シ "
     u"6中ド 6中レ 6中ミ \\ ] _ ` ",
     7},
    {"sharps",
     u"C低ド# C低レ# C低フ# C低ソ# C低ラ# D中ド# D中レ# D中フ# D中ソ# D中ラ# E高ド# E高レ# "
     u"B高フ# A高ソ# C.高ラ# ",
     0},
    {"ties", u"C中ド ^ ^ D高ミ ^ B.中ソ ^ A高ド ^ E低ラ ^ D中シ ^ C高ソ# ^ ", 9},
    {"rests", u"F G H I J F. G. H. I. J. \\ ] _ ` ", 5},
    {"octaves",
     u"C低ド C低レ C低ミ C低フ C低ソ C低ラ C低シ C中ド C中レ C中ミ C中フ C中ソ C中ラ C中シ "
     u"C高ド C高レ C高ミ C高フ C高ソ C高ラ C高シ ",
     21},
    {"selection", u"C中ド D中レ D中ミ C中フ ^ E中ソ E中ラ E中シ E高ド B高レ ", 0, 3, 6},
    {"long_scrolled", longMelody(), 300, 0, 0, 10},
    {"playing", u"C中ド D中レ D中ミ C中フ ^ E中ソ E中ラ E中シ E高ド B高レ ", 4, 0, 0, 0,
     StaffCursorType::Play},
    {"zoomed_glyphs",
     u"A中ミ B中ソ C.中ド# D低ラ E中フ ^ 3中ソ 3中ラ 3中シ B高ド D.高レ# E高ミ ^ F G H I J \\ ` ",
     6, 0, 0, 0, StaffCursorType::Edit, 3.0},
};

class StaffViewScene : public ::testing::TestWithParam<Scene> {};

// The colour under a point of the staff, in the widget's pixels.
QColor colourAt(const QImage& image, StaffView& view, int xTwips, int yTwips) {
    const qreal scale = view.pixelsPerTwip();
    const int scroll = view.verticalScrollBar()->value() * kLineSpacing;
    return image.pixelColor(qRound(xTwips * scale), qRound((yTwips - scroll) * scale));
}

TEST_P(StaffViewScene, DrawsEveryFilledHeadWhereTheLayoutPutsIt) {
    const Scene& scene = GetParam();
    // [GIVEN] a staff view filled from a melody text, with its cursor, selection and scroll
    StaffView view;
    view.resize(900, 420);
    view.setZoom(scene.zoom);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    sarvo::melody::ParserState state;
    view.rebuild(state, scene.melody);
    view.setCurrentIndex(scene.current);
    if (scene.selectFirst > 0)
        view.setSelection(scene.selectFirst, scene.selectLast);
    view.setCurType(scene.cursor);
    view.verticalScrollBar()->setValue(scene.scrollRows * kScrollUnitsPerRow);

    // [WHEN] it is drawn
    const QImage image = view.viewport()->grab().toImage();
    ASSERT_TRUE(view.grab().save(screenshotPath(scene.name)));
    QImage full(view.fullSize(), QImage::Format_RGB32);
    full.fill(Qt::white);
    QPainter painter(&full);
    view.renderAll(painter);
    painter.end();
    ASSERT_TRUE(full.save(screenshotPath(scene.name + "_full")));

    // [THEN] every black head on screen is ink at its centre, blue when it is selected
    const StaffLayout& layout = view.layout();
    const int top = view.verticalScrollBar()->value() * kLineSpacing;
    const int bottom = top + static_cast<int>(view.viewport()->height() / view.pixelsPerTwip());
    int checked = 0;
    for (const PlacedNote& note : layout.notes) {
        const bool black = !note.glyph.text.empty() && !note.glyph.wholeNote &&
                           note.glyph.text[0] != u'B' && note.glyph.text[0] != u'R';
        if (note.glyph.kind == StaffGlyphKind::Rest || !black)
            continue;
        if (note.headY < top + 100 || note.headY > bottom - 100)
            continue;
        const int centreX = note.note.x + kHeadLeft + kHeadWidth / 2;
        const QColor colour = colourAt(image, view, centreX, note.headY);
        if (note.selected) {
            EXPECT_GT(colour.blue(), 180) << "note " << note.index;
            EXPECT_LT(colour.red(), 90) << "note " << note.index;
        } else {
            EXPECT_LT(colour.lightness(), 110) << "note " << note.index;
        }
        ++checked;
    }
    const bool hasBlackHeads = scene.name != "empty" && scene.name != "rests";
    EXPECT_EQ(checked > 0, hasBlackHeads);
}

INSTANTIATE_TEST_SUITE_P(Scenes, StaffViewScene, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return info.param.name; });

} // namespace
