// Drawing the staff of a 700-note melody: the layout alone, a repaint of every row into an
// image (the whole staff at once, far more than a screen shows) and a repaint of one screen of
// the widget scrolled into the middle.

#include "melody/parserstate.h"
#include "melody/stafflayout.h"
#include "melody/staffmodel.h"
#include "melody/staffview.h"

#include "offscreenapp.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace sarvo::melody;

constexpr int kNotes = 700;

// Every length, dots, sharps, ties, rests and tuplets in three octaves: 14 staff notes a round.
std::u16string melody700() {
    std::u16string text;
    for (int i = 0; i < kNotes / 14; ++i)
        text += u"C中ド D中レ# E中ミ E中ミ B.低ソ ^ H 3高ド 3高レ 3高ミ A高ソ# I. D.中シ G ";
    return text;
}

StaffModel filledModel() {
    ParserState state;
    StaffModel model;
    rebuildStaff(state, melody700(), model);
    return model;
}

void BM_StaffLayout700(benchmark::State& state) {
    const StaffModel model = filledModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutStaff(model.notes(), 12000));
    state.counters["notes"] = model.count();
}
BENCHMARK(BM_StaffLayout700)->Unit(benchmark::kMicrosecond);

void BM_StaffRepaintAll700(benchmark::State& state) {
    sarvo::bench::offscreenApplication();
    StaffView view;
    view.resize(800, 400);
    view.show();
    ParserState parser;
    view.rebuild(parser, melody700());
    view.setCurrentIndex(350);
    QImage image(view.fullSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.renderAll(painter);
    }
    state.counters["notes"] = view.count();
    state.counters["rows"] = view.layout().rows;
}
BENCHMARK(BM_StaffRepaintAll700)->Unit(benchmark::kMillisecond);

void BM_StaffRepaintScreen700(benchmark::State& state) {
    sarvo::bench::offscreenApplication();
    StaffView view;
    view.resize(800, 400);
    view.show();
    ParserState parser;
    view.rebuild(parser, melody700());
    view.setCurrentIndex(350);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        view.viewport()->render(&image);
}
BENCHMARK(BM_StaffRepaintScreen700)->Unit(benchmark::kMillisecond);

} // namespace
