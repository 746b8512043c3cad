// One clock per name and the hand-over between launches: the request's bytes, the folder of
// the socket, idle and given-up connections, and another user on either end.
#include "app/desktop/clock_instance.h"
#include "render/qt_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <future>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

ClockInstance::Places placesIn(const QTemporaryDir& folder) {
    return {folder.filePath(QStringLiteral("velmora.socket")),
            folder.filePath(QStringLiteral("velmora.lock")), QString()};
}

int connectTo(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QByteArray request(const QByteArray& path) {
    const auto length = static_cast<std::uint32_t>(path.size());
    QByteArray message;
    for (int shift = 24; shift >= 0; shift -= 8) {
        message.append(static_cast<char>(length >> shift));
    }
    return message + path;
}

// What the clock answers a raw client, which then confirms or not; the clock's side runs
// meanwhile on this thread.
template <typename Result> Result whileServing(std::function<Result()> client) {
    auto done = std::async(std::launch::async, std::move(client));
    while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QTest::qWait(10);
    }
    QTest::qWait(30);
    return done.get();
}

QByteArray exchange(const QString& socket, const QByteArray& sent, bool confirm) {
    const std::string path = QFile::encodeName(socket).toStdString();
    return whileServing<QByteArray>([path, sent, confirm] {
        const int fd = connectTo(path);
        QByteArray heard;
        if (fd < 0) {
            return heard;
        }
        ::send(fd, sent.constData(), static_cast<std::size_t>(sent.size()), MSG_NOSIGNAL);
        char buffer[16];
        pollfd waiting{fd, POLLIN, 0};
        while (heard.size() < 3 && ::poll(&waiting, 1, 3000) > 0) {
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            heard.append(buffer, got);
        }
        if (confirm && heard == "ok\n") {
            ::send(fd, "y", 1, MSG_NOSIGNAL);
        }
        ::close(fd);
        return heard;
    });
}

// Runs the function as another user in a child process, serving this thread's events until
// it ends; its exit status.
int asNobody(const std::function<int()>& function) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(99);
        }
        ::_exit(function());
    }
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        QTest::qWait(10);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A socket of the calling user listening at the path; the listener's descriptor.
int listenAt(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(fd, 4) != 0) {
        return -1;
    }
    ::chmod(path.c_str(), 0777);
    return fd;
}

// Whether anyone sent the listener a byte within the time; a mere connection (a probe
// whether something listens) tells nothing.
bool heardAnything(int listener, int waitMs) {
    pollfd waiting{listener, POLLIN, 0};
    if (listener < 0 || ::poll(&waiting, 1, waitMs) <= 0) {
        return false;
    }
    const int client = ::accept(listener, nullptr, nullptr);
    pollfd reading{client, POLLIN, 0};
    char byte;
    return client >= 0 && ::poll(&reading, 1, waitMs) > 0 && ::recv(client, &byte, 1, 0) > 0;
}

// A process of nobody's listening at the path, ready when this returns; it ends with 1 when
// it heard a byte within three seconds, else 0.
pid_t listenAsNobody(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t listener = ::fork();
    if (listener == 0) {
        ::setgroups(0, nullptr);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(99);
        }
        const int fd = listenAt(path);
        [[maybe_unused]] auto written = ::write(ready[1], "r", 1);
        ::_exit(fd < 0 ? 2 : heardAnything(fd, 3000) ? 1 : 0);
    }
    char byte;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
    return started ? listener : -1;
}

class ClockInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        instance_ = std::make_unique<ClockInstance>(placesIn(folder_));
        ASSERT_EQ(instance_->start(ClockRequest()), ClockInstance::Start::First);
        ASSERT_TRUE(instance_->listen()) << instance_->error().toStdString();
        QObject::connect(instance_.get(), &ClockInstance::requested,
                         [this](const ClockRequest& request) {
                             if (request.kind == ClockRequest::Kind::Show) {
                                 requests_ << request.schemePath;
                             } else {
                                 reminders_.push_back(request);
                             }
                         });
    }
    // A later launch of the same clock, on a thread of its own.
    ClockInstance::Start launch(const QString& path, QString* error = nullptr) {
        return launch(ClockRequest::show(path), error);
    }
    ClockInstance::Start launch(const ClockRequest& request, QString* error = nullptr) {
        const ClockInstance::Places places = placesIn(folder_);
        return whileServing<ClockInstance::Start>([places, request, error] {
            ClockInstance later(places);
            const ClockInstance::Start start = later.start(request);
            if (error != nullptr) {
                *error = later.error();
            }
            return start;
        });
    }
    QString socket() const { return instance_->places().socketPath; }

    QTemporaryDir folder_;
    std::unique_ptr<ClockInstance> instance_;
    QStringList requests_;
    std::vector<ClockRequest> reminders_;
};

