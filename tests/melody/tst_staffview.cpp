// The staff view as the user sees it: melodies rendered off screen with the generated note font,
// checked pixel by pixel where the layout puts note heads, and saved as screenshots for review;
// clicks, keys and edits through the widget.

#include "../app/qtestenvironment.h"

#include "melody/notecodes.h"
#include "melody/notefont.h"
#include "melody/staffview.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace sarvo::melody;
using namespace sarvo::melody::staffgeometry;

// Where the pictures of the staff go for review, beside the other screenshots of the build.
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

// Every length, dot, sharp, tie and tuplet form appears in the zoomed and the long melody.
const Scene kScenes[] = {
    {"selection_playing", u"C中ド D中レ D中ミ C中フ ^ E中ソ E中ラ E中シ E高ド B高レ ", 4, 3, 6, 0,
     StaffCursorType::Play},
    // 700 notes: every length, dots, sharps, ties, rests and tuplets in three octaves.
    {"long_scrolled",
     repeated(u"C中ド D中レ# E中ミ E中ミ B.低ソ ^ H 3高ド 3高レ 3高ミ A高ソ# I. D.中シ G ", 50), 300, 0, 0, 10},
    {"zoomed_glyphs",
     u"A中ミ B中ソ C.中ド# D低ラ E中フ ^ 3中ソ 3中ラ 3中シ B高ド D.高レ# E高ミ ^ F G H I J \\ ` ",
     6, 0, 0, 0, StaffCursorType::Edit, 3.0},
};

class StaffViewScene : public ::testing::TestWithParam<Scene> {};

// A point of the staff in the widget's pixels.
QPoint pixelOf(StaffView& view, int xTwips, int yTwips) {
    const qreal scale = view.pixelsPerTwip();
    const int scroll = view.verticalScrollBar()->value() * kLineSpacing;
    return {qRound(xTwips * scale), qRound((yTwips - scroll) * scale)};
}

TEST_P(StaffViewScene, DrawsEveryFilledHeadWhereTheLayoutPutsIt) {
    const Scene& scene = GetParam();
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

    // Drawn on screen and in full:
    const QImage image = view.viewport()->grab().toImage();
    ASSERT_TRUE(view.grab().save(screenshotPath(scene.name)));
    QImage full(view.fullSize(), QImage::Format_RGB32);
    full.fill(Qt::white);
    QPainter painter(&full);
    view.renderAll(painter);
    painter.end();
    ASSERT_TRUE(full.save(screenshotPath(scene.name + "_full")));

    // every black head on screen is ink at its centre, blue when it is selected.
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
        const QColor colour = image.pixelColor(pixelOf(view, centreX, note.headY));
        if (note.selected) {
            EXPECT_GT(colour.blue(), 180) << "note " << note.index;
            EXPECT_LT(colour.red(), 90) << "note " << note.index;
        } else {
            EXPECT_LT(colour.lightness(), 110) << "note " << note.index;
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Scenes, StaffViewScene, ::testing::ValuesIn(kScenes),
                         [](const auto& test) { return test.param.name; });


// Every character the staff can print: the glyphs chosen for every length code at the pitches
// of both stem directions and both sharps, their ties, the rests and the clef.
TEST(NoteFont, HasAGlyphForEveryCharacterTheStaffPrints) {
    const QRawFont raw = QRawFont::fromFont(noteFont(32));
    ASSERT_TRUE(raw.isValid());
    EXPECT_EQ(raw.familyName(), QStringLiteral("Sarvo"));
    std::u16string chars(1, notefont::kClef);
    for (std::u16string_view length : {u"A", u"B", u"C", u"D", u"E", u"2", u"3", u"5", u"6", u"A.",
                                       u"B.", u"C.", u"D.", u"E."}) {
        for (std::u16string_view pitch : {u"低ド", u"高ソ"}) {
            const StaffNote note{std::u16string(pitch) + u"#", std::u16string(length)};
            const StaffGlyph glyph = chooseGlyph(note);
            const StaffGlyph tie = chooseGlyph(StaffNote{std::u16string(pitch), u"^"}, &note);
            chars += glyph.text + glyph.sharp + tie.text + tie.tieArc;
        }
        const std::u16string restCode = restCodeOf(length[0]) + std::u16string(length.substr(1));
        const StaffGlyph rest = chooseGlyph(StaffNote{u"", restCode});
        ASSERT_EQ(rest.kind, StaffGlyphKind::Rest);
        chars += rest.text;
    }
    for (char16_t c : chars)
        EXPECT_TRUE(c == 0 || raw.supportsCharacter(QChar(c))) << "U+" << std::hex << int(c);
}

// The head of every note glyph lies where the layout expects it: stem-up heads on the baseline
// with the stem rising most of an em, stem-down heads high with the stem reaching below. A
// dotted note's dot stands clear of everything the note draws, its flag included.
TEST(NoteFont, StemsAndDots) {
    const qreal em = 100;
    const QRawFont raw = QRawFont::fromFont(noteFont(em));
    for (char16_t code : std::u16string_view(u"BCDE26RSTU:>")) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(code)));
        ASSERT_EQ(glyphs.size(), 1);
        const QRectF ink = raw.boundingRect(glyphs[0]); // y grows downwards from the baseline
        const bool stemDown = code > u'E' || code == u':' || code == u'>';
        EXPECT_TRUE(stemDown ? ink.bottom() > 0.3 * em && ink.top() < -0.55 * em
                             : ink.bottom() > -0.02 * em && ink.bottom() < 0.05 * em &&
                                   ink.top() < -0.95 * em)
            << static_cast<char>(code);
    }
    for (char16_t code : std::u16string_view(u"CDESTU")) {
        const QChar dot(code > u'E' ? notefont::kStemDownDot : notefont::kDot);
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(code)) + dot);
        ASSERT_EQ(glyphs.size(), 2);
        const qreal dotLeft =
            raw.advancesForGlyphIndexes(glyphs)[0].x() + raw.boundingRect(glyphs[1]).left();
        EXPECT_GT(dotLeft - raw.boundingRect(glyphs[0]).right(), 0.05 * em) << static_cast<char>(code);
    }
}

