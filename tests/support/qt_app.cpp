// main() of the suites that need a QApplication: one, created before the first test runs
// (after the environments the suite registers itself, so those may prepare it).
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

// Under LeakSanitizer, its check at the exit; elsewhere there is none.
extern "C" void __lsan_do_leak_check() __attribute__((weak));

namespace {

// On Wayland the suite leaves as the game does (run_brindora.cpp), without Qt's own teardown
// of the platform, which hangs now and then in Qt 6.4: the application is kept to the end.
bool g_keptApplication = false;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // The offscreen platform reports what it cannot do (size hints of a fixed-size window,
    // raising a window, grabbing the keyboard); none of it matters to the tests.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, message);
}

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qInstallMessageHandler(quietHandler);
        m_app = new QApplication(m_argc, m_argv);
        // Where the platform reads its fonts from a folder (offscreen on Windows), Arial, which
        // the game asks for, is found under its stand-in's name, as fontconfig finds it on Linux.
        const QStringList families = QFontDatabase::families();
        if (!families.contains(QLatin1String("Arial")) &&
            families.contains(QLatin1String("Liberation Sans")))
            QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    }
    void TearDown() override {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            g_keptApplication = true;
            return;
        }
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[16] = "brindora_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    const int code = RUN_ALL_TESTS();
    if (g_keptApplication) {
        if (__lsan_do_leak_check != nullptr)
            __lsan_do_leak_check();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(code);
    }
    return code;
}
