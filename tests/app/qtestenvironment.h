#pragma once
// One offscreen QApplication for a whole GUI test program, and the folder the tests write their
// screenshots to.

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace sarvo::app::testing {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "sarvo-gui-test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

inline const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Saves a picture of the widget as build/screenshots/<name>.png, for looking at the layout.
inline bool saveScreenshot(QWidget& widget, const QString& name) {
    const QString dir = QStringLiteral(SARVO_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    QCoreApplication::processEvents(); // lets layouts settle after the last change
    return widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace sarvo::app::testing
