// Holds connections to a local socket open without sending anything, as a stuck or hostile
// client would, for the hand-over checks.
//
// usage: velmora-idle-connections SOCKET COUNT SECONDS
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SOCKET COUNT SECONDS\n", argv[0]);
        return 2;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, argv[1], sizeof(address.sun_path) - 1);
    const int count = std::atoi(argv[2]);
    int connected = 0;
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            ++connected;
        }
    }
    std::printf("%d\n", connected);
    std::fflush(stdout);
    ::sleep(static_cast<unsigned>(std::atoi(argv[3])));
    return connected == count ? 0 : 1;
}
