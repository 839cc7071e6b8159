// One QCoreApplication for the recording checks, created before the first test runs.
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = new QCoreApplication(m_argc, m_argv); }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[20] = "sound_tests";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication* m_app = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
