// Each server is waited for by what it makes (a socket, the window manager's mark on the root
// window), with a generous limit, never for a fixed time.
#include "desktop_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace brindora::testing {

namespace {

DesktopServer* g_instance = nullptr;

bool waitFor(const std::function<bool()>& condition, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20); // polling, not the check itself
    }
    return true;
}

} // namespace

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    // The window goes on meanwhile: what it asked of the display reaches it first.
    QDeadlineTimer deadline(20000);
    while (!tool.waitForFinished(10) && !deadline.hasExpired())
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

DesktopServer::DesktopServer() : m_desktop(qEnvironmentVariable("BRINDORA_TEST_DESKTOP")) {
    g_instance = this;
}

DesktopServer& DesktopServer::instance() {
    return *g_instance;
}

QProcess* DesktopServer::launch(const QString& program, const QStringList& arguments,
                                bool readOutput, const QProcessEnvironment& environment) {
    m_processes.push_back(std::make_unique<QProcess>());
    QProcess* process = m_processes.back().get();
    if (!environment.isEmpty())
        process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!readOutput)
        process->setStandardOutputFile(QProcess::nullDevice());
    // The server ends with this program, however it ends (a failed check, a crash, the
    // time limit's kill): none is left running on the machine.
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->start(program, arguments);
    return process->waitForStarted(20000) ? process : nullptr;
}

void DesktopServer::SetUp() {
    const QStringList size =
        qEnvironmentVariable("BRINDORA_TEST_SCREEN", QStringLiteral("1920x1080")).split('x');
    const int width = size.value(0).toInt(), height = size.value(1).toInt();
    const QString program = wayland()         ? QStringLiteral("weston")
                            : windowManager() ? m_desktop
                                              : QStringLiteral("Xvfb");
    for (const QString& needed : {program, QStringLiteral("Xvfb"), QStringLiteral("xdotool"),
                                  QStringLiteral("xprop"), QStringLiteral("wmctrl")})
        if ((!wayland() || needed == program) && QStandardPaths::findExecutable(needed).isEmpty())
            m_missing += needed + QStringLiteral(" is not installed. ");
    if (m_missing.isEmpty() && !(wayland() ? startWeston(width, height) : startX(width, height)))
        m_missing = m_desktop + QStringLiteral(" did not start"), m_startFailed = true;
    if (!m_missing.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a window all the same, for the skips
}

bool DesktopServer::startX(int width, int height) {
    // Xvfb takes a display number nobody uses and names it once it answers there: other
    // programs (other tests meanwhile, other developers' servers) never share it. Without
    // -noreset it would start over as each helper (xprop) leaves, and the window manager
    // might knock at that moment.
    QProcess* xvfb =
        launch(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
                QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")},
               true);
    if (xvfb == nullptr)
        return false;
    QByteArray named;
    QDeadlineTimer deadline(20000);
    while (!named.endsWith('\n') && xvfb->state() == QProcess::Running && !deadline.hasExpired())
        if (xvfb->waitForReadyRead(100))
            named += xvfb->readAllStandardOutput();
    bool isNumber = false;
    const int number = named.trimmed().toInt(&isNumber);
    if (!named.endsWith('\n') || !isNumber)
        return false;
    const QString display = QStringLiteral(":%1").arg(number);
    qputenv("DISPLAY", display.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    const auto answers = [] {
        return !runTool(QStringLiteral("xprop"), {QStringLiteral("-root")}).isEmpty();
    };
    if (!waitFor(answers))
        return false;
    if (!windowManager())
        return true;
    // How each window manager starts on a bare X server. xfwm4 reads its settings over the
    // session bus and leaves without them; mutter and kwin want one too.
    const QMap<QString, QStringList> arguments{
        {QStringLiteral("xfwm4"), {QStringLiteral("--compositor=off")}},
        {QStringLiteral("mutter"), {QStringLiteral("--x11"), QStringLiteral("--replace")}},
        {QStringLiteral("kwin_x11"), {QStringLiteral("--replace")}},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // kwin draws its effects with the processor here, slowly on a busy machine: the window
    // management is what is tested.
    environment.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("N"));
    if (arguments.contains(m_desktop)) {
        QProcess* bus = launch(QStringLiteral("dbus-daemon"),
                               {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")},
                               true);
        if (bus == nullptr || !bus->waitForReadyRead(20000))
            return false;
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QString::fromLatin1(bus->readLine().trimmed()));
    }
    if (!launch(m_desktop, arguments.value(m_desktop), false, environment))
        return false;
    // A window manager is up once it has marked the root window as its own, and takes new
    // windows once it frames one (openbox marks the root window a moment before).
    return waitFor([] {
               return runTool(QStringLiteral("xprop"),
                              {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                   .contains(QLatin1String("window id"));
           }) &&
           framesAWindow();
}

// Shows a window of its own and waits until the window manager has taken it (ICCCM: it sets
// WM_STATE on every window it manages).
bool DesktopServer::framesAWindow() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 64, 64, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(c, window);
    xcb_flush(c);
    const char name[] = "WM_STATE";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    // A window shown before the window manager took over stays unmanaged: shown again, it
    // asks the window manager anew.
    int looks = 0;
    const auto isManaged = [&] {
        xcb_get_property_reply_t* state = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, atom->atom, XCB_ATOM_ANY, 0, 2), nullptr);
        const bool set = state != nullptr && state->type != XCB_ATOM_NONE;
        std::free(state);
        if (!set && ++looks % 25 == 0) {
            xcb_unmap_window(c, window);
            xcb_map_window(c, window);
            xcb_flush(c);
        }
        return set;
    };
    const bool managed = atom != nullptr && waitFor(isManaged);
    std::free(atom);
    xcb_destroy_window(c, window);
    xcb_disconnect(c);
    return managed;
}

bool DesktopServer::startWeston(int width, int height) {
    if (!m_runtime.isValid())
        return false;
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    const QString socket = QStringLiteral("brindora-test");
    if (!launch(QStringLiteral("weston"),
                {QStringLiteral("--backend=headless-backend.so"),
                 QStringLiteral("--socket=") + socket, QStringLiteral("--width=%1").arg(width),
                 QStringLiteral("--height=%1").arg(height), QStringLiteral("--idle-time=0")}))
        return false;
    qputenv("WAYLAND_DISPLAY", socket.toLatin1());
    qputenv("QT_QPA_PLATFORM", "wayland");
    qunsetenv("DISPLAY");
    return waitFor([&] { return QFile::exists(m_runtime.filePath(socket)); });
}

void DesktopServer::TearDown() {
    // A Wayland client still connected ends the moment its compositor goes (Qt's _exit(1)): the
    // suite keeps its application to the end on Wayland (qt_app.cpp), so weston ends with the
    // suite's process instead (launch). Its folder, socket included, goes now.
    if (wayland() && QCoreApplication::instance() != nullptr) {
        m_runtime.remove();
        return;
    }
    while (!m_processes.empty()) {
        QProcess& process = *m_processes.back();
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(10000);
        m_processes.pop_back();
    }
}

} // namespace brindora::testing
