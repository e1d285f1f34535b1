// A child process for the launch tests.
//   child exit N     ends at once with exit code N
//   child hold NAME  owns the mutex NAME until the event NAME-stop is set
//                    (at most a minute), then ends with 0
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "exit") == 0)
        return std::atoi(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0) {
        HANDLE held = CreateMutexA(nullptr, TRUE, argv[2]);
        HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, (std::string(argv[2]) + "-stop").c_str());
        WaitForSingleObject(stop, 60000);
        CloseHandle(stop);
        ReleaseMutex(held);
        CloseHandle(held);
        return 0;
    }
    return 100;
}