// Any byte but NUL reaches the clock exactly: a line break, bytes that are not UTF-8.
TEST_F(ClockInstanceTest, APathArrivesByteForByte) {
    const QString odd = pathToQString(std::filesystem::path("/tmp/\xe9t\xe9\nx.Velmora"));
    EXPECT_EQ(launch(odd), ClockInstance::Start::HandedOver);
    EXPECT_EQ(launch(QString()), ClockInstance::Start::HandedOver);
    ASSERT_EQ(requests_.size(), 2);
    EXPECT_EQ(qStringToPath(requests_[0]).native(), "/tmp/\xe9t\xe9\nx.Velmora");
    EXPECT_EQ(requests_[1], QString());
    EXPECT_TRUE(ClockInstance::isListening(socket()));
    // Only this user may connect.
    EXPECT_EQ(QFileInfo(socket()).permissions() &
                  (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
              QFile::Permissions());
}

// A NUL, a length past any path, a second request behind the first, an unconfirmed request:
// none is carried out, and the first three are not even answered.
TEST_F(ClockInstanceTest, OnlyAWholeConfirmedRequestIsCarriedOut) {
    EXPECT_EQ(exchange(socket(), request(QByteArray("/tmp/a\0b", 8)), true), QByteArray());
    EXPECT_EQ(
        exchange(socket(), request(QByteArray(ClockInstance::kMaxRequestBytes + 1, 'a')), true),
        QByteArray());
    EXPECT_EQ(exchange(socket(), request("/tmp/a") + request("/tmp/b"), true), QByteArray());
    EXPECT_EQ(exchange(socket(), request("/tmp/unconfirmed"), false), QByteArray("ok\n"));
    EXPECT_EQ(exchange(socket(), QByteArray(), false), QByteArray());
    EXPECT_EQ(exchange(socket(), request("/tmp/c"), true), QByteArray("ok\n"));
    QTest::qWait(50);
    EXPECT_EQ(requests_, QStringList{QStringLiteral("/tmp/c")});
}

// A timer reaches the clock whole, handed over by a launch that never becomes the clock;
// bytes that are neither a path nor an alarm or timer are not answered.
TEST_F(ClockInstanceTest, AnAlarmOrTimerArrivesAndNothingElseIsAnswered) {
    ClockRequest timer;
    timer.kind = ClockRequest::Kind::Timer;
    timer.value = 90;
    timer.label = QStringLiteral("Tea");
    timer.askedAt = 1780898400123;
    const ClockInstance::Places places = placesIn(folder_);
    const ClockInstance::Start start = whileServing<ClockInstance::Start>([places, timer] {
        ClockInstance launch(places);
        return launch.handOver(timer);
    });
    EXPECT_EQ(start, ClockInstance::Start::HandedOver);
    ASSERT_EQ(reminders_.size(), 1u);
    EXPECT_EQ(reminders_[0].kind, ClockRequest::Kind::Timer);
    EXPECT_EQ(reminders_[0].value, 90);
    EXPECT_EQ(reminders_[0].label, QStringLiteral("Tea"));
    EXPECT_EQ(reminders_[0].askedAt, timer.askedAt);
    EXPECT_EQ(exchange(socket(), request("relative.Velmora"), true), QByteArray());
    EXPECT_EQ(exchange(socket(), request("snooze\t1\t0\tx"), true), QByteArray());
    QTest::qWait(50);
    EXPECT_TRUE(requests_.isEmpty());
    EXPECT_EQ(reminders_.size(), 1u);
}

// Connections that send nothing hold no place a launch needs, and are dropped soon.
TEST_F(ClockInstanceTest, IdleConnectionsBlockNoLaunchAndAreDropped) {
    const std::string path = QFile::encodeName(socket()).toStdString();
    const std::vector<int> idle = whileServing<std::vector<int>>([path] {
        std::vector<int> connected;
        for (std::size_t i = 0; i < ClockInstance::kMaxConnections; ++i) {
            connected.push_back(connectTo(path));
        }
        return connected;
    });
    ASSERT_EQ(std::count(idle.begin(), idle.end(), -1), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(launch(QStringLiteral("/tmp/through.Velmora")), ClockInstance::Start::HandedOver);
    EXPECT_LT(std::chrono::steady_clock::now() - start, ClockInstance::kAnswerWait / 2);
    EXPECT_EQ(requests_, QStringList{QStringLiteral("/tmp/through.Velmora")});
    QTest::qWait(static_cast<int>(ClockInstance::kIdleDrop.count()) + 500);
    for (const int fd : idle) {
        char byte;
        EXPECT_EQ(::recv(fd, &byte, 1, MSG_DONTWAIT), 0) << "still open";
        ::close(fd);
    }
}

// A clock too busy to answer in time (stopped, say): the launch reports failure, and the
// clock, once it goes on, does not load the file the launch gave up on.
TEST_F(ClockInstanceTest, ARequestTheLaunchGaveUpOnIsNotCarriedOut) {
    const ClockInstance::Places places = placesIn(folder_);
    auto later = std::async(std::launch::async, [places] {
        ClockInstance launch(places);
        return launch.start(ClockRequest::show(QStringLiteral("/tmp/late.Velmora")));
    });
    // This thread, the clock's, does not serve the socket meanwhile.
    ASSERT_EQ(later.wait_for(ClockInstance::kAnswerWait + std::chrono::seconds(3)),
              std::future_status::ready);
    EXPECT_EQ(later.get(), ClockInstance::Start::Refused);
    QTest::qWait(300);
    EXPECT_TRUE(requests_.isEmpty());
}

TEST(ClockInstanceFolderTest, TheSocketLivesOnlyInAFolderOfTheUsersAlone) {
    QTemporaryDir runtime;
    QTemporaryDir temporary;
    ASSERT_TRUE(runtime.isValid() && temporary.isValid());
    EXPECT_EQ(ClockInstance::whyUnsafeFolder(runtime.path()), QString());
    const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray previousTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(ClockInstance::placesFor(QStringLiteral("velmora-x")).socketPath,
              runtime.filePath(QStringLiteral("velmora-x.socket")));

    // Writable by others, as /tmp is: the user's private folder instead, said once.
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 01777), 0);
    EXPECT_EQ(ClockInstance::whyUnsafeFolder(runtime.path()),
              QStringLiteral("others may write in it"));
    ClockInstance::Places places = ClockInstance::placesFor(QStringLiteral("velmora-x"));
    const QString own = temporary.filePath(QStringLiteral("velmora-%1").arg(::geteuid()));
    EXPECT_EQ(places.socketPath, own + QStringLiteral("/velmora-x.socket"));
    EXPECT_TRUE(places.notice.contains(runtime.path())) << places.notice.toStdString();
    EXPECT_EQ(QFileInfo(own).permissions() & (QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    qunsetenv("XDG_RUNTIME_DIR");
    places = ClockInstance::placesFor(QStringLiteral("velmora-x"));
    EXPECT_EQ(places.socketPath, own + QStringLiteral("/velmora-x.socket"));
    EXPECT_TRUE(places.notice.isEmpty());
    EXPECT_EQ(ClockInstance::whyUnsafeFolder(places.lockPath + QStringLiteral("-none")),
              QString::fromLocal8Bit(std::strerror(ENOENT)));

    // A private folder someone else made first is not used: no hand-over, said.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(own).constData(), kNobody, kNobody), 0);
        EXPECT_EQ(ClockInstance::whyUnsafeFolder(own),
                  QStringLiteral("it belongs to another user"));
        places = ClockInstance::placesFor(QStringLiteral("velmora-x"));
        EXPECT_TRUE(places.socketPath.isEmpty());
        EXPECT_FALSE(places.notice.isEmpty());
    }
    qputenv("XDG_RUNTIME_DIR", previousRuntime);
    qputenv("TMPDIR", previousTemporary);
}

// Without a socket the lock alone keeps one clock per name, and a crashed clock's lock is
// gone with it.
TEST(ClockInstanceLockTest, OneClockPerNameWithoutASocket) {
    QTemporaryDir folder;
    const ClockInstance::Places places{QString(), folder.filePath(QStringLiteral("c.lock")),
                                       QString()};
    auto first = std::make_unique<ClockInstance>(places);
    ASSERT_EQ(first->start(ClockRequest()), ClockInstance::Start::First);
    EXPECT_FALSE(first->listen());
    ClockInstance second(places);
    EXPECT_EQ(second.start(ClockRequest()), ClockInstance::Start::Refused);
    EXPECT_TRUE(second.error().contains(QLatin1String("runs already")))
        << second.error().toStdString();
    first.reset();
    ClockInstance third(places);
    EXPECT_EQ(third.start(ClockRequest()), ClockInstance::Start::First);
}

// Another user (the tests make one of nobody) can neither hand a request to the clock, even
// through a socket open to all, nor receive one: not through a socket put where the clock's
// should be, nor by making the socket first in a runtime folder everyone may write in.
TEST_F(ClockInstanceTest, AnotherUserIsNeitherHeardNorToldAnything) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making another user's processes needs root";
    }
    const std::string path = QFile::encodeName(socket()).toStdString();
    ASSERT_EQ(::chmod(QFile::encodeName(folder_.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0777), 0);
    const QByteArray sent = request("/tmp/theirs.Velmora");
    EXPECT_EQ(asNobody([&] {
                  const int fd = connectTo(path);
                  if (fd < 0) {
                      return 2;
                  }
                  ::send(fd, sent.constData(), static_cast<std::size_t>(sent.size()), 0);
                  char answer[4];
                  pollfd waiting{fd, POLLIN, 0};
                  const bool answered =
                      ::poll(&waiting, 1, 3000) > 0 && ::recv(fd, answer, sizeof answer, 0) > 0;
                  return answered ? 1 : 0;
              }),
              0);
    QTest::qWait(50);
    EXPECT_TRUE(requests_.isEmpty());

    // Their socket where ours should be, while the name is held: nothing is sent to it.
    instance_.reset();
    ClockInstance holder(placesIn(folder_));
    ASSERT_EQ(holder.start(ClockRequest()), ClockInstance::Start::First);
    QTemporaryDir theirs;
    ASSERT_EQ(::chmod(QFile::encodeName(theirs.path()).constData(), 0777), 0);
    const std::string theirSocket = QFile::encodeName(theirs.filePath("s")).toStdString();
    const pid_t listener = listenAsNobody(theirSocket);
    ASSERT_GT(listener, 0);
    ASSERT_EQ(::rename(theirSocket.c_str(), path.c_str()), 0);
    QString error;
    EXPECT_EQ(launch(QStringLiteral("/tmp/mine.Velmora"), &error), ClockInstance::Start::Refused);
    EXPECT_TRUE(error.contains(QLatin1String("another user"))) << error.toStdString();
    int status = 0;
    ::waitpid(listener, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other user heard the path: " << status;
}

TEST(ClockInstanceFolderTest, ASocketAnotherUserMadeFirstInAnOpenRuntimeFolderIsNotUsed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making another user's processes needs root";
    }
    QTemporaryDir runtime;
    QTemporaryDir temporary;
    QTemporaryDir config;
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 01777), 0);
    const std::string theirs = QFile::encodeName(runtime.filePath("velmora.socket")).toStdString();
    const pid_t listener = listenAsNobody(theirs);
    ASSERT_GT(listener, 0);
    const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray previousTemporary = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    ClockInstance::Places places = ClockInstance::placesFor(QStringLiteral("velmora"));
    places.lockPath = config.filePath(QStringLiteral("velmora.lock"));
    ClockInstance clock(places);
    EXPECT_EQ(clock.start(ClockRequest::show(QStringLiteral("/tmp/mine.Velmora"))),
              ClockInstance::Start::First);
    EXPECT_TRUE(clock.listen());
    EXPECT_TRUE(clock.places().socketPath.startsWith(temporary.path()));
    int status = 0;
    ::waitpid(listener, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the other user was reached: " << status;
    qputenv("XDG_RUNTIME_DIR", previousRuntime);
    qputenv("TMPDIR", previousTemporary);
}

} // namespace
