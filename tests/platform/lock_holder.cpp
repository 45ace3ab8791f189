// Takes the single-instance lock at the path given as its argument, says "locked" or "refused"
// on standard output, and when locked holds the lock until its standard input closes.
#include "SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    kelvaro::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    if (!instance.tryAcquire()) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
