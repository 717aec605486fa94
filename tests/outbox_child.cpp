// Deliverer for tst_outbox_kill: delivers the outbox of an application folder to the
// analysis stand-in, oldest first, and prints "delivered\n" after each delivery, until none
// waits (then it ends with 0) or it is killed.
//   outbox_child <application folder>
#include "app/gdata.h"
#include "platform/board.h"
#include "screening/screening_session.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    board::init();
    GData data;
    data.setAppDir(QString::fromLocal8Bit(argv[1]));
    std::printf("started\n");
    std::fflush(stdout);
    while (data.screening().deliverOldest() == Delivery::Delivered) {
        std::printf("delivered\n");
        std::fflush(stdout);
    }
    return 0;
}
