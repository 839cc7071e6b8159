// main() of the suites that need a QApplication: one, created before the first test runs
// (after the environments the suite registers itself, so those may prepare it).
#include <QApplication>
#include <gtest/gtest.h>

namespace {

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
    }
    void TearDown() override {
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
    return RUN_ALL_TESTS();
}
