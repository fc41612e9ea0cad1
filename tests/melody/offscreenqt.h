#pragma once
// The offscreen application of the widget tests, with the note font installed, and where their
// screenshots go in the build tree.

#include "melody/notefont.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace sarvo::melody::testing {

class OffscreenQt : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        installNoteFont();
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "sarvo";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

inline QString screenshotPath(const QString& name) {
    const QString dir = QStringLiteral(SARVO_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

} // namespace sarvo::melody::testing
