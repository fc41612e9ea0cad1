#include "sound/offlinerenderer.h"

namespace sarvo::sound {

OfflineRenderer::Opened OfflineRenderer::open(const IClock& clock, const std::string& soundFont) {
    FluidSynthEngine::Created created = FluidSynthEngine::create(soundFont);
    if (!created.engine)
        return {nullptr, created.error};
    return {std::unique_ptr<OfflineRenderer>(new OfflineRenderer(clock, std::move(created.engine))),
            {}};
}

void OfflineRenderer::sendShortMessage(uint32_t message) {
    catchUp();
    m_engine->send(message);
}

void OfflineRenderer::reset() {
    catchUp();
    m_engine->allNotesOff();
}

void OfflineRenderer::catchUp() {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(m_clock.now() - m_start);
    const int64_t target = elapsed.count() * m_engine->sampleRate() / 1'000'000'000;
    const int64_t done = static_cast<int64_t>(m_samples.size() / 2);
    if (target <= done)
        return;
    m_samples.resize(static_cast<size_t>(target) * 2);
    m_engine->render(m_samples.data() + done * 2, static_cast<int>(target - done));
}

} // namespace sarvo::sound
