// One QApplication for the picture tests, created before the first test runs.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // The offscreen platform reports this for every fixed-size window; the anthem has no
    // sound server to play on.
    if (message.contains(QLatin1String("propagateSizeHints")))
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
    char m_name[16] = "pictures_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
