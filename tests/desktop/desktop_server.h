// A real desktop for one test program: Xvfb with a window manager (or none), or weston's
// headless compositor, started before the QApplication and ended after it.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace brindora::testing {

class DesktopServer : public ::testing::Environment {
public:
    // BRINDORA_TEST_DESKTOP: openbox, metacity, ... (a window manager), none, or weston;
    // BRINDORA_TEST_SCREEN: WxH of the screen in device pixels (1920x1080).
    DesktopServer();
    void SetUp() override;
    void TearDown() override;

    static DesktopServer& instance();
    QString desktop() const { return m_desktop; }
    bool wayland() const { return m_desktop == QLatin1String("weston"); }
    bool windowManager() const { return !wayland() && m_desktop != QLatin1String("none"); }
    // Why this desktop cannot run here, or empty.
    QString missing() const { return m_missing; }
    // Installed, but it did not start: a failure, not a skip.
    bool startFailed() const { return m_startFailed; }

private:
    bool startX(int width, int height);
    bool startWeston(int width, int height);
    static bool framesAWindow();
    QProcess* launch(const QString& program, const QStringList& arguments, bool readOutput = false,
                     const QProcessEnvironment& environment = {});

    QString m_desktop;
    QString m_missing;
    bool m_startFailed = false;
    std::vector<std::unique_ptr<QProcess>> m_processes; // ended in reverse order
    QTemporaryDir m_runtime;
};

// Runs a helper (xdotool, xprop, wmctrl) to its end; its standard output.
QString runTool(const QString& program, const QStringList& arguments);

} // namespace brindora::testing
