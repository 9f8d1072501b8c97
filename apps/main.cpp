// trackquery: the host program of the tracking library.
#include <iostream>

int main() {
    std::cout << "trackquery: the task order tracker is not wired into the host yet.\n";
    return 0;
}