// The two flags of a sixteenth keep a fifth of a staff space of white between them, so that at
// the staff's size they read as two and not as one smudge.
TEST(NoteFont, SixteenthFlagsStayApart) {
    const qreal staffSpace = 300; // at an em of 1000 pixels
    const QRawFont raw = QRawFont::fromFont(noteFont(1000));
    for (char16_t code : {u'E', u'U'}) {
        const QList<quint32> glyph = raw.glyphIndexesForString(QString(QChar(code)));
        ASSERT_EQ(glyph.size(), 1);
        QList<QPolygonF> outlines = raw.pathForGlyph(glyph[0]).toSubpathPolygons();
        ASSERT_GE(outlines.size(), 4); // head, stem and two flags, the longest outlines
        std::ranges::sort(outlines, std::greater{}, &QPolygonF::size);
        QPainterPath first;
        first.addPolygon(outlines[0]);
        QPainterPath second;
        second.addPolygon(outlines[1]);
        QPainterPathStroker margin;
        margin.setWidth(2 * 0.2 * staffSpace);
        EXPECT_FALSE(margin.createStroke(first).united(first).intersects(second)) << static_cast<char>(code);
    }
}

// The melody text as the text box shows it, at the smallest and the largest size the settings
// offer: the note letters are drawn by the note font, not by the Japanese font behind it.
TEST(NoteFont, MelodyTextReadsAtTwelveToFortyEightPixels) {
    QImage sheet(1400, 120, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int size : {12, 48}) {
        QFont font = melodyTextFont(12, true);
        font.setPixelSize(size);
        painter.setFont(font);
        painter.drawText(10, 10 + 2 * size,
                         QStringLiteral("C中ド D.中レ# E高ミ ^ H 3中ソ 3中ラ 3中シ ] B.低ソ I. A高ド F "));
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Sarvo"));
        const QRawFont raw = QRawFont::fromFont(font);
        EXPECT_TRUE(raw.supportsCharacter(QChar(u'C')));
        EXPECT_FALSE(raw.supportsCharacter(QChar(u'中')));
    }
    painter.end();
    ASSERT_TRUE(sheet.save(screenshotPath("font_sizes")));
}

class StaffViewInteraction : public ::testing::Test {
protected:
    void SetUp() override {
        m_view.resize(800, 400);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    void fill(std::u16string_view melody) {
        sarvo::melody::ParserState state;
        m_view.rebuild(state, melody);
    }

    StaffView m_view;
};

// 30 notes: one full row and four on the second (800 px hold 26 a row). A click inside a slot
// (or on the clef) makes the notes before the point the current index, and ends the selection.
TEST_F(StaffViewInteraction, ClicksSetTheCurrentNoteAndTellTheWindow) {
    fill(repeated(u"C中ミ ", 30));
    QSignalSpy clicked(&m_view, &StaffView::currentIndexClicked);
    // slot (-1 for the clef), row, the current index the click makes
    for (auto [slot, row, index] : {std::tuple{-1, 1, 26}, {9, 0, 10}, {20, 1, 30}}) {
        m_view.setSel(5);
        const int x = slot < 0 ? 200 : kFirstNoteX + kNoteAdvance * slot + kNoteAdvance / 2;
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {},
                          pixelOf(m_view, x, rowTop(row) + 900));
        ASSERT_FALSE(clicked.isEmpty());
        EXPECT_EQ(clicked.takeLast().at(0).toInt(), index);
        EXPECT_EQ(m_view.currentIndex(), index);
        for (const StaffNote& note : m_view.model())
            EXPECT_FALSE(note.selected);
    }
}

// Typed keys go to the window (the widget test follows them into the melody); the page keys
// belong to the scroll bar.
TEST_F(StaffViewInteraction, ScrollsWithThePageKeysWithoutHandingThemOn) {
    fill(repeated(u"D高ド ", 400));
    int handedOn = 0;
    QObject::connect(&m_view, &StaffView::keyDown, [&] { ++handedOn; });
    m_view.setFocus();
    const int before = m_view.verticalScrollBar()->value();
    QTest::keyClick(&m_view, Qt::Key_PageDown);
    EXPECT_EQ(m_view.verticalScrollBar()->value(), before + m_view.verticalScrollBar()->pageStep());
    EXPECT_EQ(handedOn, 0);
}

TEST_F(StaffViewInteraction, ScrollRangeCoversEveryRowAndFollowsEditsMadeThroughTheModel) {
    fill(repeated(u"C中ド D中レ ", 350));
    const StaffLayout& layout = m_view.layout();
    const int page = m_view.verticalScrollBar()->pageStep();
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), scrollMaximum(layout.rows) - page);

    // A follower of the keyboard input edits the model; the view catches up at the next turn
    // of the event loop and brings the current note into view.
    m_view.verticalScrollBar()->setValue(0);
    m_view.model().setCurrentIndex(650);
    m_view.model().ins(u"高ド#", u"E");
    QCoreApplication::processEvents();
    const int row = m_view.layout().notes[650].row;
    const int value = m_view.verticalScrollBar()->value();
    EXPECT_LE(value, row * kScrollUnitsPerRow);
    EXPECT_GE(value + page, (row + 1) * kScrollUnitsPerRow);
    EXPECT_EQ(m_view.count(), 701);
    ASSERT_TRUE(m_view.grab().save(screenshotPath("followed_edit")));
}

// The view's own edits redraw at once.
TEST_F(StaffViewInteraction, DotAndTupletEditsRedrawTheNote) {
    fill(u"C中ド D中レ ");
    m_view.setCurrentIndex(1);
    const QImage plain = m_view.viewport()->grab().toImage();
    m_view.setTen(false);
    const QImage dotted = m_view.viewport()->grab().toImage();
    EXPECT_NE(plain, dotted);
    m_view.setCurrentIndex(2);
    m_view.setRen(u"3");
    EXPECT_NE(dotted, m_view.viewport()->grab().toImage());
    m_view.remove(1);
    EXPECT_EQ(m_view.count(), 1);
    EXPECT_EQ(m_view.item(1)->length, u"3");
}

} // namespace
